// The texts of the USB window: the storage line and the lines of the HID device tree (device, link collection, button and value capability). Portable; the window fills
// the facts from the HID controller.
#pragma once

#include <cstdint>
#include <string>

namespace brimlow {

// "2 devices".
std::string StorageDevicesText(long count);

// `"product"  VID=$845e PID=$0001`, or only the IDs when the product string is empty.
std::string HidDeviceText(const std::string& product, std::uint16_t vendorId, std::uint16_t productId);

// The link collection types 0..6 by name; the rest as reserved (0x07..0x7F) or vendor-defined
// (0x80..0xFF) with the type in two hexadecimal digits.
std::string CollectionTypeText(std::uint8_t type);

struct HidCollectionFacts {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint8_t collectionType = 0;
    bool isAlias = false;
};
std::string HidCollectionText(const HidCollectionFacts& node);

enum class HidReportType : std::uint32_t { Input = 0, Output = 1, Feature = 2 };
const char* ReportTypeName(HidReportType type);

enum class HidCapsKind { Button, Value };

struct HidCapsFacts {
    std::uint16_t usagePage = 0;
    bool isRange = false;
    std::uint16_t usageMin = 0, usageMax = 0;  // a range
    std::uint16_t usage = 0;                   // a single usage
};
std::string HidCapsText(HidCapsKind kind, HidReportType report, const HidCapsFacts& caps);

}  // namespace brimlow
