#include "devices/display_text.h"

#include <cstdio>

namespace brimlow {

std::string WideRegistryText(std::span<const std::uint8_t> data) {
    std::string text;
    bool previousZero = false;
    for (const std::uint8_t byte : data) {
        if (byte == 0) {
            if (previousZero) break;
            previousZero = true;
            continue;
        }
        previousZero = false;
        text += static_cast<char>(byte);
    }
    return text;
}

std::string TechnologyName(int technology) {
    static constexpr const char* kNames[] = {"Vector Plotter",   "Raster Display", "Raster Printer", "Raster Camera",
                                             "Character Stream", "Metafile",       "Display File"};
    if (technology < 0 || technology >= static_cast<int>(std::size(kNames))) return {};
    return kNames[technology];
}

std::string MetricsText(int width, int height, int bitsPerPixel) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d x %d - %d bit", width, height, bitsPerPixel);
    return buffer;
}

bool IsClassicNt(unsigned platformId, unsigned majorVersion) {
    return platformId == 2 && majorVersion >= 3 && majorVersion <= 5;
}

const char* DisplayClassRoot(bool classicNt) {
    return classicNt ? "SYSTEM\\CurrentControlSet\\Control\\Class" : "SYSTEM\\CurrentControlSet\\Services\\Class";
}

std::string VideoServiceKey(std::string_view deviceMapEntry) {
    constexpr std::string_view kMachine = "Machine\\";
    const auto at = deviceMapEntry.find(kMachine);
    if (at == std::string_view::npos) return {};
    return std::string(deviceMapEntry.substr(at + kMachine.size()));
}

std::string EntryOrEmpty(const std::vector<std::string>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {};
    return list[static_cast<std::size_t>(index)];
}

std::string MonitorNamesText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        if (name.find_first_not_of(" \t\r\n") == std::string::npos) continue;
        text += name + " | ";
    }
    return text;
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

}  // namespace brimlow
