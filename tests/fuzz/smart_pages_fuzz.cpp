// A drive's SMART attribute page and threshold page, as the driver hands them over: the first
// 512 bytes of the input are the attributes, the next 512 the thresholds (zeros where the input
// ends early).
#include "storage/smartapi.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <array>
#include <string_view>

using namespace brimlow;
using namespace brimlow::storage;
using brimlow::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    std::array<std::uint8_t, kSectorSize> attributes{}, thresholds{};
    const auto a = in.Bytes(kSectorSize);
    std::copy(a.begin(), a.end(), attributes.begin());
    const auto t = in.Bytes(kSectorSize);
    std::copy(t.begin(), t.end(), thresholds.begin());

    TSmartResult result;
    SmartAttributeState(attributes, thresholds, result);
    Expect(result.attributeCount >= 0 && result.attributeCount <= kSmartEntries, "more attributes than entries");
    Expect(result.failingCount >= 0 && result.failingCount <= result.attributeCount, "more failing than read");
    Expect(result.temperature >= 0 && result.temperature <= 255, "temperature is more than one byte");
    int failing = 0;
    for (int k = 0; k < result.attributeCount; ++k) {
        const SmartAttribute& s = result.attributes[static_cast<std::size_t>(k)];
        Expect(s.id >= 1 && s.id <= 255, "attribute id outside one non-zero byte");
        Expect(!s.name.empty(), "attribute without a name");
        Expect(s.raw < (std::uint64_t{1} << 48), "raw value wider than six bytes");
        const std::string_view state = s.state;
        Expect(state == kStateFailingNow || state == kStateFailedInPast || state == kStateWarning ||
                   state == kStateOk || state == kStateNotJudged,
               "attribute state outside the five");
        failing += state == kStateFailingNow || state == kStateFailedInPast;
    }
    Expect(failing == result.failingCount, "failing count differs from the failing states");
    return 0;
}
