// The USB window: its tree from a scripted HID table (collections, capabilities, a device that
// cannot be queried, more capabilities than the window asks for, changes while hidden), from
// Wine's own two HID devices, and its two summary lines from scripted host controllers and
// registry fixtures.
#include "devices/TfrmUSB.h"
#include "tests/fakes/scripted_device_io.h"
#include "tests/fakes/scripted_hid.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <algorithm>
#include <iostream>

namespace brimlow {
namespace {

using testing::ScriptedHid;
using testing::ScriptedHidDevice;
using Button = hid::HIDP_BUTTON_CAPS;
using Value = hid::HIDP_VALUE_CAPS;

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

ScriptedHidDevice Mouse() {
    ScriptedHidDevice d;
    d.devInst = 1;
    d.path = "\\\\?\\hid#scripted_mouse";
    d.vendorId = 0x1234;
    d.productId = 0x0001;
    d.product = L"Scripted mouse";
    d.nodes = {testing::Node(0x01, 0x02, 1, 0, 1, 2, 1), testing::Node(0x01, 0x01, 0, 0, 0, 0, 0),
               testing::Node(0xFF00, 0x01, 0x85, 0, 0, 0, 0, true)};
    d.buttons[0] = {testing::RangeCaps<Button>(0x09, 1, 1, 3)};
    d.buttons[1] = {testing::UsageCaps<Button>(0x08, 0, 0x01)};
    d.values[0] = {testing::UsageCaps<Value>(0x01, 1, 0x30), testing::UsageCaps<Value>(0x01, 0, 0x38),
                   testing::UsageCaps<Value>(0x01, 1, 0x31)};
    d.values[2] = {testing::UsageCaps<Value>(0xFF00, 2, 0x05)};
    return d;
}

ScriptedHidDevice Unqueryable() {
    ScriptedHidDevice d;
    d.devInst = 2;
    d.path = "\\\\?\\hid#scripted_bare";
    d.vendorId = 0x1234;
    d.productId = 0x0002;
    d.hasPreparsedData = false;
    return d;
}

ScriptedHidDevice Keyboard() {
    ScriptedHidDevice d;
    d.devInst = 3;
    d.path = "\\\\?\\hid#scripted_keyboard";
    d.vendorId = 0xABCD;
    d.productId = 0x0003;
    d.product = L"Scripted keyboard";
    d.opensReadWrite = false;
    d.nodes = {testing::Node(0x01, 0x06, 1, 0, 0, 0, 0)};
    d.buttons[0] = {testing::RangeCaps<Button>(0x07, 0, 0xE0, 0xE7)};
    return d;
}

class UsbWindow : public ::testing::Test {
protected:
    void SetUp() override { testing::ReportedErrors().clear(); }
    // A window on the scripted table, created and past its start-up pass.
    std::unique_ptr<TfrmUSB> Make() {
        auto window = std::make_unique<TfrmUSB>(hid.Api(), &devices);
        window->Create();
        PumpMessages();
        return window;
    }
    void Broadcast(TfrmUSB& window) {
        ::SendMessageA(window.HidCtl().WindowHandle(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    }
    ScriptedHid hid;
    testing::ScriptedDeviceIo devices;
};

TEST_F(UsbWindow, TreeOfDevicesCollectionsAndCapabilities) {
    hid.devices = {Mouse(), Unqueryable(), Keyboard()};
    const auto window = Make();
    const ui::TreeView tree = window->DeviceTree();
    EXPECT_EQ(tree.Lines(),
              (std::vector<std::string>{
                  "HID-Devices",
                  "  \"Scripted mouse\"  VID=$1234 PID=$0001",
                  "    UsagePage=Generic Desktop ($0001)  Usage=Mouse ($0002)  CollectionType=Application ($01)",
                  "      Button Output: UsagePage=LED ($0008) Usage=Keyboard Num Lock ($0001)",
                  "      Value Input: UsagePage=Generic Desktop ($0001) Usage=Wheel ($0038)",
                  "      UsagePage=Generic Desktop ($0001)  Usage=Pointing Device ($0001)  CollectionType=Physical ($00)",
                  "        Button Input Range: UsagePage=Button ($0009) 1..3",
                  "        Value Input: UsagePage=Generic Desktop ($0001) Usage=X Axis ($0030)",
                  "        Value Input: UsagePage=Generic Desktop ($0001) Usage=Y Axis ($0031)",
                  "    UsagePage=ff00 ($ff00)  Usage=1 ($0001)  CollectionType=Vendor-defined $85 ($85)  IsAlias",
                  "      Value Feature: UsagePage=ff00 ($ff00) Usage=5 ($0005)",
                  "  VID=$1234 PID=$0002",
                  "    UsagePage=Undefined ($0000)  Usage=0 ($0000)  CollectionType=Physical ($00)",
                  "  \"Scripted keyboard\"  VID=$abcd PID=$0003",
                  "    UsagePage=Generic Desktop ($0001)  Usage=Keyboard ($0006)  CollectionType=Application ($01)",
                  "      Button Input Range: UsagePage=Keyboard ($0007) 224..231",
              }));
    EXPECT_EQ(tree.Selected(), window->RootNode());
    for (auto node = tree.FirstRoot(); tree.FirstChild(node); node = tree.FirstChild(node)) EXPECT_TRUE(tree.Expanded(node));
    EXPECT_TRUE(hid.openHandles.empty());
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(UsbWindow, AtMost255CapabilitiesOfOneKindAndReportType) {
    ScriptedHidDevice many = Mouse();
    many.nodes = {testing::Node(0x09, 0x01, 1, 0, 0, 0, 0)};
    many.buttons[0].clear();
    many.buttons[1].clear();
    many.values[0].clear();
    many.values[2].clear();
    for (USHORT i = 1; i <= 300; ++i) {
        many.buttons[0].push_back(testing::UsageCaps<Button>(0x09, 0, i));
        many.values[2].push_back(testing::UsageCaps<Value>(0x01, 0, 0x30));
    }
    hid.devices = {many};
    const auto window = Make();
    const auto lines = window->DeviceTree().Lines();
    const auto count = [&](std::string_view prefix) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(prefix); });
    };
    EXPECT_EQ(count("      Button Input: UsagePage=Button ($0009) Usage="), 255);
    EXPECT_EQ(count("      Value Feature: "), 255);
    EXPECT_EQ(lines.back(), "      Value Feature: UsagePage=Generic Desktop ($0001) Usage=X Axis ($0030)");
}

TEST_F(UsbWindow, ACycleOfCollectionsEndsAfterTheDevicesNodes) {
    ScriptedHidDevice looped = Unqueryable();
    looped.hasPreparsedData = true;
    // Node 1 names node 0 as its sibling and node 0 names node 1 as its child.
    looped.nodes = {testing::Node(0x01, 0x02, 1, 0, 1, 0, 1), testing::Node(0x01, 0x01, 0, 0, 1, 0, 0)};
    looped.nodes[1].NextSibling = 1;
    hid.devices = {looped};
    const auto window = Make();
    EXPECT_EQ(window->DeviceTree().Count(), 4);  // root, device and the two nodes
}

TEST_F(UsbWindow, TreeFollowsChangesWhileHiddenAndShowingRefreshesOnlyTheLines) {
    hid.devices = {Mouse(), Keyboard()};
    const auto window = Make();
    EXPECT_FALSE(window->Visible());
    ASSERT_EQ(window->DeviceTree().Lines()[1], "  \"Scripted mouse\"  VID=$1234 PID=$0001");

    hid.devices = {Keyboard()};
    Broadcast(*window);
    auto lines = window->DeviceTree().Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "  \"Scripted keyboard\"  VID=$abcd PID=$0003");

    const int listings = hid.listings;
    devices.AddDevice("\\\\.\\HCD0");
    window->Show();
    EXPECT_EQ(window->Text("Info1"), "1 host controllers.");
    EXPECT_EQ(hid.listings, listings);
    EXPECT_EQ(window->DeviceTree().Lines(), lines);
    window->Close();
}

TEST_F(UsbWindow, WithoutHidTheTreeHasNoRootAtAll) {
    hid.devices = {Mouse()};
    hid::HidApi noHid = hid.Api();
    noHid.hid = nullptr;
    TfrmUSB window(noHid, &devices);
    window.Create();
    PumpMessages();
    EXPECT_EQ(window.DeviceTree().Count(), 0);
    EXPECT_EQ(window.RootNode(), nullptr);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(UsbWindow, HostControllerLineCountsUpToTheFirstGap) {
    const auto window = Make();
    window->Refresh1Click();
    EXPECT_EQ(window->Text("Info1"), "Not Detected");
    for (const char* path : {"\\\\.\\HCD0", "\\\\.\\HCD1", "\\\\.\\HCD2", "\\\\.\\HCD4"}) devices.AddDevice(path);
    window->Refresh1Click();
    EXPECT_EQ(window->Text("Info1"), "3 host controllers.");
    EXPECT_EQ(devices.openHandles(), 0);
}

TEST_F(UsbWindow, StorageLineFromTheUsbStorageKey) {
    constexpr const char* kEnum = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR\\Enum";
    const auto window = Make();
    {
        testing::ScratchMachineKey machine;
        window->Refresh1Click();
        EXPECT_EQ(window->Text("Info2"), "") << "no key: the line keeps its text";
        machine.SetDword(kEnum, "Count", 2);
        window->Refresh1Click();
        EXPECT_EQ(window->Text("Info2"), "2 devices");
    }
    {
        testing::ScratchMachineKey machine;
        machine.SetString(kEnum, "Count", "2");
        devices.AddDevice("\\\\.\\HCD0");
        ui::Application::Instance().Guard([&] { window->Click("Refresh1"); });
        ASSERT_EQ(testing::ReportedErrors().size(), 1u);
        EXPECT_EQ(testing::ReportedErrors()[0], "Failed to get data for 'Count'");
        EXPECT_EQ(window->Text("Info1"), "1 host controllers.");
        EXPECT_EQ(window->Text("Info2"), "2 devices");
    }
}

TEST_F(UsbWindow, UsbDrivesButtonNeedsAWindowToOpen) {
    const auto window = Make();
    const HWND button = window->Control("Button1");
    EXPECT_FALSE(::IsWindowEnabled(button));
    int shown = 0;
    window->SetShowUsbDrives([&] { ++shown; });
    EXPECT_TRUE(::IsWindowEnabled(button));
    ::SendMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(window->Enabled("QuickPrint1"));
    EXPECT_TRUE(window->Enabled("Close1"));
}

// Wine's two virtual HID devices, through the real SetupApi.dll and HID.dll.
TEST(UsbWindowWine, TreeShowsWinesMouseAndKeyboard) {
    testing::ReportedErrors().clear();
    TfrmUSB window;
    window.Create();
    PumpMessages();
    const auto lines = window.DeviceTree().Lines();
    for (const std::string& line : lines) std::cout << "[tree] " << line << "\n";
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "HID-Devices");
    std::vector<std::string> deviceLines;
    for (const std::string& line : lines)
        if (line.starts_with("  ") && !line.starts_with("   ")) deviceLines.push_back(line);
    ASSERT_EQ(deviceLines.size(), 2u);
    EXPECT_EQ(deviceLines[0], "  \"Wine HID mouse\"  VID=$845e PID=$0001");
    EXPECT_TRUE(deviceLines[1].starts_with("  \"Wine HID") && deviceLines[1].ends_with("VID=$845e PID=$0002"))
        << deviceLines[1];
    EXPECT_EQ(window.HidCtl().Devices().size(), 2u);

    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info1"), "Not Detected");  // Wine has no \\.\HCDn
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

}  // namespace
}  // namespace brimlow
