#include "devices/display_registry.h"

#include "devices/display_text.h"
#include "platform/win_registry.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace brimlow {
namespace {

// At most `limit` bytes of a value of any type; nullopt when it is missing or larger.
std::optional<std::vector<std::uint8_t>> ReadBytes(HKEY key, const char* name, DWORD limit) {
    std::vector<std::uint8_t> data(limit);
    DWORD size = limit;
    if (::RegQueryValueExA(key, name, nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS) return std::nullopt;
    data.resize(std::min<DWORD>(size, limit));
    return data;
}

bool ContainsCaseBlind(const std::vector<std::string>& list, const std::string& text) {
    const std::string upper = UpperAscii(text);
    return std::any_of(list.begin(), list.end(), [&](const std::string& entry) { return UpperAscii(entry) == upper; });
}

}  // namespace

std::string ClassDriverDescriptions(HKEY machine, const std::string& classRoot, const std::string& className,
                                    const std::string& valueName, bool classicNt, std::vector<std::string>& found) {
    found.clear();
    const win::RegKey root = win::OpenKeyForRead(machine, classRoot.c_str());
    if (!root) return {};
    for (const std::string& name : win::SubKeyNames(root.get())) {
        const win::RegKey candidate = win::OpenKeyForRead(root.get(), name.c_str());
        if (!candidate) continue;
        const auto cls = win::ReadStringValue(candidate.get(), "Class");
        if (!cls || UpperAscii(*cls) != UpperAscii(className)) continue;
        std::string classKey = name;
        if (!classicNt) {
            const auto link = win::ReadStringValue(candidate.get(), "Link");
            classKey = UpperAscii(link.value_or(""));
        }
        const win::RegKey devices = win::OpenKeyForRead(root.get(), classKey.c_str());
        if (!devices) return classKey;
        for (const std::string& instance : win::SubKeyNames(devices.get())) {
            const win::RegKey device = win::OpenKeyForRead(devices.get(), instance.c_str());
            if (!device) continue;
            const auto text = win::ReadValueText(device.get(), valueName.c_str());
            if (text && !ContainsCaseBlind(found, *text)) found.push_back(*text);
        }
        return classKey;
    }
    return {};
}

VideoAdapterDetails ReadVideoAdapterDetails(HKEY machine) {
    VideoAdapterDetails details;
    const win::RegKey map = win::OpenKeyForRead(machine, "HARDWARE\\DEVICEMAP\\VIDEO");
    if (!map) return details;
    auto entry = win::ReadStringValue(map.get(), "\\Device\\Video0");
    if (!entry) entry = win::ReadStringValue(map.get(), "\\\\Device\\\\Video0");
    if (!entry || entry->empty()) return details;
    const win::RegKey service = win::OpenKeyForRead(machine, VideoServiceKey(*entry).c_str());
    if (!service) return details;
    if (const auto dac = ReadBytes(service.get(), "HardwareInformation.DacType", 255))
        details.dacs.push_back(WideRegistryText(*dac));
    if (const auto chip = ReadBytes(service.get(), "HardwareInformation.ChipType", 255))
        details.chips.push_back(WideRegistryText(*chip));
    if (const auto memory = ReadBytes(service.get(), "HardwareInformation.MemorySize", 4); memory && memory->size() == 4) {
        const std::uint32_t bytes = std::uint32_t((*memory)[0]) | std::uint32_t((*memory)[1]) << 8 |
                                    std::uint32_t((*memory)[2]) << 16 | std::uint32_t((*memory)[3]) << 24;
        details.memorySizes.push_back(std::to_string(bytes));
    }
    return details;
}

VideoBios ReadVideoBios(HKEY machine) {
    VideoBios bios;
    const win::RegKey system = win::OpenKeyForRead(machine, "HARDWARE\\DESCRIPTION\\System");
    if (!system) return bios;
    if (const auto version = ReadBytes(system.get(), "VideoBiosVersion", 151)) {
        const auto end = std::find(version->begin(), version->end(), std::uint8_t{0});
        bios.version.assign(version->begin(), end);
    }
    bios.date = win::ReadStringValue(system.get(), "VideoBiosDate").value_or("");
    return bios;
}

}  // namespace brimlow
