// An ATA IDENTIFY page (512 bytes, zeros where the input ends early), and the byte-swapped
// string rule on a field of any length.
#include "storage/smartapi.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <array>

using namespace brimlow;
using namespace brimlow::storage;
using brimlow::fuzz::Expect;

namespace {

bool Trimmed(const std::string& text) {
    return text.empty() ||
           (static_cast<unsigned char>(text.front()) > ' ' && static_cast<unsigned char>(text.back()) > ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kSectorSize> page{};
    std::copy(data, data + std::min(size, page.size()), page.begin());
    const IdentifyFacts facts = DecodeIdentify(page);
    Expect(facts.serial.size() <= 20 && facts.firmware.size() <= 8 && facts.model.size() <= 40,
           "identify text longer than its field");
    Expect(Trimmed(facts.serial) && Trimmed(facts.firmware) && Trimmed(facts.model), "identify text not trimmed");
    Expect(facts.sizeBytes % kSectorSize == 0 && facts.sizeBytes / kSectorSize <= 0xFFFFFFFFu,
           "size is not a 32-bit sector count");

    const std::string any = SwapAtaString(std::span<const std::uint8_t>(data, size));
    Expect(any.size() <= size && Trimmed(any), "swapped text longer than its field or not trimmed");
    return 0;
}
