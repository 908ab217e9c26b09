// The startup entries window TfrmStartup: the Run keys' values and the Startup folders' entries.
// It has no show handler: whoever shows it asks for the refresh.
#pragma once

#include "ui/form.h"
#include "ui/list_view.h"

namespace brimlow {

class TfrmStartup : public ui::Form {
public:
    TfrmStartup();

    void Refresh1Click();

    ui::ListView ListView1() const { return ui::ListView(Control("ListView1")); }

protected:
    void FormCreate() override;
};

}  // namespace brimlow
