// The layout of the WMI value target's input, shared with the seed generator.
#pragma once

#include "platform/wmi_value.h"

namespace brimlow::fuzz {

inline constexpr int kCimTypes[] = {kCimSint16,  kCimSint32,   kCimReal32,    kCimReal64, kCimString, kCimBoolean,
                                    kCimObject,  kCimSint8,    kCimUint8,     kCimUint16, kCimUint32, kCimSint64,
                                    kCimUint64,  kCimDatetime, kCimReference, kCimChar16, 0};

enum ValueShape : std::uint8_t { kValueNull = 0, kValueScalar = 1, kValueArray = 2 };
enum ScalarKind : std::uint8_t { kScalarInteger = 0, kScalarReal = 1, kScalarBoolean = 2, kScalarText = 3, kScalarObject = 4 };

// The byte that picks `cimType` (with or without the array flag).
inline std::uint8_t CimTypePick(int cimType) {
    const int base = cimType & ~kCimArrayFlag;
    for (std::uint8_t k = 0; k < std::size(kCimTypes); ++k)
        if (kCimTypes[k] == base) return static_cast<std::uint8_t>(k | ((cimType & kCimArrayFlag) ? 0x80 : 0));
    return 0;
}

}  // namespace brimlow::fuzz
