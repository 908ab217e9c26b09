// The rows of the USB drives window: one Win32_DiskDrive instance on the USB interface as the
// grid's eleven cells.
#pragma once

#include "platform/wmi_value.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow::storage {

// The text of a disk capability code followed by a carriage return (no line feed); the empty
// text for a code without one.
std::string DiskCapabilityText(std::int64_t code);

// The capability cell: the texts of the first three elements of the Capabilities array, in order.
// Null elements, elements that are no number and elements past the end of a shorter array add
// nothing.
std::string CapabilitiesCell(const WmiValue& capabilities);

// A size or count as an integer with thousands separators ("0,###"), from a WMI number or the
// decimal text WMI hands 64-bit numbers over as; the empty text for null.
std::string GroupedNumberCell(const WmiValue& value, std::string_view thousandSeparator);

// One instance's property by name; null when the instance has none.
using WmiPropertyReader = std::function<WmiValue(std::string_view property)>;

inline constexpr const char* kUsbInterface = "USB";

// The row of a disk drive enumerated as number `driveNumber` among all disk drives, or nullopt
// when its interface is not USB. Throws WmiConversionError for a value that has no text.
std::optional<std::vector<std::string>> UsbDriveRow(const WmiPropertyReader& read, int driveNumber,
                                                    std::string_view thousandSeparator,
                                                    std::string_view decimalSeparator);

}  // namespace brimlow::storage
