#include "platform/wmi_value.h"

#include <charconv>
#include <limits>

namespace brimlow {

WmiConversionError::WmiConversionError() : std::runtime_error("The WMI value cannot be converted to text.") {}

std::string GeneralFloatText(double value, std::string_view decimalSeparator) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (ec != std::errc()) throw WmiConversionError();
    std::string text;
    for (const char* p = buffer; p != end; ++p) {
        if (*p == '.')
            text += decimalSeparator;
        else
            text += *p;
    }
    return text;
}

namespace {

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
// Spelled out for compilers without deduction for aggregates.
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

// Text that holds a whole number and nothing else, as WMI delivers 64-bit values.
std::int64_t ParseInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int64_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) throw WmiConversionError();
    return number;
}

// 8- and 16-bit values travel in 32-bit slots; only the declared width is the value. (Wine copies
// array elements of those types with whatever follows them in memory in the upper bits.)
std::int64_t AtDeclaredWidth(int cimType, std::int64_t number) {
    switch (cimType) {
    case kCimSint8: return static_cast<std::int8_t>(number);
    case kCimUint8: return static_cast<std::uint8_t>(number);
    case kCimSint16: return static_cast<std::int16_t>(number);
    case kCimUint16: return static_cast<std::uint16_t>(number);
    default: return number;
    }
}

std::string Int32Text(int cimType, const WmiScalar& scalar) {
    const std::int64_t number = std::visit(
        Overloaded{
            [](std::int64_t n) { return n; },
            [](const std::string& s) { return ParseInteger(s); },
            [](const auto&) -> std::int64_t { throw WmiConversionError(); },
        },
        scalar);
    const std::int64_t value = std::holds_alternative<std::int64_t>(scalar) ? AtDeclaredWidth(cimType, number) : number;
    // Never a wrong number: a value that does not fit 32 bits fails instead.
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw WmiConversionError();
    return std::to_string(value);
}

std::string RealText(const WmiScalar& scalar, std::string_view separator) {
    return std::visit(Overloaded{
                          [&](double d) { return GeneralFloatText(d, separator); },
                          [&](std::int64_t n) { return GeneralFloatText(static_cast<double>(n), separator); },
                          [](const auto&) -> std::string { throw WmiConversionError(); },
                      },
                      scalar);
}

std::string BooleanText(const WmiScalar& scalar) {
    const bool on = std::visit(Overloaded{
                                   [](bool b) { return b; },
                                   [](std::int64_t n) { return n != 0; },
                                   [](const auto&) -> bool { throw WmiConversionError(); },
                               },
                               scalar);
    return on ? "True" : "False";
}

std::string ScalarText(const WmiScalar& scalar, std::string_view separator) {
    return std::visit(Overloaded{
                          [](std::int64_t n) { return std::to_string(n); },
                          [&](double d) { return GeneralFloatText(d, separator); },
                          [](bool b) { return std::string(b ? "True" : "False"); },
                          [](const std::string& s) { return s; },
                          [](const WmiObject&) -> std::string { throw WmiConversionError(); },
                      },
                      scalar);
}

template <class Convert>
std::string JoinedText(const WmiValue& value, Convert convert) {
    if (!value.IsArray()) return convert(value.scalar());
    std::string text;
    bool first = true;
    for (const WmiScalar& element : value.elements()) {
        if (!first) text += '|';
        text += convert(element);
        first = false;
    }
    return text;
}

}  // namespace

std::string WmiPropertyText(int cimType, const WmiValue& value, std::string_view decimalSeparator) {
    if (value.IsNull()) return "NULL";
    const int baseType = cimType & ~kCimArrayFlag;
    switch (baseType) {
    case kCimSint16:
    case kCimSint32:
    case kCimSint8:
    case kCimUint8:
    case kCimUint16:
    case kCimUint32:
    case kCimSint64:
        return JoinedText(value, [&](const WmiScalar& s) { return Int32Text(baseType, s); });
    case kCimReal32:
    case kCimReal64:
        if (value.IsArray()) throw WmiConversionError();
        return RealText(value.scalar(), decimalSeparator);
    case kCimString:
    case kCimUint64:
        return JoinedText(value, [&](const WmiScalar& s) { return ScalarText(s, decimalSeparator); });
    case kCimBoolean:
        if (value.IsArray()) throw WmiConversionError();
        return BooleanText(value.scalar());
    case kCimObject:
        return "<CIM Object>";
    case kCimDatetime:
    case kCimReference:
        // Delivered as text; an array of them has no single text.
        return WmiValueText(value, decimalSeparator);
    case kCimChar16:
        return "<16-bit character>";
    default:
        return {};
    }
}

std::string WmiValueText(const WmiValue& value, std::string_view decimalSeparator) {
    if (value.IsNull()) return {};
    if (value.IsArray()) throw WmiConversionError();
    return ScalarText(value.scalar(), decimalSeparator);
}

void TStringTable::Resize(std::size_t rows, std::size_t columns) {
    cells_.assign(rows, std::vector<std::string>(columns));
    columns_ = columns;
}

const std::string& TStringTable::Cell(std::size_t row, std::size_t column) const {
    static const std::string empty;
    if (row >= cells_.size() || column >= columns_) return empty;
    return cells_[row][column];
}

void TStringTable::SetCell(std::size_t row, std::size_t column, std::string text) {
    cells_.at(row).at(column) = std::move(text);
}

std::string WmiTableValue(const TStringTable& table, std::string_view property) {
    for (std::size_t column = 1; column < table.columnCount(); ++column)
        if (table.Cell(0, column) == property) return table.Cell(1, column);
    return {};
}

WmiTableWriter::WmiTableWriter(TStringTable& table, std::size_t instanceCount, std::string decimalSeparator)
    : table_(table), instanceCount_(instanceCount), decimalSeparator_(std::move(decimalSeparator)) {}

int WmiTableWriter::Add(std::span<const WmiProperty> properties) {
    const bool first = instance_ == 0;
    if (first) {
        table_.Resize(instanceCount_ + 1, properties.size() + 1);
        table_.SetCell(0, 0, "Instance");
    }
    ++instance_;
    table_.SetCell(instance_, 0, std::to_string(instance_));
    for (std::size_t c = 1; c <= properties.size() && c < table_.columnCount(); ++c) {
        const WmiProperty& property = properties[c - 1];
        std::string text = WmiPropertyText(property.cimType, property.value, decimalSeparator_);
        if (first) table_.SetCell(0, c, property.name);
        table_.SetCell(instance_, c, std::move(text));
    }
    return static_cast<int>(properties.size());
}

}  // namespace brimlow
