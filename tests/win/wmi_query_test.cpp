// The WMI service against the system's own WMI. Values are Wine's defaults or the host's and differ
// between machines, so these check the shape of each result, how the operations behave on bad
// input, and that the table route and the late-bound route agree with each other.
#include "platform/win_com.h"
#include "platform/wmiquery.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <set>

namespace brimlow {
namespace {

struct TableResult {
    int result = 0;
    int instances = 0;
    TStringTable table;
};

TableResult Query(const std::string& query, const std::string& nameSpace = "root\\CIMV2") {
    TableResult r;
    r.result = WmiQueryTable("", nameSpace, "", "", query, r.table, r.instances);
    return r;
}

std::optional<std::size_t> ColumnOf(const TStringTable& table, std::string_view name) {
    for (std::size_t c = 1; c < table.columnCount(); ++c)
        if (table.Cell(0, c) == name) return c;
    return std::nullopt;
}

void ExpectNoData(const TableResult& r) {
    EXPECT_EQ(r.instances, 0);
    EXPECT_EQ(r.table.rowCount(), 2u);
    EXPECT_EQ(r.table.columnCount(), 0u);
}

TEST(WmiQueryTable, HardwareClassesGiveHeaderAndNumberedRows) {
    struct Case {
        const char* query;
        std::vector<const char*> properties;  // must be among the header
    };
    const Case cases[] = {
        {"SELECT * FROM Win32_BIOS", {"Manufacturer", "ReleaseDate", "SerialNumber"}},
        {"SELECT Manufacturer, Product FROM Win32_BaseBoard", {"Manufacturer", "Product"}},
        {"SELECT * FROM Win32_ComputerSystemProduct", {"Name", "UUID"}},
        {"SELECT * FROM Win32_Processor", {"Manufacturer", "Name", "MaxClockSpeed"}},
        {"Win32_PhysicalMemory", {"Capacity"}},  // a class name: its instances are listed
        {"SELECT * FROM Win32_DiskDrive", {"InterfaceType", "Model", "Size"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const TableResult r = Query(c.query);
        ASSERT_GT(r.result, 0);
        ASSERT_GE(r.instances, 1);
        EXPECT_EQ(r.table.rowCount(), static_cast<std::size_t>(r.instances) + 1);
        EXPECT_EQ(r.table.columnCount(), static_cast<std::size_t>(r.result) + 1);
        EXPECT_EQ(r.table.Cell(0, 0), "Instance");
        std::set<std::string> names;
        for (std::size_t col = 1; col < r.table.columnCount(); ++col) {
            EXPECT_FALSE(r.table.Cell(0, col).empty()) << col;
            EXPECT_FALSE(r.table.Cell(0, col).starts_with("__")) << "system property " << r.table.Cell(0, col);
            names.insert(r.table.Cell(0, col));
        }
        EXPECT_EQ(names.size(), static_cast<std::size_t>(r.result)) << "property names repeat";
        for (int i = 1; i <= r.instances; ++i) EXPECT_EQ(r.table.Cell(i, 0), std::to_string(i));
        for (const char* property : c.properties) EXPECT_TRUE(ColumnOf(r.table, property)) << property;
    }
    // A query naming its properties gets those and no others.
    EXPECT_EQ(Query("SELECT Manufacturer, Product FROM Win32_BaseBoard").result, 2);
}

TEST(WmiQueryTable, CellsCarryTheTextOfTheirCimType) {
    const std::regex digits("^-?[0-9]+$");
    const TableResult bios = Query("SELECT * FROM Win32_BIOS");
    EXPECT_TRUE(std::regex_match(WmiTableValue(bios.table, "ReleaseDate"),
                                 std::regex(R"(^[0-9]{14}\.[0-9]{6}[+-][0-9]{3}$)")))
        << "datetime: " << WmiTableValue(bios.table, "ReleaseDate");
    EXPECT_TRUE(std::regex_match(WmiTableValue(bios.table, "SMBIOSMajorVersion"), digits)) << "uint16";

    // uint64 comes as text, often beyond 32 bits.
    const TableResult memory = Query("Win32_PhysicalMemory");
    EXPECT_TRUE(std::regex_match(WmiTableValue(memory.table, "Capacity"), digits));

    // A uint16 array: decimal numbers of 16 bits joined by "|".
    const TableResult enclosure = Query("SELECT * FROM Win32_SystemEnclosure");
    ASSERT_GT(enclosure.result, 0);
    const std::string chassis = WmiTableValue(enclosure.table, "ChassisTypes");
    EXPECT_TRUE(std::regex_match(chassis, std::regex(R"(^([0-9]+(\|[0-9]+)*)?$)"))) << chassis;
    for (std::size_t start = 0; start < chassis.size();) {
        const std::size_t bar = chassis.find('|', start);
        EXPECT_LE(std::stol(chassis.substr(start, bar - start)), 65535) << chassis;
        start = bar == std::string::npos ? chassis.size() : bar + 1;
    }
    EXPECT_TRUE(WmiTableValue(enclosure.table, "LockPresent") == "True" ||
                WmiTableValue(enclosure.table, "LockPresent") == "False")
        << "boolean: " << WmiTableValue(enclosure.table, "LockPresent");
}

TEST(WmiQueryTable, LowerCaseSelectIsTakenForAClassNameAndFails) {
    for (const char* query : {"select * from Win32_BIOS", "select", "Select * from Win32_BIOS"}) {
        SCOPED_TRACE(query);
        const TableResult r = Query(query);
        EXPECT_EQ(r.result, -1);
        ExpectNoData(r);
    }
}

TEST(WmiQueryTable, FailuresGiveMinusOneAndTheResetTable) {
    for (const auto& [query, nameSpace] : {std::pair{"SELECT * FROM Win32_BIOS", "root\\nonexistent"},
                                           std::pair{"SELECT FROM", "root\\CIMV2"},
                                           std::pair{"Win32_BIOS WHERE", "root\\CIMV2"}}) {
        SCOPED_TRACE(std::string(query) + " in " + nameSpace);
        TableResult r;
        r.table.Resize(5, 5);
        r.table.SetCell(1, 1, "left over");
        r.instances = 7;
        r.result = WmiQueryTable("", nameSpace, "", "", query, r.table, r.instances);
        EXPECT_EQ(r.result, -1);
        ExpectNoData(r);
    }
}

TEST(WmiQueryTable, UnknownClassGivesNoData) {
    // Windows refuses an unknown class (-1); Wine answers with no instances (0).
    for (const char* query : {"SELECT * FROM Win32_NoSuchClass", "Win32_NoSuchClass"}) {
        SCOPED_TRACE(query);
        const TableResult r = Query(query);
        EXPECT_LE(r.result, 0);
        ExpectNoData(r);
    }
}

TEST(WmiQueryTable, ColumnsByNumberNeverReadOutsideTheTable) {
    const TableResult memory = Query("Win32_PhysicalMemory");
    ASSERT_GT(memory.result, 0);
    // The memory window's columns; Wine's class has fewer than 25 properties.
    for (std::size_t column : {1, 7, 5, 2, 25, 13}) {
        const std::string& text = memory.table.Cell(1, column);
        if (column > static_cast<std::size_t>(memory.result)) {
            EXPECT_EQ(text, "") << column;
        }
    }
    EXPECT_EQ(memory.table.Cell(1, memory.table.columnCount()), "");
    EXPECT_EQ(memory.table.Cell(memory.table.rowCount(), 1), "");
}

TEST(WmiQueryTable, TableValueComparesNamesExactly) {
    const TableResult board = Query("SELECT Manufacturer, Product FROM Win32_BaseBoard");
    ASSERT_EQ(board.instances, 1);
    EXPECT_FALSE(WmiTableValue(board.table, "Manufacturer").empty());
    EXPECT_EQ(WmiTableValue(board.table, "manufacturer"), "");
    EXPECT_EQ(WmiTableValue(board.table, "MANUFACTURER"), "");
    EXPECT_EQ(WmiTableValue(board.table, "SerialNumber"), "") << "not selected";
}

TEST(WmiLastValue, TakesTheLastOfSeveralInstances) {
    // Wine lists one disk drive per fixed drive letter (C: and Z: in the test prefix).
    const TableResult disks = Query("SELECT * FROM Win32_DiskDrive");
    ASSERT_GE(disks.instances, 2);
    for (const char* property : {"Index", "DeviceID"}) {
        SCOPED_TRACE(property);
        // Wine spells it DeviceId; WMI itself matches names regardless of case.
        std::optional<std::size_t> column;
        for (std::size_t c = 1; c < disks.table.columnCount(); ++c)
            if (_stricmp(disks.table.Cell(0, c).c_str(), property) == 0) column = c;
        ASSERT_TRUE(column);
        const std::string last = WmiLastValue("", "Win32_DiskDrive", property);
        EXPECT_EQ(last, disks.table.Cell(disks.instances, *column));
        EXPECT_NE(last, disks.table.Cell(1, *column));
    }
}

TEST(WmiLastValue, AgreesWithTheTableForOneInstance) {
    const TableResult bios = Query("SELECT * FROM Win32_BIOS");
    ASSERT_EQ(bios.instances, 1);
    EXPECT_EQ(WmiLastValue(".", "Win32_BIOS", "Manufacturer"), WmiTableValue(bios.table, "Manufacturer"));
    EXPECT_EQ(WmiLastValue("", "Win32_BIOS", "ReleaseDate"), WmiTableValue(bios.table, "ReleaseDate"));
    const TableResult product = Query("SELECT * FROM Win32_ComputerSystemProduct");
    EXPECT_EQ(WmiLastValue("", "Win32_ComputerSystemProduct", "Name"), WmiTableValue(product.table, "Name"));
    EXPECT_FALSE(WmiLastValue("", "Win32_ComputerSystemProduct", "Name").empty());
    // A null value is the empty text, where the table says "NULL".
    for (std::size_t c = 1; c < bios.table.columnCount(); ++c) {
        if (bios.table.Cell(1, c) != "NULL") continue;
        EXPECT_EQ(WmiLastValue("", "Win32_BIOS", bios.table.Cell(0, c)), "") << bios.table.Cell(0, c);
    }
}

TEST(WmiLastValue, EmptyTextWhenThereIsNothingToRead) {
    EXPECT_EQ(WmiLastValue("", "Win32_NoSuchClass", "Name"), "");
    EXPECT_EQ(WmiLastValue("", "Win32_BIOS", "NoSuchProperty"), "");
    EXPECT_EQ(WmiLastValue("", "Win32_BIOS WHERE", "Manufacturer"), "");
    EXPECT_EQ(WmiLastValue("no-such-server-xyz", "Win32_BIOS", "Manufacturer"), "");
    // An array has no ordinary text.
    ASSERT_NE(WmiTableValue(Query("SELECT * FROM Win32_SystemEnclosure").table, "ChassisTypes"), "NULL");
    EXPECT_EQ(WmiLastValue("", "Win32_SystemEnclosure", "ChassisTypes"), "");
}

TEST(WmiLastValue, CredentialedFormPassesTheUserOn) {
    // Wine takes any user name on a local connection, so the value comes back; Windows refuses
    // credentials for a local connection, and the answer is then the empty text.
    EXPECT_EQ(WmiLastValue(".", "Win32_BIOS", "Manufacturer", WmiCredentials{"someuser", "secret"}),
              WmiLastValue(".", "Win32_BIOS", "Manufacturer"));
    EXPECT_EQ(WmiLastValue(".", "Win32_BIOS", "Manufacturer", WmiCredentials{}),
              WmiLastValue(".", "Win32_BIOS", "Manufacturer"));
}

std::vector<std::string> Enumerated(WmiBinding binding, const std::string& query, const char* property) {
    std::vector<std::string> texts;
    WmiEnumerate(binding, query, [&](const WmiInstance& instance) { texts.push_back(instance.Text(property)); });
    return texts;
}

TEST(WmiEnumerate, BothBindingsDeliverEveryInstanceInOrder) {
    const TableResult disks = Query("SELECT * FROM Win32_DiskDrive");
    ASSERT_GE(disks.instances, 2);
    const auto column = ColumnOf(disks.table, "Index");
    ASSERT_TRUE(column);
    std::vector<std::string> indexes;
    for (int i = 1; i <= disks.instances; ++i) indexes.push_back(disks.table.Cell(i, *column));
    EXPECT_EQ(Enumerated(WmiBinding::Moniker, "SELECT * FROM Win32_DiskDrive", "Index"), indexes);
    EXPECT_EQ(Enumerated(WmiBinding::Locator, "SELECT * FROM Win32_DiskDrive", "Index"), indexes);
    EXPECT_EQ(Enumerated(WmiBinding::Moniker, "Select * from Win32_Processor", "Manufacturer").size(),
              static_cast<std::size_t>(Query("SELECT * FROM Win32_Processor").instances));
    EXPECT_TRUE(Enumerated(WmiBinding::Locator, "SELECT * FROM Win32_NoSuchClass", "Name").empty());
}

TEST(WmiEnumerate, ReadsAgreeWithTheTable) {
    for (const char* cls : {"Win32_BIOS", "Win32_BaseBoard", "Win32_ComputerSystemProduct", "Win32_DiskDrive"}) {
        SCOPED_TRACE(cls);
        const std::string query = std::string("SELECT * FROM ") + cls;
        const TableResult r = Query(query);
        ASSERT_GT(r.result, 0);
        int row = 0;
        WmiEnumerate(WmiBinding::Moniker, query, [&](const WmiInstance& instance) {
            ++row;
            for (std::size_t c = 1; c < r.table.columnCount(); ++c) {
                const std::string& name = r.table.Cell(0, c);
                const std::string& cell = r.table.Cell(row, c);
                const WmiValue value = instance.Read(name);
                EXPECT_EQ(value.IsNull(), cell == "NULL") << name;
                if (!value.IsNull() && !value.IsArray()) {
                    EXPECT_EQ(instance.Text(name), cell) << name;
                }
            }
        });
        EXPECT_EQ(row, r.instances);
    }
}

TEST(WmiEnumerate, APropertyTheInstanceDoesNotCarryReadsAsNull) {
    // What the CPU window reads; Wine's processor lacks several of these.
    const char* cpuWindow[] = {"DataWidth", "Revision",       "L2CacheSize",  "L2CacheSpeed", "Status",
                               "SocketDesignation", "MaxClockSpeed", "CurrentVoltage", "ExtClock",
                               "Manufacturer", "DeviceID", "Description", "ProcessorID"};
    int instances = 0;
    WmiEnumerate(WmiBinding::Moniker, "Select * from Win32_Processor", [&](const WmiInstance& cpu) {
        ++instances;
        for (const char* property : cpuWindow) EXPECT_NO_THROW(cpu.Text(property)) << property;
        EXPECT_TRUE(cpu.Read("NoSuchProperty").IsNull());
        EXPECT_EQ(cpu.Text("NoSuchProperty"), "");
        EXPECT_TRUE(cpu.Read("NoSuchProperty", 2).IsNull());
        EXPECT_FALSE(cpu.Read("Manufacturer").IsNull());
    });
    EXPECT_GE(instances, 1);
}

TEST(WmiEnumerate, ArrayElementsByIndex) {
    int instances = 0;
    WmiEnumerate(WmiBinding::Locator, "SELECT * FROM Win32_SystemEnclosure", [&](const WmiInstance& enclosure) {
        ++instances;
        const WmiValue types = enclosure.Read("ChassisTypes");
        ASSERT_TRUE(types.IsArray());
        ASSERT_FALSE(types.elements().empty());
        EXPECT_EQ(enclosure.Read("ChassisTypes", 0), WmiValue(types.elements()[0]));
        EXPECT_FALSE(enclosure.Text("ChassisTypes", 0).empty());
        EXPECT_THROW(enclosure.Read("ChassisTypes", types.elements().size()), std::out_of_range);
        EXPECT_THROW(enclosure.Text("ChassisTypes"), WmiConversionError);
        EXPECT_THROW(enclosure.Read("Caption", 0), std::out_of_range);
    });
    EXPECT_EQ(instances, 1);
}

TEST(WmiEnumerate, FailuresReachTheWindowWithThePlatformsText) {
    for (const auto& [binding, query] : {std::pair{WmiBinding::Moniker, "select"},
                                         std::pair{WmiBinding::Locator, "SELECT FROM"}}) {
        SCOPED_TRACE(query);
        try {
            WmiEnumerate(binding, query, [](const WmiInstance&) {});
            ADD_FAILURE() << "no error";
        } catch (const win::ComError& e) {
            EXPECT_TRUE(FAILED(e.code()));
            EXPECT_STRNE(e.what(), "");
        }
    }
    // Through a window's handler: the default error handler shows the text.
    testing::ReportedErrors().clear();
    ui::Application::Instance().Guard([] { WmiEnumerate(WmiBinding::Moniker, "select", [](const WmiInstance&) {}); });
    ASSERT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_FALSE(testing::ReportedErrors()[0].empty());
    // The caller's own errors pass through untouched.
    EXPECT_THROW(WmiEnumerate(WmiBinding::Moniker, "SELECT * FROM Win32_BIOS",
                              [](const WmiInstance&) { throw std::logic_error("caller"); }),
                 std::logic_error);
}

}  // namespace
}  // namespace brimlow
