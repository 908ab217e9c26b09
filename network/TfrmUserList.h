// The user list window TfrmUserList: the workstation's workgroup or domain and the user accounts
// enumerated for it. Refilled each time it is shown.
#pragma once

#include "ui/form.h"

namespace brimlow {

class TfrmUserList : public ui::Form {
public:
    TfrmUserList();

    void Refresh1Click();
    void Print1Click();

protected:
    void FormCreate() override;
    void FormShow() override;
};

}  // namespace brimlow
