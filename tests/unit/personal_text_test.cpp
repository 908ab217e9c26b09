// The personal, BIOS and date and time windows' texts: install dates, up times, the transition
// picture, multi-string joins and the daylight status codes.
#include "sysconfig/personal_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace brimlow {
namespace {

TEST(PersonalText, InstallDate) {
    EXPECT_EQ(InstallDateText(1000000000u), "09/09/2001 01:46:40");
    EXPECT_EQ(InstallDateText(0), "01/01/1970 00:00:00");  // a key that cannot be opened counts 0
    EXPECT_EQ(InstallDateText(951782400u), "02/29/2000 00:00:00");
    EXPECT_EQ(InstallDateText(4294967295u), "02/07/2106 06:28:15");
    EXPECT_EQ(InstallDateText(1000000000u, '.', '-'), "09.09.2001 01-46-40");
}

TEST(PersonalText, UpTimeWithinTheDay) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {0.4, "00:00:00"},
        {59.5, "00:01:00"},  // 59.5 rounds to the even 60
        {58.5, "00:00:58"},  // and 58.5 to the even 58
        {86399, "23:59:59"},
        {86400, "00:00:00"},
        {2 * 86400 + 3 * 3600 + 4 * 60 + 5, "03:04:05"},
        {4294967.295, "17:02:47"},  // the counter's top, just before it restarts
        {-1, "00:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(UpTimeText(c.seconds), c.text) << c.seconds;
}

TEST(PersonalText, ZoneTransition) {
    EXPECT_EQ(ZoneTransitionText(3, 2, 2, 0), "March 02 02:00 am");
    EXPECT_EQ(ZoneTransitionText(10, 5, 3, 0), "October 05 03:00 am");
    EXPECT_EQ(ZoneTransitionText(11, 1, 0, 0), "November 01 12:00 am");
    EXPECT_EQ(ZoneTransitionText(4, 1, 12, 30), "April 01 12:30 pm");
    EXPECT_EQ(ZoneTransitionText(0, 0, 0, 0), "");  // no daylight saving
    EXPECT_EQ(ZoneTransitionText(13, 1, 0, 0), "");
}

TEST(PersonalText, MultiStringJoin) {
    const std::vector<std::uint8_t> two{'A', 'B', 0, 'C', 'D', 0, 0};
    EXPECT_EQ(JoinMultiString(two), "AB|CD|");
    const std::vector<std::uint8_t> empty{0};
    EXPECT_EQ(JoinMultiString(empty), "");
    EXPECT_EQ(JoinMultiString({}), "");
}

TEST(PersonalText, DaylightStatus) {
    EXPECT_EQ(DaylightStatusText(0), "Current daylight status is unknown");
    EXPECT_EQ(DaylightStatusText(1), "Not currently in the daylight savings time period");
    EXPECT_EQ(DaylightStatusText(2), "Are currently in the daylight savings time period");
    EXPECT_EQ(DaylightStatusText(0x10002), "Are currently in the daylight savings time period");
    EXPECT_EQ(DaylightStatusText(3), "");
    EXPECT_EQ(DaylightStatusText(0xFFFFFFFFu), "");  // TIME_ZONE_ID_INVALID
    EXPECT_EQ(BiasText(-60), "-60 minutes");
}

}  // namespace
}  // namespace brimlow
