#include "app/hardware_text.h"
#include "app/summary_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace brimlow {
namespace {

TEST(MemoryText, MegabytesPlusOneAlways) {
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {1073741824ull, "1025 MB"},  // exactly 1 GB still gains the one
        {1073741823ull, "1024 MB"},
        {0, "1 MB"},
        {25276133376ull, "24106 MB"},
        {3ull << 40, "3145729 MB"},  // beyond 32 bits: the count is not cut
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(MemoryText(c.bytes), c.text);
    }
}

TEST(ClockText, OneDecimalInAtLeastFourColumns) {
    EXPECT_EQ(ClockText(2599.2049), "2599.2 MHz");
    EXPECT_EQ(ClockText(0.0), " 0.0 MHz");
    EXPECT_EQ(ClockText(66.66), "66.7 MHz");
}

TEST(DiskSize, GigabytesOnlyAboveOneGigabyte) {
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {500000000000ull, "465.7GB"},
        {943718400ull, "900.0MB"},
        {1073741824ull, "1024.0MB"},  // the GB form needs more than 1 GB
        {1073741825ull, "1.0GB"},
        {0, "0.0MB"},
        {52428ull, "0.0MB"},
        {4398046511104ull, "4096.0GB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(DiskSizeText(c.bytes), c.text);
    }
}

TEST(FixedDiskEntries, LongAndShortForms) {
    std::string list, card;
    AppendFixedDiskEntry(list, 'C', 500000000000ull);
    AppendFixedDiskEntry(list, 'E', 943718400ull);
    AppendFixedDiskShortEntry(card, 500000000000ull);
    AppendFixedDiskShortEntry(card, 943718400ull);
    EXPECT_EQ(list, "C:  465.7GB | E:  900.0MB | ");
    EXPECT_EQ(CleanListText(list), "C:  465.7GB | E:  900.0MB");
    // The hardware card's form: no letter, no separator, two blanks after each size.
    EXPECT_EQ(card, "465.7GB  900.0MB  ");
}

TEST(PowerTexts, LineAndBatteryTables) {
    const struct {
        std::uint8_t code;
        const char* line;
        const char* battery;
    } cases[] = {
        {0, "OffLine", "High"}, {1, "OnLine", "High"},      {2, "Unknown", "Low"},
        {4, "Unknown", "Critical"}, {8, "Unknown", "Charging"}, {128, "Unknown", "No Battery"},
        {9, "Unknown", "Unknown"},  // high and charging at once
        {255, "Unknown", "Unknown"}, {3, "Unknown", "Unknown"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int{c.code});
        EXPECT_EQ(AcLineText(c.code), c.line);
        EXPECT_EQ(BatteryFlagText(c.code), c.battery);
    }
    // Each code appears once in each table.
    for (const auto table : {AcLineTable(), BatteryFlagTable()})
        for (std::size_t i = 0; i < table.size(); ++i)
            for (std::size_t j = i + 1; j < table.size(); ++j) EXPECT_NE(table[i].code, table[j].code);
}

TEST(MouseDescription, ButtonsWheelPresence) {
    EXPECT_EQ(MouseDescription(1, 1, 3), "3 Button Wheel Mouse Present");
    EXPECT_EQ(MouseDescription(1, 0, 2), "2 Button Mouse Present");
    EXPECT_EQ(MouseDescription(1, 1, 0), "Wheel Mouse Present");
    EXPECT_EQ(MouseDescription(1, 0, 0), "Mouse Present");
    EXPECT_EQ(MouseDescription(0, 1, 3), "");
}

TEST(ParallelPortNames, DosNamesUpToNineThenDevicePaths) {
    EXPECT_EQ(ParallelPortNameCount(2), 256);
    EXPECT_EQ(ParallelPortNameCount(1), 9);
    EXPECT_EQ(ParallelPortNameCount(0), 9);
    EXPECT_EQ(ParallelPortName(1), "LPT1");
    EXPECT_EQ(ParallelPortName(9), "LPT9");
    EXPECT_EQ(ParallelPortName(10), "\\\\.\\LPT10");
    EXPECT_EQ(ParallelPortName(256), "\\\\.\\LPT256");
}

TEST(LastPathComponent, AfterTheLastBackslash) {
    EXPECT_EQ(LastPathComponent("\\DosDevices\\LPT1"), "LPT1");
    EXPECT_EQ(LastPathComponent("LPT2"), "LPT2");
    EXPECT_EQ(LastPathComponent("\\DosDevices\\"), "");
    EXPECT_EQ(LastPathComponent(""), "");
}

TEST(BiosSummaryText, CleanedTwiceLeavesThreeFields) {
    const std::string raw = BiosSummaryText("AT/AT COMPATIBLE", "06/23/99", "PhoenixBIOS 4.0 Release 6.0");
    EXPECT_EQ(raw, "AT/AT COMPATIBLE | 06/23/99 | PhoenixBIOS 4.0 Release 6.0 |  | ");
    EXPECT_EQ(CleanListText(CleanListText(raw)), "AT/AT COMPATIBLE | 06/23/99 | PhoenixBIOS 4.0 Release 6.0");
    // Wine has an identifier only.
    EXPECT_EQ(CleanListText(CleanListText(BiosSummaryText("AT compatible", "", ""))), "AT compatible |  |");
}

TEST(HostControllerText, CountOrPlaceholder) {
    EXPECT_EQ(HostControllerText(0), "Not Detected");
    EXPECT_EQ(HostControllerText(1), "1 host controllers.");
    EXPECT_EQ(HostControllerText(4), "4 host controllers.");
}

TEST(ScreenTexts, SizeAndDepth) {
    EXPECT_EQ(ScreenSizeText(1024, 768) + " - " + ColorDepthText(32), "1024 X 768 - 32 bit");
}

TEST(InquiryIdentification, FromByteEightToTheFirstZero) {
    std::vector<std::uint8_t> reply(100, 0);
    const std::string id = "TSSTcorpCDDVDW SH-S223C SB01";
    std::copy(id.begin(), id.end(), reply.begin() + 8);
    EXPECT_EQ(InquiryIdentificationText(reply), id);

    // No zero at all: the text ends with the reply.
    std::vector<std::uint8_t> full(100, 'A');
    EXPECT_EQ(InquiryIdentificationText(full), std::string(92, 'A'));
    EXPECT_EQ(InquiryIdentificationText(std::vector<std::uint8_t>(8, 'A')), "");
    EXPECT_EQ(InquiryIdentificationText({}), "");
}

TEST(OpticalDriveEntry, ModelCutToVendorAndProduct) {
    std::string list;
    AppendOpticalDriveEntry(list, 'D', "TSSTcorpCDDVDW SH-S223C SB01");
    AppendOpticalDriveEntry(list, 'E', "");
    EXPECT_EQ(list, "D: TSSTcorpCDDVDW SH-S223C  | E:  | ");
    EXPECT_EQ(CleanListText(list), "D: TSSTcorpCDDVDW SH-S223C  | E:");
}

}  // namespace
}  // namespace brimlow
