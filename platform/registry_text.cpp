#include "platform/registry_text.h"

#include <algorithm>

namespace brimlow {
namespace {

std::uint64_t LittleEndian(std::span<const std::uint8_t> data, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = (value << 8) | data[i];
    return value;
}

std::string TextUpToZero(std::span<const std::uint8_t> data) {
    const auto zero = std::find(data.begin(), data.end(), std::uint8_t{0});
    return std::string(data.begin(), zero);
}

}  // namespace

std::string RegistryValueText(std::uint32_t type, std::span<const std::uint8_t> data) {
    switch (type) {
    case kRegSz:
    case kRegExpandSz:
        return TextUpToZero(data);
    case kRegDword:
        return data.size() < 4 ? std::string() : std::to_string(LittleEndian(data, 4));
    case kRegDwordBigEndian:
        if (data.size() < 4) return {};
        return std::to_string((std::uint32_t{data[0]} << 24) | (std::uint32_t{data[1]} << 16) |
                              (std::uint32_t{data[2]} << 8) | data[3]);
    case kRegQword:
        return data.size() < 8 ? std::string() : std::to_string(LittleEndian(data, 8));
    case kRegMultiSz: {
        // Items end with a zero each; an empty item (the double zero) ends the list.
        std::string text;
        std::size_t at = 0;
        while (at < data.size()) {
            const std::string item = TextUpToZero(data.subspan(at));
            if (item.empty()) break;
            if (!text.empty()) text += ", ";
            text += item;
            at += item.size() + 1;
        }
        return text;
    }
    default:
        return {};
    }
}

}  // namespace brimlow
