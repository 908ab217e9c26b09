// Registry values in text form, whatever type they were stored with: lists shown to the user take
// a value the way it is, instead of stopping at a type they did not expect.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace brimlow {

// Value types as the registry stores them.
enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegDwordBigEndian = 5,
    kRegLink = 6,
    kRegMultiSz = 7,
    kRegQword = 11,
};

// Text types up to their first zero (data without a terminator up to its length, an expandable
// text unexpanded); numbers in decimal; a list of texts with ", " between the items; binary data
// and every other type as the empty text. A number shorter than its type reads as the empty text.
std::string RegistryValueText(std::uint32_t type, std::span<const std::uint8_t> data);

}  // namespace brimlow
