// The display window's rules: wide registry text, the technology names, the service key of a
// video device map entry, and the detail lists read beyond their end.
#include "devices/display_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace brimlow {
namespace {

TEST(DisplayText, WideRegistryText) {
    struct Case {
        std::vector<std::uint8_t> data;
        const char* text;
    };
    const Case cases[] = {
        {{'S', 0, '3', 0, 0, 0}, "S3"},
        {{'S', 0, '3', 0}, "S3"},           // no terminating character
        {{'S', 0, '3', 0, 0, 0, 'x', 0}, "S3"},  // nothing after the terminator
        {{}, ""},
        {{0, 0}, ""},
        {{'A', 'B', 0, 'C'}, "ABC"},        // single zeros are skipped
        {{0xE9, 0x00, 'a', 0x00}, "\xE9" "a"},  // Latin-1 characters keep their low byte
    };
    for (const Case& c : cases) EXPECT_EQ(WideRegistryText(c.data), c.text) << c.text;
}

TEST(DisplayText, TechnologyNames) {
    const char* names[] = {"Vector Plotter",   "Raster Display", "Raster Printer", "Raster Camera",
                           "Character Stream", "Metafile",       "Display File"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(TechnologyName(i), names[i]);
    EXPECT_EQ(TechnologyName(7), "");
    EXPECT_EQ(TechnologyName(-1), "");
}

TEST(DisplayText, Formats) {
    EXPECT_EQ(MetricsText(1920, 1080, 32), "1920 x 1080 - 32 bit");
    EXPECT_EQ(MonitorNamesText({"Generic Monitor", "  ", "Second"}), "Generic Monitor | Second | ");
    EXPECT_EQ(MonitorNamesText({}), "");
}

TEST(DisplayText, VideoServiceKey) {
    EXPECT_EQ(VideoServiceKey("\\Registry\\Machine\\System\\CurrentControlSet\\Services\\vga\\Device0"),
              "System\\CurrentControlSet\\Services\\vga\\Device0");
    EXPECT_EQ(VideoServiceKey("\\Registry\\Machine\\A\\Machine\\B"), "A\\Machine\\B");  // the first one
    EXPECT_EQ(VideoServiceKey("\\Registry\\User\\X"), "");
}

TEST(DisplayText, ClassicNtTest) {
    EXPECT_FALSE(IsClassicNt(2, 6));  // later NT counts as not NT here
    EXPECT_FALSE(IsClassicNt(2, 10));
    EXPECT_TRUE(IsClassicNt(2, 5));
    EXPECT_TRUE(IsClassicNt(2, 3));
    EXPECT_FALSE(IsClassicNt(1, 4));
    EXPECT_STREQ(DisplayClassRoot(false), "SYSTEM\\CurrentControlSet\\Services\\Class");
    EXPECT_STREQ(DisplayClassRoot(true), "SYSTEM\\CurrentControlSet\\Control\\Class");
}

TEST(DisplayText, EntriesBeyondAListAreEmpty) {
    const std::vector<std::string> list = {"S3"};
    EXPECT_EQ(EntryOrEmpty(list, 0), "S3");
    EXPECT_EQ(EntryOrEmpty(list, 1), "");
    EXPECT_EQ(EntryOrEmpty(list, -1), "");  // no selection
    EXPECT_EQ(EntryOrEmpty({}, 0), "");
}

}  // namespace
}  // namespace brimlow
