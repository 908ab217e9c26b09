#include "devices/sound_text.h"

#include <cstdio>
#include <limits>
#include <stdexcept>

namespace brimlow {

std::string DriverVersionText(std::uint32_t version) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", static_cast<int>((version >> 8) & 0xFF), static_cast<int>(version & 0xFF));
    return text;
}

std::string MixerCountText(unsigned count) { return std::to_string(count & 0xFF); }

const char* SpeakerText(int beepSetting) { return beepSetting == 1 ? "Present" : "NOT Present"; }

std::int32_t IntegerFromText(std::string_view text) {
    const auto invalid = [&] {
        std::string message;
        message.reserve(text.size() + 32);
        message.append(1, '\'').append(text).append("' is not a valid integer value");
        return std::invalid_argument(message);
    };
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    unsigned base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    }
    if (at == text.size()) throw invalid();
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            throw invalid();
        value = value * base + digit;
        if (value > std::int64_t(std::numeric_limits<std::uint32_t>::max())) throw invalid();
    }
    // Hexadecimal spellings cover the whole 32 bits, as the bit pattern of the number.
    if (base == 16 && value > std::numeric_limits<std::int32_t>::max()) value -= std::int64_t(1) << 32;
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw invalid();
    return static_cast<std::int32_t>(value);
}

}  // namespace brimlow
