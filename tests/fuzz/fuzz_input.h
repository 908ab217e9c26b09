// Reads a fuzzer's bytes as the values a target needs. Past the end every read gives zeros, so
// a short input is simply a shorter conversation, never a read outside the data.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace brimlow::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    std::size_t remaining() const { return size_ - at_; }

    std::uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
    std::uint32_t U32() { return U16() | (std::uint32_t{U16()} << 16); }
    std::uint64_t U64() { return U32() | (std::uint64_t{U32()} << 32); }

    // Up to `count` bytes; fewer at the end of the input.
    std::span<const std::uint8_t> Bytes(std::size_t count) {
        const std::size_t n = std::min(count, remaining());
        std::span<const std::uint8_t> bytes(data_ + at_, n);
        at_ += n;
        return bytes;
    }
    std::span<const std::uint8_t> Rest() { return Bytes(remaining()); }

    // A text of at most `maxLength` bytes, its length from one byte of the input.
    std::string Text(std::size_t maxLength) {
        const std::size_t length = U8() % (maxLength + 1);
        const auto bytes = Bytes(length);
        return std::string(bytes.begin(), bytes.end());
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The writing side, for the seed generator: the same layout, byte for byte.
class FuzzOutput {
public:
    void U8(std::uint8_t v) { bytes.push_back(v); }
    void U16(std::uint16_t v) { U8(static_cast<std::uint8_t>(v)); U8(static_cast<std::uint8_t>(v >> 8)); }
    void U32(std::uint32_t v) { U16(static_cast<std::uint16_t>(v)); U16(static_cast<std::uint16_t>(v >> 16)); }
    void U64(std::uint64_t v) { U32(static_cast<std::uint32_t>(v)); U32(static_cast<std::uint32_t>(v >> 32)); }
    void Bytes(std::span<const std::uint8_t> b) { bytes.insert(bytes.end(), b.begin(), b.end()); }
    void Text(const std::string& text, std::size_t maxLength) {
        const std::size_t n = std::min(text.size(), maxLength);
        U8(static_cast<std::uint8_t>(n));
        bytes.insert(bytes.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    }
    std::vector<std::uint8_t> bytes;
};

// A broken promise of a decoder: ends the run the way a sanitizer does, so the fuzzer keeps the
// input that caused it.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

inline void Expect(bool condition, const char* what) {
    if (!condition) Broken(what);
}

}  // namespace brimlow::fuzz
