#include "platform/number_picture.h"

namespace brimlow {

std::string GroupThousands(std::uint64_t value, std::string_view separator) {
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

std::string GroupThousands(std::int64_t value, std::string_view separator) {
    if (value >= 0) return GroupThousands(static_cast<std::uint64_t>(value), separator);
    // The magnitude of the most negative value does not fit the signed type.
    std::string text(1, '-');
    text.append(GroupThousands(std::uint64_t(0) - static_cast<std::uint64_t>(value), separator));
    return text;
}

}  // namespace brimlow
