#include "storage/TfrmUSBDrives.h"

#include "cpu/cpu_load_win.h"
#include "forms/optical_forms.h"
#include "platform/number_picture_win.h"
#include "platform/wmiquery.h"
#include "ui/list_view.h"
#include "ui/print_form.h"

#include <optional>
#include <vector>

namespace brimlow {

namespace {
constexpr const char* kDiskDriveQuery = "SELECT * FROM Win32_DiskDrive";

void EnumerateThroughLocator(const std::string& query,
                             const std::function<void(const storage::WmiPropertyReader&)>& each) {
    WmiEnumerate(WmiBinding::Locator, query, [&](const WmiInstance& instance) {
        each([&](std::string_view property) { return instance.Read(property); });
    });
}
}  // namespace

TfrmUSBDrives::TfrmUSBDrives() : ui::Form(forms::UsbDrivesFormLayout()), enumerate_(EnumerateThroughLocator) {}

void TfrmUSBDrives::FormCreate() {
    OnClick("Refresh1", [this] { Refresh1Click(); });
    // The grid goes to paper as the window shows it, on the default printer without a dialog.
    OnClick("QuickPrint1", [this] { ui::PrintFormImage(*this, ui::PrinterChoice::DefaultPrinter); });
    OnClick("Close1", [this] { Close(); });
}

void TfrmUSBDrives::FormShow() { Refresh1Click(); }

void TfrmUSBDrives::Refresh1Click() {
    ui::ListView grid(Control("StringGrid1"));
    grid.Clear();
    int drives = 0, rows = 0;
    const std::string thousands = win::UserThousandSeparator();
    const std::string decimal = cpu::UserDecimalSeparator();
    // Nothing is caught here: a failing query or property ends the refresh with the platform's
    // message, and the rows written so far stay.
    enumerate_(kDiskDriveQuery, [&](const storage::WmiPropertyReader& read) {
        ++drives;
        const std::optional<std::vector<std::string>> row = storage::UsbDriveRow(read, drives, thousands, decimal);
        if (!row) return;
        ++rows;
        grid.Add(row->front(), std::vector<std::string>(row->begin() + 1, row->end()));
    });
    SetText("Info1", std::to_string(rows));
    SetText("Info2", std::to_string(drives));
}

}  // namespace brimlow
