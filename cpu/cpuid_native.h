// The processor this program runs on, asked through the instruction itself.
#pragma once

#include "cpu/cpuid.h"

namespace brimlow {

// True when the processor executes CPUID: the ID bit of the flags register can be flipped. Always
// true on x86-64; always false where the program is not built for an x86 processor.
bool CpuidSupported();

// Executes CPUID with EAX = leaf. Without the instruction every register comes back 0 rather than
// the processor faulting on an unknown opcode.
CpuidRegisters CpuidLeaf(std::uint32_t leaf);

class NativeCpuidSource final : public CpuidSource {
public:
    bool CpuidSupported() override;
    CpuidRegisters CpuidLeaf(std::uint32_t leaf) override;
};

// BrandString of the running processor.
std::string BrandString();

}  // namespace brimlow
