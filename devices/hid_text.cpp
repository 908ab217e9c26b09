#include "devices/hid_text.h"

#include "devices/HidUsageNames.h"

#include <cstdio>

namespace brimlow {
namespace {

template <typename... Args>
std::string Printf(const char* format, Args... args) {
    char text[512];
    const int length = std::snprintf(text, sizeof text, format, args...);
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < sizeof text) return std::string(text, static_cast<std::size_t>(length));
    std::string long_(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(long_.data(), long_.size(), format, args...);
    long_.resize(static_cast<std::size_t>(length));
    return long_;
}

constexpr const char* kCollectionTypes[] = {"Physical",    "Application",  "Logical",       "Report",
                                            "Named Array", "Usage Switch", "Usage Modifier"};

}  // namespace

std::string StorageDevicesText(long count) { return std::to_string(count) + " devices"; }

std::string HidDeviceText(const std::string& product, std::uint16_t vendorId, std::uint16_t productId) {
    if (product.empty()) return Printf("VID=$%.4x PID=$%.4x", unsigned{vendorId}, unsigned{productId});
    return Printf("\"%s\"  VID=$%.4x PID=$%.4x", product.c_str(), unsigned{vendorId}, unsigned{productId});
}

std::string CollectionTypeText(std::uint8_t type) {
    if (type < std::size(kCollectionTypes)) return kCollectionTypes[type];
    return Printf(type < 0x80 ? "Reserved $%.2x" : "Vendor-defined $%.2x", unsigned{type});
}

std::string HidCollectionText(const HidCollectionFacts& node) {
    std::string pageText, usageText;
    UsageAndPageText(node.usagePage, node.usage, pageText, usageText);
    std::string line = "UsagePage=" + pageText + Printf(" ($%.4x)  ", unsigned{node.usagePage}) + "Usage=" + usageText +
                       Printf(" ($%.4x)  ", unsigned{node.usage}) + "CollectionType=" +
                       CollectionTypeText(node.collectionType) + Printf(" ($%.2x)", unsigned{node.collectionType});
    if (node.isAlias) line += "  IsAlias";
    return line;
}

const char* ReportTypeName(HidReportType type) {
    switch (type) {
    case HidReportType::Input: return "Input";
    case HidReportType::Output: return "Output";
    case HidReportType::Feature: return "Feature";
    }
    return "";
}

std::string HidCapsText(HidCapsKind kind, HidReportType report, const HidCapsFacts& caps) {
    const char* kindName = kind == HidCapsKind::Button ? "Button" : "Value";
    std::string pageText, usageText;
    UsageAndPageText(caps.usagePage, caps.isRange ? caps.usageMin : caps.usage, pageText, usageText);
    if (caps.isRange)
        return Printf("%s %s Range: UsagePage=%s ($%.4x) %d..%d", kindName, ReportTypeName(report), pageText.c_str(),
                      unsigned{caps.usagePage}, int{caps.usageMin}, int{caps.usageMax});
    return Printf("%s %s: UsagePage=%s ($%.4x) Usage=%s ($%.4x)", kindName, ReportTypeName(report), pageText.c_str(),
                  unsigned{caps.usagePage}, usageText.c_str(), unsigned{caps.usage});
}

}  // namespace brimlow
