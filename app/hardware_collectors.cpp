#include "app/hardware_collectors.h"

#include "app/hardware_text.h"
#include "app/summary_text.h"
#include "cpu/clock_win.h"
#include "cpu/cpuid_native.h"
#include "platform/abi.h"
#include "platform/sound_system.h"
#include "platform/win_registry.h"
#include "platform/windows_version_win.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

// The records whose sizes go to the system.
BRIMLOW_PIN_SIZE(MEMORYSTATUSEX, 64, 64);
BRIMLOW_PIN_SIZE(DISPLAY_DEVICEA, 424, 424);

namespace brimlow {

namespace {

// DISPLAY_DEVICEA up to StateFlags, without DeviceID and DeviceKey: the form every Windows that
// has EnumDisplayDevicesA takes.
constexpr DWORD kShortDisplayDeviceSize = offsetof(DISPLAY_DEVICEA, DeviceID);
static_assert(kShortDisplayDeviceSize == 168);

template <typename Function>
Function SystemEntry(const char* module, const char* name) {
    const HMODULE loaded = ::GetModuleHandleA(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(loaded, name))) : nullptr;
}

std::string FieldText(const char* field, std::size_t size) { return std::string(field, strnlen(field, size)); }

bool HasDrive(DWORD mask, char letter) { return (mask >> (letter - 'A')) & 1u; }

std::string RootOf(char letter) { return std::string(1, letter) + ":\\"; }

}  // namespace

std::string MemoryText() {
    try {
        using GlobalMemoryStatusExFn = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
        const auto globalMemoryStatusEx = SystemEntry<GlobalMemoryStatusExFn>("kernel32.dll", "GlobalMemoryStatusEx");
        if (!globalMemoryStatusEx) return {};
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        if (!globalMemoryStatusEx(&status)) return {};
        return brimlow::MemoryText(status.ullTotalPhys);
    } catch (...) {
        return {};
    }
}

std::string ProcessorNameText() {
    try {
        return TrimControls(BrandString());
    } catch (...) {
        return {};
    }
}

std::string CpuIdentifierText() {
    try {
        const win::RegKey key =
            win::OpenKeyForRead(HKEY_LOCAL_MACHINE, "Hardware\\Description\\System\\CentralProcessor\\0");
        if (!key) return {};
        return win::ReadStringValue(key.get(), "Identifier").value_or(std::string());
    } catch (...) {
        return {};
    }
}

std::string CpuSpeedText(ClockPlatform& clock) {
    try {
        return ClockText(MeasureClock(clock));
    } catch (...) {
        return {};
    }
}

std::string CpuSpeedText() {
    WinClockPlatform clock;
    return CpuSpeedText(clock);
}

bool SoundDevicePresent() {
    try {
        return SystemSoundSystem().WaveOutCount() != 0;
    } catch (...) {
        return false;
    }
}

std::string SoundCardName() {
    try {
        const auto device = SystemSoundSystem().WaveOut(0);
        return device ? device->name : std::string();
    } catch (...) {
        return {};
    }
}

namespace {

using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

EnumDisplayDevicesFn EnumDisplayDevicesEntry() {
    return SystemEntry<EnumDisplayDevicesFn>("user32.dll", "EnumDisplayDevicesA");
}

bool ReadDisplayDevice(EnumDisplayDevicesFn enumDisplayDevices, const char* adapter, DWORD index,
                       DISPLAY_DEVICEA& device) {
    device = DISPLAY_DEVICEA{};
    device.cb = kShortDisplayDeviceSize;
    return enumDisplayDevices(adapter, index, &device, 0) != FALSE;
}

}  // namespace

DisplayDeviceLists DisplayDevices() {
    DisplayDeviceLists lists;
    try {
        const auto enumDisplayDevices = EnumDisplayDevicesEntry();
        if (!enumDisplayDevices) return lists;
        DISPLAY_DEVICEA adapter;
        for (DWORD index = 0; ReadDisplayDevice(enumDisplayDevices, nullptr, index, adapter); ++index) {
            AppendListItem(lists.adapters, FieldText(adapter.DeviceString, sizeof adapter.DeviceString));
            const std::string name = FieldText(adapter.DeviceName, sizeof adapter.DeviceName - 1);
            DISPLAY_DEVICEA monitor;
            // Only the first monitor of each device; a device without one adds nothing.
            if (!ReadDisplayDevice(enumDisplayDevices, name.c_str(), 0, monitor)) continue;
            const std::string monitorName = FieldText(monitor.DeviceString, sizeof monitor.DeviceString);
            if (!TrimControls(monitorName).empty()) AppendListItem(lists.monitors, monitorName);
        }
    } catch (...) {
    }
    return lists;
}

std::string DisplayAdapterList() { return DisplayDevices().adapters; }

std::string MonitorList() { return DisplayDevices().monitors; }

std::string MonitorCount() {
    try {
        return std::to_string(::GetSystemMetrics(SM_CMONITORS));
    } catch (...) {
        return {};
    }
}

std::string PrimaryDisplayName() {
    try {
        const auto enumDisplayDevices = EnumDisplayDevicesEntry();
        DISPLAY_DEVICEA adapter;
        if (!enumDisplayDevices || !ReadDisplayDevice(enumDisplayDevices, nullptr, 0, adapter)) return {};
        return FieldText(adapter.DeviceString, sizeof adapter.DeviceString);
    } catch (...) {
        return {};
    }
}

std::string ScreenSizeText() {
    try {
        return brimlow::ScreenSizeText(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    } catch (...) {
        return {};
    }
}

std::string ColorDepthText() {
    const HWND desktop = ::GetDesktopWindow();
    const HDC screen = ::GetDC(desktop);
    if (!screen) return {};
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(desktop, screen);
    return brimlow::ColorDepthText(bits);
}

std::string OpticalDriveList(DeviceIo& devices) {
    std::string list;
    const DWORD mask = ::GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!HasDrive(mask, letter) || ::GetDriveTypeA(RootOf(letter).c_str()) != DRIVE_CDROM) continue;
        AppendOpticalDriveEntry(list, letter, OpticalDriveModel(devices, letter));
    }
    return list;
}

namespace {

// The string data of every value of a key under HKEY_LOCAL_MACHINE, in the registry's order;
// values that are not text are passed over.
std::vector<std::string> StringValuesOf(const char* path) {
    std::vector<std::string> values;
    const win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, path);
    if (!key) return values;
    for (const std::string& name : win::ValueNames(key.get()))
        if (auto value = win::ReadStringValue(key.get(), name.c_str())) values.push_back(std::move(*value));
    return values;
}

}  // namespace

std::string SerialPortList() {
    try {
        std::string list;
        for (const std::string& port : StringValuesOf("hardware\\devicemap\\serialcomm")) AppendListItem(list, port);
        return list.empty() ? kPortsNotPresent : list;
    } catch (...) {
        return kPortsNotPresent;
    }
}

std::string ParallelPortRegistryList() {
    try {
        std::string names;
        for (const std::string& path : StringValuesOf("hardware\\devicemap\\PARALLEL PORTS"))
            names += LastPathComponent(path);
        return names.empty() ? kPortsNotPresent : names;
    } catch (...) {
        return kPortsNotPresent;
    }
}

std::string MouseText() {
    try {
        return MouseDescription(::GetSystemMetrics(SM_MOUSEPRESENT), ::GetSystemMetrics(SM_MOUSEWHEELPRESENT),
                                ::GetSystemMetrics(SM_CMOUSEBUTTONS));
    } catch (...) {
        return {};
    }
}

namespace {

struct DriveFigures {
    std::uint64_t total = 0;
    std::uint64_t freeToCaller = 0;
};

using GetDiskFreeSpaceExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

std::optional<DriveFigures> ReadDriveFigures(GetDiskFreeSpaceExFn getDiskFreeSpaceEx, const std::string& root) {
    if (getDiskFreeSpaceEx) {
        ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
        if (!getDiskFreeSpaceEx(root.c_str(), &freeToCaller, &total, &totalFree)) return std::nullopt;
        return DriveFigures{total.QuadPart, freeToCaller.QuadPart};
    }
    // The first Windows 95 knows only the cluster counts (and tops them out at 2 GB).
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return std::nullopt;
    const std::uint64_t cluster = std::uint64_t{sectorsPerCluster} * bytesPerSector;
    return DriveFigures{cluster * clusters, cluster * freeClusters};
}

}  // namespace

FixedDiskLists FixedDisks() {
    FixedDiskLists lists;
    try {
        const auto getDiskFreeSpaceEx = SystemEntry<GetDiskFreeSpaceExFn>("kernel32.dll", "GetDiskFreeSpaceExA");
        const DWORD mask = ::GetLogicalDrives();
        // A and B are floppy letters: asking a floppy drive without a disk takes seconds.
        for (char letter = 'C'; letter <= 'Z'; ++letter) {
            const std::string root = RootOf(letter);
            if (!HasDrive(mask, letter) || ::GetDriveTypeA(root.c_str()) != DRIVE_FIXED) continue;
            try {
                const auto figures = ReadDriveFigures(getDiskFreeSpaceEx, root);
                if (!figures) continue;
                AppendFixedDiskEntry(lists.sizes, letter, figures->total);
                AppendFixedDiskEntry(lists.freeSpace, letter, figures->freeToCaller);
                AppendFixedDiskShortEntry(lists.sizesShort, figures->total);
            } catch (...) {
            }
        }
    } catch (...) {
        return {};
    }
    return lists;
}

std::string FixedDiskSizes() { return FixedDisks().sizes; }

std::string FixedDiskFree() { return FixedDisks().freeSpace; }

std::string FixedDiskSizesShort() { return FixedDisks().sizesShort; }

PowerTexts PowerStatus() {
    PowerTexts texts{kPowerUnknown, kPowerUnknown};
    try {
        // Windows NT 4 has no power status.
        using GetSystemPowerStatusFn = BOOL(WINAPI*)(LPSYSTEM_POWER_STATUS);
        const auto getSystemPowerStatus = SystemEntry<GetSystemPowerStatusFn>("kernel32.dll", "GetSystemPowerStatus");
        SYSTEM_POWER_STATUS status{};
        if (getSystemPowerStatus && getSystemPowerStatus(&status)) {
            texts.acPower = AcLineText(status.ACLineStatus);
            texts.battery = BatteryFlagText(status.BatteryFlag);
        }
        return texts;
    } catch (...) {
        return {};
    }
}

std::string AcPowerText() { return PowerStatus().acPower; }

std::string BatteryText() { return PowerStatus().battery; }

std::string BiosText() {
    try {
        std::string identifier, date, version;
        if (const win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System")) {
            identifier = win::ReadStringValue(key.get(), "Identifier").value_or(std::string());
            // A multi-string; the first string is the version proper. Larger data are not read.
            constexpr DWORD kVersionLimit = 255;
            if (const auto bytes = win::ReadRawValue(key.get(), "SystemBiosVersion", kVersionLimit))
                version = bytes->substr(0, bytes->find('\0'));
            date = win::ReadStringValue(key.get(), "SystemBiosDate").value_or(std::string());
        }
        return BiosSummaryText(identifier, date, version);
    } catch (...) {
        return {};
    }
}

int PlatformId() {
    const auto record = ReadVersionRecord();
    return record ? static_cast<int>(record->platformId) : static_cast<int>(kPlatformNT);
}

}  // namespace brimlow
