// Access keys chosen for a window's buttons and field labels, and the marks that carry them.
#include "ui/access_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimlow::ui {
namespace {

std::vector<std::string> Keyed(const std::vector<std::string>& captions, std::string_view taken) {
    const std::vector<std::size_t> keys = ChooseAccessKeys(captions, taken);
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < captions.size(); ++i) shown.push_back(WithAccessKey(captions[i], keys[i]));
    return shown;
}

TEST(AccessKeys, InitialsFirstThenOtherLettersNeverTwice) {
    struct Case {
        std::vector<std::string> captions;
        const char* taken;
        std::vector<std::string> shown;
    } cases[] = {
        {{"OK", "Cancel"}, "", {"&OK", "&Cancel"}},
        // An initial of a later caption wins over a non-initial letter of an earlier one.
        {{"Sound Test", "Settings", "Test PC Speaker", "Play", "Play WAV File"},
         "F",
         {"&Sound Test", "S&ettings", "&Test PC Speaker", "&Play", "Play &WAV File"}},
        // The menu bar's letters are left to the menu bar, in either case.
        {{"File Info", "Find"}, "f", {"File &Info", "Fi&nd"}},
        {{"Load CD/DVD", "Eject Default", "Analyse Inserted Media"}, "F", {"&Load CD/DVD", "&Eject Default", "&Analyse Inserted Media"}},
        // A caption whose every letter is taken gets no key; an "&" of its own is kept as text.
        {{"Ab", "Ba", "A&B"}, "", {"&Ab", "&Ba", "A&&B"}},
        {{"", "-", "1 2"}, "", {"", "-", "&1 2"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Keyed(c.captions, c.taken), c.shown) << c.captions.front();
}

TEST(AccessKeys, MarksRoundTripAndTheKeyIsReadBack) {
    for (const char* caption : {"Sound & Vision", "OK", "&", "", "a&&b"}) {
        for (std::size_t key : {std::size_t{0}, std::size_t{1}, kNoAccessKey}) {
            const std::string shown = WithAccessKey(caption, key);
            EXPECT_EQ(WithoutAccessKey(shown), caption) << shown;
        }
    }
    EXPECT_EQ(AccessKeyOf("Play &WAV File"), 'W');
    EXPECT_EQ(AccessKeyOf("S&ettings"), 'E');
    EXPECT_EQ(AccessKeyOf("A&&B"), '\0');
    EXPECT_EQ(AccessKeyOf("A&&&b"), 'B');
    EXPECT_EQ(AccessKeyOf("trailing&"), '\0');
}

TEST(AccessKeys, MenuBarAnswersToMarkedOrFirstLetters) {
    EXPECT_EQ(MenuBarKeys({"&File", "&Edit", "Programs", "Hardware", "&Help", "-"}), "FEPHH");
    EXPECT_EQ(MenuBarKeys({"Save &As", ""}), "A");
}

}  // namespace
}  // namespace brimlow::ui
