// WMI values to text, and the query table. The values are shaped as WMI delivers them: 32-bit
// and smaller numbers as numbers, 64-bit numbers, dates and references as text.
#include "app/summary_text.h"
#include "platform/wmi_value.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace brimlow {
namespace {

using Elements = std::vector<WmiScalar>;

WmiValue Int(std::int64_t n) { return WmiScalar(n); }
WmiValue Text(const char* s) { return WmiScalar(std::string(s)); }
WmiValue Real(double d) { return WmiScalar(d); }
WmiValue Bool(bool b) { return WmiScalar(b); }
WmiValue Object() { return WmiScalar(WmiObject{}); }
WmiValue Array(Elements e) { return WmiValue(std::move(e)); }
WmiScalar S(const char* s) { return std::string(s); }
WmiScalar I(std::int64_t n) { return n; }

struct Case {
    const char* name;
    int cimType;
    WmiValue value;
    std::optional<const char*> text;  // nullopt: the conversion fails
};

const Case kCases[] = {
    {"null of any type", kCimUint32, WmiValue::Null(), "NULL"},
    {"null string", kCimString, WmiValue::Null(), "NULL"},
    {"null array", kCimString | kCimArrayFlag, WmiValue::Null(), "NULL"},
    {"null of an unknown type", 99, WmiValue::Null(), "NULL"},

    {"sint16", kCimSint16, Int(-12), "-12"},
    {"sint32 lowest", kCimSint32, Int(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
    {"sint8", kCimSint8, Int(-128), "-128"},
    {"uint8", kCimUint8, Int(255), "255"},
    {"uint16", kCimUint16, Int(2), "2"},
    {"uint32 as WMI hands it over (signed)", kCimUint32, Int(-1), "-1"},
    {"uint32 that does not fit 32 signed bits", kCimUint32, Int(4294967295LL), std::nullopt},
    {"sint64 in range", kCimSint64, Text("2147483647"), "2147483647"},
    {"sint64 negative", kCimSint64, Text("-2147483648"), "-2147483648"},
    {"sint64 above 32 bits", kCimSint64, Text("2147483648"), std::nullopt},
    {"sint64 below 32 bits", kCimSint64, Text("-2147483649"), std::nullopt},
    {"sint64 that is no number", kCimSint64, Text("12a"), std::nullopt},
    {"sint64 empty", kCimSint64, Text(""), std::nullopt},
    {"uint16 array of three", kCimUint16 | kCimArrayFlag, Array({I(3), I(4), I(7)}), "3|4|7"},
    {"uint16 array of one", kCimUint16 | kCimArrayFlag, Array({I(3)}), "3"},
    {"uint16 array of none", kCimUint16 | kCimArrayFlag, Array({}), ""},
    {"sint64 array with one too large", kCimSint64 | kCimArrayFlag, Array({S("1"), S("99999999999")}), std::nullopt},
    {"integer type holding a boolean", kCimUint32, Bool(true), std::nullopt},
    // Small types come in 32-bit slots whose upper bits are not part of the value.
    {"uint16 array element with noise above 16 bits", kCimUint16 | kCimArrayFlag, Array({I(0x010A0002), I(0xFFFF0003)}),
     "2|3"},
    {"sint16 in a 32-bit slot", kCimSint16 | kCimArrayFlag, Array({I(0x0123FFF4)}), "-12"},
    {"uint8 in a 32-bit slot", kCimUint8, Int(0x7F01), "1"},
    {"sint8 in a 32-bit slot", kCimSint8, Int(0xFF), "-1"},
    {"uint32 keeps all 32 bits", kCimUint32, Int(0x010A0002), "17432578"},

    {"real64", kCimReal64, Real(3.5), "3,5"},
    {"real64 whole", kCimReal64, Real(100), "100"},
    {"real64 fifteen digits", kCimReal64, Real(1.0 / 3), "0,333333333333333"},
    {"real64 large", kCimReal64, Real(1e20), "1e+20"},
    {"real64 small", kCimReal64, Real(0.00001), "1e-05"},
    {"real32 as delivered", kCimReal32, Real(static_cast<double>(1.5f)), "1,5"},
    {"real32 holding a whole number", kCimReal32, Int(7), "7"},
    {"array of reals", kCimReal64 | kCimArrayFlag, Array({WmiScalar(1.5)}), std::nullopt},
    {"empty array of reals", kCimReal32 | kCimArrayFlag, Array({}), std::nullopt},

    {"string", kCimString, Text("The Wine Project"), "The Wine Project"},
    {"empty string", kCimString, Text(""), ""},
    {"string delivered as a number", kCimString, Int(42), "42"},
    {"string array of three", kCimString | kCimArrayFlag, Array({S("a"), S(""), S("c")}), "a||c"},
    {"string array of one", kCimString | kCimArrayFlag, Array({S("192.0.2.2")}), "192.0.2.2"},
    {"string array of none", kCimString | kCimArrayFlag, Array({}), ""},
    {"uint64 beyond 32 bits", kCimUint64, Text("25276133376"), "25276133376"},
    {"uint64 array", kCimUint64 | kCimArrayFlag, Array({S("1"), S("18446744073709551615")}), "1|18446744073709551615"},

    {"boolean true", kCimBoolean, Bool(true), "True"},
    {"boolean false", kCimBoolean, Bool(false), "False"},
    {"array of booleans", kCimBoolean | kCimArrayFlag, Array({WmiScalar(true)}), std::nullopt},

    {"embedded object", kCimObject, Object(), "<CIM Object>"},
    {"array of embedded objects", kCimObject | kCimArrayFlag, Array({WmiScalar(WmiObject{})}), "<CIM Object>"},
    {"datetime", kCimDatetime, Text("20120608000000.000000+000"), "20120608000000.000000+000"},
    {"reference", kCimReference, Text("\\\\VM\\root\\cimv2:Win32_BIOS.Name=\"x\""),
     "\\\\VM\\root\\cimv2:Win32_BIOS.Name=\"x\""},
    {"array of datetimes", kCimDatetime | kCimArrayFlag, Array({S("20120608000000.000000+000")}), std::nullopt},
    {"char16", kCimChar16, Int(65), "<16-bit character>"},
    {"unknown type", 0, Text("x"), ""},
    {"unknown type code", 42, Int(1), ""},
};

TEST(WmiPropertyText, EveryCimType) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        if (c.text) {
            EXPECT_EQ(WmiPropertyText(c.cimType, c.value, ","), *c.text);
        } else {
            EXPECT_THROW(WmiPropertyText(c.cimType, c.value, ","), WmiConversionError);
        }
    }
}

TEST(WmiPropertyText, DecimalSeparatorIsTheUsers) {
    EXPECT_EQ(WmiPropertyText(kCimReal64, Real(-2.25), "."), "-2.25");
    EXPECT_EQ(WmiPropertyText(kCimReal64, Real(-2.25), ""), "-225");
    EXPECT_EQ(WmiPropertyText(kCimReal64, Real(2.5e-7), "::"), "2::5e-07");
    // Integers never take a separator.
    EXPECT_EQ(WmiPropertyText(kCimUint32, Int(1000000), ","), "1000000");
}

TEST(WmiValueText, OrdinaryTextOfAReadValue) {
    EXPECT_EQ(WmiValueText(WmiValue::Null(), ","), "");
    EXPECT_EQ(WmiValueText(Text("GenuineIntel"), ","), "GenuineIntel");
    EXPECT_EQ(WmiValueText(Int(-5), ","), "-5");
    EXPECT_EQ(WmiValueText(Int(4294967295LL), ","), "4294967295");
    EXPECT_EQ(WmiValueText(Real(0.5), ","), "0,5");
    EXPECT_EQ(WmiValueText(Bool(true), ","), "True");
    EXPECT_EQ(WmiValueText(Bool(false), ","), "False");
    EXPECT_THROW(WmiValueText(Array({S("a")}), ","), WmiConversionError);
    EXPECT_THROW(WmiValueText(Array({}), ","), WmiConversionError);
    EXPECT_THROW(WmiValueText(Object(), ","), WmiConversionError);
}

TEST(TStringTable, ResetGivesTwoEmptyRowsWithoutColumns) {
    TStringTable table;
    EXPECT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.columnCount(), 0u);
    table.Resize(4, 3);
    table.SetCell(3, 2, "x");
    EXPECT_EQ(table.Cell(3, 2), "x");
    table.Reset();
    EXPECT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.columnCount(), 0u);
    EXPECT_EQ(table.Cell(0, 0), "");
}

TEST(TStringTable, ReadsOutsideGiveTheEmptyTextWritesOutsideFail) {
    TStringTable table;
    table.Resize(2, 3);
    table.SetCell(1, 2, "last");
    EXPECT_EQ(table.Cell(1, 2), "last");
    EXPECT_EQ(table.Cell(1, 3), "");
    EXPECT_EQ(table.Cell(2, 0), "");
    EXPECT_EQ(table.Cell(25, 25), "");
    EXPECT_THROW(table.SetCell(1, 3, "x"), std::out_of_range);
    EXPECT_THROW(table.SetCell(2, 0, "x"), std::out_of_range);
}

std::vector<WmiProperty> BaseBoard(const char* maker, const char* product) {
    return {{"Manufacturer", kCimString, Text(maker)}, {"Product", kCimString, Text(product)}};
}

TEST(WmiTableWriter, HeaderInstanceNumbersAndCells) {
    TStringTable table;
    WmiTableWriter writer(table, 2, ",");
    const std::vector<WmiProperty> first = {
        {"Capacity", kCimUint64, Text("25276133376")},
        {"FormFactor", kCimUint16, Int(8)},
        {"PartNumber", kCimString, WmiValue::Null()},
    };
    EXPECT_EQ(writer.Add(first), 3);
    EXPECT_EQ(table.rowCount(), 3u);
    EXPECT_EQ(table.columnCount(), 4u);
    const std::vector<WmiProperty> second = {
        {"Capacity", kCimUint64, Text("1024")},
        {"FormFactor", kCimUint16, Int(12)},
        {"PartNumber", kCimString, Text("")},
    };
    EXPECT_EQ(writer.Add(second), 3);
    const std::vector<std::vector<std::string>> expected = {
        {"Instance", "Capacity", "FormFactor", "PartNumber"},
        {"1", "25276133376", "8", "NULL"},
        {"2", "1024", "12", ""},
    };
    for (std::size_t r = 0; r < expected.size(); ++r)
        for (std::size_t c = 0; c < expected[r].size(); ++c)
            EXPECT_EQ(table.Cell(r, c), expected[r][c]) << r << "," << c;
}

TEST(WmiTableWriter, LaterInstancesWithOtherPropertyCounts) {
    TStringTable table;
    WmiTableWriter writer(table, 3, ",");
    writer.Add(BaseBoard("A", "B"));
    // More properties than the first instance: the extra one has no column and is dropped.
    std::vector<WmiProperty> more = BaseBoard("C", "D");
    more.push_back({"Tag", kCimString, Text("extra")});
    EXPECT_EQ(writer.Add(more), 3);
    // Fewer: the rest of the row stays empty.
    EXPECT_EQ(writer.Add(std::vector<WmiProperty>{{"Manufacturer", kCimString, Text("E")}}), 1);
    EXPECT_EQ(table.columnCount(), 3u);
    EXPECT_EQ(table.Cell(2, 2), "D");
    EXPECT_EQ(table.Cell(2, 3), "");
    EXPECT_EQ(table.Cell(3, 1), "E");
    EXPECT_EQ(table.Cell(3, 2), "");
}

TEST(WmiTableWriter, AFailedConversionKeepsWhatWasWritten) {
    TStringTable table;
    WmiTableWriter writer(table, 2, ",");
    writer.Add(BaseBoard("A", "B"));
    const std::vector<WmiProperty> bad = {
        {"Manufacturer", kCimString, Text("C")},
        {"Product", kCimSint64, Text("4294967296")},
    };
    EXPECT_THROW(writer.Add(bad), WmiConversionError);
    EXPECT_EQ(table.Cell(2, 0), "2");
    EXPECT_EQ(table.Cell(2, 1), "C");
    EXPECT_EQ(table.Cell(2, 2), "");
    EXPECT_EQ(table.Cell(1, 2), "B");
}

TEST(WmiTableWriter, FirstInstanceWithoutPropertiesLeavesOnlyTheInstanceColumn) {
    TStringTable table;
    WmiTableWriter writer(table, 1, ",");
    EXPECT_EQ(writer.Add({}), 0);
    EXPECT_EQ(table.columnCount(), 1u);
    EXPECT_EQ(table.Cell(0, 0), "Instance");
    EXPECT_EQ(table.Cell(1, 0), "1");
    EXPECT_EQ(WmiTableValue(table, "Instance"), "");
}

TEST(WmiTableValue, ExactFirstMatchInTheHeaderOfTheFirstInstance) {
    TStringTable table;
    WmiTableWriter writer(table, 2, ",");
    std::vector<WmiProperty> first = BaseBoard("Intel Corporation", "Base Board");
    first.push_back({"Product", kCimString, Text("second column of that name")});
    writer.Add(first);
    writer.Add(BaseBoard("Other", "Board"));
    EXPECT_EQ(WmiTableValue(table, "Manufacturer"), "Intel Corporation");
    EXPECT_EQ(WmiTableValue(table, "Product"), "Base Board");
    EXPECT_EQ(WmiTableValue(table, "manufacturer"), "");
    EXPECT_EQ(WmiTableValue(table, "Manufacturer "), "");
    EXPECT_EQ(WmiTableValue(table, "Missing"), "");
    // The instance column is not a property.
    EXPECT_EQ(WmiTableValue(table, "Instance"), "");
    EXPECT_EQ(WmiTableValue(table, ""), "");
    EXPECT_EQ(WmiTableValue(TStringTable(), "Manufacturer"), "");
}

TEST(MotherboardFromTable, OnlyOneBoardWithMakerAndProduct) {
    TStringTable one;
    WmiTableWriter(one, 1, ",").Add(BaseBoard("Intel Corporation", "Base Board"));
    EXPECT_EQ(MotherboardFromTable(2, 1, one), "Intel Corporation Base Board");
    EXPECT_EQ(MotherboardFromTable(1, 1, one), "");
    EXPECT_EQ(MotherboardFromTable(-1, 1, one), "");

    TStringTable two;
    WmiTableWriter writer(two, 2, ",");
    writer.Add(BaseBoard("A", "B"));
    writer.Add(BaseBoard("C", "D"));
    EXPECT_EQ(MotherboardFromTable(2, 2, two), "");

    EXPECT_EQ(MotherboardFromTable(0, 0, TStringTable()), "");
    // A board that carries only one of the two still counts; the other reads empty.
    TStringTable partial;
    WmiTableWriter(partial, 1, ",").Add(std::vector<WmiProperty>{{"Manufacturer", kCimString, Text("M")},
                                                                 {"Tag", kCimString, Text("T")}});
    EXPECT_EQ(MotherboardFromTable(2, 1, partial), "M ");
}

}  // namespace
}  // namespace brimlow
