// The texts of the CPU window's digit displays.
#include "cpu/digit_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace brimlow::cpu {
namespace {

TEST(DigitText, ClockInWholeMegahertzAtLeastFiveDigits) {
    const struct {
        double mhz;
        const char* text;
    } cases[] = {
        {2992.7, "02992"},  {123456.0, "123456"},  // the display shows its first five: 12345
        {99999.99, "99999"}, {0.0, "00000"},       {7.0, "00007"},
        {-3.0, "00000"},    {std::nan(""), "00000"}, {std::numeric_limits<double>::infinity(), "00000"},
    };
    for (const auto& c : cases) EXPECT_EQ(ClockDigitText(c.mhz), c.text) << c.mhz;
}

TEST(DigitText, CounterAtLeastSixteenDigitsAndNeverSigned) {
    EXPECT_EQ(CounterDigitText(1234), "0000000000001234");
    EXPECT_EQ(CounterDigitText(0), "0000000000000000");
    EXPECT_EQ(CounterDigitText(10'000'000'000'000'000ull), "10000000000000000");
    EXPECT_EQ(CounterDigitText(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
}

}  // namespace
}  // namespace brimlow::cpu
