#include "devices/TfrmDevices.h"

#include "devices/device_classes.h"
#include "forms/devices_form.h"
#include "ui/application.h"

namespace brimlow {

TfrmDevices::TfrmDevices() : TfrmDevices(systemPrintDialog_) {}

TfrmDevices::TfrmDevices(win::PrintDialog& printDialog)
    : ui::Form(forms::DevicesFormLayout()), printDialog_(printDialog) {}

void TfrmDevices::FormCreate() {
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
}

void TfrmDevices::FormShow() { Click("Refresh1"); }

void TfrmDevices::Refresh1Click() {
    ui::BusyCursor busy;
    ui::ListView list = ListView1();
    list.Clear();
    for (const ClassDriver& driver : ReadClassDrivers()) list.Add(driver.description, {driver.provider, driver.version});
    // The list keeps itself in order of the descriptions, whatever the registry's order.
    list.SortByCaption();
    SetText("StatusBar1", ui::CountText(list.Count()));
}

void TfrmDevices::Print1Click() { win::PrintListReport(Control("ListView1"), "Device Info", printDialog_, hwnd()); }

}  // namespace brimlow
