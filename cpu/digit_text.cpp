#include "cpu/digit_text.h"

#include <cmath>
#include <cstdio>

namespace brimlow::cpu {

std::string ClockDigitText(double megahertz) {
    // A measurement cannot be negative or beyond what a 32-bit tick count over half a second
    // allows; anything else is not a clock and reads as zero.
    long long whole = 0;
    if (std::isfinite(megahertz) && megahertz > 0 && megahertz < 1e15) whole = static_cast<long long>(megahertz);
    char text[32];
    std::snprintf(text, sizeof text, "%.5lld", whole);
    return text;
}

std::string CounterDigitText(std::uint64_t counter) {
    char text[32];
    std::snprintf(text, sizeof text, "%.16llu", static_cast<unsigned long long>(counter));
    return text;
}

}  // namespace brimlow::cpu
