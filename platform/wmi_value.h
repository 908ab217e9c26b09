// WMI values as the program sees them, their texts, and the result table of a WMI query. Pure
// computation: the COM side (platform/wmiquery.cpp) turns each VARIANT into a WmiValue and hands
// it here, together with the user's decimal separator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brimlow {

// CIM type codes as WMI reports them; an array property has kCimArrayFlag added.
enum CimType : int {
    kCimSint16 = 2,
    kCimSint32 = 3,
    kCimReal32 = 4,
    kCimReal64 = 5,
    kCimString = 8,
    kCimBoolean = 11,
    kCimObject = 13,
    kCimSint8 = 16,
    kCimUint8 = 17,
    kCimUint16 = 18,
    kCimUint32 = 19,
    kCimSint64 = 20,
    kCimUint64 = 21,
    kCimDatetime = 101,
    kCimReference = 102,
    kCimChar16 = 103,
};
inline constexpr int kCimArrayFlag = 0x2000;

// An embedded object: only its presence matters to the program.
struct WmiObject {
    bool operator==(const WmiObject&) const = default;
};

// One delivered value. WMI hands 64-bit numbers, dates and references over as text.
using WmiScalar = std::variant<std::int64_t, double, bool, std::string, WmiObject>;

class WmiValue {
public:
    WmiValue() = default;  // null: the property has no value
    WmiValue(WmiScalar scalar) : data_(std::move(scalar)) {}
    WmiValue(std::vector<WmiScalar> elements) : data_(std::move(elements)) {}
    static WmiValue Null() { return {}; }

    bool IsNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool IsArray() const { return std::holds_alternative<std::vector<WmiScalar>>(data_); }
    // Only for a value that is neither null nor an array.
    const WmiScalar& scalar() const { return std::get<WmiScalar>(data_); }
    // Only for an array.
    const std::vector<WmiScalar>& elements() const { return std::get<std::vector<WmiScalar>>(data_); }

    bool operator==(const WmiValue&) const = default;

private:
    std::variant<std::monostate, WmiScalar, std::vector<WmiScalar>> data_;
};

// A value that has no text in the form asked for: a number outside the 32-bit range where one
// is wanted, an array of reals or booleans, an array or object where plain text is wanted.
class WmiConversionError : public std::runtime_error {
public:
    WmiConversionError();
};

// A property's text as the query table holds it, by its CIM type (with or without the array
// flag): "NULL" for null, "|"-joined arrays, "True"/"False", "<CIM Object>", "<16-bit character>".
// Throws WmiConversionError.
std::string WmiPropertyText(int cimType, const WmiValue& value, std::string_view decimalSeparator);

// The ordinary text of a value read by name: strings as they are, numbers in decimal, reals in
// general format, "True"/"False"; the empty text for null. Throws WmiConversionError for an array
// or an embedded object.
std::string WmiValueText(const WmiValue& value, std::string_view decimalSeparator);

// Up to 15 significant digits without trailing zeros, in exponent form only for very large or very
// small numbers (printf's general format), with the given decimal separator.
std::string GeneralFloatText(double value, std::string_view decimalSeparator);

// The table a WMI query fills: row 0 is the header, one row per instance below it, all text.
// Reading outside the table gives the empty text.
class TStringTable {
public:
    TStringTable() { Reset(); }

    // Back to 2 rows x 0 columns, the shape of a table before anything was read.
    void Reset() { Resize(2, 0); }
    void Resize(std::size_t rows, std::size_t columns);

    std::size_t rowCount() const { return cells_.size(); }
    std::size_t columnCount() const { return columns_; }

    const std::string& Cell(std::size_t row, std::size_t column) const;
    // Throws std::out_of_range outside the table.
    void SetCell(std::size_t row, std::size_t column, std::string text);

private:
    std::vector<std::vector<std::string>> cells_;
    std::size_t columns_ = 0;
};

// The first instance's text under the header cell equal to `property` (exact, case-sensitive,
// first match); the empty text when there is none.
std::string WmiTableValue(const TStringTable& table, std::string_view property);

struct WmiProperty {
    std::string name;
    int cimType = 0;
    WmiValue value;
};

// Fills a query table instance by instance. The table takes its final size from the first
// instance: `instanceCount` + 1 rows, one column per property of the first instance plus the
// "Instance" column. A later instance with more properties than that keeps only the ones that
// have a column.
class WmiTableWriter {
public:
    WmiTableWriter(TStringTable& table, std::size_t instanceCount, std::string decimalSeparator);

    // Writes the next instance's row; the header too for the first. Returns its property count.
    // Throws WmiConversionError, leaving the cells written so far.
    int Add(std::span<const WmiProperty> properties);

private:
    TStringTable& table_;
    std::size_t instanceCount_;
    std::string decimalSeparator_;
    std::size_t instance_ = 0;
};

}  // namespace brimlow
