#include "cpu/cpu_models.h"

#include <initializer_list>

namespace brimlow {
namespace {

constexpr std::uint32_t Of(std::initializer_list<int> numbers) {
    std::uint32_t bits = 0;
    for (const int n : numbers) bits |= std::uint32_t{1} << n;
    return bits;
}

constexpr std::uint32_t Range(int first, int last) {
    std::uint32_t bits = 0;
    for (int n = first; n <= last; ++n) bits |= std::uint32_t{1} << n;
    return bits;
}

constexpr std::uint32_t kAny = kEveryNumber;
constexpr std::uint32_t kOthers = kEveryNumber;  // placed last in a vendor's rows

constexpr ModelCondition kAlways{};
constexpr ModelCondition L2Equal(int kb) { return {ModelTest::L2Equal, kb}; }
constexpr ModelCondition L2Greater(int kb) { return {ModelTest::L2Greater, kb}; }
constexpr ModelCondition L2Less(int kb) { return {ModelTest::L2Less, kb}; }
constexpr ModelCondition L2AtLeast(int kb) { return {ModelTest::L2AtLeast, kb}; }
constexpr ModelCondition L2AtMost(int kb) { return {ModelTest::L2AtMost, kb}; }
constexpr ModelCondition BrandIndex(int index) { return {ModelTest::BrandIndexEqual, index}; }
constexpr ModelCondition ClockIsEither(int a, int b) { return {ModelTest::ClockIsEither, a, b}; }
constexpr ModelCondition ClockGreater(int mhz) { return {ModelTest::ClockGreater, mhz}; }
constexpr ModelCondition ClockAtLeast(int mhz) { return {ModelTest::ClockAtLeast, mhz}; }
constexpr ModelCondition ClockLess(int mhz) { return {ModelTest::ClockLess, mhz}; }

constexpr int kIntel = 1, kAmd = 2, kCyrix = 3, kCentaur = 4, kNexGen = 5, kUmc = 6, kRise = 7;

using enum ModelFields;

// The texts are ANSI: \xB5 is the micro sign of code page 1252. Some core names write the process
// size as "0,25µm" and others as "0.25 µm"; both spellings are the ones shown.
constexpr ModelRow kModels[] = {
    {kIntel, Of({4}), Of({0, 1}), kAlways, All, "i80486DX", "P4", 1250000},
    {kIntel, Of({4}), Of({2}), kAlways, All, "i80486SX", "P23", 900000},
    {kIntel, Of({4}), Of({3}), kAlways, All, "i80486DX2", "P24", 1250000},
    {kIntel, Of({4}), Of({4}), kAlways, All, "i80486SL", "P23", 900000},
    {kIntel, Of({4}), Of({5}), kAlways, All, "i80486SX2", "P23", 900000},
    {kIntel, Of({4}), Of({7}), kAlways, All, "i80486DX2WB", "P24", 1250000},
    {kIntel, Of({4}), Of({8}), kAlways, All, "i80486DX4", "P24C", 1600000},
    {kIntel, Of({4}), Of({9}), kAlways, All, "i80486DX4WB", "P24C", 1600000},
    {kIntel, Of({4}), Of({6}) | Range(10, 15), kAlways, Nothing, "", "", 0},
    {kIntel, Of({5}), Of({0}), kAlways, All, "Pentium", "P5 (0,80\xB5m)", 3100000},
    {kIntel, Of({5}), Of({1, 2}), kAlways, All, "Pentium", "P54C (0,50\xB5m)", 3100000},
    {kIntel, Of({5}), Of({3}), kAlways, All, "Pentium", "P24T", 0},
    {kIntel, Of({5}), Of({4}), kAlways, All, "Pentium MMX", "P55C (0,28\xB5m)", 4500000},
    {kIntel, Of({5}), Of({5}), kAlways, All, "DX4", "", 0},
    {kIntel, Of({5}), Of({6}), kAlways, All, "Pentium", "P5", 0},
    {kIntel, Of({5}), Of({7}), kAlways, All, "Pentium", "P54C (0,35\xB5m)", 3100000},
    {kIntel, Of({5}), Of({8}), kAlways, All, "Pentium MMX (mobile)", "Tillamook (0,25\xB5m)", 4500000},
    {kIntel, Of({5}), Range(9, 15), kAlways, All, "Pentium", "", 0},
    {kIntel, Of({6}), Of({0}), kAlways, All, "Pentium Pro", "P6 (0.50 \xB5m)", 5500000},
    {kIntel, Of({6}), Of({1}), kAlways, All, "Pentium Pro", "P6 (0.35 \xB5m)", 5500000},
    {kIntel, Of({6}), Of({3}), L2Equal(333), All, "Pentium II", "P6T (0.25 \xB5m)", 7500000, true},
    {kIntel, Of({6}), Of({3}), kAlways, All, "Pentium II", "Klamath (0.35 \xB5m)", 7500000, true},
    {kIntel, Of({6}), Of({4}), kAlways, All, "Pentium II", "P55CT (P54 OverDrive)", 3100000},
    {kIntel, Of({6}), Of({5}), L2Greater(512), All, "Pentium II Xeon", "Deschutes (0.25 \xB5m)", 7500000},
    {kIntel, Of({6}), Of({5}), L2Equal(0), All, "Celeron", "Covington (0,25\xB5m)", 7500000},
    {kIntel, Of({6}), Of({5}), kAlways, All, "Pentium II", "Deschutes (0,25\xB5m)", 7500000},
    {kIntel, Of({6}), Of({6}), L2Less(256), All, "Celeron A", "Mendocino (0.25 \xB5m)", 19000000},
    {kIntel, Of({6}), Of({6}), L2AtLeast(256), All, "Pentium II PE (mobile)", "Dixon (0.25 \xB5m)", 27400000},
    {kIntel, Of({6}), Of({7}), L2Greater(512), All, "Pentium III Xeon", "Tanner (0.25 \xB5m)", 9500000},
    {kIntel, Of({6}), Of({7}), L2AtMost(512), All, "Pentium III", "Katmai (0.25 \xB5m)", 9500000},
    {kIntel, Of({6}), Of({8}), kAlways, All, "Pentium III E", "Coppermine (0.18 \xB5m)", 28100000},
    {kIntel, Of({6}), Of({2}) | Range(9, 15), kAlways, All, "Pentium II", "", 0},
    {kIntel, Of({7, 8}), kAny, BrandIndex(1), All, "Celeron", "", 0},
    {kIntel, Of({7, 8}), kAny, BrandIndex(3), All, "Pentium III Xeon", "", 0},
    {kIntel, Of({7, 8}), kAny, BrandIndex(4), All, "Pentium IV", "", 0},
    {kIntel, Of({7, 8}), kAny, L2AtLeast(1024), All, "Pentium III Xeon", "", 0},
    {kIntel, Of({7, 8}), kAny, L2Less(1024), All, "Pentium III", "", 0},
    {kIntel, Of({10}), kAny, kAlways, All, "Pentium III Xeon", "", 0},
    {kIntel, Of({15}), kAny, kAlways, All, "Pentium 4", "Northwood", 0},
    {kIntel, kOthers, kAny, kAlways, All, "INTEL", "", 0},

    {kAmd, Of({4}), Of({0}), kAlways, All, "Am486DX", "P4", 1250000},
    {kAmd, Of({4}), Of({3, 7}), kAlways, All, "Am486DX2", "P24", 1250000},
    {kAmd, Of({4}), Of({8, 9}), kAlways, All, "Am486DX4", "P24C", 1250000},
    {kAmd, Of({4}), Of({14, 15}), kAlways, All, "Am5x86", "X5", 1600000},
    {kAmd, Of({4}), Of({1, 2}) | Range(4, 6) | Range(10, 13), kAlways, Nothing, "", "", 0},
    {kAmd, Of({5}), Of({0}), kAlways, All, "K5", "SSA5 (0.50-0.35 \xB5m)", 4300000},
    {kAmd, Of({5}), Of({1, 2, 3}), kAlways, All, "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)", 4300000},
    {kAmd, Of({5}), Of({6}), kAlways, All, "K6", "K6 (0.30 \xB5m)", 8800000},
    {kAmd, Of({5}), Of({7}), kAlways, All, "K6", "Little Foot (0.25 \xB5m)", 8800000},
    {kAmd, Of({5}), Of({8}), kAlways, All, "K6-II", "Chomper (0.25 \xB5m)", 9300000},
    {kAmd, Of({5}), Of({9}), kAlways, All, "K6-III", "Slarptooth (0.25 \xB5m)", 21300000},
    {kAmd, Of({5}), Of({13}), kAlways, All, "K6-II+/K6-III+", "", 0},
    {kAmd, Of({5}), Of({4, 5}) | Range(10, 12) | Of({14, 15}), kAlways, Nothing, "", "", 0},
    {kAmd, Of({6}), kAny, kAlways, All, "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    {kAmd, Of({15}), Of({15}), kAlways, All, "Athlon 64", "", 0},
    {kAmd, Of({15}), Range(0, 14), kAlways, Nothing, "", "", 0},
    {kAmd, kOthers, kAny, kAlways, All, "AMD", "", 0},

    // The core clock passed for the two clock rows is 0 today, so family 4 model 0 names nothing
    // and family 6 model 0 is always the 6x86MX.
    {kCyrix, Of({4}), Of({0}), ClockIsEither(20, 66), All, "Cx486SLC/DLC", "M0.5", 600000},
    {kCyrix, Of({4}), Of({0}), ClockIsEither(33, 50), All, "Cx486S", "M0.6", 600000},
    {kCyrix, Of({4}), Of({0}), ClockGreater(66), All, "Cx486DX/DX2/DX4", "M0.7", 1100000},
    {kCyrix, Of({4}), Of({4}), kAlways, All, "Media GX", "Gx86", 24000000},
    {kCyrix, Of({4}), Of({9}), kAlways, All, "5x86", "M0.9 or M1sc (0.65 \xB5m)", 20000000},
    {kCyrix, Of({4}), kAny, kAlways, Nothing, "", "", 0},
    {kCyrix, Of({5}), Of({2}), kAlways, All, "6x86 and 6x86L", "M1 (0.65 \xB5m) and M1L (0.35 \xB5m)", 30000000},
    {kCyrix, Of({5}), Of({4}), kAlways, All, "MediaGXm", "GXm", 24000000},
    {kCyrix, Of({5}), kAny, kAlways, Nothing, "", "", 0},
    {kCyrix, Of({6}), Of({0}), ClockAtLeast(225), All, "M-II (PR300-433)", "M2 (0.35-0.25 \xB5m)", 65000000},
    {kCyrix, Of({6}), Of({0}), ClockLess(225), All, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)", 65000000},
    {kCyrix, Of({6}), Of({5}), kAlways, All, "VIA Cyrix III", "", 0},
    {kCyrix, Of({6}), kAny, kAlways, Nothing, "", "", 0},
    {kCyrix, kOthers, kAny, kAlways, NameOnly, "CYRIX", nullptr, 0},

    {kCentaur, Of({5}), Of({4}), kAlways, All, "WinChip", "C6 (0.35 \xB5m)", 54000000},
    {kCentaur, Of({5}), Of({8}), kAlways, All, "WinChip 2x", "W2x (0.35-0.25 \xB5m)", 59000000},
    {kCentaur, Of({5}), Of({9}), kAlways, All, "WinChip 3", "W3 (0.25 \xB5m)", 90000000},
    {kCentaur, Of({5}), kAny, kAlways, Nothing, "", "", 0},
    {kCentaur, kOthers, kAny, kAlways, NameOnly, "IDT", nullptr, 0},

    {kNexGen, Of({5}), Of({0}), kAlways, All, "Nx586", "Nx5x86 (0.50-0.44 \xB5m)", 35000000},
    {kNexGen, Of({5}), Of({6}), kAlways, All, "Nx686", "HA (0,50\xB5m)", 60000000},
    {kNexGen, Of({5}), kAny, kAlways, Nothing, "", "", 0},
    {kNexGen, kOthers, kAny, kAlways, NameOnly, "NEXGEN", nullptr, 0},

    {kUmc, Of({4}), Of({1}), kAlways, All, "U5D", "U5D and U5S", 12000000},
    {kUmc, Of({4}), Of({2}), kAlways, All, "U5S", "U5D and U5S", 12000000},
    {kUmc, Of({4}), Of({3}), kAlways, All, "U486DX2", "U5D and U5S", 12000000},
    {kUmc, Of({4}), Of({4}), kAlways, All, "U486SX2", "U5D and U5S", 12000000},
    {kUmc, Of({4}), kAny, kAlways, CoreAndCount, nullptr, "U5D and U5S", 12000000},
    {kUmc, kOthers, kAny, kAlways, NameOnly, "UMC", nullptr, 0},

    {kRise, Of({4}), Of({0, 2}), kAlways, All, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
    {kRise, Of({4}), kAny, kAlways, Nothing, "", "", 0},
    {kRise, kOthers, kAny, kAlways, NameOnly, "RISE", nullptr, 0},
};

// A number outside 0..31 cannot be in a list of numbers; it still falls under "any" and "others".
bool Covers(std::uint32_t bits, std::int32_t number) {
    if (bits == kEveryNumber) return true;
    return number >= 0 && number < 32 && (bits & (std::uint32_t{1} << number)) != 0;
}

bool Holds(const ModelCondition& c, const ModelLookupInputs& in) {
    switch (c.test) {
    case ModelTest::Always: return true;
    case ModelTest::L2Equal: return in.level2Kb == c.value;
    case ModelTest::L2Greater: return in.level2Kb > c.value;
    case ModelTest::L2Less: return in.level2Kb < c.value;
    case ModelTest::L2AtLeast: return in.level2Kb >= c.value;
    case ModelTest::L2AtMost: return in.level2Kb <= c.value;
    case ModelTest::BrandIndexEqual: return in.brandIndex == c.value;
    case ModelTest::ClockIsEither: return in.coreClockMhz == c.value || in.coreClockMhz == c.other;
    case ModelTest::ClockGreater: return in.coreClockMhz > c.value;
    case ModelTest::ClockAtLeast: return in.coreClockMhz >= c.value;
    case ModelTest::ClockLess: return in.coreClockMhz < c.value;
    }
    return false;
}

void Apply(const ModelRow& row, const ModelLookupInputs& in, ModelLookupResult& result) {
    switch (row.sets) {
    case All:
        result.modelName = row.modelName;
        result.coreName = row.coreName;
        result.transistors = row.transistors;
        break;
    case NameOnly:
        result.modelName = row.modelName;
        break;
    case CoreAndCount:
        result.coreName = row.coreName;
        result.transistors = row.transistors;
        break;
    case Nothing:
        return;
    }
    if (row.overDriveWhenType1 && in.type == 1) result.modelName += " OverDrive";
}

}  // namespace

std::span<const ModelRow> ProcessorModelTable() { return kModels; }

ModelLookupResult ProcessorModelLookup(const ModelLookupInputs& in) {
    ModelLookupResult result;
    for (const ModelRow& row : kModels) {
        if (row.vendorIndex != in.vendorIndex || !Covers(row.families, in.family) || !Covers(row.models, in.model) ||
            !Holds(row.when, in))
            continue;
        Apply(row, in, result);
        break;
    }
    return result;
}

}  // namespace brimlow
