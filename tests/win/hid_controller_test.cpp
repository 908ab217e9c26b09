// The HID controller against a scripted SetupAPI and HID.dll (devices that arrive, leave and come
// back, refuse access or cannot be read), and its library binding against Wine's real DLLs.
#include "devices/HidControllerClass.h"
#include "tests/fakes/scripted_hid.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <string>
#include <vector>

namespace brimlow {
namespace {

using testing::ScriptedHid;
using testing::ScriptedHidDevice;

ScriptedHidDevice Device(DWORD devInst, USHORT productId) {
    ScriptedHidDevice d;
    d.devInst = devInst;
    d.path = "\\\\?\\hid#vid_1234&pid_" + std::to_string(productId) + "#" + std::to_string(devInst);
    d.vendorId = 0x1234;
    d.productId = productId;
    d.nodes = {testing::Node(0x01, 0x02, 1, 0, 0, 0, 0)};
    return d;
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// What the system broadcasts after any change in the device tree.
void Broadcast(const THidDeviceController& controller) {
    ::SendMessageA(controller.WindowHandle(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
}

std::vector<DWORD> Listed(const THidDeviceController& controller) {
    std::vector<DWORD> out;
    for (const auto& d : controller.Devices()) out.push_back(d->InstanceHandle());
    return out;
}

class HidController : public ::testing::Test {
protected:
    // A controller whose events are written down as "arrived 1", "removed 2", "change".
    std::unique_ptr<THidDeviceController> Make() {
        auto controller = std::make_unique<THidDeviceController>(hid.Api());
        controller->OnArrival = [this](THidDevice& d) {
            events.push_back("arrived " + std::to_string(d.InstanceHandle()) + (d.Enumerating() ? "" : " (closed)"));
        };
        controller->OnRemoval = [this](THidDevice& d) {
            events.push_back("removed " + std::to_string(d.InstanceHandle()) + (d.Plugged() ? " (plugged)" : ""));
        };
        controller->SetOnDeviceChange([this] { events.push_back("change"); }, /*whileBuilding=*/true);
        return controller;
    }
    ScriptedHid hid;
    std::vector<std::string> events;
};

TEST_F(HidController, StartUpPassArrivalsRemovalsAndReturn) {
    hid.devices = {Device(1, 1), Device(2, 2)};
    const auto controller = Make();
    EXPECT_TRUE(events.empty()) << "the first pass runs from the message loop";
    PumpMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"arrived 1", "arrived 2", "change"}));
    EXPECT_EQ(Listed(*controller), (std::vector<DWORD>{1, 2}));
    EXPECT_EQ(controller->NumCheckedInDevices(), 2);
    EXPECT_TRUE(hid.openHandles.empty());

    // Nothing changed: no event at all.
    events.clear();
    Broadcast(*controller);
    EXPECT_TRUE(events.empty());

    // One leaves and another arrives in the same pass: one change, after both.
    hid.devices = {Device(2, 2), Device(3, 3)};
    Broadcast(*controller);
    EXPECT_EQ(events, (std::vector<std::string>{"removed 1", "arrived 3", "change"}));
    EXPECT_EQ(Listed(*controller), (std::vector<DWORD>{2, 3}));

    // The first one comes back as a new object at the end of the list.
    events.clear();
    const THidDevice* kept = controller->Devices()[0].get();
    hid.devices = {Device(1, 1), Device(2, 2), Device(3, 3)};
    Broadcast(*controller);
    EXPECT_EQ(events, (std::vector<std::string>{"arrived 1", "change"}));
    EXPECT_EQ(Listed(*controller), (std::vector<DWORD>{2, 3, 1}));
    EXPECT_EQ(controller->Devices()[0].get(), kept);
    EXPECT_EQ(controller->NumCheckedInDevices(), 3);
    EXPECT_EQ(controller->NumUnpluggedDevices(), 0);

    // A listing that fails takes every device away.
    events.clear();
    hid.classDevsFail = true;
    Broadcast(*controller);
    EXPECT_EQ(events, (std::vector<std::string>{"removed 1", "removed 3", "removed 2", "change"}));  // last first
    EXPECT_TRUE(controller->Devices().empty());
    EXPECT_TRUE(hid.openHandles.empty());
    EXPECT_EQ(hid.destroyedLists, hid.listings - 1);  // every set that was made is destroyed
}

TEST_F(HidController, InterfacesThatCannotBeReadOpenedOrIdentifiedAreLeftOut) {
    ScriptedHidDevice keyboard = Device(1, 1);
    keyboard.opensReadWrite = false;  // held by the system: query-only
    ScriptedHidDevice noDetail = Device(2, 2);
    noDetail.detailReadable = false;
    ScriptedHidDevice closed = Device(3, 3);
    closed.opens = false;
    ScriptedHidDevice anonymous = Device(4, 4);
    anonymous.identifies = false;
    hid.devices = {keyboard, noDetail, closed, anonymous, Device(5, 5)};
    const auto controller = Make();
    PumpMessages();

    EXPECT_EQ(Listed(*controller), (std::vector<DWORD>{1, 5}));
    EXPECT_FALSE(controller->Devices()[0]->ReadWriteAccess());
    EXPECT_TRUE(controller->Devices()[1]->ReadWriteAccess());
    EXPECT_EQ(controller->Devices()[0]->ProductID(), 1);
    EXPECT_EQ(controller->Devices()[1]->PnPInfo().DevicePath, hid.devices[4].path);
    // Read and write first, then query-only, for each interface that got that far.
    const DWORD rw = GENERIC_READ | GENERIC_WRITE;
    EXPECT_EQ(hid.opensAccess, (std::vector<DWORD>{rw, 0, rw, 0, rw, rw}));
    EXPECT_TRUE(hid.openHandles.empty());
}

TEST_F(HidController, ChangeBroadcastsDuringAPassAreIgnored) {
    hid.devices = {Device(1, 1)};
    const auto controller = Make();
    hid.duringListing = [&] { Broadcast(*controller); };
    controller->SetOnDeviceChange(
        [&] {
            events.push_back("change");
            Broadcast(*controller);
        },
        /*whileBuilding=*/true);
    PumpMessages();
    EXPECT_EQ(hid.listings, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"arrived 1", "change"}));
    // The guard is down again once the pass is over.
    hid.duringListing = nullptr;
    Broadcast(*controller);
    EXPECT_EQ(hid.listings, 2);
}

TEST_F(HidController, AssigningTheChangeHandlerOutsideBuildingRunsAPass) {
    hid.devices = {Device(1, 1)};
    THidDeviceController controller(hid.Api());
    int changes = 0;
    controller.SetOnDeviceChange([&] { ++changes; });
    EXPECT_EQ(hid.listings, 1);
    EXPECT_EQ(changes, 1);  // the device arrived
    PumpMessages();         // the start-up message still comes
    EXPECT_EQ(changes, 2);
}

TEST_F(HidController, EnumerateStopsAtFalseAndPassesListPositions) {
    hid.devices = {Device(1, 1), Device(2, 2), Device(3, 3), Device(4, 4)};
    const auto controller = Make();
    PumpMessages();
    // A reserved device that leaves stays listed, unplugged, and is not visited.
    THidDevice& reserved = *controller->Devices()[1];
    ASSERT_TRUE(controller->CheckOut(reserved));
    EXPECT_FALSE(controller->CheckOut(reserved));
    hid.devices = {Device(1, 1), Device(3, 3), Device(4, 4)};
    Broadcast(*controller);
    ASSERT_EQ(Listed(*controller), (std::vector<DWORD>{1, 2, 3, 4}));
    EXPECT_FALSE(reserved.Plugged());
    EXPECT_EQ(controller->NumUnpluggedDevices(), 1);
    EXPECT_EQ(controller->NumCheckedOutDevices(), 0);
    EXPECT_EQ(controller->NumCheckedInDevices(), 3);

    std::vector<int> indices;
    controller->OnEnumerate = [&](THidDevice& d, int index) {
        indices.push_back(index);
        EXPECT_TRUE(d.Enumerating());
        EXPECT_FALSE(d.ProductString().size());  // queries work; this device has no product string
        return d.InstanceHandle() != 3;
    };
    EXPECT_EQ(controller->EnumerateDevices(), 2);
    EXPECT_EQ(indices, (std::vector<int>{0, 2}));
    EXPECT_TRUE(hid.openHandles.empty());

    controller->OnEnumerate = nullptr;
    EXPECT_EQ(controller->EnumerateDevices(), 1);

    // Given back, it goes at the next pass.
    controller->CheckIn(reserved);
    Broadcast(*controller);
    EXPECT_EQ(Listed(*controller), (std::vector<DWORD>{1, 3, 4}));
    hid.devices.clear();
    Broadcast(*controller);
    EXPECT_EQ(controller->EnumerateDevices(), 0);
}

TEST_F(HidController, QueriesNeedAnAccessibleDeviceAndSaneNodeIndices) {
    ScriptedHidDevice mouse = Device(1, 1);
    mouse.product = L"Scripted mouse";
    mouse.nodes = {testing::Node(0x01, 0x02, 1, 0, 1, 0, 1), testing::Node(0x01, 0x01, 0, 0, 0, 0, 0)};
    mouse.buttons[0] = {testing::RangeCaps<hid::HIDP_BUTTON_CAPS>(0x09, 1, 1, 3)};
    ScriptedHidDevice bare = Device(2, 2);
    bare.hasPreparsedData = false;
    hid.devices = {mouse, bare};
    const auto controller = Make();
    PumpMessages();
    THidDevice& device = *controller->Devices()[0];

    // Outside an enumeration nothing is asked of HID.dll.
    hid::HIDP_BUTTON_CAPS caps[4]{};
    USHORT count = 4;
    EXPECT_EQ(device.ButtonCapsQuery(caps, count), hid::HIDP_STATUS_NULL);
    EXPECT_EQ(hid.capsQueries, 0);
    EXPECT_TRUE(device.ProductString().empty());

    controller->OnEnumerate = [&](THidDevice& d, int) {
        if (d.InstanceHandle() == 1) {
            EXPECT_EQ(d.ProductString(), L"Scripted mouse");
            EXPECT_EQ(d.Caps().NumberLinkCollectionNodes, 2);
            EXPECT_EQ(d.CollectionNode(1).LinkUsage, 0x01);
            for (const std::uint16_t beyond : {std::uint16_t{2}, std::uint16_t{0xFFFF}}) {
                const auto node = d.CollectionNode(beyond);
                EXPECT_EQ(node.NextSibling, 0);
                EXPECT_EQ(node.FirstChild, 0);
                EXPECT_EQ(node.LinkUsagePage, 0);
            }
            d.SetReportTypeFilter(hid::HidP_Input);
            USHORT room = 4;
            EXPECT_EQ(d.ButtonCapsQuery(caps, room), hid::HIDP_STATUS_SUCCESS);
            EXPECT_EQ(room, 1);
            EXPECT_EQ(caps[0].Range.UsageMax, 3);
        } else {
            // No preparsed data: zero caps, no nodes, and no query that could succeed.
            EXPECT_EQ(d.Caps().NumberLinkCollectionNodes, 0);
            EXPECT_EQ(d.CollectionNode(0).FirstChild, 0);
            USHORT room = 4;
            EXPECT_NE(d.ButtonCapsQuery(caps, room), hid::HIDP_STATUS_SUCCESS);
            EXPECT_EQ(room, 0);
        }
        return true;
    };
    EXPECT_EQ(controller->EnumerateDevices(), 2);
    EXPECT_TRUE(hid.openHandles.empty());
    EXPECT_EQ(hid.preparsedHeld, 1);
    controller->Devices();
    hid.devices.clear();
    Broadcast(*controller);
    EXPECT_EQ(hid.preparsedHeld, 0) << "a device that goes frees its preparsed data";
}

TEST_F(HidController, PnPPropertiesAreReadAsTextListsAndNumbers) {
    ScriptedHidDevice d = Device(1, 1);
    d.properties[SPDRP_DEVICEDESC] = std::string("Scripted HID device\0junk", 24);
    d.properties[SPDRP_HARDWAREID] = std::string("HID\\VID_1234&PID_0001\0HID_DEVICE\0\0", 34);
    d.properties[SPDRP_UI_NUMBER] = std::string("\x07\x00\x00\x00", 4);
    hid.devices = {d};
    const auto controller = Make();
    PumpMessages();
    const THidPnPInfo& pnp = controller->Devices().at(0)->PnPInfo();
    EXPECT_EQ(pnp.DeviceDescr, "Scripted HID device");
    EXPECT_EQ(pnp.HardwareID, (std::vector<std::string>{"HID\\VID_1234&PID_0001", "HID_DEVICE"}));
    EXPECT_EQ(pnp.UINumber, 7u);
    EXPECT_TRUE(pnp.FriendlyName.empty());
    EXPECT_TRUE(pnp.CompatibleIDs.empty());
    EXPECT_EQ(pnp.ConfigFlags, 0u);
}

TEST_F(HidController, WithoutHidNothingIsEverListed) {
    hid.devices = {Device(1, 1)};
    hid::HidApi noHid = hid.Api();
    noHid.hid = nullptr;
    hid::HidApi noSetupApi = hid.Api();
    noSetupApi.setupApi = nullptr;
    for (const hid::HidApi& api : {noHid, noSetupApi}) {
        THidDeviceController controller(api);
        int changes = 0;
        controller.SetOnDeviceChange([&] { ++changes; }, true);
        PumpMessages();
        EXPECT_EQ(controller.WindowHandle(), nullptr);
        EXPECT_EQ(changes, 0);
        EXPECT_TRUE(controller.Devices().empty());
        EXPECT_EQ(controller.HidGuid().Data1, 0x4D1E55B2u);
    }
    EXPECT_EQ(hid.listings, 0);
}

TEST_F(HidController, SleepTimesKeepToTheirRange) {
    hid.devices = {Device(1, 1), Device(2, 2)};
    const auto controller = Make();
    PumpMessages();
    THidDevice& first = *controller->Devices()[0];
    THidDevice& second = *controller->Devices()[1];
    for (const int ignored : {9, 10001, -1, 0}) {
        first.SetThreadSleepTime(ignored);
        EXPECT_EQ(first.ThreadSleepTime(), 100) << ignored;
    }
    second.SetThreadSleepTime(10);
    // The controller's new time reaches the devices that still had its old one.
    controller->SetDevThreadSleepTime(250);
    EXPECT_EQ(first.ThreadSleepTime(), 250);
    EXPECT_EQ(second.ThreadSleepTime(), 10);
    EXPECT_EQ(controller->DevThreadSleepTime(), 250);
    EXPECT_EQ(THidDeviceController::Version(), "1.0.34");
}

TEST(HidBinding, WinesLibrariesBindWholeOrNotAtAll) {
    const hid::HidApi api = hid::SystemHidApi();
    ASSERT_NE(api.setupApi, nullptr);
    ASSERT_NE(api.hid, nullptr);
    GUID guid{};
    api.hid->HidD_GetHidGuid(&guid);
    EXPECT_EQ(guid.Data1, 0x4D1E55B2u);
    // Bindings are shared while they are held.
    EXPECT_EQ(hid::SystemHidApi().hid, api.hid);

    const VersionRecord win7{6, 1, 7601, 2};
    std::vector<const char*> names(hid::HidPublishedNames(win7).begin(), hid::HidPublishedNames(win7).end());
    EXPECT_NE(hid::BindHidLibrary("HID.dll", names), nullptr);
    names.push_back("HidD_NoSuchEntryPoint");
    EXPECT_EQ(hid::BindHidLibrary("HID.dll", names), nullptr);
    EXPECT_EQ(hid::BindHidLibrary("no-such-library.dll", {}), nullptr);
}

TEST(HidBinding, TheLaterReportCallsAreLookedUpOnlyWhereTheyExist) {
    const struct {
        const char* system;
        VersionRecord version;
        bool extended, reports;
    } cases[] = {
        {"Windows 98", {4, 10, 2222, 1}, false, false}, {"NT 4.0", {4, 0, 1381, 2}, false, false},
        {"Windows 2000", {5, 0, 2195, 2}, true, false}, {"Windows XP", {5, 1, 2600, 2}, true, true},
        {"Vista", {6, 0, 6002, 2}, true, false},        {"Windows 7", {6, 1, 7601, 2}, true, true},
    };
    const auto has = [](std::span<const char* const> names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.system);
        const auto names = hid::HidPublishedNames(c.version);
        EXPECT_TRUE(has(names, "HidD_GetFeature"));
        EXPECT_EQ(has(names, "HidP_GetExtendedAttributes"), c.extended);
        EXPECT_EQ(has(names, "HidP_InitializeReportForID"), c.extended);
        EXPECT_EQ(has(names, "HidD_GetInputReport"), c.reports);
        EXPECT_EQ(has(names, "HidD_SetOutputReport"), c.reports);
    }
}

}  // namespace
}  // namespace brimlow
