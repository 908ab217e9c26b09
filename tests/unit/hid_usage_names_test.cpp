#include "devices/HidUsageNames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace brimlow {
namespace {

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

struct Named {
    std::string page;
    std::string usage;
};

Named Name(std::uint16_t page, std::uint16_t usage) {
    // Stale contents must not survive: the routine clears both texts before it starts.
    Named result{"stale page", "stale usage"};
    UsageAndPageText(page, usage, result.page, result.usage);
    return result;
}

TEST(HidUsageNames, NamesAndFallbacks) {
    struct Row {
        const char* what;
        std::uint16_t page;
        std::uint16_t usage;
        const char* pageText;
        const char* usageText;
    };
    const Row rows[] = {
        {"mouse", 0x01, 0x02, "Generic Desktop", "Mouse"},
        {"button n is its number", 0x09, 0x05, "Button", "5"},
        {"button 0", 0x09, 0x00, "Button", "No Button Pressed"},
        {"vendor page", 0xFF00, 0x01, "ff00", "1"},
        {"page without entry", 0x0E, 0x00, "e", "0"},
        {"unicode code point", 0x10, 0x41, "Unicode", "41"},
        {"beyond the last key", 0x07, 0xE8, "Keyboard", "e8"},
        {"largest numbers", 0xFFFF, 0xFFFF, "ffff", "ffff"},
        {"page 0 names no usage", 0x00, 0x00, "Undefined", "0"},
        {"ordinal n is its number", 0x0A, 0x07, "Ordinal", "7"},
        {"enumerated value n", 0x81, 0x01, "USB Enumerated Values", "1"},
        {"virtual controls page", 0x82, 0x10, "VESA Virtual Controls", "10"},
        {"reserved page", 0x83, 0x00, "Reserved", "0"},
        // A usage number is never named from another page's list.
        {"mouse number on the button page", 0x09, 0x02, "Button", "2"},
        {"key number on the LED page", 0x08, 0xE5, "LED", "e5"},
        {"gap inside a named range", 0x01, 0x09, "Generic Desktop", "9"},
        {"past the consumer range", 0x0C, 0x29D, "Consumer", "29d"},

        {"desktop 0x00", 0x01, 0x00, "Generic Desktop", "Undefined"},
        {"desktop 0x01", 0x01, 0x01, "Generic Desktop", "Pointing Device"},
        {"desktop 0x03", 0x01, 0x03, "Generic Desktop", "Reserved"},
        {"desktop 0x04", 0x01, 0x04, "Generic Desktop", "Joystick"},
        {"desktop 0x05", 0x01, 0x05, "Generic Desktop", "Gamepad"},
        {"desktop 0x06", 0x01, 0x06, "Generic Desktop", "Keyboard"},
        {"desktop 0x07", 0x01, 0x07, "Generic Desktop", "Keypad"},
        {"desktop 0x08", 0x01, 0x08, "Generic Desktop", "Multi-Axis"},
        {"desktop 0x30", 0x01, 0x30, "Generic Desktop", "X Axis"},
        {"desktop 0x33", 0x01, 0x33, "Generic Desktop", "Rotational X Axis"},
        {"desktop 0x36", 0x01, 0x36, "Generic Desktop", "Slider"},
        {"desktop 0x37", 0x01, 0x37, "Generic Desktop", "Dial"},
        {"desktop 0x38", 0x01, 0x38, "Generic Desktop", "Wheel"},
        {"desktop 0x39", 0x01, 0x39, "Generic Desktop", "Hat Switch"},
        {"desktop 0x3A", 0x01, 0x3A, "Generic Desktop", "Counted Buffer"},
        {"desktop 0x3B", 0x01, 0x3B, "Generic Desktop", "Byte Count"},
        {"desktop 0x3C", 0x01, 0x3C, "Generic Desktop", "Motion Wakeup"},
        {"desktop 0x80", 0x01, 0x80, "Generic Desktop", "System Control"},
        {"desktop 0x81", 0x01, 0x81, "Generic Desktop", "System Control Power Down"},
        {"desktop 0xB7", 0x01, 0xB7, "Generic Desktop", "System Control LCD Autoscale Display"},
        {"sport 0x61", 0x04, 0x61, "Sport", "Wood 5"},
        {"sport 0x62", 0x04, 0x62, "Sport", "Wood 7"},
        {"sport 0x63", 0x04, 0x63, "Sport", "Wood 9"},
        {"generic 0x00", 0x06, 0x00, "Generic", "Undefined"},
        {"generic 0x20", 0x06, 0x20, "Generic", "Battery Strength"},
        {"generic 0x21", 0x06, 0x21, "Generic", "Wireless Channel"},
        {"generic 0x22", 0x06, 0x22, "Generic", "Wireless ID"},
        {"key 0x00", 0x07, 0x00, "Keyboard", "Empty"},
        {"key 0x01", 0x07, 0x01, "Keyboard", "Rollover"},
        {"key 0x02", 0x07, 0x02, "Keyboard", "Postfail"},
        {"key 0x03", 0x07, 0x03, "Keyboard", "Undefined Error"},
        {"key 0x04", 0x07, 0x04, "Keyboard", "A"},
        {"key 0x1D", 0x07, 0x1D, "Keyboard", "Z"},
        {"key 0x1E", 0x07, 0x1E, "Keyboard", "1"},
        {"key 0x26", 0x07, 0x26, "Keyboard", "9"},
        {"key 0x27", 0x07, 0x27, "Keyboard", "0"},
        {"key 0x28", 0x07, 0x28, "Keyboard", "Enter (not Return)"},
        {"key 0x29", 0x07, 0x29, "Keyboard", "Esc"},
        {"key 0x2A", 0x07, 0x2A, "Keyboard", "Backspace"},
        {"key 0x2B", 0x07, 0x2B, "Keyboard", "Tabulator"},
        {"key 0x2C", 0x07, 0x2C, "Keyboard", "Space"},
        {"key 0x2D", 0x07, 0x2D, "Keyboard", "-"},
        {"key 0x2E", 0x07, 0x2E, "Keyboard", "="},
        {"key 0x2F", 0x07, 0x2F, "Keyboard", "["},
        {"key 0x30", 0x07, 0x30, "Keyboard", "]"},
        {"key 0x32", 0x07, 0x32, "Keyboard", "# 2"},
        {"key 0x39", 0x07, 0x39, "Keyboard", "Caps Lock"},
        {"key 0x3A", 0x07, 0x3A, "Keyboard", "F1"},
        {"key 0xE5", 0x07, 0xE5, "Keyboard", "Right Shift"},
        {"key 0xE6", 0x07, 0xE6, "Keyboard", "Right Alt"},
        {"key 0xE7", 0x07, 0xE7, "Keyboard", "Right GUI"},
        {"LED 0x01", 0x08, 0x01, "LED", "Keyboard Num Lock"},
        {"LED 0x4D", 0x08, 0x4D, "LED", "External Power Connected"},
        {"ordinal 0", 0x0A, 0x00, "Ordinal", "Reserved"},
        {"telephony 0xB0", 0x0B, 0xB0, "Telephony", "Key 0"},
        {"telephony 0xB9", 0x0B, 0xB9, "Telephony", "Key 9"},
        {"telephony 0xBA", 0x0B, 0xBA, "Telephony", "Key *"},
        {"telephony 0xBB", 0x0B, 0xBB, "Telephony", "Key #"},
        {"telephony 0xBC", 0x0B, 0xBC, "Telephony", "Key A"},
        {"telephony 0xBF", 0x0B, 0xBF, "Telephony", "Key D"},
        {"consumer 0x01", 0x0C, 0x01, "Consumer", "Consumer Control"},
        {"consumer 0x20", 0x0C, 0x20, "Consumer", "+10"},
        {"consumer 0x29A", 0x0C, 0x29A, "Consumer", "Application Control Split"},
        {"force feedback 0x01", 0x0F, 0x01, "Physical Input Device (Force Feedback)",
         "Physical Interface Device"},
        {"force feedback 0xAB", 0x0F, 0xAB, "Physical Input Device (Force Feedback)",
         "Create New Effect Report"},
        {"force feedback 0xAC", 0x0F, 0xAC, "Physical Input Device (Force Feedback)",
         "RAM Pool Available"},
        {"alphanumeric 0x01", 0x14, 0x01, "Alphanumeric", "Alphanumeric Display"},
        {"medical 0x20", 0x40, 0x20, "Medical Instrument", "VCR Aquisition"},
        {"monitor 0x00", 0x80, 0x00, "USB Monitor", "Reserved"},
        {"monitor 0x01", 0x80, 0x01, "USB Monitor", "Monitor Control"},
        {"monitor 0x02", 0x80, 0x02, "USB Monitor", "EDID Information"},
        {"monitor 0x03", 0x80, 0x03, "USB Monitor", "VDIF Information"},
        {"monitor 0x04", 0x80, 0x04, "USB Monitor", "VESA Version"},
        {"enumerated value 0", 0x81, 0x00, "USB Enumerated Values", "No Enumerated Value Selected"},
        {"power 0x01", 0x84, 0x01, "Power Device", "iName"},
        {"power 0xFD", 0x84, 0xFD, "Power Device", "iManufacturer"},
        {"power 0xFE", 0x84, 0xFE, "Power Device", "iProduct"},
        {"power 0xFF", 0x84, 0xFF, "Power Device", "iSerialNumber"},
        {"battery 0x01", 0x85, 0x01, "Battery System", "SMB Battery Mode"},
        {"battery 0xF3", 0x85, 0xF3, "Battery System", "Level 3"},
        {"scanner 0x11F", 0x8C, 0x11F, "Barcode Scanner", "UltraCode"},
        {"scanner 0x120", 0x8C, 0x120, "Barcode Scanner", "USD-5 (Slug Code)"},
        {"scanner 0x121", 0x8C, 0x121, "Barcode Scanner", "VeriCode"},
        {"scale 0x21", 0x8D, 0x21, "Weighing Device", "Scale Class I Metric"},
        {"scale 0x80", 0x8D, 0x80, "Weighing Device", "Scale Status Zero Scale"},
        {"stripe 0x01", 0x8E, 0x01, "Magnetic Stripe Reader", "MSR Device Read Only"},
        {"stripe 0x11", 0x8E, 0x11, "Magnetic Stripe Reader", "Track 1 Length"},
        {"stripe 0x24", 0x8E, 0x24, "Magnetic Stripe Reader", "Track JIS Data"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Named named = Name(row.page, row.usage);
        EXPECT_EQ(named.page, row.pageText);
        EXPECT_EQ(named.usage, row.usageText);
    }
}

// Page id, page text, named usages, first and last named usage.
struct ExpectedPage {
    std::uint16_t id;
    const char* text;
    std::size_t named;
    std::uint16_t first;
    std::uint16_t last;
    const char* usageZero;  // name of usage 0 when the page names any usage
};

constexpr ExpectedPage kExpectedPages[] = {
    {0x00, "Undefined", 0, 0, 0, nullptr},
    {0x01, "Generic Desktop", 70, 0x00, 0xB7, "Undefined"},
    {0x02, "Simulation", 52, 0x00, 0xD0, "Undefined"},
    {0x03, "Virtual Reality", 13, 0x00, 0x21, "Undefined"},
    {0x04, "Sport", 35, 0x00, 0x63, "Undefined"},
    {0x05, "Game", 29, 0x00, 0x39, "Undefined"},
    {0x06, "Generic", 4, 0x00, 0x22, "Undefined"},
    {0x07, "Keyboard", 221, 0x00, 0xE7, "Empty"},
    {0x08, "LED", 78, 0x00, 0x4D, "Undefined"},
    {0x09, "Button", 1, 0x00, 0x00, "No Button Pressed"},
    {0x0A, "Ordinal", 1, 0x00, 0x00, "Reserved"},
    {0x0B, "Telephony", 66, 0x00, 0xBF, "Undefined"},
    {0x0C, "Consumer", 349, 0x000, 0x29C, "Undefined"},
    {0x0D, "Digitizer", 40, 0x00, 0x46, "Undefined"},
    {0x0F, "Physical Input Device (Force Feedback)", 106, 0x00, 0xAC, "Undefined"},
    {0x10, "Unicode", 0, 0, 0, nullptr},
    {0x14, "Alphanumeric", 48, 0x00, 0x4D, "Undefined"},
    {0x40, "Medical Instrument", 30, 0x00, 0xA1, "Undefined"},
    {0x80, "USB Monitor", 5, 0x00, 0x04, "Reserved"},
    {0x81, "USB Enumerated Values", 1, 0x00, 0x00, "No Enumerated Value Selected"},
    {0x82, "VESA Virtual Controls", 0, 0, 0, nullptr},
    {0x83, "Reserved", 0, 0, 0, nullptr},
    {0x84, "Power Device", 78, 0x00, 0xFF, "Undefined"},
    {0x85, "Battery System", 92, 0x00, 0xF3, "Undefined"},
    {0x8C, "Barcode Scanner", 194, 0x000, 0x121, "Undefined"},
    {0x8D, "Weighing Device", 47, 0x00, 0x81, "Undefined"},
    {0x8E, "Magnetic Stripe Reader", 11, 0x00, 0x24, "Undefined"},
};

TEST(HidUsageNames, PagesCountsAndRangesMatchTheTable) {
    const auto pages = HidUsagePages();
    ASSERT_EQ(pages.size(), std::size(kExpectedPages));
    std::size_t total = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const HidUsagePage& page = pages[i];
        const ExpectedPage& expected = kExpectedPages[i];
        SCOPED_TRACE("page " + Hex(expected.id));
        EXPECT_EQ(page.id, expected.id);
        EXPECT_STREQ(page.text, expected.text);
        EXPECT_EQ(page.usages.size(), expected.named);
        total += page.usages.size();
        if (page.usages.empty() || expected.usageZero == nullptr) {
            EXPECT_EQ(page.usages.empty(), expected.usageZero == nullptr);
            continue;
        }
        EXPECT_EQ(page.usages.front().id, expected.first);
        EXPECT_EQ(page.usages.back().id, expected.last);
        EXPECT_EQ(page.usages.front().id, 0);
        EXPECT_STREQ(page.usages.front().name, expected.usageZero);
    }
    EXPECT_EQ(total, 1571u);
}

TEST(HidUsageNames, TableIsSortedAndWellWorded) {
    const auto pages = HidUsagePages();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + Hex(pages[p].id));
        if (p > 0) {
            EXPECT_LT(pages[p - 1].id, pages[p].id) << "pages out of order or repeated";
        }
        const auto usages = pages[p].usages;
        for (std::size_t u = 0; u < usages.size(); ++u) {
            SCOPED_TRACE("usage " + Hex(usages[u].id));
            if (u > 0) {
                EXPECT_LT(usages[u - 1].id, usages[u].id) << "out of order or repeated";
            }
            ASSERT_NE(usages[u].name, nullptr);
            const std::string name = usages[u].name;
            ASSERT_FALSE(name.empty());
            EXPECT_NE(name.front(), ' ');
            EXPECT_NE(name.back(), ' ');
            EXPECT_EQ(name.find("  "), std::string::npos);
            EXPECT_EQ(name.find_first_of("\t\r\n_"), std::string::npos);
        }
    }
}

// Every table entry must be reachable through the lookup, and every number around and
// between the named ones must fall back to hexadecimal: this is what catches a broken search.
TEST(HidUsageNames, LookupAgreesWithTheTableForEveryUsage) {
    for (const HidUsagePage& page : HidUsagePages()) {
        SCOPED_TRACE("page " + Hex(page.id));
        std::map<std::uint16_t, std::string> named;
        for (const HidUsageName& usage : page.usages) named.emplace(usage.id, usage.name);
        for (unsigned usage = 0; usage <= 0x400; ++usage) {
            const Named result = Name(page.id, static_cast<std::uint16_t>(usage));
            ASSERT_EQ(result.page, page.text);
            const auto it = named.find(static_cast<std::uint16_t>(usage));
            ASSERT_EQ(result.usage, it != named.end() ? it->second : Hex(usage))
                << "usage " << Hex(usage);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Cross-check against the HUT section of the usb.ids database, where one is installed. Its
// wording is terser than ours and it has its own slips, so only which usages exist is
// compared, and the differences are printed for a reviewer rather than failing the test.

using UsbIdsPages = std::map<unsigned, std::map<unsigned, std::string>>;

UsbIdsPages ParseHutSection(std::istream& in) {
    UsbIdsPages pages;
    std::map<unsigned, std::string>* current = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("HUT ", 0) == 0) {
            current = &pages[std::stoul(line.substr(4, 2), nullptr, 16)];
        } else if (current != nullptr && !line.empty() && line[0] == '\t') {
            std::istringstream fields(line.substr(1));
            std::string id;
            fields >> std::ws >> id >> std::ws;
            std::string name;
            std::getline(fields, name);
            (*current)[std::stoul(id, nullptr, 16)] = name;
        } else {
            current = nullptr;
        }
    }
    return pages;
}

std::filesystem::path FindUsbIds() {
    for (const char* candidate : {"/usr/share/misc/usb.ids", "/usr/share/hwdata/usb.ids",
                                  "/var/lib/usbutils/usb.ids"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

TEST(HidUsageNamesCrossCheck, UsagesNamedByUsbIds) {
    const std::filesystem::path path = FindUsbIds();
    if (path.empty()) GTEST_SKIP() << "no usb.ids installed";
    std::ifstream file(path);
    const UsbIdsPages theirs = ParseHutSection(file);
    if (theirs.empty()) GTEST_SKIP() << path << " has no HUT section";

    std::map<unsigned, const HidUsagePage*> ours;
    for (const HidUsagePage& page : HidUsagePages()) ours[page.id] = &page;

    std::ostringstream report;
    std::size_t inRange = 0, inRangeNamedHere = 0, outside = 0, onlyHere = 0, wordingDiffers = 0;
    for (const auto& [pageId, usages] : theirs) {
        const auto page = ours.find(pageId);
        if (page == ours.end()) {
            report << "  page " << Hex(pageId) << " (" << usages.size()
                   << " usages in usb.ids) is not in our table\n";
            continue;
        }
        const auto named = page->second->usages;
        std::map<unsigned, std::string> ourNames;
        for (const HidUsageName& usage : named) ourNames.emplace(usage.id, usage.name);
        std::vector<unsigned> outsideHere;
        for (const auto& [usageId, theirName] : usages) {
            const bool withinOurRange =
                !named.empty() && usageId >= named.front().id && usageId <= named.back().id;
            const auto mine = ourNames.find(usageId);
            if (!withinOurRange) {
                outsideHere.push_back(usageId);
                continue;
            }
            ++inRange;
            if (mine == ourNames.end()) {
                report << "  " << Hex(pageId) << ":" << Hex(usageId) << " \"" << theirName
                       << "\" is inside our range but not named here\n";
                continue;
            }
            ++inRangeNamedHere;
            if (mine->second != theirName) ++wordingDiffers;
        }
        if (!outsideHere.empty()) {
            outside += outsideHere.size();
            report << "  page " << Hex(pageId) << ": " << outsideHere.size()
                   << " usb.ids usages (" << Hex(outsideHere.front()) << " to "
                   << Hex(outsideHere.back()) << ") lie outside our counted set\n";
        }
        for (const auto& [usageId, myName] : ourNames) {
            if (usages.count(usageId) == 0) ++onlyHere;
        }
    }
    for (const auto& [pageId, page] : ours) {
        if (!page->usages.empty() && theirs.count(pageId) == 0) {
            report << "  page " << Hex(pageId) << " \"" << page->text
                   << "\" has names here but no entry in usb.ids\n";
        }
    }

    std::cout << "usb.ids cross-check against " << path.string() << ":\n"
              << report.str() << "  " << inRangeNamedHere << " of " << inRange
              << " usb.ids usages inside our ranges are named here (" << wordingDiffers
              << " worded differently); " << outside << " lie outside our counted set; "
              << onlyHere << " of our names have no usb.ids entry\n";
    RecordProperty("usbIdsInRange", static_cast<int>(inRange));
    RecordProperty("usbIdsNamedHere", static_cast<int>(inRangeNamedHere));
    RecordProperty("usbIdsOutside", static_cast<int>(outside));
    RecordProperty("ourNamesMissingFromUsbIds", static_cast<int>(onlyHere));

    // A handful of gaps is expected (slips in usb.ids, usages newer than our table); most of
    // the table missing means ids were shifted or the file was misread.
    ASSERT_GT(inRange, 0u);
    EXPECT_GE(inRangeNamedHere * 100, inRange * 95);
}

}  // namespace
}  // namespace brimlow
