// The drive window's texts, from the facts the system gives about a volume and its disk.
// Portable: the Win32 calls that gather the facts live in storage/TfrmDisk.cpp.
#pragma once

#include "storage/smartapi.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow::storage {

// GetDriveType's codes; 7 and above have no name.
std::string DriveTypeName(unsigned type);

// "C: [label]"
std::string DriveListItem(char letter, const std::string& label);

// Eight upper-case hexadecimal digits, "-" after the fourth.
std::string VolumeSerialText(std::uint32_t serial);

inline constexpr int kVolumeFeatureCount = 12;
// One bit per line of the flag list, from GetVolumeInformation's flags and component length.
std::uint32_t VolumeFeatureFlags(std::uint32_t fileSystemFlags, std::uint32_t maxComponentLength);
// The twelve lines, "Case Is Preserved: Yes" and so on.
std::vector<std::string> VolumeFeatureLines(std::uint32_t features);

// The share of the volume in use, and the gauge's position and text for it; nullopt-like: a
// volume of no size gives position 0 and "0%".
struct UsedSpace {
    int position = 0;
    std::string text = "0%";
};
UsedSpace UsedSpaceOf(std::uint64_t total, std::uint64_t free);

// "#,#0 bytes" and "#,#0" with the given thousands separator.
std::string BytesText(std::uint64_t bytes, std::string_view separator);

// One row of the attribute table: id, name, state, current, worst, threshold, the raw value's low
// 32 bits as a signed number with separators, and Yes/No for pre-failure, events, error rate.
std::vector<std::string> AttributeRowCells(const SmartAttribute& attribute, std::string_view separator);

// The verdict: "SMART Test Passed", or the failing count after "SMART Test Failed, Bad Attributes ".
std::string SmartVerdict(int failingCount);

// Temperature with the degree sign of the ANSI code page (the one byte 0xB0) and "C".
std::string TemperatureText(int celsius);

}  // namespace brimlow::storage
