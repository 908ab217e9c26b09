#pragma once

// Readable names for HID usage pages and usages, for the USB window's collection and
// capability lines. A pure lookup over a table compiled into the program.

#include <cstdint>
#include <span>
#include <string>

namespace brimlow {

struct HidUsageName {
    std::uint16_t id;
    const char* name;
};

struct HidUsagePage {
    std::uint16_t id;
    const char* text;
    // Sorted by id; empty for pages whose usages are all shown as numbers.
    std::span<const HidUsageName> usages;
};

// The whole table, sorted by page id.
std::span<const HidUsagePage> HidUsagePages();

// Sets pageText and usageText to the names of the pair. A page or usage without a name
// becomes its number in lower-case hexadecimal without prefix or padding ("ff00", "e8",
// "0"), so both texts always come back non-empty. A usage is only ever named from its own
// page's list.
void UsageAndPageText(std::uint16_t usagePage, std::uint16_t usage, std::string& pageText,
                      std::string& usageText);

}  // namespace brimlow
