#include "devices/TfrmUSB.h"

#include "app/device_probes.h"
#include "devices/hid_text.h"
#include "forms/usb_form.h"
#include "platform/device_io_win.h"
#include "platform/win_registry.h"
#include "platform/win_text.h"
#include "ui/application.h"
#include "ui/print_form.h"

#include <array>

namespace brimlow {
namespace {

constexpr const char* kUsbStorageEnum = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR\\Enum";
// The most capabilities of one kind and report type the tree shows for a device.
constexpr USHORT kCapsRoom = 255;
constexpr hid::HIDP_REPORT_TYPE kReportTypes[] = {hid::HidP_Input, hid::HidP_Output, hid::HidP_Feature};

template <typename Caps>
HidCapsFacts FactsOf(const Caps& caps) {
    HidCapsFacts facts;
    facts.usagePage = caps.UsagePage;
    facts.isRange = caps.IsRange != 0;
    facts.usageMin = caps.Range.UsageMin;
    facts.usageMax = caps.Range.UsageMax;
    facts.usage = caps.NotRange.Usage;
    return facts;
}

}  // namespace

TfrmUSB::TfrmUSB() : ui::Form(forms::UsbFormLayout()), systemApi_(true), devices_(nullptr) {}

TfrmUSB::TfrmUSB(hid::HidApi api, DeviceIo* devices)
    : ui::Form(forms::UsbFormLayout()), api_(std::move(api)), systemApi_(false), devices_(devices) {}

// The controller goes before the tree it fills.
TfrmUSB::~TfrmUSB() { hidCtl_.reset(); }

void TfrmUSB::FormCreate() {
    OnClick("QuickPrint1", [this] { QuickPrint1Click(); });
    OnClick("Close1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Button1", [this] { Button1Click(); });
    ::EnableWindow(Control("Button1"), showUsbDrives_ != nullptr);
    if (!devices_) {
        systemDevices_ = std::make_unique<win::SystemDeviceIo>();
        devices_ = systemDevices_.get();
    }
    hidCtl_ = systemApi_ ? std::make_unique<THidDeviceController>() : std::make_unique<THidDeviceController>(api_);
    hidCtl_->OnEnumerate = [this](THidDevice& device, int index) { return HidCtlEnumerate(device, index); };
    // Wired while the window is being built: the controller's start-up message does the first
    // pass from the message loop. The pass runs outside any of our handlers, so its errors go to
    // the default error handler here.
    hidCtl_->SetOnDeviceChange([this] { ui::Application::Instance().Guard([this] { HidCtlDeviceChange(); }); },
                               /*whileBuilding=*/true);
}

void TfrmUSB::FormShow() { Click("Refresh1"); }

void TfrmUSB::SetShowUsbDrives(std::function<void()> show) {
    showUsbDrives_ = std::move(show);
    if (hwnd()) ::EnableWindow(Control("Button1"), showUsbDrives_ != nullptr);
}

void TfrmUSB::Button1Click() {
    if (showUsbDrives_) showUsbDrives_();
}

void TfrmUSB::QuickPrint1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::DefaultPrinter); }

void TfrmUSB::Refresh1Click() {
    const ui::BusyCursor busy;
    SetText("Info1", UsbControllerCount(*devices_));
    const win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kUsbStorageEnum);
    if (key) SetText("Info2", StorageDevicesText(win::ReadIntegerValue(key.get(), "Count")));
}

void TfrmUSB::HidCtlDeviceChange() {
    ui::TreeView tree = DeviceTree();
    root_ = nullptr;
    tree.Clear();
    root_ = tree.Add(nullptr, "HID-Devices");
    hidCtl_->EnumerateDevices();
    tree.ExpandAll();
    tree.Select(root_);
}

bool TfrmUSB::HidCtlEnumerate(THidDevice& device, int) {
    ui::TreeView tree = DeviceTree();
    const std::string product = win::WideToAnsi(device.ProductString());
    const ui::TreeView::Node node = tree.Add(root_, HidDeviceText(product, device.VendorID(), device.ProductID()));
    // Each collection names its next sibling and first child itself; in a sound tree every one is
    // visited once, and a driver that names one twice must not send the walk round in circles.
    collectionsLeft_ = std::max<int>(1, device.Caps().NumberLinkCollectionNodes);
    std::uint16_t index = 0;
    do {
        EnumerateNodes(device, node, 1, index);
        index = device.CollectionNode(index).NextSibling;
    } while (index != 0 && collectionsLeft_ > 0);
    return true;
}

void TfrmUSB::EnumerateNodes(THidDevice& device, ui::TreeView::Node parent, std::uint16_t count, std::uint16_t index) {
    ui::TreeView tree = DeviceTree();
    while (count > 0 && collectionsLeft_ > 0) {
        --collectionsLeft_;
        const hid::HIDP_LINK_COLLECTION_NODE collection = device.CollectionNode(index);
        const HidCollectionFacts facts{collection.LinkUsagePage, collection.LinkUsage,
                                       static_cast<std::uint8_t>(collection.CollectionType), collection.IsAlias != 0};
        const ui::TreeView::Node node = tree.Add(parent, HidCollectionText(facts));
        EnumerateCaps(device, node, index);
        if (collection.FirstChild != 0) EnumerateNodes(device, node, collection.NumberOfChildren, collection.FirstChild);
        if (collection.NextSibling == 0) break;
        index = collection.NextSibling;
        --count;
    }
}

void TfrmUSB::EnumerateCaps(THidDevice& device, ui::TreeView::Node node, std::uint16_t collection) {
    ui::TreeView tree = DeviceTree();
    device.SetUsagePageFilter(0);
    device.SetLinkCollectionFilter(0);
    device.SetUsageFilter(0);
    for (const hid::HIDP_REPORT_TYPE type : kReportTypes) {
        device.SetReportTypeFilter(type);
        std::array<hid::HIDP_BUTTON_CAPS, kCapsRoom> caps{};
        USHORT count = kCapsRoom;
        if (device.ButtonCapsQuery(caps.data(), count) != hid::HIDP_STATUS_SUCCESS) continue;
        for (USHORT i = 0; i < std::min(count, kCapsRoom); ++i) {
            if (caps[i].LinkCollection != collection) continue;
            tree.Add(node, HidCapsText(HidCapsKind::Button, static_cast<HidReportType>(type), FactsOf(caps[i])));
        }
    }
    for (const hid::HIDP_REPORT_TYPE type : kReportTypes) {
        device.SetReportTypeFilter(type);
        std::array<hid::HIDP_VALUE_CAPS, kCapsRoom> caps{};
        USHORT count = kCapsRoom;
        if (device.ValueCapsQuery(caps.data(), count) != hid::HIDP_STATUS_SUCCESS) continue;
        for (USHORT i = 0; i < std::min(count, kCapsRoom); ++i) {
            if (caps[i].LinkCollection != collection) continue;
            tree.Add(node, HidCapsText(HidCapsKind::Value, static_cast<HidReportType>(type), FactsOf(caps[i])));
        }
    }
}

}  // namespace brimlow
