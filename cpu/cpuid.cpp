#include "cpu/cpuid.h"

#include <cstdio>
#include <cstring>

namespace brimlow {
namespace {

constexpr CpuVendorRow kVendors[] = {
    {1, "GenuineIntel", "Intel Corporation"},
    {2, "AuthenticAMD", "Advanced Micro Devices"},
    {3, "CyrixInstead", "Cyrix Corporation"},
    {4, "CentaurHauls", "IDT/Centaur"},
    {5, "NexGenDriven", "NexGen Inc."},
    // Three words, each followed by a blank, so that the twelve characters from the registers can
    // match it.
    {6, "UMC UMC UMC ", "United Microelectronics Corp"},
    {7, "RiseRiseRise", "Rise Technology"},
};

constexpr std::uint32_t Bit(int n) { return std::uint32_t{1} << n; }

using F = TCPUFeatures;
using R = FeatureRegister;

constexpr FeatureRow kFeatures[] = {
    {"_3DNOW", &F::_3DNOW, R::ExtendedEdx, Bit(31), "3D Now! extensions: "},
    {"EX_3DNOW", &F::EX_3DNOW, R::ExtendedEdx, Bit(30), "Enhanced 3D Now! extensions: "},
    {"EX_MMX", &F::EX_MMX, R::ExtendedEdx, Bit(22) | Bit(24), "Enhanced MMX extensions: "},
    {"SIMD", &F::SIMD, R::Leaf1Edx, Bit(25), "SIMD instructions: "},
    {"XSR", &F::XSR, R::Leaf1Edx, Bit(24), "FXSAVE/FXRSTOR instruction: "},
    {"MMX", &F::MMX, R::Leaf1Edx, Bit(23), "MMX extensions: "},
    {"SERIAL", &F::SERIAL, R::Leaf1Edx, Bit(18), "Serial number: "},
    {"PSE36", &F::PSE36, R::Leaf1Edx, Bit(17), "36bit Page Size Extension: "},
    {"PAT", &F::PAT, R::Leaf1Edx, Bit(16), "Page Attribute Table: "},
    {"CMOV", &F::CMOV, R::Leaf1Edx, Bit(15), "CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes: "},
    {"MCA", &F::MCA, R::Leaf1Edx, Bit(14), "Machine Check Architecture: "},
    {"PGE", &F::PGE, R::Leaf1Edx, Bit(13), "Page Global Extension: "},
    {"MTRR", &F::MTRR, R::Leaf1Edx, Bit(12), "Memory Type Range Registers: "},
    {"SEP", &F::SEP, R::Leaf1Edx, Bit(11), "SYSENTER/SYSEXIT extension: "},
    {"APIC", &F::APIC, R::Leaf1Edx, Bit(9), "Processor contains an enabled APIC: "},
    {"CX8", &F::CX8, R::Leaf1Edx, Bit(8), "CMPXCHG8B instruction: "},
    {"MCE", &F::MCE, R::Leaf1Edx, Bit(7), "Machine Check Exception: "},
    {"PAE", &F::PAE, R::Leaf1Edx, Bit(6), "Physical Address Extension: "},
    {"MSR", &F::MSR, R::Leaf1Edx, Bit(5), "Model Specific Registers: "},
    {"TSC", &F::TSC, R::Leaf1Edx, Bit(4), "Time Stamp Counter: "},
    {"PSE", &F::PSE, R::Leaf1Edx, Bit(3), "Page Size Extension: "},
    {"DE", &F::DE, R::Leaf1Edx, Bit(2), "Debugging Extension: "},
    {"VME", &F::VME, R::Leaf1Edx, Bit(1), "Virtual Mode Extension: "},
    {"FPU", &F::FPU, R::Leaf1Edx, Bit(0), "Built-In FPU: "},
};

constexpr FeatureProperty kPublishedFeatures[] = {
    {"_3DNOW", &F::_3DNOW}, {"EX_3DNOW", &F::EX_3DNOW}, {"EX_MMX", &F::EX_MMX}, {"SIMD", &F::SIMD},
    {"SERIAL", &F::SERIAL}, {"XSR", &F::XSR},           {"MMX", &F::MMX},       {"PSE36", &F::PSE36},
    {"PAT", &F::PAT},       {"CMOV", &F::CMOV},         {"MCA", &F::MCA},       {"PGE", &F::PGE},
    {"MTRR", &F::MTRR},     {"SEP", &F::SEP},           {"APIC", &F::APIC},     {"CX8", &F::CX8},
    {"MCE", &F::MCE},       {"PAE", &F::PAE},           {"MSR", &F::MSR},       {"TSC", &F::TSC},
    {"PSE", &F::PSE},       {"DE", &F::DE},             {"VME", &F::VME},       {"FPU", &F::FPU},
};

constexpr CacheProperty kPublishedCache[] = {
    {"L1Data", &TCPUCache::L1Data},
    {"L1Code", &TCPUCache::L1Code},
    {"Level1", &TCPUCache::Level1},
    {"Level2", &TCPUCache::Level2},
};

struct CacheDescriptor {
    std::uint8_t code;
    std::int32_t TCPUCache::*size;
    std::int32_t kb;
};

// Grouped by the size they set, in the order the sizes are scanned. Descriptors for the third
// level and for the translation buffers are not known here and change nothing.
constexpr CacheDescriptor kL1DataDescriptors[] = {{0x0A, &TCPUCache::L1Data, 8}, {0x0C, &TCPUCache::L1Data, 16}};
constexpr CacheDescriptor kL1CodeDescriptors[] = {{0x06, &TCPUCache::L1Code, 8}, {0x08, &TCPUCache::L1Code, 16}};
constexpr CacheDescriptor kLevel1Descriptors[] = {{0x80, &TCPUCache::Level1, 16}};
constexpr CacheDescriptor kLevel2Descriptors[] = {
    {0x40, &TCPUCache::Level2, 0},    {0x41, &TCPUCache::Level2, 128},  {0x42, &TCPUCache::Level2, 256},
    {0x82, &TCPUCache::Level2, 256},  {0x43, &TCPUCache::Level2, 512},  {0x83, &TCPUCache::Level2, 512},
    {0x44, &TCPUCache::Level2, 1024}, {0x84, &TCPUCache::Level2, 1024}, {0x45, &TCPUCache::Level2, 2048},
    {0x85, &TCPUCache::Level2, 2048},
};

// One pass over the slots for one size: every slot that names it sets it, so the last one wins.
void ScanSlots(const std::array<std::uint8_t, 16>& slots, std::span<const CacheDescriptor> descriptors,
               TCPUCache& cache) {
    for (const std::uint8_t slot : slots) {
        for (const CacheDescriptor& d : descriptors) {
            if (d.code == slot) cache.*d.size = d.kb;
        }
    }
}

void AppendBytes(std::string& text, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) text += static_cast<char>((value >> shift) & 0xFF);
}

std::string SplitHex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(value >> 16),
                  static_cast<unsigned>(value & 0xFFFF));
    return text;
}

}  // namespace

ProcessorSignature DecodeSignature(const CpuidRegisters& leaf1) {
    ProcessorSignature s;
    s.stepping = static_cast<std::int32_t>(leaf1.eax & 0xF);
    s.model = static_cast<std::int32_t>((leaf1.eax >> 4) & 0xF);
    s.family = static_cast<std::int32_t>((leaf1.eax >> 8) & 0xF);
    s.type = static_cast<std::int32_t>((leaf1.eax >> 12) & 0x3);
    s.brandIndex = static_cast<std::int32_t>(leaf1.ebx & 0xFF);
    return s;
}

std::string VendorText(const CpuidRegisters& leaf0) {
    std::string text;
    AppendBytes(text, leaf0.ebx);
    AppendBytes(text, leaf0.edx);
    AppendBytes(text, leaf0.ecx);
    return text;
}

std::span<const CpuVendorRow> CpuVendorTable() { return kVendors; }

CpuVendor LookupVendor(std::string_view vendorText) {
    for (const CpuVendorRow& row : kVendors) {
        if (vendorText == row.vendorText) return {row.index, row.company};
    }
    return {};
}

std::span<const FeatureProperty> PublishedFeatureProperties() { return kPublishedFeatures; }

std::span<const FeatureRow> FeatureTable() { return kFeatures; }

TCPUFeatures DecodeFeatures(std::uint32_t leaf1Edx, std::uint32_t extendedEdx) {
    TCPUFeatures f;
    for (const FeatureRow& row : kFeatures) {
        const std::uint32_t reg = row.source == FeatureRegister::Leaf1Edx ? leaf1Edx : extendedEdx;
        f.*row.flag = (reg & row.mask) != 0;
    }
    return f;
}

TCPUFeatures ReadFeatures(CpuidSource& cpu) {
    const std::uint32_t standard = cpu.CpuidLeaf(kLeafSignature).edx;
    const std::uint32_t extended = cpu.CpuidLeaf(kLeafExtendedFeatures).edx;
    return DecodeFeatures(standard, extended);
}

void FeatureListLines(const TCPUFeatures& features, bool clearFirst, std::vector<std::string>& lines) {
    if (clearFirst) lines.clear();
    for (const FeatureRow& row : kFeatures) {
        lines.push_back(std::string(row.label) + (features.*row.flag ? "Yes" : "No"));
    }
}

std::span<const CacheProperty> PublishedCacheProperties() { return kPublishedCache; }

std::array<std::uint8_t, 16> DescriptorSlots(const CpuidRegisters& leaf2) {
    std::array<std::uint8_t, 16> slots{};
    const std::uint32_t regs[] = {leaf2.eax, leaf2.ebx, leaf2.ecx, leaf2.edx};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i] = static_cast<std::uint8_t>((regs[i / 4] >> (8 * (i % 4))) & 0xFF);
    }
    return slots;
}

TCPUCache DecodeCacheDescriptors(const CpuidRegisters& leaf2) {
    const std::array<std::uint8_t, 16> slots = DescriptorSlots(leaf2);
    TCPUCache cache;
    ScanSlots(slots, kL1DataDescriptors, cache);
    ScanSlots(slots, kL1CodeDescriptors, cache);
    ScanSlots(slots, kLevel1Descriptors, cache);
    ScanSlots(slots, kLevel2Descriptors, cache);
    return cache;
}

TCPUCache ReadCache(CpuidSource& cpu) {
    CpuidRegisters leaf2 = cpu.CpuidLeaf(kLeafCacheDescriptors);
    const unsigned count = leaf2.eax & 0xFF;
    if (count > 1) {
        for (unsigned i = 0; i < count; ++i) leaf2 = cpu.CpuidLeaf(kLeafCacheDescriptors);
    }
    return DecodeCacheDescriptors(leaf2);
}

std::string BrandString(CpuidSource& cpu) {
    // 48 bytes from the three leaves and a 49th that stays zero, so the text always ends.
    char buffer[49] = {};
    if (!cpu.CpuidSupported()) return {};
    if (cpu.CpuidLeaf(kLeafHighestExtended).eax < kLeafBrandLast) return {};
    char* out = buffer;
    for (std::uint32_t leaf = kLeafBrandFirst; leaf <= kLeafBrandLast; ++leaf) {
        const CpuidRegisters r = cpu.CpuidLeaf(leaf);
        for (const std::uint32_t value : {r.eax, r.ebx, r.ecx, r.edx}) {
            for (int shift = 0; shift < 32; shift += 8) *out++ = static_cast<char>((value >> shift) & 0xFF);
        }
    }
    return std::string(buffer, std::strlen(buffer));
}

std::string ProcessorSerialText(CpuidSource& cpu) {
    const CpuidRegisters r = cpu.CpuidLeaf(kLeafSignature);
    return SplitHex(r.eax) + "-" + SplitHex(r.edx) + "-" + SplitHex(r.ecx);
}

bool FdivFlawTest() {
    // volatile keeps the compiler from working the answer out itself: the point is to ask the
    // processor's own divider.
    volatile double dividend = 4195835.0;
    volatile double divisor = 3145727.0;
    volatile double quotient = dividend / divisor;
    volatile double product = quotient * divisor;
    volatile double rest = product - dividend;
    return rest != 0.0;
}

}  // namespace brimlow
