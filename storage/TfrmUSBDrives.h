// The USB drives window TfrmUSBDrives: the Win32_DiskDrive instances on the USB interface, one
// grid row each, with the count of USB drives and of all disk drives. Created hidden at start;
// every showing refills it.
#pragma once

#include "storage/usb_drives.h"
#include "ui/form.h"

#include <functional>
#include <string>

namespace brimlow {

class TfrmUSBDrives : public ui::Form {
public:
    // Runs a WMI query and hands over every instance in delivery order; throws on failure.
    using DiskDriveEnumerator =
        std::function<void(const std::string& query, const std::function<void(const storage::WmiPropertyReader&)>& each)>;

    TfrmUSBDrives();

    // The WMI enumeration the grid is filled from; WMI's locator binding unless tests hand in
    // scripted instances.
    void SetEnumerator(DiskDriveEnumerator enumerate) { enumerate_ = std::move(enumerate); }

    void Refresh1Click();

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    DiskDriveEnumerator enumerate_;
};

}  // namespace brimlow
