// Naming of the Windows release from the version record. Pure computation: the Win32 side
// (platform/windows_version_win.cpp) fills a VersionRecord and hands it here.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace brimlow {

enum : std::uint32_t {
    kPlatformWin32s = 0,
    kPlatformWindows9x = 1,
    kPlatformNT = 2,
    kPlatformCE = 3,
};

// The fields of OSVERSIONINFOEXA that the naming looks at. `extended` says whether the 156-byte
// form was accepted; suiteMask and productType mean nothing when it was not.
struct VersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
    std::array<char, 128> csdVersion{};
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;
    bool extended = false;
};

struct WindowsVersionNames {
    std::string edition;
    std::string version;
    std::string servicePack;
};

// Reads HKLM\SYSTEM\CurrentControlSet\Control\ProductOptions\ProductType; nullopt when the key
// or value is missing. Called only for NT 4 without the extended record.
using ProductTypeReader = std::function<std::optional<std::string>()>;

WindowsVersionNames NameWindowsVersion(const VersionRecord& record, const ProductTypeReader& readProductType);

// "<edition>, Version <version>, <service pack>, " - always ends with a comma and a blank.
std::string JoinWindowsVersionText(const WindowsVersionNames& names);

// The shorter name printed on the hardware report.
std::string ShortWindowsNameFor(const VersionRecord& record);

}  // namespace brimlow
