#include "devices/Hid.h"

#include "platform/win_binding.h"
#include "platform/windows_version_win.h"

#include <mutex>
#include <vector>

namespace brimlow::hid {
namespace {

// Published by every SetupApi.dll the program supports; looked up so that a partial library
// counts as none.
constexpr const char* kSetupApiPublished[] = {
    "SetupDiEnumDeviceInfo",         "SetupDiCreateDeviceInfoList",   "SetupDiGetClassDevsExA",
    "SetupDiGetDeviceInstanceIdA",   "SetupDiOpenDevRegKey",          "SetupDiClassNameFromGuidA",
    "SetupDiClassGuidsFromNameA",    "SetupDiGetClassDescriptionA",   "SetupDiGetDeviceInterfaceDetailW",
    "SetupDiGetDeviceRegistryPropertyW",
};

constexpr const char* kHidPublished[] = {
    "HidD_GetManufacturerString", "HidD_GetSerialNumberString", "HidD_GetIndexedString",
    "HidD_GetPhysicalDescriptor", "HidD_GetFeature",            "HidD_SetFeature",
    "HidD_FlushQueue",            "HidD_GetConfiguration",      "HidD_SetConfiguration",
    "HidD_Hello",                 "HidP_GetButtonCaps",         "HidP_GetValueCaps",
    "HidP_GetUsages",             "HidP_GetUsagesEx",           "HidP_GetUsageValue",
    "HidP_GetScaledUsageValue",   "HidP_GetUsageValueArray",    "HidP_SetUsages",
    "HidP_UnsetUsages",           "HidP_SetUsageValue",         "HidP_SetScaledUsageValue",
    "HidP_GetData",               "HidP_SetData",               "HidP_TranslateUsagesToI8042ScanCodes",
    "HidP_UsageListDifference",
};
// Windows 2000 and later.
constexpr const char* kHidNt5[] = {"HidP_GetExtendedAttributes", "HidP_InitializeReportForID"};
// Only from the first NT release with a minor version above 0.
constexpr const char* kHidNtMinor[] = {"HidD_GetInputReport", "HidD_SetOutputReport"};

constexpr std::uint32_t kPlatformNt = 2;  // VER_PLATFORM_WIN32_NT

template <typename Functions>
struct Bound {
    win::RuntimeLibrary library;
    Functions functions;
};

bool ExportsAll(const win::RuntimeLibrary& library, std::span<const char* const> names) {
    for (const char* name : names)
        if (!::GetProcAddress(library.module(), name)) return false;
    return true;
}

std::shared_ptr<const SetupApiFunctions> BindSetupApi() {
    auto bound = std::make_shared<Bound<SetupApiFunctions>>();
    bound->library = win::RuntimeLibrary("SetupApi.dll", win::RuntimeLibrary::Source::LoadNow);
    SetupApiFunctions& f = bound->functions;
    const bool complete = bound->library.Bind(
        win::EntryPoint{"SetupDiGetClassDevsA", &f.SetupDiGetClassDevsA},
        win::EntryPoint{"SetupDiEnumDeviceInterfaces", &f.SetupDiEnumDeviceInterfaces},
        win::EntryPoint{"SetupDiGetDeviceInterfaceDetailA", &f.SetupDiGetDeviceInterfaceDetailA},
        win::EntryPoint{"SetupDiGetDeviceRegistryPropertyA", &f.SetupDiGetDeviceRegistryPropertyA},
        win::EntryPoint{"SetupDiDestroyDeviceInfoList", &f.SetupDiDestroyDeviceInfoList});
    if (!complete || !ExportsAll(bound->library, kSetupApiPublished)) return nullptr;  // frees the library
    return std::shared_ptr<const SetupApiFunctions>(bound, &bound->functions);
}

// One binding per library for the whole process, alive while any controller holds it.
template <typename Functions, typename Binder>
std::shared_ptr<const Functions> Shared(std::weak_ptr<const Functions>& cache, Binder bind) {
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    if (auto held = cache.lock()) return held;
    auto bound = bind();
    cache = bound;
    return bound;
}

}  // namespace

std::span<const char* const> HidPublishedNames(const VersionRecord& version) {
    static const auto names = [](bool nt5, bool ntMinor) {
        std::vector<const char*> all(std::begin(kHidPublished), std::end(kHidPublished));
        if (nt5) all.insert(all.end(), std::begin(kHidNt5), std::end(kHidNt5));
        if (ntMinor) all.insert(all.end(), std::begin(kHidNtMinor), std::end(kHidNtMinor));
        return all;
    };
    static const std::vector<const char*> base = names(false, false);
    static const std::vector<const char*> nt5 = names(true, false);
    static const std::vector<const char*> ntMinor = names(true, true);
    const bool nt = version.platformId == kPlatformNt;
    if (nt && version.major > 4 && version.minor > 0) return ntMinor;
    if (nt && version.major > 4) return nt5;
    return base;
}

std::shared_ptr<const HidFunctions> BindHidLibrary(const char* dll, std::span<const char* const> published) {
    auto bound = std::make_shared<Bound<HidFunctions>>();
    bound->library = win::RuntimeLibrary(dll, win::RuntimeLibrary::Source::LoadNow);
    HidFunctions& f = bound->functions;
    const bool complete = bound->library.Bind(
        win::EntryPoint{"HidD_GetHidGuid", &f.HidD_GetHidGuid}, win::EntryPoint{"HidD_GetAttributes", &f.HidD_GetAttributes},
        win::EntryPoint{"HidD_GetProductString", &f.HidD_GetProductString},
        win::EntryPoint{"HidD_GetPreparsedData", &f.HidD_GetPreparsedData},
        win::EntryPoint{"HidD_FreePreparsedData", &f.HidD_FreePreparsedData},
        win::EntryPoint{"HidD_GetNumInputBuffers", &f.HidD_GetNumInputBuffers},
        win::EntryPoint{"HidD_SetNumInputBuffers", &f.HidD_SetNumInputBuffers},
        win::EntryPoint{"HidP_GetCaps", &f.HidP_GetCaps},
        win::EntryPoint{"HidP_GetLinkCollectionNodes", &f.HidP_GetLinkCollectionNodes},
        win::EntryPoint{"HidP_GetSpecificButtonCaps", &f.HidP_GetSpecificButtonCaps},
        win::EntryPoint{"HidP_GetSpecificValueCaps", &f.HidP_GetSpecificValueCaps},
        win::EntryPoint{"HidP_MaxDataListLength", &f.HidP_MaxDataListLength},
        win::EntryPoint{"HidP_MaxUsageListLength", &f.HidP_MaxUsageListLength});
    if (!complete || !ExportsAll(bound->library, published)) return nullptr;  // frees the library
    return std::shared_ptr<const HidFunctions>(bound, &bound->functions);
}

HidApi SystemHidApi() {
    static std::weak_ptr<const SetupApiFunctions> setupApiCache;
    static std::weak_ptr<const HidFunctions> hidCache;
    HidApi api;
    auto setupApi = Shared(setupApiCache, BindSetupApi);
    std::shared_ptr<const HidFunctions> hid;
    if (setupApi) {
        hid = Shared(hidCache, [] {
            const VersionRecord version = ReadVersionRecord().value_or(VersionRecord{});
            return BindHidLibrary("HID.dll", HidPublishedNames(version));
        });
    }
    api.setupApi = setupApi.get();
    api.hid = hid.get();
    struct Held {
        std::shared_ptr<const SetupApiFunctions> setupApi;
        std::shared_ptr<const HidFunctions> hid;
    };
    api.keepAlive = std::make_shared<Held>(Held{std::move(setupApi), std::move(hid)});
    return api;
}

}  // namespace brimlow::hid
