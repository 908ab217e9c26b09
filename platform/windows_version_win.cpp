#include "platform/windows_version_win.h"

#include "platform/abi.h"
#include "platform/win_handles.h"
#include "platform/win_registry.h"
#include "platform/win_text.h"

#include <windows.h>

#include <cstring>

BRIMLOW_PIN_SIZE(OSVERSIONINFOEXA, 156, 156);
BRIMLOW_PIN_SIZE(OSVERSIONINFOA, 148, 148);

namespace brimlow {
namespace {

// GetVersionExA is deprecated in newer SDK headers but it is exactly what the naming is based on.
BOOL CallGetVersionEx(OSVERSIONINFOEXA& info) {
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
}

VersionRecord ToRecord(const OSVERSIONINFOEXA& info, bool extended) {
    VersionRecord r;
    r.major = info.dwMajorVersion;
    r.minor = info.dwMinorVersion;
    r.build = info.dwBuildNumber;
    r.platformId = info.dwPlatformId;
    std::memcpy(r.csdVersion.data(), info.szCSDVersion, r.csdVersion.size());
    r.extended = extended;
    if (extended) {
        r.suiteMask = info.wSuiteMask;
        r.productType = info.wProductType;
    }
    return r;
}

}  // namespace

std::optional<std::string> ReadNtProductType() {
    const win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions");
    if (!key) return std::nullopt;
    return win::ReadStringValue(key.get(), "ProductType");
}

std::optional<VersionRecord> ReadVersionRecord() {
    // Zeroed first: some systems write only the service-pack string and its terminator into
    // szCSDVersion, and the 9x release letter is read from index 1 of it.
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (CallGetVersionEx(info)) return ToRecord(info, true);
    // Windows 9x and NT 4 before SP6 know only the basic record.
    info = OSVERSIONINFOEXA{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (CallGetVersionEx(info)) return ToRecord(info, false);
    return std::nullopt;
}

bool GetWindowsVersionInfo(std::string& edition, std::string& version, std::string& servicePack) {
    const std::optional<VersionRecord> record = ReadVersionRecord();
    if (!record) return false;
    WindowsVersionNames names = NameWindowsVersion(*record, ReadNtProductType);
    edition = std::move(names.edition);
    version = std::move(names.version);
    servicePack = std::move(names.servicePack);
    return true;
}

std::string WindowsVersionText() {
    try {
        WindowsVersionNames names;
        GetWindowsVersionInfo(names.edition, names.version, names.servicePack);
        return JoinWindowsVersionText(names);
    } catch (...) {
        return {};
    }
}

bool IsWow64() {
    const win::Library kernel(::LoadLibraryA("kernel32.dll"));
    if (!kernel) win::RaiseLastError();
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process =
        reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(::GetProcAddress(kernel.get(), "IsWow64Process")));
    if (!isWow64Process) return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(::GetCurrentProcess(), &wow64)) win::RaiseLastError();
    return wow64 != FALSE;
}

bool IsWindows64Bit() {
    // A 64-bit build is never under WOW64, but it only runs on 64-bit Windows.
    if constexpr (sizeof(void*) == 8) return true;
    return IsWow64();
}

std::string ShortWindowsName() {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    CallGetVersionEx(info);
    return ShortWindowsNameFor(ToRecord(info, false));
}

}  // namespace brimlow
