#include "devices/printer_text.h"
#include "devices/sound_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <stdexcept>

namespace brimlow {
namespace {

TEST(SoundText, DriverVersionIsHighByteDotLowByteOfTheLowWord) {
    const struct { std::uint32_t version; const char* text; } cases[] = {
        {0x0000, "0.0"}, {0x0105, "1.5"}, {0x0A0B, "10.11"}, {0xFFFF, "255.255"},
        {0x12340501, "5.1"},  // the high word is not part of the version
    };
    for (const auto& c : cases) EXPECT_EQ(DriverVersionText(c.version), c.text) << c.version;
}

TEST(SoundText, MixerCountAndSpeaker) {
    EXPECT_EQ(MixerCountText(0), "0");
    EXPECT_EQ(MixerCountText(3), "3");
    EXPECT_EQ(MixerCountText(0x102), "2");
    EXPECT_STREQ(SpeakerText(1), "Present");
    EXPECT_STREQ(SpeakerText(0), "NOT Present");
    EXPECT_STREQ(SpeakerText(2), "NOT Present");
}

TEST(SoundText, IntegersAsTyped) {
    const struct { const char* text; std::int32_t value; } good[] = {
        {"1000", 1000}, {"  440", 440}, {"-5", -5}, {"+7", 7}, {"$1F", 31}, {"$ff", 255},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"$FFFFFFFF", -1},
    };
    for (const auto& c : good) EXPECT_EQ(IntegerFromText(c.text), c.value) << c.text;
    for (const char* bad : {"", " ", "abc", "12a", "1 000", "1.5", "$", "-", "2147483648", "99999999999", "$1G",
                            "1000 "}) {
        try {
            IntegerFromText(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(PrinterText, TechnologyNamesUpperCased) {
    const struct { int technology; const char* text; } cases[] = {
        {0, "VECTOR PLOTTER"}, {1, "RASTER DISPLAY"}, {2, "RASTER PRINTER"}, {3, "RASTER CAMERA"},
        {4, "CHARACTER STREAM"}, {5, "METAFILE"}, {6, "DISPLAY FILE"}, {7, "#ERROR# IS UNKNWON"},
        {9, "#ERROR# IS UNKNWON"}, {-1, "#ERROR# IS UNKNWON"},
    };
    for (const auto& c : cases) EXPECT_EQ(PrinterTechnologyText(c.technology), c.text) << c.technology;
}

TEST(PrinterText, StatusPostScriptAndSizes) {
    EXPECT_EQ(PrinterStatusText(false, 3, 2), "IDLE");
    EXPECT_EQ(PrinterStatusText(true, 2, 1), "PRINTING 2 1 Copies");
    EXPECT_EQ(PostScriptText("Laser", true), "Printer Laser does support Postscript");
    EXPECT_EQ(PostScriptText("Laser", false), "Printer Laser does not support Postscript");
    EXPECT_EQ(PageSizeText(297, 7016), "297 mm  /  7016 pixels");
    EXPECT_EQ(PhysicalSizeText(4961), "4961 ");
    EXPECT_EQ(DpiText(600), "600 DPI");
}

TEST(PrinterText, PaperBinsPairNamesWithNumbers) {
    std::array<char, 3 * kBinNameLength> names{};
    std::memcpy(names.data(), "Upper tray", 10);
    // A name of all 24 characters has no terminating zero.
    std::memcpy(names.data() + kBinNameLength, "ABCDEFGHIJKLMNOPQRSTUVWX", kBinNameLength);
    std::memcpy(names.data() + 2 * kBinNameLength, "Manual", 6);
    const std::uint16_t numbers[] = {1, 4, 257};
    const auto bins = DecodePaperBins(names, numbers);
    ASSERT_EQ(bins.size(), 3u);
    EXPECT_EQ(bins[0].name, "Upper tray");
    EXPECT_EQ(bins[0].number, 1);
    EXPECT_EQ(bins[1].name, "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(bins[2].name, "Manual");
    EXPECT_EQ(bins[2].number, 257);
    // As many as both answers hold: a short name buffer or a short number list ends the list.
    EXPECT_EQ(DecodePaperBins(std::span(names).first(2 * kBinNameLength + 5), numbers).size(), 2u);
    EXPECT_EQ(DecodePaperBins(names, std::span(numbers).first(1)).size(), 1u);
    EXPECT_TRUE(DecodePaperBins({}, {}).empty());
}

}  // namespace
}  // namespace brimlow
