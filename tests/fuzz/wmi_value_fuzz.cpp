// WMI values of every shape under every CIM type, and the query table they fill. A value that
// has no text in the form asked for is an ordinary answer (WmiConversionError); any other
// exception, a crash or a broken table shape is a fault.
// Input: the decimal separator, then per value a CIM type (a byte picking one of the types, bit 7
// adding the array flag) and the value: a kind byte, then its bytes.
#include "platform/wmi_value.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/wmi_value_encoding.h"

#include <cstring>

using namespace brimlow;
using brimlow::fuzz::Expect;

namespace {

WmiScalar ReadScalar(fuzz::FuzzInput& in) {
    switch (in.U8() % 5) {
    case fuzz::kScalarInteger: return static_cast<std::int64_t>(in.U64());
    case fuzz::kScalarReal: {
        const std::uint64_t bits = in.U64();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    case fuzz::kScalarBoolean: return (in.U8() & 1) != 0;
    case fuzz::kScalarText: return in.Text(64);
    default: return WmiObject{};
    }
}

WmiValue ReadValue(fuzz::FuzzInput& in) {
    const std::uint8_t shape = in.U8() % 3;
    if (shape == fuzz::kValueNull) return WmiValue::Null();
    if (shape == fuzz::kValueScalar) return WmiValue(ReadScalar(in));
    std::vector<WmiScalar> elements(in.U8() % 8);
    for (WmiScalar& e : elements) e = ReadScalar(in);
    return WmiValue(std::move(elements));
}

int ReadCimType(fuzz::FuzzInput& in) {
    const std::uint8_t pick = in.U8();
    const int type = fuzz::kCimTypes[(pick & 0x7F) % std::size(fuzz::kCimTypes)];
    return (pick & 0x80) ? type | kCimArrayFlag : type;
}

template <class F>
void Converting(F convert) {
    try {
        convert();
    } catch (const WmiConversionError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::string separator = in.Text(3);

    // One value on its own, read both ways.
    const int cimType = ReadCimType(in);
    const WmiValue value = ReadValue(in);
    Converting([&] {
        const std::string text = WmiPropertyText(cimType, value, separator);
        Expect(!value.IsNull() || text == "NULL", "a null property is not NULL");
    });
    Converting([&] {
        const std::string text = WmiValueText(value, separator);
        Expect(!value.IsNull() || text.empty(), "a null value has text");
    });
    if (!value.IsNull() && !value.IsArray() && std::holds_alternative<double>(value.scalar()))
        Converting([&] { GeneralFloatText(std::get<double>(value.scalar()), separator); });

    // A query's instances into a table.
    const std::size_t instances = in.U8() % 4;
    TStringTable table;
    WmiTableWriter writer(table, instances, separator);
    std::size_t columns = 0;
    for (std::size_t i = 0; i < instances && !in.empty(); ++i) {
        std::vector<WmiProperty> properties(in.U8() % 6);
        for (WmiProperty& p : properties) {
            p.name = in.Text(16);
            p.cimType = ReadCimType(in);
            p.value = ReadValue(in);
        }
        if (i == 0) columns = properties.size() + 1;
        bool converted = false;
        Converting([&] {
            Expect(writer.Add(properties) == static_cast<int>(properties.size()), "property count not returned");
            converted = true;
        });
        Expect(table.rowCount() == instances + 1 && table.columnCount() == columns, "table shape changed");
        if (!converted) break;
    }
    Expect(table.Cell(instances + 5, 0).empty() && table.Cell(0, columns + 5).empty(), "outside the table is not empty");
    (void)WmiTableValue(table, in.Text(16));
    return 0;
}
