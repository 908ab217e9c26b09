#include "storage/disk_facts.h"

#include "platform/number_picture.h"

#include <cmath>
#include <cstdio>

namespace brimlow::storage {

std::string DriveTypeName(unsigned type) {
    static constexpr const char* kNames[] = {"Unknown", "Not Exists", "Removable", "Fixed", "Remote", "CDROM", "RAMDisk"};
    return type < std::size(kNames) ? kNames[type] : std::string();
}

std::string DriveListItem(char letter, const std::string& label) { return std::string(1, letter) + ": [" + label + "]"; }

std::string VolumeSerialText(std::uint32_t serial) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(serial >> 16), static_cast<unsigned>(serial & 0xFFFF));
    return text;
}

namespace {
struct FeatureLine {
    const char* label;
    std::uint32_t flag;  // 0: the component-length test
};
constexpr FeatureLine kFeatureLines[kVolumeFeatureCount] = {
    {"Case Is Preserved: ", 0x2},
    {"Case Sensitive: ", 0x1},
    {"Unicode Stored On Disk: ", 0x4},
    {"Persistent Acls: ", 0x8},
    {"File Compression: ", 0x10},
    {"Volume Is Compressed: ", 0x8000},
    {"Long Filenames: ", 0},
    {"Encrypted File System Support: ", 0x20000},
    {"Object IDs Support: ", 0x10000},
    {"Reparse Points Support: ", 0x80},
    {"Sparse Files Support: ", 0x40},
    {"Disk Quotas Support: ", 0x20},
};
}  // namespace

std::uint32_t VolumeFeatureFlags(std::uint32_t fileSystemFlags, std::uint32_t maxComponentLength) {
    std::uint32_t features = 0;
    for (int bit = 0; bit < kVolumeFeatureCount; ++bit) {
        const std::uint32_t flag = kFeatureLines[bit].flag;
        const bool on = flag ? (fileSystemFlags & flag) != 0 : maxComponentLength == 255;
        if (on) features |= 1u << bit;
    }
    return features;
}

std::vector<std::string> VolumeFeatureLines(std::uint32_t features) {
    std::vector<std::string> lines;
    for (int bit = 0; bit < kVolumeFeatureCount; ++bit)
        lines.push_back(std::string(kFeatureLines[bit].label) + ((features >> bit) & 1 ? "Yes" : "No"));
    return lines;
}

UsedSpace UsedSpaceOf(std::uint64_t total, std::uint64_t free) {
    UsedSpace used;
    if (total == 0) return used;
    // Free space beyond the total (a quota that reports oddly) counts as an empty volume.
    const double p = free >= total ? 0.0 : double(total - free) / double(total) * 100.0;
    used.position = static_cast<int>(std::lround(p));
    char text[32];
    std::snprintf(text, sizeof text, "%0.01f %%", p);
    used.text = text;
    return used;
}

std::string BytesText(std::uint64_t bytes, std::string_view separator) {
    return GroupThousands(bytes, separator) + " bytes";
}

std::vector<std::string> AttributeRowCells(const SmartAttribute& a, std::string_view separator) {
    const auto yesNo = [](bool on) { return std::string(on ? "Yes" : "No"); };
    const auto low32 = static_cast<std::int32_t>(static_cast<std::uint32_t>(a.raw & 0xFFFFFFFFu));
    return {std::to_string(a.id),      a.name,
            a.state,                   std::to_string(a.current),
            std::to_string(a.worst),   std::to_string(a.threshold),
            GroupThousands(std::int64_t(low32), separator), yesNo(a.preFailure),
            yesNo(a.eventCount),       yesNo(a.errorRate)};
}

std::string SmartVerdict(int failingCount) {
    return failingCount > 0 ? "SMART Test Failed, Bad Attributes " + std::to_string(failingCount) : "SMART Test Passed";
}

std::string TemperatureText(int celsius) { return std::to_string(celsius) + "\xB0" "C"; }

}  // namespace brimlow::storage
