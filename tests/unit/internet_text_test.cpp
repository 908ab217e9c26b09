// The internet window's text rules: when a browser setting counts as on, the file-version text
// and the saved favourites file.
#include "network/internet_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace brimlow {
namespace {

TEST(InternetText, OnlyYesInAnyCaseTurnsASettingOn) {
    const struct {
        const char* value;
        bool on;
    } cases[] = {{"yes", true}, {"Yes", true}, {"YES", true}, {"yEs", true}, {"no", false}, {"1", false},
                 {"", false},   {"yes ", false}, {" yes", false}, {"ye", false}, {"yess", false}};
    for (const auto& c : cases) EXPECT_EQ(IeFlagIsOn(c.value), c.on) << '"' << c.value << '"';
}

TEST(InternetText, EighteenDistinctSettingsInListOrder) {
    const auto names = IeFlagNames();
    ASSERT_EQ(names.size(), 18u);
    EXPECT_STREQ(names.front(), "Anchor Underline");
    EXPECT_STREQ(names[7], "NotifyDownloadComplete");
    EXPECT_STREQ(names.back(), "Use Search Asst");
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 18u);
}

TEST(InternetText, FileVersionIsTheFourWordsInDecimal) {
    EXPECT_EQ(FileVersionText(0x000C0000, 0x067A0003), "12.0.1658.3");
    EXPECT_EQ(FileVersionText(0, 0), "0.0.0.0");
    EXPECT_EQ(FileVersionText(0xFFFFFFFF, 0x0001FFFE), "65535.65535.1.65534") << "words are unsigned";
}

TEST(InternetText, FavouritesFileHoldsOneAddressPerCrLfLine) {
    EXPECT_EQ(FavouritesFileText({}), "");
    EXPECT_EQ(FavouritesFileText({"http://a.invalid/", "", "http://b.invalid/"}),
              "http://a.invalid/\r\n\r\nhttp://b.invalid/\r\n");
}

}  // namespace
}  // namespace brimlow
