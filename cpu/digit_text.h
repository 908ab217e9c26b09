// The texts of the CPU window's digit displays. Each display draws only as many characters as it
// has cells, so a text longer than that shows its leading digits.
#pragma once

#include <cstdint>
#include <string>

namespace brimlow::cpu {

// The clock in whole MHz (truncated), zero-padded to at least five digits: 2992.7 gives "02992".
std::string ClockDigitText(double megahertz);

// The time-stamp counter in decimal, zero-padded to at least sixteen digits. The counter is
// unsigned: a value with the top bit set reads as its own digits, never with a minus sign that no
// digit image could show.
std::string CounterDigitText(std::uint64_t counter);

}  // namespace brimlow::cpu
