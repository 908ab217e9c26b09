// The decoders against CPUID dumps of real processors, read from the recorded-hardware folder
// beside the checkout (BRIMLOW_FIXTURE_DIR). Every dump there must have a row below and every row
// a dump. The expected values are what each processor is documented to be: its family, model and
// stepping, the features it is known for, its caches as its leaf-2 descriptors name them, the
// brand text its maker programmed - and the names our table gives it, including where the table
// is too old or too coarse for the part (noted per row).
#include "cpu/cpu_models.h"
#include "cpu/cpuid.h"
#include "cpu/cpuid_recorded.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef BRIMLOW_FIXTURE_DIR
#define BRIMLOW_FIXTURE_DIR ""
#endif

namespace brimlow {

static void PrintTo(const TCPUCache& c, std::ostream* os) {
    *os << "Level2 " << c.Level2 << ", Level1 " << c.Level1 << ", L1Data " << c.L1Data << ", L1Code " << c.L1Code;
}

namespace {

struct Expected {
    const char* file;  // without ".txt"
    int family, model, stepping, type;
    int vendorIndex;
    // Which of FPU TSC CX8 CMOV MMX XSR SIMD SERIAL _3DNOW EX_3DNOW EX_MMX are set.
    const char* features;
    TCPUCache cache;    // Level2, Level1, L1Data, L1Code
    const char* brand;  // blanks trimmed and runs of blanks as one; "" without brand leaves
    const char* modelName;
    const char* coreName;
    std::int32_t transistors;
};

const char* const kIdentityFlags[] = {"FPU", "TSC",    "CX8",    "CMOV",     "MMX",   "XSR",
                                      "SIMD", "SERIAL", "_3DNOW", "EX_3DNOW", "EX_MMX"};

// Dumps without leaf 2 answer it with zeros here, so their caches read 0.
const Expected kExpected[] = {
    {"AuthenticAMD_0000514_K5", 5, 1, 4, 0, 2, "FPU TSC CX8", {}, "AMD-K5(tm) Processor",
     "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)", 4300000},
    {"AuthenticAMD_0000562_K6", 5, 6, 2, 0, 2, "FPU TSC CX8 MMX", {}, "AMD-K6tm w/ multimedia extensions", "K6",
     "K6 (0.30 \xB5m)", 8800000},
    {"AuthenticAMD_0000570_K6_Littlefoot", 5, 7, 0, 0, 2, "FPU TSC CX8 MMX", {}, "AMD-K6tm w/ multimedia extensions",
     "K6", "Little Foot (0.25 \xB5m)", 8800000},
    {"AuthenticAMD_0000580_K6-2_Chomper", 5, 8, 0, 0, 2, "FPU TSC CX8 MMX _3DNOW", {}, "AMD-K6(tm) 3D processor",
     "K6-II", "Chomper (0.25 \xB5m)", 9300000},
    {"AuthenticAMD_0000591_K6-III_Sharptooth", 5, 9, 1, 0, 2, "FPU TSC CX8 MMX _3DNOW", {},
     "AMD-K6(tm) 3D+ Processor", "K6-III", "Slarptooth (0.25 \xB5m)", 21300000},
    // Sold as K6-2+, programmed as K6-III; the enhanced 3DNow! of the "+" parts is there.
    {"AuthenticAMD_00005D4_K6-2plus", 5, 13, 4, 0, 2, "FPU TSC CX8 MMX _3DNOW EX_3DNOW", {},
     "AMD-K6(tm)-III Processor", "K6-II+/K6-III+", "", 0},
    // The first Athlons have no SSE.
    {"AuthenticAMD_0000622_Athlon_K7_Pluto", 6, 2, 2, 0, 2, "FPU TSC CX8 CMOV MMX XSR _3DNOW EX_3DNOW EX_MMX", {},
     "AMD Athlon(tm) Processor", "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    {"AuthenticAMD_00006A0_AthlonXP_Barton", 6, 10, 0, 0, 2, "FPU TSC CX8 CMOV MMX XSR SIMD _3DNOW EX_3DNOW EX_MMX",
     {}, "AMD Athlon(tm) XP 3200+", "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    // The table knows family 15 only as model 15: the first Athlon 64 and Opteron models get no name.
    {"AuthenticAMD_0000F4A_Athlon64_ClawHammer", 15, 4, 10, 0, 2,
     "FPU TSC CX8 CMOV MMX XSR SIMD _3DNOW EX_3DNOW EX_MMX", {}, "AMD Athlon(tm) 64 Processor 2800+", "", "", 0},
    {"AuthenticAMD_0000F51_Opteron_SledgeHammer", 15, 5, 1, 0, 2,
     "FPU TSC CX8 CMOV MMX XSR SIMD _3DNOW EX_3DNOW EX_MMX", {}, "AMD Opteron(tm) Processor 240 HE", "", "", 0},
    // Zen dropped 3DNow!; extended family 8 and 0x0A are not looked at, so both are family 15 model 1.
    {"AuthenticAMD_0800F11_Ryzen7-1700X_Zen", 15, 1, 1, 0, 2, "FPU TSC CX8 CMOV MMX XSR SIMD EX_MMX", {},
     "AMD Ryzen 7 1700X Eight-Core Processor", "", "", 0},
    {"AuthenticAMD_0A20F10_Ryzen9-5900X_Zen3", 15, 1, 0, 0, 2, "FPU TSC CX8 CMOV MMX XSR SIMD EX_MMX", {},
     "AMD Ryzen 9 5900X 12-Core Processor", "", "", 0},

    // Extended leaves stop at 0x80000000 here: no brand text.
    {"CentaurHauls_0000541_WinChipC6", 5, 4, 1, 0, 4, "FPU TSC CX8 MMX", {}, "", "WinChip", "C6 (0.35 \xB5m)",
     54000000},
    {"CentaurHauls_0000587_WinChip2A", 5, 8, 7, 0, 4, "FPU TSC CX8 MMX _3DNOW", {}, "IDT WinChip 2-3D", "WinChip 2x",
     "W2x (0.35-0.25 \xB5m)", 59000000},
    // Family 6 Centaur parts (the VIA C3) are past the table: generic name only. Samuel has 3DNow!
    // and no CMOV; its brand text has a zero before a stray "M".
    {"CentaurHauls_0000660_C3_Samuel", 6, 6, 0, 0, 4, "FPU TSC CX8 MMX _3DNOW", {}, "VIA Samuel", "IDT", "", 0},
    // Nehemiah dropped 3DNow! and has SSE. Bit 24 of its extended EDX repeats FXSR, and that bit
    // alone reads as enhanced MMX.
    {"CentaurHauls_0000691_C3_Nehemiah", 6, 9, 1, 0, 4, "FPU TSC CX8 CMOV MMX XSR SIMD EX_MMX", {}, "VIA Nehemiah",
     "IDT", "", 0},

    // The first 6x86 reports neither TSC nor the extended leaves.
    {"CyrixInstead_0000520_6x86", 5, 2, 0, 0, 3, "FPU CX8", {}, "", "6x86 and 6x86L",
     "M1 (0.65 \xB5m) and M1L (0.35 \xB5m)", 30000000},
    // Descriptor 0x80: the unified 16 KB first level; bit 24 of the extended EDX is Cyrix's own
    // extended MMX.
    {"CyrixInstead_0000540_MediaGXm", 5, 4, 0, 0, 3, "FPU TSC CX8 CMOV MMX EX_MMX", {0, 16, 0, 0},
     "Cyrix MediaGXtm MMXtm Enhanced", "MediaGXm", "GXm", 24000000},
    // A 250 MHz MII; without a core clock the lookup can only name the 6x86MX.
    {"CyrixInstead_0000600_6x86MX_MII", 6, 0, 0, 0, 3, "FPU TSC CX8 CMOV MMX", {}, "", "6x86MX (PR166-266)",
     "M2 (0.35 \xB5m)", 65000000},

    {"GenuineIntel_0000480_486", 4, 8, 0, 0, 1, "FPU", {}, "", "i80486DX4", "P24C", 1600000},
    // Model 1 is the first 0.8 micron Pentium, but the table groups it with the P54C.
    {"GenuineIntel_0000517_Pentium_P5", 5, 1, 7, 0, 1, "FPU TSC CX8", {}, "", "Pentium", "P54C (0,50\xB5m)", 3100000},
    {"GenuineIntel_0000525_Pentium_P54C", 5, 2, 5, 0, 1, "FPU TSC CX8", {}, "", "Pentium", "P54C (0,50\xB5m)",
     3100000},
    {"GenuineIntel_0000543_Pentium_MMX_P55C", 5, 4, 3, 0, 1, "FPU TSC CX8 MMX", {}, "", "Pentium MMX",
     "P55C (0,28\xB5m)", 4500000},
    {"GenuineIntel_0000582_Pentium_MMX_Mobile_Tillamook", 5, 8, 2, 0, 1, "FPU TSC CX8 MMX", {}, "",
     "Pentium MMX (mobile)", "Tillamook (0,25\xB5m)", 4500000},
    // 256 KB second level, 8 KB + 8 KB first level; CMOV but no MMX.
    {"GenuineIntel_0000619_PentiumPro", 6, 1, 9, 0, 1, "FPU TSC CX8 CMOV", {256, 0, 8, 8}, "", "Pentium Pro",
     "P6 (0.35 \xB5m)", 5500000},
    // Klamath lacks FXSAVE, which Deschutes brought.
    {"GenuineIntel_0000633_PentiumII_Klamath", 6, 3, 3, 0, 1, "FPU TSC CX8 CMOV MMX", {512, 0, 16, 16}, "",
     "Pentium II", "Klamath (0.35 \xB5m)", 7500000},
    {"GenuineIntel_0000651_Celeron_Covington", 6, 5, 1, 0, 1, "FPU TSC CX8 CMOV MMX XSR", {0, 0, 16, 16}, "",
     "Celeron", "Covington (0,25\xB5m)", 7500000},
    // 1 MB of second level on a Deschutes core: the Xeon.
    {"GenuineIntel_0000653_PentiumII_Deschutes", 6, 5, 3, 0, 1, "FPU TSC CX8 CMOV MMX XSR", {1024, 0, 16, 16}, "",
     "Pentium II Xeon", "Deschutes (0.25 \xB5m)", 7500000},
    {"GenuineIntel_0000660_Celeron_Mendocino", 6, 6, 0, 0, 1, "FPU TSC CX8 CMOV MMX XSR", {128, 0, 16, 16}, "",
     "Celeron A", "Mendocino (0.25 \xB5m)", 19000000},
    {"GenuineIntel_0000673_PentiumIII_Katmai", 6, 7, 3, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD SERIAL",
     {512, 0, 16, 16}, "", "Pentium III", "Katmai (0.25 \xB5m)", 9500000},
    {"GenuineIntel_0000683_PentiumIII_Coppermine", 6, 8, 3, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD SERIAL",
     {256, 0, 16, 16}, "", "Pentium III E", "Coppermine (0.18 \xB5m)", 28100000},
    // Newer than the table: family 6 model 15 is "Pentium II", and its 4 MB descriptor (0x49) is
    // not one the table knows.
    {"GenuineIntel_00006F6_Core2_Conroe", 6, 15, 6, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD", {},
     "Intel(R) Core(TM)2 CPU X6800 @ 2.93GHz", "Pentium II", "", 0},
    // Every family 15 Intel part is "Northwood" to the table; the Willamette and Prescott too.
    // Their second-level descriptors (0x7A, 0x7B, 0x3C) are unknown, and 0x40 says none.
    {"GenuineIntel_0000F0A_Pentium4_Willamette", 15, 0, 10, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD", {},
     "Intel(R) Pentium(R) 4 CPU 1700MHz", "Pentium 4", "Northwood", 0},
    {"GenuineIntel_0000F29_Pentium4_Northwood", 15, 2, 9, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD", {},
     "Intel(R) Pentium(R) 4 CPU 2.80GHz", "Pentium 4", "Northwood", 0},
    {"GenuineIntel_0000F41_CeleronD_Prescott", 15, 4, 1, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD", {},
     "Intel(R) Celeron(R) CPU 2.53GHz", "Pentium 4", "Northwood", 0},
    // The OverDrive suffix belongs to family 6 model 3 only.
    {"GenuineIntel_0001532_Pentium_OverDrive_P24T", 5, 3, 2, 1, 1, "FPU TSC CX8", {}, "", "Pentium", "P24T", 0},
    // A Deschutes-class core (it has FXSAVE), but only an impossible 333 KB would select the
    // 0.25 micron core name: Klamath it is.
    {"GenuineIntel_0001632_PentiumII_OverDrive", 6, 3, 2, 1, 1, "FPU TSC CX8 CMOV MMX XSR", {512, 0, 16, 16}, "",
     "Pentium II OverDrive", "Klamath (0.35 \xB5m)", 7500000},
    {"GenuineIntel_0002544_Pentium_MMX_P55C_2nd_CPU", 5, 4, 4, 2, 1, "FPU TSC CX8 MMX", {}, "", "Pentium MMX",
     "P55C (0,28\xB5m)", 4500000},
    // Extended model 9 is not looked at, so Alder Lake reads as family 6 model 7 without a known
    // second level: a Katmai to the table.
    {"GenuineIntel_0090672_Core_i5-12400_AlderLake", 6, 7, 2, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD", {},
     "12th Gen Intel(R) Core(TM) i5-12400", "Pentium III", "Katmai (0.25 \xB5m)", 9500000},
    {"GenuineIntel_00906EA_Core_i7-8700K_CoffeeLake", 6, 14, 10, 0, 1, "FPU TSC CX8 CMOV MMX XSR SIMD", {},
     "Intel(R) Core(TM) i7-8700K CPU @ 3.70GHz", "Pentium II", "", 0},

    // Vendors outside the table: no company, no names.
    {"GenuineTMx86_0000543_Crusoe_TM5800", 5, 4, 3, 0, 0, "FPU TSC CX8 CMOV MMX SERIAL", {},
     "Transmeta(tm) Crusoe(tm) Processor TM5800", "", "", 0},
    {"GenuineTMx86_0000F24_Efficeon_TM8000", 15, 2, 4, 0, 0, "FPU TSC CX8 CMOV MMX XSR SIMD SERIAL EX_MMX", {},
     "Transmeta Efficeon(tm) Processor TM8000", "", "", 0},
    {"Genuine__RDC_0000586_RDC", 5, 8, 6, 0, 0, "FPU TSC CX8 MMX", {}, "", "", "", 0},
    {"Geode_by_NSC_0000540_Geode_GX1", 5, 4, 0, 0, 0, "FPU TSC CX8 CMOV MMX EX_MMX", {0, 16, 0, 0},
     "Geode(TM) Integrated Processor by National Semi", "", "", 0},
    // The mP6 reports family 5; the table's mP6 rows are keyed to family 4, so it is "RISE" only.
    // It has no CMPXCHG8B.
    {"RiseRiseRise_0000521_mP6", 5, 2, 1, 0, 7, "FPU TSC MMX", {}, "", "RISE", "", 0},
    {"SiS_SiS_SiS__0000505_SiS550", 5, 0, 5, 0, 0, "FPU TSC CX8 MMX", {}, "", "", "", 0},
    {"Vortex86_SoC_0000522_Vortex86DX", 5, 2, 2, 0, 0, "FPU TSC CX8", {}, "", "", "", 0},
};

const std::map<int, std::string> kCompanies = {
    {0, ""},
    {1, "Intel Corporation"},
    {2, "Advanced Micro Devices"},
    {3, "Cyrix Corporation"},
    {4, "IDT/Centaur"},
    {7, "Rise Technology"},
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Normalised(const std::string& brand) {
    std::string out;
    for (const char c : brand) {
        if (c == ' ') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The serial text written out from the dump's own leaf-1 line: EAX, EDX, ECX split in halves.
std::string SerialFromDumpText(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string leaf, eax, ebx, ecx, edx;
        if (!(words >> leaf >> eax >> ebx >> ecx >> edx) || leaf != "00000001") continue;
        const auto split = [](const std::string& w) { return w.substr(0, 4) + "-" + w.substr(4, 4); };
        return split(eax) + "-" + split(edx) + "-" + split(ecx);
    }
    return "no leaf 1";
}

std::string IdentityFlags(const TCPUFeatures& f) {
    std::string set;
    for (const char* name : kIdentityFlags) {
        for (const FeatureProperty& p : PublishedFeatureProperties()) {
            if (std::string(p.name) == name && f.*p.flag) set += (set.empty() ? "" : " ") + std::string(name);
        }
    }
    return set;
}

std::filesystem::path DumpFolder() { return std::filesystem::path(BRIMLOW_FIXTURE_DIR) / "cpuid"; }

TEST(RecordedProcessors, EveryDumpHasAnExpectationAndBack) {
    const std::filesystem::path folder = DumpFolder();
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "no CPUID dumps at " << folder << " - the recorded-processor checks did not run";
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".txt") files.insert(entry.path().stem().string());
    std::set<std::string> expected;
    for (const Expected& e : kExpected) EXPECT_TRUE(expected.insert(e.file).second) << "twice: " << e.file;
    for (const std::string& f : files) EXPECT_TRUE(expected.count(f)) << "dump without an expectation: " << f;
    for (const std::string& e : expected) EXPECT_TRUE(files.count(e)) << "expectation without a dump: " << e;
}

TEST(RecordedProcessors, DecodeAsDocumented) {
    const std::filesystem::path folder = DumpFolder();
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "no CPUID dumps at " << folder << " - the recorded-processor checks did not run";
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.file);
        const std::filesystem::path path = folder / (std::string(e.file) + ".txt");
        if (!std::filesystem::exists(path)) continue;  // reported by the test above
        const std::string text = ReadFile(path);
        std::string error;
        std::optional<RecordedCpuidSource> parsed = ParseCpuidDump(text, &error);
        ASSERT_TRUE(parsed) << error;
        RecordedCpuidSource& cpu = *parsed;

        // In the order the CPU window asks.
        const ProcessorSignature sig = DecodeSignature(cpu.CpuidLeaf(kLeafSignature));
        const std::string vendorText = VendorText(cpu.CpuidLeaf(kLeafVendor));
        const CpuVendor vendor = LookupVendor(vendorText);
        const TCPUFeatures features = ReadFeatures(cpu);
        const std::string serial = ProcessorSerialText(cpu);
        const TCPUCache cache = ReadCache(cpu);
        const ModelLookupResult names = ProcessorModelLookup(
            {vendor.index, sig.family, sig.model, sig.type, sig.brandIndex, cache.Level2, 0});
        const std::string brand = BrandString(cpu);

        EXPECT_EQ(sig.family, e.family);
        EXPECT_EQ(sig.model, e.model);
        EXPECT_EQ(sig.stepping, e.stepping);
        EXPECT_EQ(sig.type, e.type);

        // The file name spells the vendor text with blanks as underscores.
        std::string fromName = std::string(e.file).substr(0, 12);
        for (char& c : fromName)
            if (c == '_') c = ' ';
        EXPECT_EQ(vendorText, fromName);
        EXPECT_EQ(vendor.index, e.vendorIndex);
        EXPECT_EQ(vendor.company, kCompanies.at(e.vendorIndex));

        EXPECT_EQ(IdentityFlags(features), e.features);
        EXPECT_EQ(cache, e.cache);
        EXPECT_EQ(serial, SerialFromDumpText(text));

        EXPECT_LE(brand.size(), 48u);
        EXPECT_EQ(brand.find('\0'), std::string::npos);
        EXPECT_EQ(Normalised(brand), e.brand) << "raw: [" << brand << "]";

        EXPECT_EQ(names.modelName, e.modelName);
        EXPECT_EQ(names.coreName, e.coreName);
        EXPECT_EQ(names.transistors, e.transistors);
    }
}

// Details the normalised comparison above would hide.
TEST(RecordedProcessors, BrandTextsAsProgrammed) {
    const std::filesystem::path folder = DumpFolder();
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "no CPUID dumps at " << folder << " - the recorded-processor checks did not run";
    struct Row {
        const char* file;
        std::string brand;
    };
    const Row rows[] = {
        // Right-justified in the 48 bytes: the caller trims.
        {"GenuineIntel_0000F29_Pentium4_Northwood", std::string(14, ' ') + "Intel(R) Pentium(R) 4 CPU 2.80GHz"},
        {"GenuineIntel_0000F41_CeleronD_Prescott", std::string(16, ' ') + "Intel(R) Celeron(R) CPU 2.53GHz"},
        {"GenuineIntel_00006F6_Core2_Conroe", "Intel(R) Core(TM)2 CPU         X6800  @ 2.93GHz"},
        {"AuthenticAMD_0800F11_Ryzen7-1700X_Zen", "AMD Ryzen 7 1700X Eight-Core Processor         "},
        // The zero after "Samuel" ends the text; the "M" behind it is not part of it.
        {"CentaurHauls_0000660_C3_Samuel", "VIA Samuel"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        const std::filesystem::path path = folder / (std::string(r.file) + ".txt");
        ASSERT_TRUE(std::filesystem::exists(path));
        std::optional<RecordedCpuidSource> cpu = ParseCpuidDump(ReadFile(path));
        ASSERT_TRUE(cpu);
        EXPECT_EQ(BrandString(*cpu), r.brand);
    }
}

}  // namespace
}  // namespace brimlow
