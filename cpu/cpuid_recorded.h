// A processor played back from recorded CPUID answers, for tests and for checking the decoders
// against dumps of real machines.
#pragma once

#include "cpu/cpuid.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow {

class RecordedCpuidSource final : public CpuidSource {
public:
    RecordedCpuidSource() = default;

    // Answers for one leaf in the order they were recorded; the k-th execution gets the k-th
    // answer and every execution after the last gets the last one again.
    void Record(std::uint32_t leaf, const CpuidRegisters& answer);
    void SetSupported(bool supported) { supported_ = supported; }

    bool CpuidSupported() override { return supported_; }
    // A leaf that was never recorded answers with four zeros.
    CpuidRegisters CpuidLeaf(std::uint32_t leaf) override;

    std::size_t Executions(std::uint32_t leaf) const;

private:
    struct Answers {
        std::vector<CpuidRegisters> registers;
        std::size_t executed = 0;
    };
    std::map<std::uint32_t, Answers> leaves_;
    bool supported_ = true;
};

// Reads a dump: one execution per line as five groups of hexadecimal digits, the leaf then EAX,
// EBX, ECX, EDX; lines starting with '#' and blank lines are skipped. nullopt on a malformed line,
// with the line number and the reason in *error.
std::optional<RecordedCpuidSource> ParseCpuidDump(std::string_view text, std::string* error = nullptr);

}  // namespace brimlow
