// The CPUID decoders on hand-made register values: the corners that the recorded dumps of real
// processors do not reach.
#include "cpu/cpuid.h"
#include "cpu/cpuid_recorded.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace brimlow {

static void PrintTo(const TCPUCache& c, std::ostream* os) {
    *os << "Level2 " << c.Level2 << ", Level1 " << c.Level1 << ", L1Data " << c.L1Data << ", L1Code " << c.L1Code;
}

namespace {

CpuidRegisters Regs(std::uint32_t eax, std::uint32_t ebx, std::uint32_t ecx, std::uint32_t edx) {
    return {eax, ebx, ecx, edx};
}

std::uint32_t Word(const char* four) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(four[i]);
    return v;
}

// Leaf 0 as a processor would give it for a twelve-character vendor text.
CpuidRegisters Leaf0For(const char* vendor) { return Regs(1, Word(vendor), Word(vendor + 8), Word(vendor + 4)); }

std::set<std::string> FlagsSet(const TCPUFeatures& f) {
    std::set<std::string> names;
    for (const FeatureProperty& p : PublishedFeatureProperties())
        if (f.*p.flag) names.insert(p.name);
    return names;
}

TEST(CpuidSignature, FieldsComeFromTheirBits) {
    struct Row {
        std::uint32_t eax, ebx;
        int family, model, stepping, type, brandIndex;
    };
    const Row rows[] = {
        {0x00000F29, 0x00020809, 15, 2, 9, 0, 9},
        {0x000106A5, 0, 6, 10, 5, 0, 0},       // extended model 1 is not looked at
        {0x00090672, 0, 6, 7, 2, 0, 0},        // nor extended model 9
        {0x00A20F10, 0, 15, 1, 0, 0, 0},       // nor extended family 0x0A
        {0x00001632, 0, 6, 3, 2, 1, 0},        // OverDrive
        {0x00002544, 0, 5, 4, 4, 2, 0},        // second processor of a dual board
        {0xFFFFFFFF, 0x12345678, 15, 15, 15, 3, 0x78},
        {0, 0, 0, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << r.eax);
        const ProcessorSignature s = DecodeSignature(Regs(r.eax, r.ebx, 0xFFFFFFFF, 0xFFFFFFFF));
        EXPECT_EQ(s.family, r.family);
        EXPECT_EQ(s.model, r.model);
        EXPECT_EQ(s.stepping, r.stepping);
        EXPECT_EQ(s.type, r.type);
        EXPECT_EQ(s.brandIndex, r.brandIndex);
    }
}

TEST(CpuidVendor, TextIsEbxEdxEcxLowByteFirst) {
    EXPECT_EQ(VendorText(Regs(0, 0x756E6547, 0x6C65746E, 0x49656E69)), "GenuineIntel");
    // Zero bytes stay in the text as characters.
    const std::string withZeros = VendorText(Regs(0, 0x00004241, 0, 0x43000000));
    ASSERT_EQ(withZeros.size(), 12u);
    EXPECT_EQ(withZeros, std::string("AB\0\0\0\0\0C\0\0\0\0", 12));
}

TEST(CpuidVendor, TableRowsAndMisses) {
    struct Row {
        std::string text;
        int index;
        const char* company;
    };
    const Row rows[] = {
        {"GenuineIntel", 1, "Intel Corporation"},
        {"AuthenticAMD", 2, "Advanced Micro Devices"},
        {"CyrixInstead", 3, "Cyrix Corporation"},
        {"CentaurHauls", 4, "IDT/Centaur"},
        {"NexGenDriven", 5, "NexGen Inc."},
        {"UMC UMC UMC ", 6, "United Microelectronics Corp"},
        {"RiseRiseRise", 7, "Rise Technology"},
        {"UMC UMC UMC", 0, ""},        // eleven characters never come from the registers
        {"genuineintel", 0, ""},       // case counts
        {"GenuineTMx86", 0, ""},       // shares its first word with Intel
        {"GenuineIntel ", 0, ""},
        {std::string("GenuineIntel", 11) + '\0', 0, ""},
        {"", 0, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const CpuVendor v = LookupVendor(r.text);
        EXPECT_EQ(v.index, r.index);
        EXPECT_EQ(v.company, r.company);
    }
}

TEST(CpuidVendor, EveryRowIsReachableFromRegisters) {
    for (const CpuVendorRow& row : CpuVendorTable()) {
        SCOPED_TRACE(row.vendorText);
        ASSERT_EQ(std::strlen(row.vendorText), 12u);
        EXPECT_EQ(LookupVendor(VendorText(Leaf0For(row.vendorText))).index, row.index);
    }
}

// Each flag from its one bit, and the bits that mean nothing here.
TEST(CpuidFeatures, EachBitSetsItsFlagAlone) {
    struct Row {
        FeatureRegister reg;
        int bit;
        const char* flag;  // nullptr: no flag
    };
    const Row rows[] = {
        {FeatureRegister::Leaf1Edx, 0, "FPU"},      {FeatureRegister::Leaf1Edx, 1, "VME"},
        {FeatureRegister::Leaf1Edx, 2, "DE"},       {FeatureRegister::Leaf1Edx, 3, "PSE"},
        {FeatureRegister::Leaf1Edx, 4, "TSC"},      {FeatureRegister::Leaf1Edx, 5, "MSR"},
        {FeatureRegister::Leaf1Edx, 6, "PAE"},      {FeatureRegister::Leaf1Edx, 7, "MCE"},
        {FeatureRegister::Leaf1Edx, 8, "CX8"},      {FeatureRegister::Leaf1Edx, 9, "APIC"},
        {FeatureRegister::Leaf1Edx, 10, nullptr},   {FeatureRegister::Leaf1Edx, 11, "SEP"},
        {FeatureRegister::Leaf1Edx, 12, "MTRR"},    {FeatureRegister::Leaf1Edx, 13, "PGE"},
        {FeatureRegister::Leaf1Edx, 14, "MCA"},     {FeatureRegister::Leaf1Edx, 15, "CMOV"},
        {FeatureRegister::Leaf1Edx, 16, "PAT"},     {FeatureRegister::Leaf1Edx, 17, "PSE36"},
        {FeatureRegister::Leaf1Edx, 18, "SERIAL"},  {FeatureRegister::Leaf1Edx, 19, nullptr},
        {FeatureRegister::Leaf1Edx, 20, nullptr},   {FeatureRegister::Leaf1Edx, 21, nullptr},
        {FeatureRegister::Leaf1Edx, 22, nullptr},   {FeatureRegister::Leaf1Edx, 23, "MMX"},
        {FeatureRegister::Leaf1Edx, 24, "XSR"},     {FeatureRegister::Leaf1Edx, 25, "SIMD"},
        {FeatureRegister::Leaf1Edx, 26, nullptr},   {FeatureRegister::Leaf1Edx, 29, nullptr},
        {FeatureRegister::Leaf1Edx, 30, nullptr},   {FeatureRegister::Leaf1Edx, 31, nullptr},
        {FeatureRegister::ExtendedEdx, 31, "_3DNOW"}, {FeatureRegister::ExtendedEdx, 30, "EX_3DNOW"},
        {FeatureRegister::ExtendedEdx, 22, "EX_MMX"}, {FeatureRegister::ExtendedEdx, 24, "EX_MMX"},
        // The extended leaf repeats many standard bits on AMD parts; only its own four count.
        {FeatureRegister::ExtendedEdx, 0, nullptr},   {FeatureRegister::ExtendedEdx, 23, nullptr},
        {FeatureRegister::ExtendedEdx, 25, nullptr},  {FeatureRegister::ExtendedEdx, 29, nullptr},
        {FeatureRegister::ExtendedEdx, 15, nullptr},  {FeatureRegister::ExtendedEdx, 11, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << (r.reg == FeatureRegister::Leaf1Edx ? "leaf 1" : "ext") << " bit " << r.bit);
        const std::uint32_t value = std::uint32_t{1} << r.bit;
        const TCPUFeatures f = r.reg == FeatureRegister::Leaf1Edx ? DecodeFeatures(value, 0) : DecodeFeatures(0, value);
        const std::set<std::string> expected = r.flag ? std::set<std::string>{r.flag} : std::set<std::string>{};
        EXPECT_EQ(FlagsSet(f), expected);
    }
    EXPECT_EQ(DecodeFeatures(0, 0), TCPUFeatures{});
    EXPECT_EQ(FlagsSet(DecodeFeatures(0xFFFFFFFF, 0xFFFFFFFF)).size(), 24u);
}

TEST(CpuidFeatures, PublishedOrderAndNames) {
    const std::vector<std::string> expected = {"_3DNOW", "EX_3DNOW", "EX_MMX", "SIMD", "SERIAL", "XSR",  "MMX", "PSE36",
                                               "PAT",    "CMOV",     "MCA",    "PGE",  "MTRR",   "SEP",  "APIC", "CX8",
                                               "MCE",    "PAE",      "MSR",    "TSC",  "PSE",    "DE",   "VME",  "FPU"};
    std::vector<std::string> published;
    for (const FeatureProperty& p : PublishedFeatureProperties()) published.push_back(p.name);
    EXPECT_EQ(published, expected);

    // The published name and the listed name of a flag are the same member.
    for (const FeatureRow& row : FeatureTable()) {
        SCOPED_TRACE(row.name);
        int found = 0;
        for (const FeatureProperty& p : PublishedFeatureProperties())
            if (std::string(p.name) == row.name) {
                EXPECT_TRUE(p.flag == row.flag);
                ++found;
            }
        EXPECT_EQ(found, 1);
    }
}

TEST(CpuidFeatures, ListLinesOfAFreshObject) {
    std::vector<std::string> lines{"left over"};
    FeatureListLines(TCPUFeatures{}, true, lines);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines.front(), "3D Now! extensions: No");
    EXPECT_EQ(lines.back(), "Built-In FPU: No");
    for (const std::string& line : lines) EXPECT_TRUE(line.ends_with(": No")) << line;
}

TEST(CpuidFeatures, ListLinesInListingOrderWithTheirLabels) {
    TCPUFeatures f = DecodeFeatures(0xFFFFFFFF, 0xFFFFFFFF);
    f.SIMD = false;
    f.FPU = false;
    std::vector<std::string> lines{"kept"};
    FeatureListLines(f, false, lines);
    const std::vector<std::string> expected = {
        "kept",
        "3D Now! extensions: Yes",
        "Enhanced 3D Now! extensions: Yes",
        "Enhanced MMX extensions: Yes",
        "SIMD instructions: No",
        "FXSAVE/FXRSTOR instruction: Yes",
        "MMX extensions: Yes",
        "Serial number: Yes",
        "36bit Page Size Extension: Yes",
        "Page Attribute Table: Yes",
        "CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes: Yes",
        "Machine Check Architecture: Yes",
        "Page Global Extension: Yes",
        "Memory Type Range Registers: Yes",
        "SYSENTER/SYSEXIT extension: Yes",
        "Processor contains an enabled APIC: Yes",
        "CMPXCHG8B instruction: Yes",
        "Machine Check Exception: Yes",
        "Physical Address Extension: Yes",
        "Model Specific Registers: Yes",
        "Time Stamp Counter: Yes",
        "Page Size Extension: Yes",
        "Debugging Extension: Yes",
        "Virtual Mode Extension: Yes",
        "Built-In FPU: No",
    };
    EXPECT_EQ(lines, expected);
}

TEST(CpuidFeatures, ExtendedLeafIsReadWithoutAskingForIt) {
    RecordedCpuidSource cpu;
    cpu.Record(kLeafSignature, Regs(0x633, 0, 0, 1u << 23));
    cpu.Record(kLeafExtendedFeatures, Regs(0, 0, 0, 1u << 24));
    const TCPUFeatures f = ReadFeatures(cpu);
    EXPECT_TRUE(f.MMX);
    EXPECT_TRUE(f.EX_MMX);
    EXPECT_EQ(cpu.Executions(kLeafHighestExtended), 0u);
    EXPECT_EQ(cpu.Executions(kLeafExtendedFeatures), 1u);
}

TEST(CpuidCache, SlotsAreRegistersLowByteFirst) {
    const auto slots = DescriptorSlots(Regs(0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D));
    for (std::size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(slots[i], i + 1) << i;
}

TEST(CpuidCache, EveryKnownDescriptor) {
    struct Row {
        std::uint8_t descriptor;
        TCPUCache expected;  // Level2, Level1, L1Data, L1Code
    };
    const Row rows[] = {
        {0x0A, {0, 0, 8, 0}},    {0x0C, {0, 0, 16, 0}},   {0x06, {0, 0, 0, 8}},    {0x08, {0, 0, 0, 16}},
        {0x80, {0, 16, 0, 0}},   {0x40, {0, 0, 0, 0}},    {0x41, {128, 0, 0, 0}},  {0x42, {256, 0, 0, 0}},
        {0x82, {256, 0, 0, 0}},  {0x43, {512, 0, 0, 0}},  {0x83, {512, 0, 0, 0}},  {0x44, {1024, 0, 0, 0}},
        {0x84, {1024, 0, 0, 0}}, {0x45, {2048, 0, 0, 0}}, {0x85, {2048, 0, 0, 0}},
        // Third-level, trace and translation-buffer descriptors, and larger second levels, change nothing.
        {0x22, {}}, {0x2C, {}}, {0x49, {}}, {0x7A, {}}, {0x7C, {}}, {0x86, {}}, {0x87, {}}, {0x01, {}}, {0xFF, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << int{r.descriptor});
        EXPECT_EQ(DecodeCacheDescriptors(Regs(0, 0, 0, r.descriptor)), r.expected);
        // The same in the repeat-count position, which is scanned like any slot.
        EXPECT_EQ(DecodeCacheDescriptors(Regs(r.descriptor, 0, 0, 0)), r.expected);
    }
}

TEST(CpuidCache, RecordedCases) {
    struct Row {
        const char* what;
        CpuidRegisters leaf2;
        TCPUCache expected;
    };
    const Row rows[] = {
        {"no second level, nothing else known", Regs(0x665B5001, 0, 0, 0x007A7040), {0, 0, 0, 0}},
        {"code 8 KB and 512 KB", Regs(0x665B5001, 0, 0, 0x00438406), {512, 0, 0, 8}},
        {"0x41 before 0x43: the later slot wins", Regs(0x00004101, 0, 0, 0x43000000), {512, 0, 0, 0}},
        {"0x43 before 0x41", Regs(0x00004301, 0, 0, 0x41000000), {128, 0, 0, 0}},
        {"data 16 then 8", Regs(0x000C0001, 0x0A, 0, 0), {0, 0, 8, 0}},
        {"0x40 after a size empties it again", Regs(0x00004401, 0x40, 0, 0), {0, 0, 0, 0}},
        // A register marked invalid still takes part, and its top byte of 0x80 reads as the
        // 16 KB first level.
        {"the validity bit is not looked at", Regs(0x80000001, 0x00000043, 0, 0x0000000C), {512, 16, 16, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(DecodeCacheDescriptors(r.leaf2), r.expected);
    }
}

TEST(CpuidCache, RepeatCountExecutesTheLeafAgain) {
    struct Row {
        std::uint32_t count;
        std::size_t executions;
        std::int32_t level2;  // of the answer decoded
    };
    // Answers 1, 2, 3, ... set 128, 256, 512, 1024, 2048 KB; the last one repeats.
    const Row rows[] = {{0, 1, 128}, {1, 1, 128}, {2, 3, 512}, {3, 4, 1024}, {6, 7, 2048}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.count);
        RecordedCpuidSource cpu;
        for (std::uint32_t descriptor : {0x41u, 0x42u, 0x43u, 0x44u, 0x45u})
            cpu.Record(kLeafCacheDescriptors, Regs(r.count, descriptor, 0, 0));
        EXPECT_EQ(ReadCache(cpu).Level2, r.level2);
        EXPECT_EQ(cpu.Executions(kLeafCacheDescriptors), r.executions);
    }
}

TEST(CpuidCache, PublishedOrder) {
    std::vector<std::string> names;
    for (const CacheProperty& p : PublishedCacheProperties()) names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"L1Data", "L1Code", "Level1", "Level2"}));
    TCPUCache cache{1, 2, 3, 4};
    std::vector<std::int32_t> values;
    for (const CacheProperty& p : PublishedCacheProperties()) values.push_back(cache.*p.size);
    EXPECT_EQ(values, (std::vector<std::int32_t>{3, 4, 2, 1}));
}

// Brand leaves holding the text, 16 bytes each.
void RecordBrand(RecordedCpuidSource& cpu, const std::string& text48) {
    ASSERT_EQ(text48.size(), 48u);
    for (int leaf = 0; leaf < 3; ++leaf) {
        const char* p = text48.data() + 16 * leaf;
        cpu.Record(kLeafBrandFirst + leaf, Regs(Word(p), Word(p + 4), Word(p + 8), Word(p + 12)));
    }
}

TEST(CpuidBrand, HighestExtendedLeafDecides) {
    const std::string text = std::string("   Brand text") + std::string(35, '\0');
    struct Row {
        std::uint32_t highest;
        bool read;
    };
    const Row rows[] = {{0x80000004, true}, {0x80000003, false}, {0x80000000, false}, {0x00000633, false},
                        {0x80000008, true}, {0xFFFFFFFF, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << r.highest);
        RecordedCpuidSource cpu;
        cpu.Record(kLeafHighestExtended, Regs(r.highest, 0, 0, 0));
        RecordBrand(cpu, text);
        EXPECT_EQ(BrandString(cpu), r.read ? "   Brand text" : "");  // leading blanks are kept
        EXPECT_EQ(cpu.Executions(kLeafBrandFirst), r.read ? 1u : 0u);
    }
}

TEST(CpuidBrand, WithoutCpuidNothingIsExecuted) {
    RecordedCpuidSource cpu;
    cpu.SetSupported(false);
    cpu.Record(kLeafHighestExtended, Regs(0x80000004, 0, 0, 0));
    RecordBrand(cpu, std::string(48, 'x'));
    EXPECT_EQ(BrandString(cpu), "");
    EXPECT_EQ(cpu.Executions(kLeafHighestExtended), 0u);
}

TEST(CpuidBrand, FullFortyEightAndEarlyZero) {
    RecordedCpuidSource full;
    full.Record(kLeafHighestExtended, Regs(0x80000004, 0, 0, 0));
    const std::string text48 = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKL";
    RecordBrand(full, text48);
    EXPECT_EQ(BrandString(full), text48);

    RecordedCpuidSource early;
    early.Record(kLeafHighestExtended, Regs(0x80000004, 0, 0, 0));
    RecordBrand(early, std::string("Brand\0tail after the zero", 25) + std::string(23, ' '));
    EXPECT_EQ(BrandString(early), "Brand");
}

TEST(CpuidSerial, SixGroupsOfUpperCaseHex) {
    struct Row {
        CpuidRegisters leaf1;
        const char* text;
    };
    const Row rows[] = {
        {Regs(0x000006F6, 0x00020800, 0x0000E3BD, 0xBFEBFBFF), "0000-06F6-BFEB-FBFF-0000-E3BD"},
        {Regs(0, 0, 0, 0), "0000-0000-0000-0000-0000-0000"},
        {Regs(0xabcdef01, 0, 0x12345678, 0xFFFFFFFF), "ABCD-EF01-FFFF-FFFF-1234-5678"},
    };
    for (const Row& r : rows) {
        RecordedCpuidSource cpu;
        cpu.Record(kLeafSignature, r.leaf1);
        EXPECT_EQ(ProcessorSerialText(cpu), r.text);
    }
}

TEST(CpuidFdiv, ThisProcessorDividesCorrectly) { EXPECT_FALSE(FdivFlawTest()); }

TEST(RecordedCpuid, AnswersInOrderThenRepeatsTheLast) {
    RecordedCpuidSource cpu;
    cpu.Record(2, Regs(1, 0, 0, 0));
    cpu.Record(2, Regs(2, 0, 0, 0));
    EXPECT_EQ(cpu.CpuidLeaf(2).eax, 1u);
    EXPECT_EQ(cpu.CpuidLeaf(2).eax, 2u);
    EXPECT_EQ(cpu.CpuidLeaf(2).eax, 2u);
    EXPECT_EQ(cpu.Executions(2), 3u);
    // A leaf never recorded answers zeros, every time.
    EXPECT_EQ(cpu.CpuidLeaf(0x80000001), CpuidRegisters{});
    EXPECT_EQ(cpu.CpuidLeaf(0x80000001), CpuidRegisters{});
    EXPECT_EQ(cpu.Executions(0x80000001), 2u);
    EXPECT_EQ(cpu.Executions(7), 0u);
}

TEST(RecordedCpuid, ParsesDumpsAndRejectsMalformedLines) {
    std::string error;
    auto cpu = ParseCpuidDump("# header\r\n\r\n00000000 00000002 756E6547 6C65746E 49656E69\r\n"
                              "  80000000\t80000004 0 0 0\n",
                              &error);
    ASSERT_TRUE(cpu) << error;
    EXPECT_EQ(VendorText(cpu->CpuidLeaf(0)), "GenuineIntel");
    EXPECT_EQ(cpu->CpuidLeaf(0x80000000).eax, 0x80000004u);

    struct Bad {
        const char* text;
        const char* error;
    };
    const Bad bad[] = {
        {"# ok\n00000001 00000633 0 0\n", "line 2: expected a leaf and four registers"},
        {"00000001 00000633 0 0 0 0\n", "line 1: expected a leaf and four registers"},
        {"00000001 0000063G 0 0 0\n", "line 1: not a hexadecimal 32-bit value"},
        {"00000001 100000000 0 0 0\n", "line 1: not a hexadecimal 32-bit value"},
        {"00000001 -1 0 0 0\n", "line 1: not a hexadecimal 32-bit value"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.text);
        error.clear();
        EXPECT_FALSE(ParseCpuidDump(b.text, &error));
        EXPECT_EQ(error, b.error);
    }
}

}  // namespace
}  // namespace brimlow
