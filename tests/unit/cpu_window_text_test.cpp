// The processor window's texts: the WMI record's rule, the chip, family and processor-ID lines,
// the feature check-list items and the second WMI pass's field map.
#include "cpu/cpu_window_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace brimlow::cpu {
namespace {

// A query table as WmiQueryTable leaves it: the header, then one row per instance.
TStringTable Table(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows) {
    TStringTable table;
    table.Resize(rows.size() + 1, header.size());
    for (std::size_t c = 0; c < header.size(); ++c) table.SetCell(0, c, header[c]);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) table.SetCell(r + 1, c, rows[r][c]);
    return table;
}

TEST(CpuInfoRecord, FilledFromTheOnlyInstance) {
    const TStringTable table =
        Table({"Instance", "ExtClock", "MaxClockSpeed", "Name", "ProcessorId", "Manufacturer"},
              {{"1", "133", "2992", "Pentium 4", "BFEBFBFF00000F29", "GenuineIntel"}});
    const Tcpuinfo record = CpuInfoRecord(table, 1, 5);
    EXPECT_EQ(record.ExtClock, "133");
    EXPECT_EQ(record.MaxClockSpeed, "2992");
    EXPECT_EQ(record.Name, "Pentium 4");
    EXPECT_EQ(record.Manufacturer, "GenuineIntel");
    EXPECT_EQ(record.ProcessorID, "") << "names match exactly: ProcessorId is not ProcessorID";
    EXPECT_EQ(record.L2CacheSize, "") << "a property the table lacks";
}

TEST(CpuInfoRecord, EmptyUnlessExactlyOneInstanceAndMoreThanOneProperty) {
    const TStringTable one = Table({"Instance", "ExtClock"}, {{"1", "133"}});
    const TStringTable two = Table({"Instance", "ExtClock"}, {{"1", "100"}, {"2", "133"}});
    const struct {
        const char* name;
        const TStringTable& table;
        int instances, result;
    } cases[] = {
        {"two instances", two, 2, 2},
        {"a failed query", one, 1, -1},
        {"no instance", one, 0, 0},
        {"only one property", one, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CpuInfoRecord(c.table, c.instances, c.result), Tcpuinfo{});
    }
    EXPECT_EQ(CpuInfoRecord(one, 1, 2).ExtClock, "133");
}

TEST(CpuInfoRecord, ThirteenPropertiesInRecordOrder) {
    std::vector<std::string> names;
    for (const CpuInfoField& f : CpuInfoFields()) names.push_back(f.property);
    EXPECT_EQ(names, (std::vector<std::string>{"ExtClock", "MaxClockSpeed", "CurrentVoltage", "DataWidth", "Family",
                                               "L2CacheSize", "L2CacheSpeed", "SocketDesignation", "ProcessorID",
                                               "ProcessorType", "Revision", "Manufacturer", "Name"}));
    // Every property fills its own field.
    std::vector<std::string> header{"Instance"}, values{"1"};
    for (const CpuInfoField& f : CpuInfoFields()) {
        header.push_back(f.property);
        values.push_back(std::string("v-") + f.property);
    }
    const Tcpuinfo record = CpuInfoRecord(Table(header, {values}), 1, 13);
    for (const CpuInfoField& f : CpuInfoFields()) EXPECT_EQ(record.*f.field, std::string("v-") + f.property);
}

TEST(CpuWindowText, ChipFamilyAndProcessorIdLines) {
    EXPECT_EQ(CpuChipText(2, "Pentium 4"), "2 x Pentium 4");
    EXPECT_EQ(CpuChipText(4, ""), "4 x ") << "an unknown model";
    EXPECT_EQ(CpuChipText(1, "  K7 \t"), "1 x K7");
    ProcessorSignature sig;
    sig.family = 15;
    sig.model = 2;
    sig.stepping = 9;
    EXPECT_EQ(SignatureText(sig), "Model ID: Family 15  Model 2  Stepping 9");
    EXPECT_EQ(ProcessorIdText(sig), "0F29");
    sig.family = 6;
    sig.model = 15;
    sig.stepping = 2;
    EXPECT_EQ(ProcessorIdText(sig), "06F2");
    sig = {};
    EXPECT_EQ(ProcessorIdText(sig), "0000");
    EXPECT_EQ(SignatureText(sig), "Model ID: Family 0  Model 0  Stepping 0");
}

TEST(CpuWindowText, TrimBlanksTakesBlanksAndControlCharactersFromBothEnds) {
    EXPECT_EQ(TrimBlanks("              Intel(R) Pentium(R) 4 CPU 2.80GHz"), "Intel(R) Pentium(R) 4 CPU 2.80GHz");
    EXPECT_EQ(TrimBlanks("AMD EPYC  "), "AMD EPYC");
    EXPECT_EQ(TrimBlanks(" a  b "), "a  b") << "blanks inside stay";
    EXPECT_EQ(TrimBlanks("\t\r\n"), "");
    EXPECT_EQ(TrimBlanks(""), "");
}

TEST(FeatureItems, TwentyFiveItemsEndingWithTheDivisionFlaw) {
    TCPUFeatures features;
    features.MMX = true;
    features.FPU = true;
    std::vector<std::string> lines;
    FeatureListLines(features, true, lines);
    lines.push_back(FdivLine(false));
    const std::vector<FeatureItem> items = FeatureItems(lines);
    ASSERT_EQ(items.size(), 25u);
    EXPECT_EQ(items[0], (FeatureItem{"3D Now! extensions", false}));
    EXPECT_EQ(items[5], (FeatureItem{"MMX extensions", true}));
    EXPECT_EQ(items[9], (FeatureItem{"CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes", false}));
    EXPECT_EQ(items[23], (FeatureItem{"Built-In FPU", true}));
    EXPECT_EQ(items[24], (FeatureItem{"FDIV Bug", false}));
    EXPECT_EQ(FeatureItems({FdivLine(true)}), (std::vector<FeatureItem>{{"FDIV Bug", true}}));
}

TEST(FeatureItems, OnlyExactlyYesAfterTheColonAndItsBlankChecks) {
    const std::vector<FeatureItem> items =
        FeatureItems({"A: Yes", "B: yes", "C: Yes ", "D:Yes", "E: No", "F: Yes: more", "no colon", "G:", "H: "});
    EXPECT_EQ(items, (std::vector<FeatureItem>{{"A", true},
                                               {"B", false},
                                               {"C", false},
                                               {"D", false},  // the character after the colon is skipped
                                               {"E", false},
                                               {"F", false},  // split at the first colon
                                               {"no colon", false},
                                               {"G", false},
                                               {"H", false}}));
}

TEST(SecondPass, ThirteenPropertiesInReadingOrderEachToItsField) {
    std::vector<std::pair<std::string, std::string>> map;
    for (const WmiFieldTarget& t : SecondPassFields()) map.emplace_back(t.property, t.control);
    EXPECT_EQ(map, (std::vector<std::pair<std::string, std::string>>{
                       {"DataWidth", "info12"},
                       {"Revision", "info13"},
                       {"L2CacheSize", "info14"},
                       {"L2CacheSpeed", "info15"},
                       {"Status", "Info5"},
                       {"SocketDesignation", "info11"},
                       {"MaxClockSpeed", "info10"},
                       {"CurrentVoltage", "info9"},
                       {"ExtClock", "Info8"},
                       {"Manufacturer", "Info4"},
                       {"DeviceID", "Edit10"},
                       {"Description", "Edit1"},
                       {"ProcessorID", "Info7"},
                   }));
}

}  // namespace
}  // namespace brimlow::cpu
