#include "devices/HidUsageNames.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace brimlow {
namespace {

// First pass over the table: one array of named usages per page, called kUsages_0x..
#define HID_PAGE(pageId, pageText) constexpr HidUsageName kUsages_##pageId[] = {
#define HID_USAGE(usageId, usageName) {usageId, usageName},
#define HID_END_PAGE() };
#define HID_BARE_PAGE(pageId, pageText)
#include "devices/HidUsageTable.inc"
#undef HID_PAGE
#undef HID_USAGE
#undef HID_END_PAGE
#undef HID_BARE_PAGE

// Second pass: the page list, pointing at the arrays above.
constexpr HidUsagePage kPages[] = {
#define HID_PAGE(pageId, pageText) {pageId, pageText, kUsages_##pageId},
#define HID_USAGE(usageId, usageName)
#define HID_END_PAGE()
#define HID_BARE_PAGE(pageId, pageText) {pageId, pageText, {}},
#include "devices/HidUsageTable.inc"
#undef HID_PAGE
#undef HID_USAGE
#undef HID_END_PAGE
#undef HID_BARE_PAGE
};

// The binary searches below are only right on strictly ascending ids, so a line pasted out
// of order in the table stops the build instead of hiding names.
constexpr bool StrictlyAscending() {
    for (std::size_t p = 0; p < std::size(kPages); ++p) {
        if (p > 0 && kPages[p - 1].id >= kPages[p].id) return false;
        const auto usages = kPages[p].usages;
        for (std::size_t u = 1; u < usages.size(); ++u) {
            if (usages[u - 1].id >= usages[u].id) return false;
        }
    }
    return true;
}
static_assert(StrictlyAscending(), "HidUsageTable.inc must list pages and usages by ascending id");

template <typename Entry>
const Entry* FindById(std::span<const Entry> entries, std::uint16_t id) {
    const auto it = std::lower_bound(entries.begin(), entries.end(), id,
                                     [](const Entry& e, std::uint16_t key) { return e.id < key; });
    return it != entries.end() && it->id == id ? &*it : nullptr;
}

std::string Hex(std::uint16_t value) {
    char digits[4];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value, 16);
    return std::string(digits, result.ptr);
}

}  // namespace

std::span<const HidUsagePage> HidUsagePages() { return kPages; }

void UsageAndPageText(std::uint16_t usagePage, std::uint16_t usage, std::string& pageText,
                      std::string& usageText) {
    pageText.clear();
    usageText.clear();
    if (const HidUsagePage* page = FindById<HidUsagePage>(kPages, usagePage)) {
        pageText = page->text;
        if (const HidUsageName* name = FindById(page->usages, usage)) usageText = name->name;
    }
    if (pageText.empty()) pageText = Hex(usagePage);
    if (usageText.empty()) usageText = Hex(usage);
}

}  // namespace brimlow
