#include "cpu/cpuid_native.h"

namespace brimlow {
namespace {

#if defined(__i386__)
// A 486 without CPUID refuses to change the ID bit (bit 21) of EFLAGS. The original flags are
// put back afterwards so that nothing else sees the flipped bit.
bool FlagsIdBitToggles() {
    std::uint32_t original = 0;
    std::uint32_t readBack = 0;
    asm volatile(
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl $0x200000, %1\n\t"
        "pushl %1\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %1\n\t"
        "pushl %0\n\t"
        "popfl"
        : "=&r"(original), "=&r"(readBack)
        :
        : "cc", "memory");
    return ((original ^ readBack) & 0x200000) != 0;
}
#endif

}  // namespace

bool CpuidSupported() {
#if defined(__x86_64__)
    return true;
#elif defined(__i386__)
    static const bool supported = FlagsIdBitToggles();
    return supported;
#else
    return false;
#endif
}

CpuidRegisters CpuidLeaf(std::uint32_t leaf) {
    CpuidRegisters r;
#if defined(__i386__) || defined(__x86_64__)
    if (!CpuidSupported()) return r;
    // ECX is cleared only so that the answer does not depend on what the register held before.
    asm volatile("cpuid" : "=a"(r.eax), "=b"(r.ebx), "=c"(r.ecx), "=d"(r.edx) : "a"(leaf), "c"(0));
#else
    (void)leaf;
#endif
    return r;
}

bool NativeCpuidSource::CpuidSupported() { return brimlow::CpuidSupported(); }

CpuidRegisters NativeCpuidSource::CpuidLeaf(std::uint32_t leaf) { return brimlow::CpuidLeaf(leaf); }

std::string BrandString() {
    NativeCpuidSource cpu;
    return BrandString(cpu);
}

}  // namespace brimlow
