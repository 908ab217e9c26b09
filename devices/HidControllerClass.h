// THidDeviceController keeps a list of the HID device interfaces present on the machine, one
// THidDevice per interface, and tells its owner when the set changes. It reaches SetupAPI and HID
// only through a HidApi table, so a system without those libraries simply never reports a device.
#pragma once

#include "devices/Hid.h"
#include "devices/hid_device_list.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace brimlow {

class THidDeviceController;

class EHidControllerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The facts SetupAPI gives about one interface, read once when its device object is made.
struct THidPnPInfo {
    DWORD DevInst = 0;
    std::string DevicePath;
    DWORD Capabilities = 0;
    std::string ClassName;
    std::string ClassGUID;
    std::vector<std::string> CompatibleIDs;
    DWORD ConfigFlags = 0;
    std::string DeviceDescr;
    std::string Driver;
    std::string FriendlyName;
    std::vector<std::string> HardwareID;
    std::vector<std::string> LowerFilters;
    std::string Mfg;
    std::vector<std::string> UpperFilters;
    std::string Service;
    std::string Address;
    DWORD BusNumber = 0;
    std::string BusTypeGUID;
    std::string Characteristics;
    DWORD DevType = 0;
    std::string EnumeratorName;
    DWORD Exclusive = 0;
    DWORD LegacyBusType = 0;
    std::string LocationInfo;
    std::string PhysDevObjName;
    std::string Security;
    DWORD UINumber = 0;
    std::string UINumberFormat;
};

using THidPlugEvent = std::function<void(class THidDevice&)>;

class THidDevice {
public:
    // Opens the interface to identify it and closes it again. Throws EHidControllerError when it
    // can be neither opened nor identified.
    THidDevice(THidDeviceController& controller, const hid::HidApi& api, THidPnPInfo pnp);
    ~THidDevice();
    THidDevice(const THidDevice&) = delete;
    THidDevice& operator=(const THidDevice&) = delete;

    bool Plugged() const { return plugged_; }
    bool CheckedOut() const { return checkedOut_; }
    bool Enumerating() const { return enumerating_; }
    bool ReadWriteAccess() const { return readWriteAccess_; }
    DWORD InstanceHandle() const { return pnp_.DevInst; }
    const THidPnPInfo& PnPInfo() const { return pnp_; }
    THidDeviceController* Controller() const { return controller_; }

    std::uint16_t VendorID() const { return attributes_.VendorID; }
    std::uint16_t ProductID() const { return attributes_.ProductID; }
    std::uint16_t VersionNumber() const { return attributes_.VersionNumber; }

    // The queries below are meaningful only while the device is accessible: plugged, and either
    // reserved by a client or being enumerated.
    bool Accessible() const { return plugged_ && (checkedOut_ || enumerating_); }
    std::wstring ProductString();
    hid::HIDP_CAPS Caps();
    // All zero when `index` is not below the node count.
    hid::HIDP_LINK_COLLECTION_NODE CollectionNode(std::uint16_t index);

    void SetReportTypeFilter(hid::HIDP_REPORT_TYPE type);
    void SetUsagePageFilter(hid::USAGE page);
    void SetLinkCollectionFilter(std::uint16_t collection) { linkCollectionFilter_ = collection; }
    void SetUsageFilter(hid::USAGE usage) { usageFilter_ = usage; }
    hid::HIDP_REPORT_TYPE ReportTypeFilter() const { return reportTypeFilter_; }
    // In: the room of `caps`; out: the number filled. HIDP_STATUS_NULL, with nothing called, when
    // the device is not accessible.
    hid::HIDP_STATUS ButtonCapsQuery(hid::HIDP_BUTTON_CAPS* caps, USHORT& count);
    hid::HIDP_STATUS ValueCapsQuery(hid::HIDP_VALUE_CAPS* caps, USHORT& count);

    // Applied to the query handle when it next opens; 0 leaves the driver's value alone.
    void SetNumInputBuffers(ULONG count) { numInputBuffers_ = count; }
    ULONG NumInputBuffers() const { return numInputBuffers_; }

    // Milliseconds a read of this device waits; values outside 10..10000 are ignored.
    void SetThreadSleepTime(int milliseconds);
    int ThreadSleepTime() const { return threadSleepTime_; }

    // A handler of the device's own, which the controller's later ones no longer replace.
    void SetOnUnplug(THidPlugEvent handler) {
        onUnplug_ = std::move(handler);
        ownUnplug_ = true;
    }

private:
    friend class THidDeviceController;

    bool OpenQueryHandle();
    void CloseQueryHandle();
    void CloseHandles();
    hid::PHIDP_PREPARSED_DATA PreparsedData();
    HANDLE OpenPath(DWORD access) const;
    void Unplug();

    THidDeviceController* controller_;
    const hid::HidApi& api_;
    bool plugged_ = true;
    bool checkedOut_ = false;
    bool enumerating_ = false;
    bool readWriteAccess_ = false;
    HANDLE queryHandle_ = INVALID_HANDLE_VALUE;
    HANDLE readHandle_ = INVALID_HANDLE_VALUE;
    HANDLE writeHandle_ = INVALID_HANDLE_VALUE;
    hid::HIDD_ATTRIBUTES attributes_{};
    THidPnPInfo pnp_;
    std::wstring productString_;
    hid::PHIDP_PREPARSED_DATA preparsed_ = nullptr;
    std::vector<hid::HIDP_LINK_COLLECTION_NODE> nodes_;
    bool nodesRead_ = false;
    ULONG numInputBuffers_ = 0;
    hid::HIDP_REPORT_TYPE reportTypeFilter_ = hid::HidP_Input;
    hid::USAGE usagePageFilter_ = 0;
    std::uint16_t linkCollectionFilter_ = 0;
    hid::USAGE usageFilter_ = 0;
    ULONG maxDataListLength_ = 0;
    ULONG maxUsageListLength_ = 0;
    ULONG maxPageUsageListLength_ = 0;
    int threadSleepTime_ = 100;
    THidPlugEvent onUnplug_;
    bool ownUnplug_ = false;
};

class THidDeviceController {
public:
    using EnumerateEvent = std::function<bool(THidDevice& device, int index)>;

    // Binds the system's SetupApi.dll and HID.dll unless `api` is given.
    THidDeviceController();
    explicit THidDeviceController(hid::HidApi api);
    ~THidDeviceController();
    THidDeviceController(const THidDeviceController&) = delete;
    THidDeviceController& operator=(const THidDeviceController&) = delete;

    static std::string Version() { return "1.0.34"; }
    int DevThreadSleepTime() const { return devThreadSleepTime_; }
    void SetDevThreadSleepTime(int milliseconds);

    THidPlugEvent OnArrival;
    THidPlugEvent OnRemoval;
    EnumerateEvent OnEnumerate;
    // Copied into each new device, and into every device still holding the old one.
    void SetOnDeviceUnplug(THidPlugEvent handler);
    // Runs a change pass at once, unless the owner is still wiring its handlers while it is being
    // built (`whileBuilding`): the start-up message does the first pass then.
    void SetOnDeviceChange(std::function<void()> handler, bool whileBuilding = false);

    // Calls OnEnumerate for each plugged device with its list position, until it returns false;
    // returns the number of calls.
    int EnumerateDevices();
    // Reads the present interfaces and brings the list up to date.
    void DeviceChange();

    // Reserves a plugged device for a client (false when it is not plugged or already held), so
    // that it can be queried outside an enumeration; CheckIn gives it back. A reserved device whose
    // interface leaves stays listed, unplugged, until it is given back and the next pass drops it.
    bool CheckOut(THidDevice& device);
    void CheckIn(THidDevice& device);

    // The hidden window that receives the change broadcasts; null without HID.dll.
    HWND WindowHandle() const { return window_; }
    const GUID& HidGuid() const { return hidGuid_; }
    const std::vector<std::unique_ptr<THidDevice>>& Devices() const { return devices_; }
    int NumCheckedInDevices() const { return counts_.checkedIn; }
    int NumCheckedOutDevices() const { return counts_.checkedOut; }
    int NumUnpluggedDevices() const { return counts_.unplugged; }

private:
    friend class THidDevice;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::vector<std::unique_ptr<THidDevice>> ListPresentInterfaces();
    THidPnPInfo ReadPnPInfo(HDEVINFO set, SP_DEVINFO_DATA& info, const char* path) const;
    void Recount() { counts_ = CountHidList(devices_); }

    hid::HidApi api_;
    GUID hidGuid_{};
    std::vector<std::unique_ptr<THidDevice>> devices_;
    HidListCounts counts_;
    HWND window_ = nullptr;
    LPARAM changeParam_ = 0;
    bool inChange_ = false;
    int devThreadSleepTime_ = 100;
    THidPlugEvent onDeviceUnplug_;
    std::function<void()> onDeviceChange_;
};

}  // namespace brimlow
