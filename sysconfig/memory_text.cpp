#include "sysconfig/memory_text.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace brimlow {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::optional<std::uint64_t> WholeNumber(std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string HexAddress(std::uint64_t address) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%08llX", static_cast<unsigned long long>(address));
    return buffer;
}

std::string UnlessNull(std::string text) { return text == "NULL" ? std::string() : text; }

}  // namespace

std::string GroupedBytesText(std::uint64_t bytes, std::string_view thousands) {
    const std::string digits = std::to_string(bytes);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += thousands;
        text += digits[i];
    }
    return text + " bytes";
}

std::string MemorySizeText(std::uint64_t bytes, std::string_view thousands) {
    return GroupedBytesText(bytes, thousands) + "   (" + std::to_string((bytes >> 20) + 1) + " MB)";
}

std::string AddressRangeText(std::uint64_t minimum, std::uint64_t maximum) {
    return HexAddress(minimum) + " - " + HexAddress(maximum);
}

std::vector<MemoryModuleRow> MemoryModuleRows(const TStringTable& table, int instanceCount) {
    std::vector<MemoryModuleRow> rows;
    const auto column = [&](std::string_view property) -> std::optional<std::size_t> {
        for (std::size_t c = 0; c < table.columnCount(); ++c)
            if (table.Cell(0, c) == property) return c;
        return std::nullopt;
    };
    const auto bank = column("BankLabel"), device = column("DeviceLocator"), width = column("DataWidth"),
               capacity = column("Capacity"), speed = column("Speed"), maker = column("Manufacturer");
    const auto cell = [&](std::size_t row, const std::optional<std::size_t>& c) {
        return c ? table.Cell(row, *c) : std::string();
    };
    for (int i = 1; i <= instanceCount && static_cast<std::size_t>(i) < table.rowCount(); ++i) {
        const auto row = static_cast<std::size_t>(i);
        rows.push_back({cell(row, bank), cell(row, device), cell(row, width), cell(row, capacity),
                        UnlessNull(cell(row, speed)), UnlessNull(cell(row, maker))});
    }
    return rows;
}

std::string ModuleTotalText(const std::vector<MemoryModuleRow>& rows) {
    std::uint64_t sum = 0;
    for (const MemoryModuleRow& row : rows) {
        const auto capacity = WholeNumber(row.capacity);
        if (!capacity || __builtin_add_overflow(sum, *capacity, &sum)) return {};
    }
    return std::to_string(sum) + " (" + std::to_string(sum / 1024 / 1024 / 1024) + " GB)";
}

}  // namespace brimlow
