#include "app/hardware_text.h"

#include "app/summary_text.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace brimlow {

namespace {

template <typename... Args>
std::string Printf(const char* format, Args... args) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, args...);
    return length > 0 ? std::string(text, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof text - 1))
                      : std::string();
}

constexpr PowerCode kAcLine[] = {
    {0, "OffLine"},
    {1, "OnLine"},
};

constexpr PowerCode kBatteryFlag[] = {
    {0, "High"}, {1, "High"}, {2, "Low"}, {4, "Critical"}, {8, "Charging"}, {128, "No Battery"},
};

std::string Lookup(std::span<const PowerCode> table, std::uint8_t code) {
    const auto row = std::find_if(table.begin(), table.end(), [code](const PowerCode& r) { return r.code == code; });
    return row != table.end() ? row->text : kPowerUnknown;
}

}  // namespace

std::string MemoryText(std::uint64_t totalPhysicalBytes) {
    return Printf("%" PRIu64 " MB", (totalPhysicalBytes >> 20) + 1);
}

std::string ClockText(double megahertz) { return Printf("%4.1f MHz", megahertz); }

std::string DiskSizeText(std::uint64_t bytes) {
    const double size = static_cast<double>(bytes);
    if (size > 1073741824.0) return Printf("%3.1fGB", size / 1024 / 1024 / 1024);
    return Printf("%3.1fMB", size / 1024 / 1024);
}

void AppendFixedDiskEntry(std::string& list, char letter, std::uint64_t bytes) {
    AppendListItem(list, std::string(1, letter) + ":  " + DiskSizeText(bytes));
}

void AppendFixedDiskShortEntry(std::string& list, std::uint64_t bytes) { list += DiskSizeText(bytes) + "  "; }

std::span<const PowerCode> AcLineTable() { return kAcLine; }
std::span<const PowerCode> BatteryFlagTable() { return kBatteryFlag; }

std::string AcLineText(std::uint8_t acLineStatus) { return Lookup(kAcLine, acLineStatus); }
std::string BatteryFlagText(std::uint8_t batteryFlag) { return Lookup(kBatteryFlag, batteryFlag); }

std::string MouseDescription(int mousePresent, int wheelPresent, int buttons) {
    if (mousePresent == 0) return {};
    std::string text = "Mouse Present";
    if (wheelPresent != 0) text = "Wheel " + text;
    if (buttons != 0) text = std::to_string(buttons) + " Button " + text;
    return text;
}

int ParallelPortNameCount(int platformId) { return platformId == 2 ? 256 : 9; }

std::string ParallelPortName(int n) {
    return (n <= 9 ? std::string("LPT") : std::string("\\\\.\\LPT")) + std::to_string(n);
}

std::string LastPathComponent(std::string_view path) {
    const auto slash = path.find_last_of('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string BiosSummaryText(std::string_view identifier, std::string_view date, std::string_view version) {
    std::string text;
    AppendListItem(text, identifier);
    AppendListItem(text, date);
    AppendListItem(text, version);
    AppendListItem(text, "");
    return text;
}

std::string HostControllerText(int count) {
    return count > 0 ? std::to_string(count) + " host controllers." : "Not Detected";
}

std::string ScreenSizeText(int width, int height) { return std::to_string(width) + " X " + std::to_string(height); }

std::string ColorDepthText(int bitsPerPixel) { return std::to_string(bitsPerPixel) + " bit"; }

std::string InquiryIdentificationText(std::span<const std::uint8_t> reply) {
    constexpr std::size_t kIdentificationOffset = 8;
    if (reply.size() <= kIdentificationOffset) return {};
    const auto begin = reply.begin() + kIdentificationOffset;
    const auto end = std::find(begin, reply.end(), std::uint8_t{0});
    return std::string(begin, end);
}

void AppendOpticalDriveEntry(std::string& list, char letter, std::string_view model) {
    AppendListItem(list, std::string(1, letter) + ": " + std::string(model.substr(0, kOpticalModelLength)));
}

}  // namespace brimlow
