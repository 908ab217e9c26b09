// The USB window TfrmUSB: how many USB host controllers answer, how many USB mass-storage devices
// Windows has enumerated, and a tree of every HID device interface with its link collections and
// capabilities. The tree follows the window's HID controller: it is rebuilt at every device
// change, shown or hidden; showing the window refreshes only the two lines.
#pragma once

#include "devices/HidControllerClass.h"
#include "platform/device_io.h"
#include "ui/form.h"
#include "ui/tree_view.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace brimlow {

class TfrmUSB : public ui::Form {
public:
    // The system's HID libraries and device files.
    TfrmUSB();
    // Tests hand in a scripted HID table and scripted device files (not owned).
    TfrmUSB(hid::HidApi api, DeviceIo* devices);
    ~TfrmUSB() override;

    void Refresh1Click();
    void QuickPrint1Click();
    void Button1Click();

    // What "USB Drives" opens; the button stays disabled until there is something to open.
    void SetShowUsbDrives(std::function<void()> show);

    THidDeviceController& HidCtl() { return *hidCtl_; }
    ui::TreeView DeviceTree() const { return ui::TreeView(Control("DeviceTree")); }
    // The root of the last rebuild; null before the first.
    ui::TreeView::Node RootNode() const { return root_; }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void HidCtlDeviceChange();
    bool HidCtlEnumerate(THidDevice& device, int index);
    void EnumerateNodes(THidDevice& device, ui::TreeView::Node parent, std::uint16_t count, std::uint16_t index);
    void EnumerateCaps(THidDevice& device, ui::TreeView::Node node, std::uint16_t collection);

    hid::HidApi api_;
    bool systemApi_;
    DeviceIo* devices_;
    std::unique_ptr<DeviceIo> systemDevices_;
    std::unique_ptr<THidDeviceController> hidCtl_;
    std::function<void()> showUsbDrives_;
    ui::TreeView::Node root_ = nullptr;
    int collectionsLeft_ = 0;  // of the device being added
};

}  // namespace brimlow
