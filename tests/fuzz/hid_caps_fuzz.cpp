// What HID devices report about themselves, any values: link-collection nodes and button and
// value capabilities as the USB window's tree lines, and the usage names behind them.
#include "devices/HidUsageNames.h"
#include "devices/hid_text.h"
#include "tests/fuzz/fuzz_input.h"

using namespace brimlow;
using brimlow::fuzz::Expect;
using brimlow::fuzz::FuzzInput;

namespace {

bool OneLine(const std::string& text) { return !text.empty() && text.find_first_of("\r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    while (!in.empty()) {
        HidCollectionFacts node;
        node.usagePage = in.U16();
        node.usage = in.U16();
        node.collectionType = in.U8();
        node.isAlias = in.U8() & 1;
        Expect(OneLine(HidCollectionText(node)), "a collection line empty or broken");
        Expect(!CollectionTypeText(node.collectionType).empty(), "a collection type without a text");

        HidCapsFacts caps;
        caps.usagePage = in.U16();
        caps.isRange = in.U8() & 1;
        caps.usageMin = in.U16();
        caps.usageMax = in.U16();
        caps.usage = in.U16();
        const auto kind = in.U8() & 1 ? HidCapsKind::Value : HidCapsKind::Button;
        const auto report = static_cast<HidReportType>(in.U8() % 3);
        Expect(OneLine(HidCapsText(kind, report, caps)), "a capability line empty or broken");

        std::string page, usage;
        UsageAndPageText(caps.usagePage, caps.usage, page, usage);
        Expect(!page.empty() && !usage.empty(), "a usage or page without a text");
    }
    return 0;
}
