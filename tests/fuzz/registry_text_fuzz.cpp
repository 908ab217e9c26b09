// A registry value of any type and any bytes through each of the program's text rules: the
// typed rule of the list windows, the wide text of the video driver's binary values and the
// multi-string line of the personal window. Input: the type in the first byte, the data after.
#include "devices/display_text.h"
#include "platform/registry_text.h"
#include "sysconfig/personal_text.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>

using namespace brimlow;
using brimlow::fuzz::Expect;

namespace {

bool HasZero(const std::string& text) { return text.find('\0') != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint32_t type = in.U8();
    const std::span<const std::uint8_t> value = in.Rest();

    const std::string text = RegistryValueText(type, value);
    Expect(!HasZero(text), "registry text holds a zero");
    switch (type) {
    case kRegSz:
    case kRegExpandSz:
        Expect(text.size() <= value.size(), "registry text longer than its data");
        break;
    case kRegDword:
    case kRegDwordBigEndian:
        Expect(text.size() <= 10 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }),
               "a 32-bit number is not up to ten digits");
        break;
    case kRegMultiSz:
        // Each item's zero may become ", ": two characters for one byte.
        Expect(text.size() <= 2 * value.size(), "list text longer than its items");
        break;
    case kRegQword:
        Expect(text.size() <= 20, "a 64-bit number is not up to twenty digits");
        break;
    default:
        Expect(text.empty(), "a type without text gave text");
    }

    const std::string wide = WideRegistryText(value);
    Expect(!HasZero(wide) && wide.size() <= value.size(), "wide text holds a zero or grew");

    const std::string joined = JoinMultiString(value);
    Expect(joined.size() == (value.size() <= 1 ? 0 : value.size() - 1), "joined list is not the data less one byte");
    Expect(!HasZero(joined), "joined list holds a zero");
    return 0;
}
