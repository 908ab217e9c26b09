// The texts of the CD/DVD window: the four INQUIRY fields and the drive list's items.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brimlow::storage {

struct InquiryFields {
    std::string vendor;          // characters 1-8 as they stand
    std::string product;         // characters 9-24 as they stand
    std::string revision;        // characters 25-28, trimmed, other control and 8-bit codes as blanks
    std::string vendorSpecific;  // characters 29-48, trimmed
};

// Splits the INQUIRY text (the reply from byte 8 on, up to its first zero byte). A short text
// gives short or empty fields.
InquiryFields SplitInquiryText(std::string_view text);

// Removes blanks and control characters (codes 0-32) from both ends.
std::string TrimControls(std::string_view text);

// The lines of a text split at CR LF, CR or LF, as a list box takes a multi-line text: a
// trailing line break adds no empty line, the empty text gives no line.
std::vector<std::string> TextLines(std::string_view text);

}  // namespace brimlow::storage
