// The texts of the memory window: byte counts, the address range, the installed modules and
// their total. Portable, so the formats can be checked against recorded figures.
#pragma once

#include "platform/wmi_value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow {

// "8,589,934,592 bytes": whole bytes with `thousands` between groups of three digits.
std::string GroupedBytesText(std::uint64_t bytes, std::string_view thousands);

// "8,589,934,592 bytes   (8193 MB)". The megabyte figure is the whole megabytes plus one, also
// for an exact multiple: that is how the window has always shown it.
std::string MemorySizeText(std::uint64_t bytes, std::string_view thousands);

// "00010000 - 7FFEFFFF": each address in at least 8 upper-case hexadecimal digits.
std::string AddressRangeText(std::uint64_t minimum, std::uint64_t maximum);

// One row of the module list, its cells in the order of the list's columns.
struct MemoryModuleRow {
    std::string bank;          // BankLabel
    std::string device;        // DeviceLocator
    std::string dataWidth;     // DataWidth
    std::string capacity;      // Capacity
    std::string speed;         // Speed, empty for "NULL"
    std::string manufacturer;  // Manufacturer, empty for "NULL"
};

// Every instance of a Win32_PhysicalMemory table, its cells found by property name: providers
// differ in which properties they deliver and in what order.
std::vector<MemoryModuleRow> MemoryModuleRows(const TStringTable& table, int instanceCount);

// "3221225472 (3 GB)" over the capacities (blanks trimmed) of every row; the empty text when a
// capacity is not a whole number or the sum does not fit 64 bits.
std::string ModuleTotalText(const std::vector<MemoryModuleRow>& rows);

}  // namespace brimlow
