// Registry values of every type in text form, as the list windows show them.
#include "platform/registry_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace brimlow {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> bytes) {
    std::vector<std::uint8_t> out;
    for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}
std::vector<std::uint8_t> Chars(std::string_view text) { return {text.begin(), text.end()}; }

TEST(RegistryValueText, EveryType) {
    const struct {
        const char* name;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        const char* text;
    } cases[] = {
        {"text", kRegSz, Chars(std::string_view("1.2.3\0", 6)), "1.2.3"},
        {"text without its zero", kRegSz, Chars("abc"), "abc"},
        {"text with a zero inside", kRegSz, Chars(std::string_view("ab\0cd\0", 6)), "ab"},
        {"empty text", kRegSz, {}, ""},
        {"expandable text stays unexpanded", kRegExpandSz, Chars(std::string_view("%ProgramFiles%\\x\0", 17)),
         "%ProgramFiles%\\x"},
        {"number", kRegDword, Bytes({0x39, 0x30, 0, 0}), "12345"},
        {"number with the top bit set", kRegDword, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), "4294967295"},
        {"number too short", kRegDword, Bytes({1, 2}), ""},
        {"big-endian number", kRegDwordBigEndian, Bytes({0, 0, 0x30, 0x39}), "12345"},
        {"64-bit number", kRegQword, Bytes({0, 0, 0, 0, 1, 0, 0, 0}), "4294967296"},
        {"64-bit number too short", kRegQword, Bytes({1, 0, 0, 0}), ""},
        {"list of texts", kRegMultiSz, Chars(std::string_view("one\0two\0\0", 9)), "one, two"},
        {"list without its final zeros", kRegMultiSz, Chars(std::string_view("one\0two", 7)), "one, two"},
        {"empty list", kRegMultiSz, Bytes({0, 0}), ""},
        {"binary data", kRegBinary, Bytes({0x41, 0x42, 0}), ""},
        {"no type", kRegNone, Chars("abc"), ""},
        {"unknown type", 0x1234, Chars("abc"), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RegistryValueText(c.type, c.data), c.text) << c.name;
}

}  // namespace
}  // namespace brimlow
