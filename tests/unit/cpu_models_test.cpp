// Model and core names: the conditions inside a family, the rows that name nothing, the generic
// rows, and the ANSI spelling of the texts.
#include "cpu/cpu_models.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace brimlow {
namespace {

constexpr int kIntel = 1, kAmd = 2, kCyrix = 3, kCentaur = 4, kNexGen = 5, kUmc = 6, kRise = 7;

struct Case {
    const char* what;
    ModelLookupInputs in;  // vendor, family, model, type, brand index, L2, clock
    const char* modelName;
    const char* coreName;
    std::int32_t transistors;
};

const Case kCases[] = {
    {"Intel 6/15 is newer than the table", {kIntel, 6, 15}, "Pentium II", "", 0},
    {"Intel 6/2", {kIntel, 6, 2}, "Pentium II", "", 0},
    {"Intel 15 whatever the model", {kIntel, 15, 0}, "Pentium 4", "Northwood", 0},
    {"Intel 15/13", {kIntel, 15, 13, 0, 9, 512}, "Pentium 4", "Northwood", 0},
    {"Intel 6/3 OverDrive", {kIntel, 6, 3, 1, 0, 512}, "Pentium II OverDrive", "Klamath (0.35 \xB5m)", 7500000},
    {"Intel 6/3 type 0", {kIntel, 6, 3, 0, 0, 512}, "Pentium II", "Klamath (0.35 \xB5m)", 7500000},
    {"Intel 6/3 type 2 is no OverDrive", {kIntel, 6, 3, 2, 0, 512}, "Pentium II", "Klamath (0.35 \xB5m)", 7500000},
    {"Intel 6/3 with 333 KB", {kIntel, 6, 3, 1, 0, 333}, "Pentium II OverDrive", "P6T (0.25 \xB5m)", 7500000},
    {"OverDrive only for 6/3", {kIntel, 5, 3, 1}, "Pentium", "P24T", 0},
    {"Intel 6/5 512 KB", {kIntel, 6, 5, 0, 0, 512}, "Pentium II", "Deschutes (0,25\xB5m)", 7500000},
    {"Intel 6/5 513 KB", {kIntel, 6, 5, 0, 0, 513}, "Pentium II Xeon", "Deschutes (0.25 \xB5m)", 7500000},
    {"Intel 6/5 1024 KB", {kIntel, 6, 5, 0, 0, 1024}, "Pentium II Xeon", "Deschutes (0.25 \xB5m)", 7500000},
    {"Intel 6/5 no L2", {kIntel, 6, 5, 0, 0, 0}, "Celeron", "Covington (0,25\xB5m)", 7500000},
    {"Intel 6/5 128 KB", {kIntel, 6, 5, 0, 0, 128}, "Pentium II", "Deschutes (0,25\xB5m)", 7500000},
    {"Intel 6/6 128 KB", {kIntel, 6, 6, 0, 0, 128}, "Celeron A", "Mendocino (0.25 \xB5m)", 19000000},
    {"Intel 6/6 255 KB", {kIntel, 6, 6, 0, 0, 255}, "Celeron A", "Mendocino (0.25 \xB5m)", 19000000},
    {"Intel 6/6 256 KB", {kIntel, 6, 6, 0, 0, 256}, "Pentium II PE (mobile)", "Dixon (0.25 \xB5m)", 27400000},
    {"Intel 6/7 512 KB", {kIntel, 6, 7, 0, 0, 512}, "Pentium III", "Katmai (0.25 \xB5m)", 9500000},
    {"Intel 6/7 513 KB", {kIntel, 6, 7, 0, 0, 513}, "Pentium III Xeon", "Tanner (0.25 \xB5m)", 9500000},
    {"Intel 7 brand 2, 1024 KB", {kIntel, 7, 0, 0, 2, 1024}, "Pentium III Xeon", "", 0},
    {"Intel 7 brand 2, 1023 KB", {kIntel, 7, 0, 0, 2, 1023}, "Pentium III", "", 0},
    {"Intel 7 brand 4", {kIntel, 7, 3, 0, 4, 0}, "Pentium IV", "", 0},
    {"Intel 8 brand 1 before the cache", {kIntel, 8, 9, 0, 1, 2048}, "Celeron", "", 0},
    {"Intel 8 brand 3", {kIntel, 8, 0, 0, 3, 0}, "Pentium III Xeon", "", 0},
    {"Intel 10", {kIntel, 10, 4}, "Pentium III Xeon", "", 0},
    {"Intel 5/5", {kIntel, 5, 5}, "DX4", "", 0},
    {"Intel 5/12", {kIntel, 5, 12}, "Pentium", "", 0},
    {"Intel 4/1", {kIntel, 4, 1}, "i80486DX", "P4", 1250000},
    {"Intel 4/9", {kIntel, 4, 9}, "i80486DX4WB", "P24C", 1600000},
    {"Intel 4/6 names nothing", {kIntel, 4, 6}, "", "", 0},
    {"Intel 4/15 names nothing", {kIntel, 4, 15}, "", "", 0},
    {"Intel 3", {kIntel, 3, 0}, "INTEL", "", 0},
    {"Intel 9", {kIntel, 9, 0}, "INTEL", "", 0},

    {"AMD 15/12", {kAmd, 15, 12}, "", "", 0},
    {"AMD 15/15", {kAmd, 15, 15}, "Athlon 64", "", 0},
    {"AMD 4/1", {kAmd, 4, 1}, "", "", 0},
    {"AMD 4/14", {kAmd, 4, 14}, "Am5x86", "X5", 1600000},
    {"AMD 4/9", {kAmd, 4, 9}, "Am486DX4", "P24C", 1250000},
    {"AMD 5/0", {kAmd, 5, 0}, "K5", "SSA5 (0.50-0.35 \xB5m)", 4300000},
    {"AMD 5/3", {kAmd, 5, 3}, "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)", 4300000},
    {"AMD 5/4 names nothing", {kAmd, 5, 4}, "", "", 0},
    {"AMD 6/0", {kAmd, 6, 0}, "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    {"AMD 6/15", {kAmd, 6, 15}, "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    {"AMD 7", {kAmd, 7, 0}, "AMD", "", 0},

    {"Cyrix 7 is name only", {kCyrix, 7, 0}, "CYRIX", "", 0},
    {"Cyrix 4/0 without a clock", {kCyrix, 4, 0}, "", "", 0},
    {"Cyrix 4/0 at 20 MHz", {kCyrix, 4, 0, 0, 0, 0, 20}, "Cx486SLC/DLC", "M0.5", 600000},
    {"Cyrix 4/0 at 66 MHz", {kCyrix, 4, 0, 0, 0, 0, 66}, "Cx486SLC/DLC", "M0.5", 600000},
    {"Cyrix 4/0 at 33 MHz", {kCyrix, 4, 0, 0, 0, 0, 33}, "Cx486S", "M0.6", 600000},
    {"Cyrix 4/0 at 50 MHz", {kCyrix, 4, 0, 0, 0, 0, 50}, "Cx486S", "M0.6", 600000},
    {"Cyrix 4/0 at 67 MHz", {kCyrix, 4, 0, 0, 0, 0, 67}, "Cx486DX/DX2/DX4", "M0.7", 1100000},
    {"Cyrix 4/0 at 40 MHz", {kCyrix, 4, 0, 0, 0, 0, 40}, "", "", 0},
    {"Cyrix 4/4", {kCyrix, 4, 4}, "Media GX", "Gx86", 24000000},
    {"Cyrix 4/9", {kCyrix, 4, 9}, "5x86", "M0.9 or M1sc (0.65 \xB5m)", 20000000},
    {"Cyrix 6/0 without a clock", {kCyrix, 6, 0}, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)", 65000000},
    {"Cyrix 6/0 at 224 MHz", {kCyrix, 6, 0, 0, 0, 0, 224}, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)", 65000000},
    {"Cyrix 6/0 at 225 MHz", {kCyrix, 6, 0, 0, 0, 0, 225}, "M-II (PR300-433)", "M2 (0.35-0.25 \xB5m)", 65000000},
    {"Cyrix 6/5", {kCyrix, 6, 5}, "VIA Cyrix III", "", 0},
    {"Cyrix 6/1 names nothing", {kCyrix, 6, 1}, "", "", 0},
    {"Cyrix 5/3 names nothing", {kCyrix, 5, 3}, "", "", 0},

    {"Centaur 5/9", {kCentaur, 5, 9}, "WinChip 3", "W3 (0.25 \xB5m)", 90000000},
    {"Centaur 5/5 names nothing", {kCentaur, 5, 5}, "", "", 0},
    {"Centaur 6 is name only", {kCentaur, 6, 9}, "IDT", "", 0},

    {"NexGen 5/0", {kNexGen, 5, 0}, "Nx586", "Nx5x86 (0.50-0.44 \xB5m)", 35000000},
    {"NexGen 5/6", {kNexGen, 5, 6}, "Nx686", "HA (0,50\xB5m)", 60000000},
    {"NexGen 5/1 names nothing", {kNexGen, 5, 1}, "", "", 0},
    {"NexGen 4 is name only", {kNexGen, 4, 0}, "NEXGEN", "", 0},

    {"UMC 4/1", {kUmc, 4, 1}, "U5D", "U5D and U5S", 12000000},
    {"UMC 4/2", {kUmc, 4, 2}, "U5S", "U5D and U5S", 12000000},
    {"UMC 4/3", {kUmc, 4, 3}, "U486DX2", "U5D and U5S", 12000000},
    {"UMC 4/4", {kUmc, 4, 4}, "U486SX2", "U5D and U5S", 12000000},
    {"UMC 4/0 keeps the name as it was", {kUmc, 4, 0}, "", "U5D and U5S", 12000000},
    {"UMC 4/9 keeps the name as it was", {kUmc, 4, 9}, "", "U5D and U5S", 12000000},
    {"UMC 5 is name only", {kUmc, 5, 1}, "UMC", "", 0},

    {"Rise 4/0", {kRise, 4, 0}, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
    {"Rise 4/2", {kRise, 4, 2}, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
    {"Rise 4/1 names nothing", {kRise, 4, 1}, "", "", 0},
    {"Rise 5 is name only", {kRise, 5, 2}, "RISE", "", 0},

    {"unknown vendor", {0, 6, 8}, "", "", 0},
    {"vendor index past the table", {8, 6, 8}, "", "", 0},
    {"negative vendor index", {-1, 4, 0}, "", "", 0},
};

TEST(ProcessorModelLookup, Cases) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const ModelLookupResult r = ProcessorModelLookup(c.in);
        EXPECT_EQ(r.modelName, c.modelName);
        EXPECT_EQ(r.coreName, c.coreName);
        EXPECT_EQ(r.transistors, c.transistors);
    }
}

// Every family a vendor does not list falls to its generic row, whatever the model.
TEST(ProcessorModelLookup, UnlistedFamiliesGetTheVendorsGenericName) {
    struct Vendor {
        int index;
        std::set<int> listed;
        const char* generic;
    };
    const Vendor vendors[] = {
        {kIntel, {4, 5, 6, 7, 8, 10, 15}, "INTEL"}, {kAmd, {4, 5, 6, 15}, "AMD"}, {kCyrix, {4, 5, 6}, "CYRIX"},
        {kCentaur, {5}, "IDT"},                      {kNexGen, {5}, "NEXGEN"},   {kUmc, {4}, "UMC"},
        {kRise, {4}, "RISE"},
    };
    for (const Vendor& v : vendors) {
        for (int family = 0; family < 16; ++family) {
            if (v.listed.count(family)) continue;
            for (int model = 0; model < 16; ++model) {
                SCOPED_TRACE(testing::Message() << v.generic << " " << family << "/" << model);
                const ModelLookupResult r = ProcessorModelLookup({v.index, family, model, 1, 4, 1024, 300});
                EXPECT_EQ(r.modelName, v.generic);
                EXPECT_EQ(r.coreName, "");
                EXPECT_EQ(r.transistors, 0);
            }
        }
    }
}

// The program's texts are code page 1252: the micro sign is one byte, 0xB5, and nothing else in
// the table lies outside ASCII.
TEST(ProcessorModelLookup, MicroSignIsOneAnsiByte) {
    const ModelLookupResult p55c = ProcessorModelLookup({kIntel, 5, 4});
    EXPECT_EQ(p55c.coreName.size(), 13u);  // "P55C (0,28µm)"
    EXPECT_EQ(p55c.coreName[10], '\xB5');
    EXPECT_EQ(ProcessorModelLookup({kIntel, 6, 8}).coreName.size(), 20u);  // "Coppermine (0.18 µm)"

    int withMicro = 0;
    for (const ModelRow& row : ProcessorModelTable()) {
        for (const char* text : {row.modelName, row.coreName}) {
            if (!text) continue;
            const std::string s = text;
            SCOPED_TRACE(s);
            for (std::size_t i = 0; i < s.size(); ++i) {
                const unsigned char c = static_cast<unsigned char>(s[i]);
                if (c < 0x80) continue;
                EXPECT_EQ(c, 0xB5u);
                EXPECT_EQ(s.substr(i + 1, 2), "m)");
                ++withMicro;
            }
        }
    }
    EXPECT_GT(withMicro, 30);
}

}  // namespace
}  // namespace brimlow
