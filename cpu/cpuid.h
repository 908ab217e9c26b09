// What the processor says about itself through CPUID: vendor, signature, feature flags, cache
// sizes, brand string and the serial text. Everything here decodes register values; the one step
// that executes the instruction sits behind CpuidSource, so recorded dumps can stand in for the
// processor.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow {

struct CpuidRegisters {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t edx = 0;

    friend bool operator==(const CpuidRegisters&, const CpuidRegisters&) = default;
};

inline constexpr std::uint32_t kLeafVendor = 0;
inline constexpr std::uint32_t kLeafSignature = 1;
inline constexpr std::uint32_t kLeafCacheDescriptors = 2;
inline constexpr std::uint32_t kLeafHighestExtended = 0x80000000;
inline constexpr std::uint32_t kLeafExtendedFeatures = 0x80000001;
inline constexpr std::uint32_t kLeafBrandFirst = 0x80000002;
inline constexpr std::uint32_t kLeafBrandLast = 0x80000004;

// Executes the instruction, or answers for it.
class CpuidSource {
public:
    virtual ~CpuidSource() = default;
    virtual bool CpuidSupported() = 0;
    // EAX = leaf; the sub-leaf in ECX means nothing for the leaves this program reads.
    virtual CpuidRegisters CpuidLeaf(std::uint32_t leaf) = 0;
};

struct ProcessorSignature {
    std::int32_t stepping = 0;
    std::int32_t model = 0;   // the four low bits only: the extended model is not looked at
    std::int32_t family = 0;  // likewise without the extended family
    std::int32_t type = 0;
    std::int32_t brandIndex = 0;
};

ProcessorSignature DecodeSignature(const CpuidRegisters& leaf1);

// Twelve characters from EBX, EDX, ECX, low byte first. Zero bytes are kept as characters.
std::string VendorText(const CpuidRegisters& leaf0);

struct CpuVendor {
    std::int32_t index = 0;  // row of the vendor table, 1..7; 0 when no row matches
    std::string company;     // empty when no row matches
};

// Exact, case-sensitive comparison of all twelve characters.
CpuVendor LookupVendor(std::string_view vendorText);

struct CpuVendorRow {
    std::int32_t index;
    const char* vendorText;
    const char* company;
};
std::span<const CpuVendorRow> CpuVendorTable();

// The decoded feature flags, in their declared order. Every flag starts false.
struct TCPUFeatures {
    bool SEP = false;
    bool MTRR = false;
    bool MSR = false;
    bool PSE = false;
    bool TSC = false;
    bool MCE = false;
    bool MMX = false;
    bool PAT = false;
    bool PAE = false;
    bool XSR = false;
    bool VME = false;
    bool PGE = false;
    bool CMOV = false;
    bool FPU = false;
    bool CX8 = false;
    bool SIMD = false;
    bool MCA = false;
    bool APIC = false;
    bool DE = false;
    bool PSE36 = false;
    bool SERIAL = false;
    bool _3DNOW = false;
    bool EX_3DNOW = false;
    bool EX_MMX = false;

    friend bool operator==(const TCPUFeatures&, const TCPUFeatures&) = default;
};

struct FeatureProperty {
    const char* name;
    bool TCPUFeatures::*flag;
};

// The flags by name, in the order they are published for reflection.
std::span<const FeatureProperty> PublishedFeatureProperties();

enum class FeatureRegister { Leaf1Edx, ExtendedEdx };

struct FeatureRow {
    const char* name;
    bool TCPUFeatures::*flag;
    FeatureRegister source;
    std::uint32_t mask;  // any of these bits sets the flag
    const char* label;   // ends in ": "
};

// The flags in listing order with the bits they come from.
std::span<const FeatureRow> FeatureTable();

// leaf1Edx: EDX of leaf 1; extendedEdx: EDX of leaf 0x80000001.
TCPUFeatures DecodeFeatures(std::uint32_t leaf1Edx, std::uint32_t extendedEdx);

// Leaf 0x80000001 is executed whether or not leaf 0x80000000 reports it: older processors answer
// it with whatever they answer for an unknown leaf, and those bits are taken as they come.
TCPUFeatures ReadFeatures(CpuidSource& cpu);

// Appends "<label>Yes" or "<label>No" per flag, in listing order; empties the list first when
// asked to.
void FeatureListLines(const TCPUFeatures& features, bool clearFirst, std::vector<std::string>& lines);

// Sizes in KB, in their declared order. Every size starts at 0.
struct TCPUCache {
    std::int32_t Level2 = 0;
    std::int32_t Level1 = 0;
    std::int32_t L1Data = 0;
    std::int32_t L1Code = 0;

    friend bool operator==(const TCPUCache&, const TCPUCache&) = default;
};

struct CacheProperty {
    const char* name;
    std::int32_t TCPUCache::*size;
};
std::span<const CacheProperty> PublishedCacheProperties();

// The sixteen descriptor bytes of leaf 2: EAX, EBX, ECX, EDX, each low byte first. The repeat
// count in the first byte and the registers' validity bits are scanned like any descriptor.
std::array<std::uint8_t, 16> DescriptorSlots(const CpuidRegisters& leaf2);

TCPUCache DecodeCacheDescriptors(const CpuidRegisters& leaf2);

// Executes leaf 2, then n more times when its first byte n is above 1, and decodes the last answer.
TCPUCache ReadCache(CpuidSource& cpu);

// At most 48 characters; empty without CPUID or without the brand leaves. Leading blanks are kept.
std::string BrandString(CpuidSource& cpu);

// Leaf 1's EAX, EDX and ECX as "XXXX-XXXX-XXXX-XXXX-XXXX-XXXX".
std::string ProcessorSerialText(CpuidSource& cpu);

// True when this processor's floating-point division gets 4195835 / 3145727 wrong.
bool FdivFlawTest();

}  // namespace brimlow
