// The processor window on hidden windows: its controls, a refresh against the real processor and
// Wine's Win32_Processor, a refresh of a recorded processor, the timer's tick driven by hand with
// scripted load readings, clocks and counters, its menu items and button, and the main window's
// "CPU Info" opening it modally.
#include "app/Unit1.h"
#include "app/product.h"
#include "cpu/TfrmCPU.h"
#include "cpu/cpu_models.h"
#include "cpu/cpu_window_text.h"
#include "cpu/cpuid_native.h"
#include "cpu/cpuid_recorded.h"
#include "forms/cpu_form.h"
#include "forms/main_form.h"
#include "platform/wmiquery.h"
#include "tests/common/host_cpuinfo.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <stdexcept>

namespace brimlow {
namespace {

using testing::LoadText;

bool SameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// Win32_Processor through the other route (IWbemClassObject): the last instance's text of a
// property, its name compared without regard to case as WMI compares names. Wine's provider
// spells some names its own way (DeviceId, ProcessorId) and leaves several properties out.
class WineProcessor {
public:
    WineProcessor() {
        result_ = WmiQueryTable(".", "root\\CIMV2", "", "", "SELECT * FROM Win32_Processor", table_, count_);
    }
    int count() const { return count_; }
    int result() const { return result_; }
    const TStringTable& table() const { return table_; }
    // Empty for a property the provider does not carry and for a null one, as the window shows them.
    std::string Text(const std::string& property) const {
        for (std::size_t c = 0; c < table_.columnCount(); ++c) {
            if (!SameNoCase(table_.Cell(0, c), property)) continue;
            const std::string& cell = table_.Cell(static_cast<std::size_t>(count_), c);
            return cell == "NULL" ? std::string() : cell;
        }
        return {};
    }
    bool Has(const std::string& property) const {
        for (std::size_t c = 0; c < table_.columnCount(); ++c)
            if (SameNoCase(table_.Cell(0, c), property)) return true;
        return false;
    }

private:
    TStringTable table_;
    int count_ = 0;
    int result_ = -1;
};

int ProcessorCount() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}

// A window fed with scripted load readings and, unless a test says otherwise, the real processor.
class CpuWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        meters.Create();
        sources.cpuid = &processor;
        sources.sampler = &sampler;
        sources.fdivFlaw = [] { return false; };
        sources.clock = [this] { return clock(); };
        sources.counter = [this] { return counter(); };
        sources.isWow64 = [] { return false; };
    }
    TfrmCPU& Window() {
        if (!window) {
            window = std::make_unique<TfrmCPU>(meters, sources);
            window->Create();
        }
        return *window;
    }
    std::vector<cpu::FeatureItem> ShownFeatures() {
        std::vector<cpu::FeatureItem> items;
        for (int i = 0; i < Window().CheckListCount("clbCPU"); ++i)
            items.push_back({Window().CheckListText("clbCPU", i), Window().CheckListChecked("clbCPU", i)});
        return items;
    }

    NativeCpuidSource processor;
    testing::ScriptedLoadSource load;
    cpu::CpuLoadSampler sampler{load};
    TfrmMeters meters{load};
    std::function<double()> clock = [] { return 2992.7; };
    std::function<std::uint64_t()> counter = [] { return std::uint64_t{1234}; };
    CpuWindowSources sources;
    std::unique_ptr<TfrmCPU> window;
};

TEST_F(CpuWindow, CreatedHiddenWithItsCaptionsMenuTimerAndEmptyFields) {
    TfrmCPU& w = Window();
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(w.Caption(), "CPU Info");
    const LONG_PTR style = ::GetWindowLongPtrA(w.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    for (const forms::CpuRow& row : forms::CpuRows()) {
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(w.Text(row.caption), row.text);
        EXPECT_EQ(w.Text(row.value), "");
    }
    EXPECT_EQ(w.Text("Label5"), "0 %");
    EXPECT_EQ(w.Text("BitBtn1"), "Show CPU Meter");
    EXPECT_EQ(w.CheckListCount("clbCPU"), 0);
    EXPECT_TRUE(w.TimerEnabled("Timer1"));
    for (const char* item : {"Print1", "Exit1", "Refresh1", "CPUSpeed1"}) EXPECT_TRUE(w.Enabled(item)) << item;
    EXPECT_EQ(w.clockDigits(), "");
    EXPECT_EQ(w.counterDigits(), "");

    // The usage bar fills aqua from the bottom of its black panel.
    w.SetPosition("ProgressBar1", 50);
    const auto bar = testing::PaintedClient(w.Control("ProgressBar1"));
    EXPECT_EQ(bar->Pixel(bar->width() / 2, bar->height() * 3 / 4), ui::kAqua);
    EXPECT_NE(bar->Pixel(bar->width() / 2, bar->height() / 4), ui::kAqua);
    const auto panel = testing::PaintedClient(w.Control("Panel1"));
    EXPECT_EQ(panel->Pixel(4, panel->height() / 2), ui::kBlack);
}

TEST_F(CpuWindow, RefreshShowsTheRealProcessorAndWinesWin32Processor) {
    TfrmCPU& w = Window();
    w.Refresh1Click();
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);

    // The decode of the processor itself.
    const ProcessorSignature sig = DecodeSignature(processor.CpuidLeaf(kLeafSignature));
    const CpuVendor vendor = LookupVendor(VendorText(processor.CpuidLeaf(kLeafVendor)));
    const TCPUCache cache = ReadCache(processor);
    const ModelLookupResult model =
        ProcessorModelLookup({vendor.index, sig.family, sig.model, sig.type, sig.brandIndex, cache.Level2, 0});
    const std::string brand = cpu::TrimBlanks(BrandString(processor));
    const WineProcessor wmi;
    ASSERT_EQ(wmi.count(), 1) << "Wine has one Win32_Processor instance";
    EXPECT_EQ(w.Text("CPUBrand1"), brand.empty() ? WmiTableValue(wmi.table(), "Name") : brand);
    EXPECT_FALSE(w.Text("CPUBrand1").empty());
    EXPECT_EQ(w.Text("CPUInfo"), std::to_string(ProcessorCount()) + " x " + cpu::TrimBlanks(model.modelName));
    EXPECT_EQ(w.Text("Info2"), model.coreName);
    EXPECT_EQ(w.Text("Info3"), vendor.company);
    EXPECT_EQ(w.Text("Info6"), ProcessorSerialText(processor));

    // What the host's kernel says about the same processor.
    const testing::HostProcessor host = testing::ReadHostProcessor();
    if (!host.vendor.empty()) {
        EXPECT_EQ(w.Text("Info1"), "Model ID: Family " + std::to_string(host.family) + "  Model " +
                                       std::to_string(host.model) + "  Stepping " +
                                       std::to_string(host.stepping >= 0 ? host.stepping : sig.stepping));
        EXPECT_EQ(testing::Normalised(w.Text("CPUBrand1")), host.brand);
        EXPECT_FALSE(w.Text("Info3").empty()) << host.vendor << " is in the vendor table";
    }

    // The second pass wrote every field it reads: the values Wine has, and empty text for the
    // properties its provider leaves out (ExtClock, CurrentVoltage, SocketDesignation,
    // L2CacheSize, L2CacheSpeed and Status here). Values are bare, without " MHz".
    for (const cpu::WmiFieldTarget& target : cpu::SecondPassFields()) {
        SCOPED_TRACE(target.property);
        EXPECT_EQ(w.Text(target.control), wmi.Text(target.property));
    }
    EXPECT_FALSE(w.Text("info10").empty());
    EXPECT_EQ(w.Text("info10").find("MHz"), std::string::npos);
    // Wine spells the names DeviceId and ProcessorId; the scripting objects match names without
    // regard to case, as WMI does, so both fields are filled.
    EXPECT_EQ(w.Text("Edit10"), wmi.Text("DeviceId"));
    EXPECT_FALSE(w.Text("Edit10").empty());
    EXPECT_EQ(w.Text("Info7"), wmi.Text("ProcessorId"));
    EXPECT_EQ(w.Text("Info4"), wmi.Text("Manufacturer"));
    EXPECT_EQ(w.Text("Edit1"), wmi.Text("Description"));

    // 24 features in listing order, then the division flaw, which this processor has not.
    const TCPUFeatures features = ReadFeatures(processor);
    const std::vector<cpu::FeatureItem> shown = ShownFeatures();
    ASSERT_EQ(shown.size(), 25u);
    const auto rows = FeatureTable();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(shown[i].text + ": ", rows[i].label);
        EXPECT_EQ(shown[i].checked, features.*rows[i].flag);
    }
    EXPECT_EQ(shown[24], (cpu::FeatureItem{"FDIV Bug", false}));
    EXPECT_TRUE(shown[23].checked) << "Built-In FPU";

    // A second refresh starts the list afresh.
    w.Refresh1Click();
    EXPECT_EQ(w.CheckListCount("clbCPU"), 25);
}

// A recorded processor: family 15 model 2 stepping 9, brand text with leading blanks, an
// L2 descriptor, and the division flaw.
RecordedCpuidSource Pentium4() {
    RecordedCpuidSource cpu;
    cpu.Record(0, {2, 0x756E6547, 0x6C65746E, 0x49656E69});  // "GenuineIntel"
    cpu.Record(1, {0x00000F29, 0x00010809, 0x00004400, 0xBFEBFBFF});
    cpu.Record(2, {0x665B5001, 0, 0, 0x007A7040});
    cpu.Record(0x80000000, {0x80000004, 0, 0, 0});
    cpu.Record(0x80000001, {0, 0, 0, 0});
    // "              Intel(R) Pentium(R) 4 CPU 2.80GHz"
    cpu.Record(0x80000002, {0x20202020, 0x20202020, 0x20202020, 0x6E492020});
    cpu.Record(0x80000003, {0x286C6574, 0x50202952, 0x69746E65, 0x52286D75});
    cpu.Record(0x80000004, {0x20342029, 0x20555043, 0x30382E32, 0x007A4847});
    return cpu;
}

TEST_F(CpuWindow, RefreshOfARecordedProcessor) {
    RecordedCpuidSource recorded = Pentium4();
    sources.cpuid = &recorded;
    sources.fdivFlaw = [] { return true; };
    TfrmCPU& w = Window();
    w.Refresh1Click();
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(w.Text("CPUBrand1"), "Intel(R) Pentium(R) 4 CPU 2.80GHz") << "trimmed";
    EXPECT_EQ(w.Text("CPUInfo"), std::to_string(ProcessorCount()) + " x Pentium 4");
    EXPECT_EQ(w.Text("Info1"), "Model ID: Family 15  Model 2  Stepping 9");
    EXPECT_EQ(w.Text("Info2"), "Northwood");
    EXPECT_EQ(w.Text("Info3"), "Intel Corporation");
    EXPECT_EQ(w.Text("Info6"), "0000-0F29-BFEB-FBFF-0000-4400");
    // "0F29" stands only until WMI writes the processor ID it has.
    EXPECT_EQ(w.Text("Info7"), WineProcessor().Text("ProcessorID"));
    const std::vector<cpu::FeatureItem> shown = ShownFeatures();
    ASSERT_EQ(shown.size(), 25u);
    EXPECT_EQ(shown[0], (cpu::FeatureItem{"3D Now! extensions", false}));
    EXPECT_EQ(shown[3], (cpu::FeatureItem{"SIMD instructions", true}));
    EXPECT_EQ(shown[6], (cpu::FeatureItem{"Serial number", false}));
    EXPECT_EQ(shown[9], (cpu::FeatureItem{"CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes", true}));
    EXPECT_EQ(shown[24], (cpu::FeatureItem{"FDIV Bug", true})) << "checked on a flawed divider";
    EXPECT_EQ(recorded.Executions(2), 1u) << "a repeat count of 1 asks leaf 2 once";
}

TEST_F(CpuWindow, WithoutBrandLeavesTheBrandIsWmisNameAndAnUnknownVendorNamesNothing) {
    RecordedCpuidSource recorded;
    recorded.Record(0, {1, 0x20414956, 0x20414956, 0x20414956});  // "VIA VIA VIA " is no row
    recorded.Record(1, {0x00000662, 0, 0, 0x00803035});
    recorded.Record(0x80000000, {0x80000003, 0, 0, 0});  // one short of the brand leaves
    sources.cpuid = &recorded;
    TfrmCPU& w = Window();
    w.Refresh1Click();
    const WineProcessor wmi;
    EXPECT_EQ(w.Text("CPUBrand1"), WmiTableValue(wmi.table(), "Name"));
    EXPECT_FALSE(w.Text("CPUBrand1").empty());
    EXPECT_EQ(w.Text("CPUInfo"), std::to_string(ProcessorCount()) + " x ");
    EXPECT_EQ(w.Text("Info2"), "");
    EXPECT_EQ(w.Text("Info3"), "");
    // The transistor count "0" was replaced by the status Wine does not report.
    EXPECT_EQ(w.Text("Info5"), wmi.Text("Status"));
    EXPECT_EQ(recorded.Executions(0x80000002), 0u);
}

TEST_F(CpuWindow, ShowingTheWindowRefreshesIt) {
    TfrmCPU& w = Window();
    w.Show();
    EXPECT_TRUE(w.Visible());
    EXPECT_FALSE(w.Text("CPUBrand1").empty());
    EXPECT_EQ(w.CheckListCount("clbCPU"), 25);
    w.Hide();
}

TEST_F(CpuWindow, EachTickShowsTheLoadTheClockAndTheCounter) {
    load.Add(1, 1);
    load.Add(2, 2.14);  // 43.5 % on two processors
    load.Add(3, 3.28);
    TfrmCPU& w = Window();

    w.Timer1Timer();
    EXPECT_EQ(w.Text("Label5"), "0 %") << "the first reading is only the baseline";
    EXPECT_EQ(w.clockDigits(), "02992");
    EXPECT_EQ(w.counterDigits(), "0000000000001234");

    clock = [] { return 123456.0; };
    counter = [] { return std::uint64_t{98765432109876543}; };
    w.Timer1Timer();
    EXPECT_EQ(w.Text("Label5"), LoadText("43", "5"));
    EXPECT_EQ(w.Position("ProgressBar1"), 43);
    EXPECT_EQ(w.clockDigits(), "12345") << "only the first five digits have cells";
    EXPECT_EQ(w.counterDigits(), "9876543210987654");

    // A failing clock keeps its last digits; a failing counter shows sixteen zeros.
    clock = []() -> double { throw std::runtime_error("no clock"); };
    counter = []() -> std::uint64_t { throw std::runtime_error("no counter"); };
    w.Timer1Timer();
    EXPECT_EQ(w.clockDigits(), "12345");
    EXPECT_EQ(w.counterDigits(), "0000000000000000");
    EXPECT_TRUE(w.TimerEnabled("Timer1"));
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(testing::ShownMessages().empty());
}

TEST_F(CpuWindow, ATickDueWhileATickLetsMessagesThroughDoesNotStartInsideIt) {
    TfrmCPU& w = Window();
    int clocks = 0;
    clock = [&] {
        ++clocks;
        w.Timer1Timer();  // what a timer message handled by the tick's own pump would do
        return 1000.0;
    };
    w.Timer1Timer();
    EXPECT_EQ(clocks, 1);
    EXPECT_EQ(w.clockDigits(), "01000");
    w.Timer1Timer();
    EXPECT_EQ(clocks, 2) << "the next tick runs again";
}

TEST_F(CpuWindow, ALoadThatCannotBeComputedStopsTheTimerAndAsksForAReport) {
    load.Add(1, 1);
    load.Add(1, 1.5);  // no time passed
    TfrmCPU& w = Window();
    w.Timer1Timer();
    w.Timer1Timer();
    EXPECT_FALSE(w.TimerEnabled("Timer1"));
    ASSERT_EQ(testing::ShownMessages().size(), 1u);
    EXPECT_EQ(testing::ShownMessages()[0], "The CPU load cannot be computed: no time passed between two readings.\r"
                                           "Please report this error to " +
                                               std::string(kSupportAddress));
    EXPECT_EQ(w.clockDigits(), "02992") << "the rest of the tick still runs";
}

TEST_F(CpuWindow, CpuSpeedMeasuresOnceAndLetsItsErrorThrough) {
    TfrmCPU& w = Window();
    clock = [] { return 866.4; };
    ::SendMessageA(w.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::CpuFormLayout(), "CPUSpeed1"), 0);
    EXPECT_EQ(w.clockDigits(), "00866");
    clock = []() -> double { throw std::runtime_error("The clock could not be measured."); };
    ::SendMessageA(w.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::CpuFormLayout(), "CPUSpeed1"), 0);
    EXPECT_EQ(testing::ReportedErrors(), std::vector<std::string>{"The clock could not be measured."});
    EXPECT_EQ(w.clockDigits(), "00866");
}

TEST_F(CpuWindow, ShowCpuMeterOpensTheMetersOrSaysItCannot) {
    bool wow64 = true;
    sources.isWow64 = [&] { return wow64; };
    TfrmCPU& w = Window();
    const HWND button = w.Control("BitBtn1");
    const auto press = [&] {
        ::SendMessageA(w.hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
    };
    press();
    EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"This feature does not work on 64bit Windows."});
    EXPECT_FALSE(meters.Visible());
    EXPECT_FALSE(meters.TimerEnabled("Timer1"));
    wow64 = false;
    press();
    EXPECT_TRUE(meters.Visible());
    EXPECT_TRUE(meters.TimerEnabled("Timer1"));
    EXPECT_EQ(testing::ShownMessages().size(), 1u);
    meters.Hide();
}

TEST_F(CpuWindow, PrintPutsThePictureOfTheWindowOnThePrinterTheDialogChose) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    TfrmCPU& w = Window();
    w.Refresh1Click();
    {
        testing::DialogAnswerer ok(IDOK);
        ::SendMessageA(w.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::CpuFormLayout(), "Print1"), 0);
        EXPECT_EQ(ok.titles().size(), 1u) << "the print dialog was asked";
    }
    EXPECT_TRUE(testing::ReportedErrors().empty());
    const std::string postscript = printer.Printed();
    EXPECT_NE(postscript.find("%%Title: CPU Info"), std::string::npos);
    RECT client;
    ::GetClientRect(w.hwnd(), &client);
    EXPECT_NE(postscript.find("/Width " + std::to_string(client.right) + "\n"), std::string::npos)
        << "the whole client area";
    EXPECT_NE(postscript.find("/Height " + std::to_string(client.bottom) + "\n"), std::string::npos);
}

TEST_F(CpuWindow, ClosingStopsTheTimer) {
    TfrmCPU& w = Window();
    w.Show();
    ::SendMessageA(w.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::CpuFormLayout(), "Exit1"), 0);
    ui::Application::Instance().ProcessMessages();  // Exit posts the close
    EXPECT_FALSE(w.Visible());
    EXPECT_FALSE(w.TimerEnabled("Timer1"));
    const UINT_PTR timer = *ui::TimerIdOf(forms::CpuFormLayout(), "Timer1");
    EXPECT_FALSE(::KillTimer(w.hwnd(), timer)) << "the system's timer is gone too";
}

// The main window's "CPU Info": checked from inside the modal loop, then closed.
struct OpenedCpuWindow {
    bool found = false, visible = false, mainDisabled = false, timerRunning = false, busy = true;
    std::string brand;
    int features = -1;
};
OpenedCpuWindow g_opened;
HWND g_mainWindow = nullptr;
void CALLBACK InspectCpuWindowAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    const HWND cpu = ::FindWindowA("TfrmCPU", nullptr);
    g_opened.found = cpu != nullptr;
    if (!cpu) return;
    g_opened.visible = ::IsWindowVisible(cpu);
    g_opened.mainDisabled = !::IsWindowEnabled(g_mainWindow);
    g_opened.busy = ui::Application::Instance().cursor() != ui::Application::Cursor::Default;
    const auto& layout = forms::CpuFormLayout();
    char text[256] = {};
    ::GetWindowTextA(::GetDlgItem(cpu, *ui::ControlIdOf(layout, "CPUBrand1")), text, sizeof text);
    g_opened.brand = text;
    g_opened.features = static_cast<int>(
        ::SendMessageA(::GetDlgItem(cpu, *ui::ControlIdOf(layout, "clbCPU")), LB_GETCOUNT, 0, 0));
    // Killing the timer tells that it ran; the window goes anyway.
    g_opened.timerRunning = ::KillTimer(cpu, *ui::TimerIdOf(layout, "Timer1")) != FALSE;
    ::PostMessageA(cpu, WM_CLOSE, 0, 0);
}

TEST(MainWindowCpuInfo, MenuItemAndToolButtonOpenTheWindowModallyAndDestroyIt) {
    testing::ReportedErrors().clear();
    TForm1 form({});
    form.Create();
    g_mainWindow = form.hwnd();
    EXPECT_TRUE(form.Enabled("CPUInfo1"));
    EXPECT_TRUE(form.Enabled("ToolButton2"));
    for (const char* opener : {"CPUInfo1", "ToolButton2"}) {
        SCOPED_TRACE(opener);
        g_opened = {};
        ASSERT_NE(::SetTimer(nullptr, 0, 10, InspectCpuWindowAndClose), 0u);
        ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::MainFormLayout(), opener), 0);
        EXPECT_TRUE(g_opened.found);
        EXPECT_TRUE(g_opened.visible);
        EXPECT_TRUE(g_opened.mainDisabled);
        EXPECT_TRUE(g_opened.timerRunning);
        EXPECT_FALSE(g_opened.busy) << "the hourglass went with the making of the window";
        EXPECT_FALSE(g_opened.brand.empty()) << "refreshed when shown";
        EXPECT_EQ(g_opened.features, 25);
        EXPECT_EQ(::FindWindowA("TfrmCPU", nullptr), nullptr) << "destroyed when closed";
        EXPECT_TRUE(::IsWindowEnabled(form.hwnd()));
    }
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

}  // namespace
}  // namespace brimlow
