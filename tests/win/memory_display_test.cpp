// The memory and display windows on hidden windows: the memory figures against what this same
// process is told by the system and WMI, the display window against the screen it runs on and
// against fixtures of the video driver's registry values and the "Display" class.
#include "devices/TfrmDisplay.h"
#include "devices/display_registry.h"
#include "devices/display_text.h"
#include "forms/display_form.h"
#include "forms/memory_form.h"
#include "platform/wmiquery.h"
#include "sysconfig/TfrmMemory.h"
#include "sysconfig/memory_text.h"
#include "tests/win/recording_launcher.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace brimlow {
namespace {

using testing::RecordingLauncher;

std::string Separator() {
    char separator[8] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    return separator;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class MemoryWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        window.Create();
        ASSERT_NE(window.hwnd(), nullptr);
    }
    RecordingLauncher launcher;
    TfrmMemory window{launcher};
};

TEST_F(MemoryWindow, FiguresAreThoseOfThisProcess) {
    window.Refresh1Click();
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(::GlobalMemoryStatusEx(&status));
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    const std::string sep = Separator();
    // Totals do not move between the two calls; the free figures may.
    EXPECT_EQ(window.Text("Info1"), MemorySizeText(status.ullTotalPhys, sep));
    EXPECT_EQ(window.Text("Info3"), MemorySizeText(status.ullTotalPageFile, sep));
    EXPECT_EQ(window.Text("Info5"), MemorySizeText(status.ullTotalVirtual, sep));
    for (const char* free : {"Info2", "Info4", "Info6"}) {
        EXPECT_TRUE(EndsWith(window.Text(free), " MB)")) << free << ": " << window.Text(free);
        EXPECT_NE(window.Text(free).find(" bytes   ("), std::string::npos) << free;
    }
    EXPECT_EQ(window.Text("Info7"), GroupedBytesText(system.dwAllocationGranularity, sep));
    EXPECT_EQ(window.Text("Info9"), GroupedBytesText(system.dwPageSize, sep));
    EXPECT_EQ(window.Text("Info8"),
              AddressRangeText(reinterpret_cast<std::uintptr_t>(system.lpMinimumApplicationAddress),
                               reinterpret_cast<std::uintptr_t>(system.lpMaximumApplicationAddress)));
#ifdef _WIN64
    EXPECT_GT(window.Text("Info8").size(), std::string("00010000 - 7FFEFFFF").size());
#else
    EXPECT_EQ(window.Text("Info8").size(), std::string("00010000 - 7FFEFFFF").size());
#endif
    EXPECT_GE(window.memoryLoad(), 0);
    EXPECT_LE(window.memoryLoad(), 100);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(MemoryWindow, ModulesAreWhatWmiLists) {
    window.Refresh1Click();
    TStringTable table;
    int instances = 0;
    const int properties = WmiQueryTable(".", "root\\CIMV2", "", "", "Win32_PhysicalMemory", table, instances);
    const std::vector<MemoryModuleRow> rows = properties > 0 ? MemoryModuleRows(table, instances) : std::vector<MemoryModuleRow>{};
    const ui::ListView list = window.ListView1();
    ASSERT_EQ(list.Count(), static_cast<int>(rows.size()));
    for (int r = 0; r < list.Count(); ++r) {
        const MemoryModuleRow& row = rows[static_cast<std::size_t>(r)];
        EXPECT_EQ(list.Row(r), (std::vector<std::string>{row.bank, row.device, row.dataWidth, row.capacity, row.speed,
                                                         row.manufacturer}));
    }
    EXPECT_EQ(window.Text("Edit2"), ModuleTotalText(rows));
    // Wine lists its modules with a capacity, so the total is a figure of its own.
    if (!rows.empty()) {
        EXPECT_FALSE(rows[0].capacity.empty());
        // Found by name: Wine's class has neither all the properties nor their numbered places.
        EXPECT_EQ(list.Cell(0, 1), WmiTableValue(table, "DeviceLocator"));
        EXPECT_EQ(list.Cell(0, 3), WmiTableValue(table, "Capacity"));
        EXPECT_TRUE(EndsWith(window.Text("Edit2"), " GB)")) << window.Text("Edit2");
    }
    std::printf("Win32_PhysicalMemory: %d instance(s), %d properties:", instances, properties);
    for (std::size_t c = 0; c < table.columnCount(); ++c) std::printf(" %s=%s", table.Cell(0, c).c_str(), table.Cell(1, c).c_str());
    std::printf("\n");
}

TEST_F(MemoryWindow, HomePageLinkOpensTheBrowser) {
    window.Click("Label3");
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].verb, "open");
    EXPECT_EQ(launcher.calls[0].file, "https://www.brimlow.org/");
}

// "Quick Print" asks nothing and prints on the default printer; the display window's "Print" asks.
TEST_F(MemoryWindow, QuickPrintGoesStraightToTheDefaultPrinter) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    window.Refresh1Click();
    {
        testing::DialogAnswerer ok(IDOK);
        ::SendMessageA(window.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::MemoryFormLayout(), "Print1"), 0);
        EXPECT_TRUE(ok.titles().empty()) << "no print dialog";
    }
    EXPECT_NE(printer.Printed().find("%%Title: Memory"), std::string::npos);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

constexpr const char* kClassRoot = "SYSTEM\\CurrentControlSet\\Services\\Class";

void WideBinary(testing::ScratchMachineKey& machine, const char* path, const char* name, const std::wstring& text) {
    machine.Set(path, name, REG_BINARY, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

class DisplayWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
    }
    RecordingLauncher launcher;
};

TEST_F(DisplayWindow, ScreenCapabilitiesAreThoseOfTheScreen) {
    TfrmDisplay window(launcher);
    window.Create();
    window.Refresh1Click();
    const HDC screen = ::GetDC(nullptr);
    const std::string metrics = MetricsText(::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, VERTRES),
                                            ::GetDeviceCaps(screen, BITSPIXEL));
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(window.Text("Info8"), metrics);
    EXPECT_EQ(window.Text("Info8"), MetricsText(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), bits));
    std::printf("Metrics: %s\n", window.Text("Info8").c_str());
    EXPECT_EQ(window.Text("Info7"), "Raster Display");
    EXPECT_EQ(window.Text("Info9"), std::to_string(dpi) + " dpi");
    EXPECT_EQ(window.Text("Edit2"), std::to_string(::GetSystemMetrics(SM_CMONITORS)));
    EXPECT_TRUE(EndsWith(window.Text("info13"), " Hz")) << window.Text("info13");
    EXPECT_FALSE(window.Text("Info15").empty());
    // The first display device is selected: its name, and its flags.
    const std::vector<std::string> adapters = window.AdapterTexts();
    DISPLAY_DEVICEA first{};
    first.cb = sizeof first;
    if (::EnumDisplayDevicesA(nullptr, 0, &first, 0)) {
        ASSERT_FALSE(adapters.empty());
        EXPECT_EQ(adapters[0], first.DeviceString);
        EXPECT_EQ(window.Text("info16"), first.DeviceName);
        EXPECT_EQ(window.CheckListChecked("CheckListBox1", 0), (first.StateFlags & 1) != 0);
        EXPECT_EQ(window.CheckListChecked("CheckListBox1", 2), (first.StateFlags & 4) != 0);
    }
    EXPECT_EQ(window.CheckListCount("CheckListBox1"), 5);
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(testing::ShownMessages().empty());
}

TEST_F(DisplayWindow, AdapterDetailsFromTheVideoDeviceMapAndTheDisplayClass) {
    testing::ScratchMachineKey machine;
    machine.SetString("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0",
                      "\\Registry\\Machine\\System\\CurrentControlSet\\Services\\vga\\Device0");
    const char* service = "System\\CurrentControlSet\\Services\\vga\\Device0";
    WideBinary(machine, service, "HardwareInformation.ChipType", L"S3");
    WideBinary(machine, service, "HardwareInformation.DacType", L"Internal");
    machine.SetDword(service, "HardwareInformation.MemorySize", 268435456);
    const char bios[] = "Fixture BIOS 1.0\0Second line\0";
    machine.Set("HARDWARE\\DESCRIPTION\\System", "VideoBiosVersion", REG_MULTI_SZ, bios, sizeof bios);
    machine.SetString("HARDWARE\\DESCRIPTION\\System", "VideoBiosDate", "01/02/03");
    machine.SetString((std::string(kClassRoot) + "\\Other").c_str(), "Class", "Net");
    machine.SetString((std::string(kClassRoot) + "\\Display0").c_str(), "Class", "display");
    machine.SetString((std::string(kClassRoot) + "\\Display0").c_str(), "Link", "adapters");
    machine.SetString((std::string(kClassRoot) + "\\ADAPTERS\\0000").c_str(), "DriverDesc", "Fixture VGA");
    machine.SetString((std::string(kClassRoot) + "\\ADAPTERS\\0001").c_str(), "DriverDesc", "FIXTURE vga");
    machine.SetString((std::string(kClassRoot) + "\\ADAPTERS\\0002").c_str(), "DriverDesc", "Second Adapter");
    machine.CreateKey((std::string(kClassRoot) + "\\ADAPTERS\\0003").c_str());

    std::vector<std::string> names;
    EXPECT_EQ(ClassDriverDescriptions(HKEY_LOCAL_MACHINE, kClassRoot, "Display", "DriverDesc", false, names),
              "ADAPTERS");
    EXPECT_EQ(names, (std::vector<std::string>{"Fixture VGA", "Second Adapter"}));

    TfrmDisplay window(launcher);
    window.Create();
    window.Show();
    const std::vector<std::string> adapters = window.AdapterTexts();
    ASSERT_GE(adapters.size(), 2u);
    EXPECT_EQ(adapters[adapters.size() - 2], "Fixture VGA");
    EXPECT_EQ(adapters.back(), "Second Adapter");
    EXPECT_EQ(window.Text("Info3"), "S3");
    EXPECT_EQ(window.Text("Info4"), "Internal");
    EXPECT_EQ(window.Text("Info5"), "268435456 bytes");
    EXPECT_EQ(window.Text("Info6"), "Fixture BIOS 1.0 (01/02/03)");

    // A registry adapter has no entry in the detail lists: the fields are empty, not stale.
    window.SelectAdapter(static_cast<int>(adapters.size()) - 1);
    EXPECT_EQ(window.Text("Info3"), "");
    EXPECT_EQ(window.Text("Info4"), "");
    EXPECT_EQ(window.Text("Info5"), "");
    EXPECT_EQ(window.Text("info16"), "");
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(window.CheckListChecked("CheckListBox1", i)) << i;
    window.Hide();
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(DisplayWindow, PrintAsksForThePrinter) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    TfrmDisplay window(launcher);
    window.Create();
    window.Refresh1Click();
    {
        testing::DialogAnswerer ok(IDOK);
        ::SendMessageA(window.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::DisplayFormLayout(), "Print1"), 0);
        EXPECT_EQ(ok.titles().size(), 1u) << "the print dialog was asked";
    }
    EXPECT_NE(printer.Printed().find("%%Title: Display"), std::string::npos);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(DisplayWindow, MissingRegistryLeavesTheDetailsEmpty) {
    testing::ScratchMachineKey machine;
    // The doubled-backslash name is read when the plain one is missing; a value too long is skipped.
    machine.SetString("HARDWARE\\DEVICEMAP\\VIDEO", "\\\\Device\\\\Video0",
                      "\\Registry\\Machine\\System\\CurrentControlSet\\Services\\vga\\Device0");
    const std::vector<std::uint8_t> tooLong(300, 'A');
    machine.Set("System\\CurrentControlSet\\Services\\vga\\Device0", "HardwareInformation.ChipType", REG_BINARY,
                tooLong.data(), static_cast<DWORD>(tooLong.size()));
    VideoAdapterDetails details = ReadVideoAdapterDetails(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(details.chips.empty());
    EXPECT_TRUE(details.dacs.empty());
    EXPECT_TRUE(details.memorySizes.empty());
    const VideoBios bios = ReadVideoBios(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(bios.version, "");
    EXPECT_EQ(bios.date, "");
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(ClassDriverDescriptions(HKEY_LOCAL_MACHINE, kClassRoot, "Display", "DriverDesc", false, names), "");
    EXPECT_TRUE(names.empty());

    TfrmDisplay window(launcher);
    window.Create();
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info3"), "");
    EXPECT_EQ(window.Text("Info6"), " ()");
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

}  // namespace
}  // namespace brimlow
