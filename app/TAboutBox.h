// The About box: product name, version and the links to the site. Made for one opening and shown
// modally.
#pragma once

#include "platform/launcher.h"
#include "ui/form.h"

#include <string>

namespace brimlow {

class TAboutBox : public ui::Form {
public:
    // `versionText`: the main window's version text; `launcher` opens the links.
    TAboutBox(std::string versionText, Launcher& launcher);

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    std::string versionText_;
    Launcher& launcher_;
};

}  // namespace brimlow
