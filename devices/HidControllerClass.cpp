#include "devices/HidControllerClass.h"

#include <dbt.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace brimlow {
namespace {

constexpr const char* kWindowClass = "THidDeviceControllerWindow";
// The HID interface class as every HID.dll reports it; used when there is none to ask.
constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr LPARAM kStartUpPass = -1;
constexpr std::size_t kTextProperty = 1024;
constexpr std::size_t kListProperty = 16384;
constexpr DWORD kProductStringChars = 254;

// Sets a flag for as long as it lives, whatever way the scope is left.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

std::string TextUpToNul(const std::uint8_t* bytes, std::size_t size) {
    const auto* text = reinterpret_cast<const char*>(bytes);
    return std::string(text, strnlen(text, size));
}

}  // namespace

// --- THidDevice ---------------------------------------------------------------------------

THidDevice::THidDevice(THidDeviceController& controller, const hid::HidApi& api, THidPnPInfo pnp)
    : controller_(&controller), api_(api), pnp_(std::move(pnp)), onUnplug_(controller.onDeviceUnplug_) {
    queryHandle_ = OpenPath(GENERIC_READ | GENERIC_WRITE);
    readWriteAccess_ = queryHandle_ != INVALID_HANDLE_VALUE;
    // The system holds keyboards and mice exclusively; they still open for queries.
    if (!readWriteAccess_) queryHandle_ = OpenPath(0);
    if (queryHandle_ == INVALID_HANDLE_VALUE) throw EHidControllerError("device cannot be opened");
    attributes_.Size = sizeof attributes_;
    if (!api_.hid->HidD_GetAttributes(queryHandle_, &attributes_)) {
        CloseQueryHandle();
        throw EHidControllerError("device cannot be identified");
    }
    CloseQueryHandle();
}

THidDevice::~THidDevice() {
    CloseHandles();
    if (preparsed_) api_.hid->HidD_FreePreparsedData(preparsed_);
}

HANDLE THidDevice::OpenPath(DWORD access) const {
    return api_.kernel.CreateFileA(pnp_.DevicePath.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
}

bool THidDevice::OpenQueryHandle() {
    if (!Accessible()) return false;
    if (queryHandle_ != INVALID_HANDLE_VALUE) return true;
    queryHandle_ = OpenPath(GENERIC_READ | GENERIC_WRITE);
    if (queryHandle_ == INVALID_HANDLE_VALUE) queryHandle_ = OpenPath(0);
    if (queryHandle_ == INVALID_HANDLE_VALUE) return false;
    if (numInputBuffers_ != 0) {
        api_.hid->HidD_SetNumInputBuffers(queryHandle_, numInputBuffers_);
        ULONG current = 0;
        if (api_.hid->HidD_GetNumInputBuffers(queryHandle_, &current)) numInputBuffers_ = current;
    }
    return true;
}

void THidDevice::CloseQueryHandle() {
    if (queryHandle_ != INVALID_HANDLE_VALUE) api_.kernel.CloseHandle(queryHandle_);
    queryHandle_ = INVALID_HANDLE_VALUE;
    numInputBuffers_ = 0;
}

void THidDevice::CloseHandles() {
    CloseQueryHandle();
    for (HANDLE* handle : {&readHandle_, &writeHandle_}) {
        if (*handle != INVALID_HANDLE_VALUE) api_.kernel.CloseHandle(*handle);
        *handle = INVALID_HANDLE_VALUE;
    }
}

void THidDevice::Unplug() {
    CloseHandles();
    plugged_ = false;
    if (THidPlugEvent handler = std::move(onUnplug_)) {
        onUnplug_ = nullptr;
        handler(*this);
    }
}

std::wstring THidDevice::ProductString() {
    if (productString_.empty() && OpenQueryHandle()) {
        wchar_t text[kProductStringChars] = {};
        if (api_.hid->HidD_GetProductString(queryHandle_, text, sizeof text))
            productString_.assign(text, wcsnlen(text, kProductStringChars));
        CloseQueryHandle();
    }
    return productString_;
}

hid::PHIDP_PREPARSED_DATA THidDevice::PreparsedData() {
    if (!preparsed_ && OpenQueryHandle()) {
        if (!api_.hid->HidD_GetPreparsedData(queryHandle_, &preparsed_)) preparsed_ = nullptr;
        CloseQueryHandle();
    }
    return preparsed_;
}

hid::HIDP_CAPS THidDevice::Caps() {
    hid::HIDP_CAPS caps{};
    if (const auto data = PreparsedData(); data && api_.hid->HidP_GetCaps(data, &caps) != hid::HIDP_STATUS_SUCCESS)
        caps = {};
    return caps;
}

hid::HIDP_LINK_COLLECTION_NODE THidDevice::CollectionNode(std::uint16_t index) {
    if (!nodesRead_) {
        const hid::HIDP_CAPS caps = Caps();
        if (const auto data = preparsed_) {
            nodesRead_ = true;
            nodes_.resize(caps.NumberLinkCollectionNodes);
            ULONG count = caps.NumberLinkCollectionNodes;
            if (count == 0 || api_.hid->HidP_GetLinkCollectionNodes(nodes_.data(), &count, data) != hid::HIDP_STATUS_SUCCESS)
                nodes_.clear();
            else
                nodes_.resize(std::min<std::size_t>(count, nodes_.size()));
        }
    }
    if (index < nodes_.size()) return nodes_[index];
    return hid::HIDP_LINK_COLLECTION_NODE{};
}

void THidDevice::SetReportTypeFilter(hid::HIDP_REPORT_TYPE type) {
    reportTypeFilter_ = type;
    if (preparsed_) {
        maxDataListLength_ = api_.hid->HidP_MaxDataListLength(type, preparsed_);
        maxUsageListLength_ = api_.hid->HidP_MaxUsageListLength(type, usagePageFilter_, preparsed_);
        maxPageUsageListLength_ = api_.hid->HidP_MaxUsageListLength(type, 0, preparsed_);
    }
}

void THidDevice::SetUsagePageFilter(hid::USAGE page) {
    usagePageFilter_ = page;
    SetReportTypeFilter(reportTypeFilter_);
}

namespace {
// Without preparsed data there is nothing HID.dll could describe; it is not asked with a null one.
constexpr hid::HIDP_STATUS kInvalidPreparsedData = static_cast<hid::HIDP_STATUS>(0xC0110001u);
}  // namespace

hid::HIDP_STATUS THidDevice::ButtonCapsQuery(hid::HIDP_BUTTON_CAPS* caps, USHORT& count) {
    if (!Accessible()) return hid::HIDP_STATUS_NULL;
    const auto data = PreparsedData();
    if (!data) {
        count = 0;
        return kInvalidPreparsedData;
    }
    return api_.hid->HidP_GetSpecificButtonCaps(reportTypeFilter_, usagePageFilter_, linkCollectionFilter_, usageFilter_,
                                                caps, &count, data);
}

hid::HIDP_STATUS THidDevice::ValueCapsQuery(hid::HIDP_VALUE_CAPS* caps, USHORT& count) {
    if (!Accessible()) return hid::HIDP_STATUS_NULL;
    const auto data = PreparsedData();
    if (!data) {
        count = 0;
        return kInvalidPreparsedData;
    }
    return api_.hid->HidP_GetSpecificValueCaps(reportTypeFilter_, usagePageFilter_, linkCollectionFilter_, usageFilter_,
                                               caps, &count, data);
}

void THidDevice::SetThreadSleepTime(int milliseconds) {
    if (milliseconds >= 10 && milliseconds <= 10000) threadSleepTime_ = milliseconds;
}

// --- THidDeviceController -----------------------------------------------------------------

THidDeviceController::THidDeviceController() : THidDeviceController(hid::SystemHidApi()) {}

THidDeviceController::THidDeviceController(hid::HidApi api) : api_(std::move(api)) {
    // HID.dll is bound only when SetupApi.dll was; a table given without it counts as absent too.
    if (!api_.setupApi) api_.hid = nullptr;
    if (!api_.hid) {
        hidGuid_ = kHidInterfaceClass;
        return;
    }
    api_.hid->HidD_GetHidGuid(&hidGuid_);
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA cls{};
    if (!::GetClassInfoA(instance, kWindowClass, &cls)) {
        cls.lpfnWndProc = WindowProc;
        cls.hInstance = instance;
        cls.lpszClassName = kWindowClass;
        ::RegisterClassA(&cls);
    }
    // Top-level, so that it receives the system's device-change broadcasts; never shown.
    window_ = ::CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window_) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // The first listing runs from the message loop, once the owner has wired its handlers.
        ::PostMessageA(window_, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, kStartUpPass);
    }
}

THidDeviceController::~THidDeviceController() {
    OnArrival = nullptr;
    OnRemoval = nullptr;
    OnEnumerate = nullptr;
    onDeviceUnplug_ = nullptr;
    onDeviceChange_ = nullptr;
    if (window_) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
    for (auto& device : devices_) device->controller_ = nullptr;
    devices_.clear();
}

LRESULT CALLBACK THidDeviceController::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* controller = reinterpret_cast<THidDeviceController*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_DEVICECHANGE && wParam == DBT_DEVNODES_CHANGED && controller && !controller->inChange_) {
        controller->changeParam_ = lParam;
        const FlagScope inChange(controller->inChange_);
        // An error escaping here would cross the system's window procedure; the owner's handlers
        // report their own errors.
        try {
            controller->DeviceChange();
        } catch (...) {
        }
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void THidDeviceController::SetDevThreadSleepTime(int milliseconds) {
    for (auto& device : devices_)
        if (device->threadSleepTime_ == devThreadSleepTime_) device->SetThreadSleepTime(milliseconds);
    devThreadSleepTime_ = milliseconds;
}

void THidDeviceController::SetOnDeviceUnplug(THidPlugEvent handler) {
    onDeviceUnplug_ = std::move(handler);
    for (auto& device : devices_)
        if (!device->ownUnplug_ && device->plugged_) device->onUnplug_ = onDeviceUnplug_;
}

void THidDeviceController::SetOnDeviceChange(std::function<void()> handler, bool whileBuilding) {
    onDeviceChange_ = std::move(handler);
    if (!whileBuilding) DeviceChange();
}

int THidDeviceController::EnumerateDevices() {
    int calls = 0;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        THidDevice& device = *devices_[i];
        if (!device.plugged_) continue;
        ++calls;
        bool goOn = false;
        {
            const FlagScope enumerating(device.enumerating_);
            struct CloseAfter {
                THidDevice& device;
                ~CloseAfter() {
                    if (!device.checkedOut_) device.CloseHandles();
                }
            } closeAfter{device};
            goOn = OnEnumerate && OnEnumerate(device, static_cast<int>(i));
        }
        if (!goOn) break;
    }
    return calls;
}

bool THidDeviceController::CheckOut(THidDevice& device) {
    if (!device.plugged_ || device.checkedOut_) return false;
    device.checkedOut_ = true;
    Recount();
    return true;
}

void THidDeviceController::CheckIn(THidDevice& device) {
    if (!device.checkedOut_) return;
    device.checkedOut_ = false;
    device.CloseHandles();
    Recount();
}

void THidDeviceController::DeviceChange() {
    bool changed = changeParam_ == kStartUpPass;
    auto fresh = ListPresentInterfaces();
    changed |= UpdateHidList(
        devices_, std::move(fresh),
        [this](THidDevice& device) {
            device.Unplug();
            const FlagScope enumerating(device.enumerating_);
            if (OnRemoval) OnRemoval(device);
        },
        [](THidDevice& duplicate) { duplicate.controller_ = nullptr; },
        [this](THidDevice& device) {
            const FlagScope enumerating(device.enumerating_);
            if (OnArrival) OnArrival(device);
        });
    Recount();
    if (changed && onDeviceChange_) onDeviceChange_();
}

std::vector<std::unique_ptr<THidDevice>> THidDeviceController::ListPresentInterfaces() {
    std::vector<std::unique_ptr<THidDevice>> fresh;
    if (!api_.hid) return fresh;
    const hid::SetupApiFunctions& setup = *api_.setupApi;
    const HDEVINFO set = setup.SetupDiGetClassDevsA(&hidGuid_, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return fresh;
    struct DestroyList {
        const hid::SetupApiFunctions& setup;
        HDEVINFO set;
        ~DestroyList() { setup.SetupDiDestroyDeviceInfoList(set); }
    } destroy{setup, set};

    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        if (!setup.SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid_, index, &interfaceData)) break;
        SP_DEVINFO_DATA deviceData{};
        deviceData.cbSize = sizeof deviceData;
        DWORD required = 0;
        setup.SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, nullptr, 0, &required, &deviceData);
        if (required == 0 || api_.kernel.GetLastError() != ERROR_INSUFFICIENT_BUFFER) continue;
        // Never smaller than the record itself, and one zero more than asked for, so the path ends
        // in a NUL whatever the call wrote.
        std::vector<std::uint8_t> buffer(std::max<std::size_t>(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) + 1);
        auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!setup.SetupDiGetDeviceInterfaceDetailA(set, &interfaceData, detail, required, nullptr, &deviceData)) continue;
        const std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
        const std::string path = TextUpToNul(buffer.data() + pathOffset, buffer.size() - pathOffset);
        try {
            fresh.push_back(std::make_unique<THidDevice>(*this, api_, ReadPnPInfo(set, deviceData, path.c_str())));
        } catch (const EHidControllerError&) {
            // An interface that cannot be opened or identified is simply not listed.
        }
    }
    return fresh;
}

THidPnPInfo THidDeviceController::ReadPnPInfo(HDEVINFO set, SP_DEVINFO_DATA& info, const char* path) const {
    const hid::SetupApiFunctions& setup = *api_.setupApi;
    std::vector<std::uint8_t> buffer(kListProperty);
    const auto read = [&](DWORD property, std::size_t size) -> std::size_t {
        std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
        DWORD type = 0, needed = 0;
        if (!setup.SetupDiGetDeviceRegistryPropertyA(set, &info, property, &type, buffer.data(), static_cast<DWORD>(size),
                                                     &needed))
            return 0;
        return size;
    };
    const auto text = [&](DWORD property) {
        const std::size_t size = read(property, kTextProperty);
        return size ? TextUpToNul(buffer.data(), size) : std::string();
    };
    const auto list = [&](DWORD property) {
        std::vector<std::string> entries;
        const std::size_t size = read(property, kListProperty);
        for (std::size_t at = 0; at < size;) {
            std::string entry = TextUpToNul(buffer.data() + at, size - at);
            if (entry.empty()) break;
            at += entry.size() + 1;
            entries.push_back(std::move(entry));
        }
        return entries;
    };
    const auto number = [&](DWORD property) {
        DWORD value = 0;
        if (read(property, sizeof value)) std::memcpy(&value, buffer.data(), sizeof value);
        return value;
    };

    THidPnPInfo pnp;
    pnp.DevInst = info.DevInst;
    pnp.DevicePath = path;
    pnp.Capabilities = number(SPDRP_CAPABILITIES);
    pnp.ClassName = text(SPDRP_CLASS);
    pnp.ClassGUID = text(SPDRP_CLASSGUID);
    pnp.CompatibleIDs = list(SPDRP_COMPATIBLEIDS);
    pnp.ConfigFlags = number(SPDRP_CONFIGFLAGS);
    pnp.DeviceDescr = text(SPDRP_DEVICEDESC);
    pnp.Driver = text(SPDRP_DRIVER);
    pnp.FriendlyName = text(SPDRP_FRIENDLYNAME);
    pnp.HardwareID = list(SPDRP_HARDWAREID);
    pnp.LowerFilters = list(SPDRP_LOWERFILTERS);
    pnp.Mfg = text(SPDRP_MFG);
    pnp.UpperFilters = list(SPDRP_UPPERFILTERS);
    pnp.Service = text(SPDRP_SERVICE);
    // Numbers in the registry, read as text all the same: whatever the bytes give up to a NUL.
    pnp.Address = text(SPDRP_ADDRESS);
    pnp.BusNumber = number(SPDRP_BUSNUMBER);
    pnp.BusTypeGUID = text(SPDRP_BUSTYPEGUID);
    pnp.Characteristics = text(SPDRP_CHARACTERISTICS);
    pnp.DevType = number(SPDRP_DEVTYPE);
    pnp.EnumeratorName = text(SPDRP_ENUMERATOR_NAME);
    pnp.Exclusive = number(SPDRP_EXCLUSIVE);
    pnp.LegacyBusType = number(SPDRP_LEGACYBUSTYPE);
    pnp.LocationInfo = text(SPDRP_LOCATION_INFORMATION);
    pnp.PhysDevObjName = text(SPDRP_PHYSICAL_DEVICE_OBJECT_NAME);
    pnp.Security = text(SPDRP_SECURITY_SDS);
    pnp.UINumber = number(SPDRP_UI_NUMBER);
    pnp.UINumberFormat = text(SPDRP_UI_NUMBER_DESC_FORMAT);
    return pnp;
}

}  // namespace brimlow
