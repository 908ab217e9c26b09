// The device classes window TfrmDevices: the driver of each device setup class's first device
// instance, sorted by its description, and its printing.
#pragma once

#include "platform/list_report_win.h"
#include "ui/form.h"
#include "ui/list_view.h"

namespace brimlow {

class TfrmDevices : public ui::Form {
public:
    // Prints through the system's print dialog.
    TfrmDevices();
    // `printDialog` must outlive the window.
    explicit TfrmDevices(win::PrintDialog& printDialog);

    void Refresh1Click();
    void Print1Click();

    ui::ListView ListView1() const { return ui::ListView(Control("ListView1")); }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    win::SystemPrintDialog systemPrintDialog_;
    win::PrintDialog& printDialog_;
};

}  // namespace brimlow
