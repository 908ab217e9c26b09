// The Administrator window: a user name and a password for the credentialed WMI calls. Made at
// start; it keeps what was typed between openings, and only OK hands the texts on.
#pragma once

#include "ui/form.h"

#include <optional>
#include <string>

namespace brimlow {

struct AdministratorCredentials {
    std::string user;
    std::string password;
};

class TfrmAdmin : public ui::Form {
public:
    TfrmAdmin();
    // Shows the window modally; the texts of both fields when it closes with OK, nothing else.
    std::optional<AdministratorCredentials> Ask();
};

}  // namespace brimlow
