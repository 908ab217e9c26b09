// Number pictures: "#,#0" groups the digits in threes with the user's thousands separator, and a
// picture may carry a text after the number ("#,#0 bytes"). Portable; the separator comes from
// the user's locale settings on Windows (UserThousandSeparator in platform/win_text.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brimlow {

// The digits of `value`, a separator between each group of three, a leading "-" for negatives.
std::string GroupThousands(std::int64_t value, std::string_view separator);
std::string GroupThousands(std::uint64_t value, std::string_view separator);

}  // namespace brimlow
