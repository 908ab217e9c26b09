// Replies of an optical drive, any bytes: the MODE SENSE capability page, the GET CONFIGURATION
// profile and the INQUIRY text, with the rules the window relies on.
#include "storage/ISODiscLib.h"
#include "storage/cd_dvd_text.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <string_view>

using namespace brimlow::storage;
using brimlow::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> reply(data, size);

    // The list box shows the text line by line: no line holds a line break.
    for (const std::string& line : TextLines(CapabilityText(reply)))
        Expect(line.find_first_of("\r\n") == std::string::npos, "capability line with a line break in it");

    const std::uint16_t profile = CurrentProfileOf(reply);
    Expect(size >= 8 || profile == 0, "a profile from a reply too short to hold one");
    const int index = MediaProfileIndex(profile);
    Expect(index == -1 || !MediaProfileName(index).empty(), "a listed profile without a name");
    Expect(index != -1 || MediaProfileName(index).empty(), "a name for a profile not listed");

    // The INQUIRY text as the library takes it: from byte 8 to the first zero.
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    std::string_view text = size > 8 ? all.substr(8) : std::string_view();
    text = text.substr(0, text.find('\0'));
    const InquiryFields fields = SplitInquiryText(text);
    Expect(fields.vendor.size() <= 8 && fields.product.size() <= 16 && fields.revision.size() <= 4 &&
               fields.vendorSpecific.size() <= 20,
           "an INQUIRY field longer than its slice");
    const std::string trimmed = TrimControls(all);
    Expect(TrimControls(trimmed) == trimmed, "trimming twice trims more");
    Expect(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > ' ' &&
                               static_cast<unsigned char>(trimmed.back()) > ' '),
           "a control character left at an end");
    for (const std::string& line : TextLines(all))
        Expect(line.find_first_of("\r\n") == std::string::npos, "a text line with a line break in it");
    return 0;
}
