#include "storage/cd_dvd_text.h"

namespace brimlow::storage {

namespace {
bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Slice(std::string_view text, std::size_t first, std::size_t count) {
    if (first >= text.size()) return {};
    return std::string(text.substr(first, count));
}
}  // namespace

std::string TrimControls(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsControlOrBlank(text[begin])) ++begin;
    while (end > begin && IsControlOrBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

InquiryFields SplitInquiryText(std::string_view text) {
    InquiryFields f;
    f.vendor = Slice(text, 0, 8);
    f.product = Slice(text, 8, 16);
    f.revision = TrimControls(Slice(text, 24, 4));
    for (char& c : f.revision) {
        const auto code = static_cast<unsigned char>(c);
        if ((code >= 1 && code <= 31) || code >= 128) c = ' ';
    }
    f.vendorSpecific = TrimControls(Slice(text, 28, 20));
    return f;
}

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace brimlow::storage
