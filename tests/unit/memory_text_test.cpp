// The memory window's texts: byte counts with their megabyte figure, the address range, the
// module rows found by property name, and the module total.
#include "sysconfig/memory_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace brimlow {
namespace {

struct SizeCase {
    std::uint64_t bytes;
    const char* text;
};

// Figures as GlobalMemoryStatusEx gave them to a 32-bit process on a 4 GB machine and to a 64-bit
// process, with the edges of the megabyte figure.
TEST(MemoryText, SizeTexts) {
    const SizeCase cases[] = {
        {8589934592ull, "8,589,934,592 bytes   (8193 MB)"},
        {4294967296ull, "4,294,967,296 bytes   (4097 MB)"},  // exact multiple: still one more
        {3219890176ull, "3,219,890,176 bytes   (3071 MB)"},
        {2147352576ull, "2,147,352,576 bytes   (2048 MB)"},  // 32-bit virtual total
        {140737488224256ull, "140,737,488,224,256 bytes   (134217728 MB)"},  // 64-bit virtual total
        {0, "0 bytes   (1 MB)"},
        {999, "999 bytes   (1 MB)"},
        {1000, "1,000 bytes   (1 MB)"},
        {UINT64_MAX, "18,446,744,073,709,551,615 bytes   (17592186044416 MB)"},
    };
    for (const SizeCase& c : cases) EXPECT_EQ(MemorySizeText(c.bytes, ","), c.text) << c.bytes;
    EXPECT_EQ(MemorySizeText(1048576, "."), "1.048.576 bytes   (2 MB)");
    EXPECT_EQ(GroupedBytesText(65536, ","), "65,536 bytes");
    EXPECT_EQ(GroupedBytesText(4096, "\xA0"), "4\xA0" "096 bytes");
}

TEST(MemoryText, AddressRangeHasAtLeastEightDigits) {
    EXPECT_EQ(AddressRangeText(0x10000, 0x7FFEFFFF), "00010000 - 7FFEFFFF");
    EXPECT_EQ(AddressRangeText(0x10000, 0xFFFEFFFF), "00010000 - FFFEFFFF");  // large-address-aware on 64-bit
    EXPECT_EQ(AddressRangeText(0x10000, 0x7FFFFFFEFFFFull), "00010000 - 7FFFFFFEFFFF");
}

// A table as WmiQueryTable fills it: the header, then one row per module.
TStringTable Table(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows) {
    TStringTable table;
    table.Resize(rows.size() + 1, header.size());
    for (std::size_t c = 0; c < header.size(); ++c) table.SetCell(0, c, header[c]);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) table.SetCell(r + 1, c, rows[r][c]);
    return table;
}

TEST(MemoryText, ModuleCellsFoundByName) {
    // Not the numbered order of the full class: another provider's set, shuffled.
    const TStringTable table = Table(
        {"Speed", "Capacity", "Caption", "DeviceLocator", "Manufacturer", "BankLabel", "DataWidth"},
        {{"1333", "2147483648", "Physical Memory", "DIMM 0", "Maker", "BANK 0", "64"},
         {"NULL", "1073741824", "Physical Memory", "DIMM 1", "Other", "BANK 1", "64"},
         {"800", "1073741824", "Physical Memory", "DIMM 2", "NULL", "BANK 2", "NULL"}});
    const std::vector<MemoryModuleRow> rows = MemoryModuleRows(table, 3);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].bank, "BANK 0");
    EXPECT_EQ(rows[0].device, "DIMM 0");
    EXPECT_EQ(rows[0].dataWidth, "64");
    EXPECT_EQ(rows[0].capacity, "2147483648");
    EXPECT_EQ(rows[0].speed, "1333");
    EXPECT_EQ(rows[0].manufacturer, "Maker");
    // A null speed leaves its own cell empty; the manufacturer stays in its column.
    EXPECT_EQ(rows[1].speed, "");
    EXPECT_EQ(rows[1].manufacturer, "Other");
    EXPECT_EQ(rows[2].speed, "800");
    EXPECT_EQ(rows[2].manufacturer, "");
    EXPECT_EQ(ModuleTotalText(rows), "4294967296 (4 GB)");
}

TEST(MemoryText, MissingPropertiesGiveEmptyCells) {
    const TStringTable table = Table({"BankLabel", "Capacity"}, {{"BANK 0", "536870912"}});
    const std::vector<MemoryModuleRow> rows = MemoryModuleRows(table, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].device, "");
    EXPECT_EQ(rows[0].speed, "");
    EXPECT_EQ(rows[0].capacity, "536870912");
    // An instance count beyond the table's rows reads nothing more.
    EXPECT_EQ(MemoryModuleRows(table, 4).size(), 1u);
    EXPECT_TRUE(MemoryModuleRows(TStringTable(), 0).empty());
}

std::vector<MemoryModuleRow> Modules(const std::vector<std::string>& capacities) {
    std::vector<MemoryModuleRow> rows;
    for (const std::string& capacity : capacities) rows.push_back({"", "", "", capacity, "", ""});
    return rows;
}

TEST(MemoryText, TotalOverEveryModule) {
    struct Case {
        std::vector<std::string> capacities;
        const char* text;
    };
    const Case cases[] = {
        {{}, "0 (0 GB)"},
        {{"8589934592"}, "8589934592 (8 GB)"},
        {{"2147483648", "1073741824"}, "3221225472 (3 GB)"},
        {{"1073741824", "536870912"}, "1610612736 (1 GB)"},  // 1.5 GiB rounds down
        {{"1073741824", "1073741824", "1073741824", "1073741824", "1073741824"}, "5368709120 (5 GB)"},
        // Six modules: all six count.
        {{"1073741824", "1073741824", "1073741824", "1073741824", "1073741824", "1073741824"}, "6442450944 (6 GB)"},
        {{" 1073741824 "}, "1073741824 (1 GB)"},  // blanks trimmed
        {{"1073741824", "NULL"}, ""},
        {{"1073741824", ""}, ""},
        {{"-1"}, ""},
        {{"12ab"}, ""},
        {{"18446744073709551615", "1"}, ""},  // the sum would not fit
    };
    for (const Case& c : cases) EXPECT_EQ(ModuleTotalText(Modules(c.capacities)), c.text) << c.capacities.size();
}

TEST(MemoryText, SixModulesAreAllListed) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 6; ++i) rows.push_back({"BANK " + std::to_string(i), "1073741824"});
    const std::vector<MemoryModuleRow> modules = MemoryModuleRows(Table({"BankLabel", "Capacity"}, rows), 6);
    ASSERT_EQ(modules.size(), 6u);
    EXPECT_EQ(modules[5].bank, "BANK 5");
}

}  // namespace
}  // namespace brimlow
