// The CPU meters window on a hidden window fed with scripted readings: its controls, the chart's
// pixels after each tick, what a failed or impossible sample does to each display, the timer
// while hidden, "Show CPU Meter", the main window's "CPU Meters" and the real counters under Wine.
#include "app/Unit1.h"
#include "cpu/TfrmMeters.h"
#include "cpu/cpu_load_win.h"
#include "forms/main_form.h"
#include "forms/meters_form.h"
#include "platform/windows_version_win.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

namespace brimlow {
namespace {

using cpu::RawLoadSample;
using cpu::Time64;

constexpr std::uint32_t kSecond = 10'000'000;  // 100-ns units

// Readings handed out in order; nullopt stands for a refused query.
class ScriptedSource : public cpu::LoadSampleSource {
public:
    std::deque<std::optional<RawLoadSample>> script;
    std::optional<RawLoadSample> Read() override {
        if (script.empty()) return std::nullopt;
        auto next = script.front();
        script.pop_front();
        return next;
    }
    // A reading `seconds` after the start with `idle` seconds of idle time on two processors.
    void Add(double seconds, double idle, std::uint8_t processors = 2) {
        script.push_back(RawLoadSample{processors, Time64{static_cast<std::uint32_t>(std::llround(seconds * kSecond)), 0},
                                       Time64{static_cast<std::uint32_t>(std::llround(idle * kSecond)), 0}});
    }
    void Refuse() { script.push_back(std::nullopt); }
};

// The label text for a value, with the separator the system gives this user.
std::string LoadText(const char* whole, const char* tenth) {
    return std::string(whole) + cpu::UserDecimalSeparator() + tenth + " %";
}

class MetersWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        meters.Create();
        ASSERT_NE(meters.hwnd(), nullptr);
    }
    std::unique_ptr<ui::Bitmap> Chart() const { return testing::PaintedClient(meters.Control("Image1")); }
    ScriptedSource source;
    TfrmMeters meters{source};
};

TEST_F(MetersWindow, CreatedHiddenAndOnTopWithItsControls) {
    EXPECT_FALSE(meters.Visible());
    EXPECT_EQ(meters.Caption(), "CPU Meters");
    EXPECT_TRUE(::GetWindowLongPtrA(meters.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(::GetWindowLongPtrA(meters.hwnd(), GWL_STYLE) & WS_THICKFRAME);
    RECT client;
    ::GetClientRect(meters.hwnd(), &client);
    EXPECT_EQ(client.right, meters.Scale(594));
    EXPECT_EQ(client.bottom, meters.Scale(188));
    EXPECT_EQ(meters.Text("StaticText1"), "CPU usage and history");
    EXPECT_EQ(meters.Text("Label5"), "0.0%");
    EXPECT_EQ(meters.Position("ProgressBar1"), 50);
    EXPECT_FALSE(::IsWindowVisible(meters.Control("CheckBox1")));
    EXPECT_FALSE(meters.TimerEnabled("Timer1"));
    // "Refresh" is there and does nothing.
    EXPECT_TRUE(meters.Enabled("Refresh1"));
    meters.Click("Refresh1");
    EXPECT_TRUE(testing::ReportedErrors().empty());

    // The bar is aqua: at 50 its lower half is filled.
    const auto bar = testing::PaintedClient(meters.Control("ProgressBar1"));
    EXPECT_EQ(bar->Pixel(bar->width() / 2, bar->height() * 3 / 4), ui::kAqua);
}

TEST_F(MetersWindow, TheEmptyChartIsAGreenGridOnBlack) {
    const auto chart = Chart();
    ASSERT_EQ(chart->width(), meters.Scale(421));
    EXPECT_EQ(meters.previousPoint(), 100);
    int aqua = 0;
    for (int x = 0; x < 421; ++x)
        for (int y = 0; y < 100; ++y) {
            const bool column = x % 10 == 0 && x >= 10 && x <= 410;
            const bool row = y % 10 == 0 && y >= 10 && y <= 90 && x <= 419;
            const ui::Colour want = column || row ? ui::kGreen : ui::kBlack;
            if (chart->Pixel(x, y) != want) {
                ADD_FAILURE() << "pixel " << x << "," << y;
                return;
            }
            aqua += chart->Pixel(x, y) == ui::kAqua;
        }
    EXPECT_EQ(aqua, 0);
}

// Aqua pixels in columns [from, to) of one row.
int AquaRun(const ui::Bitmap& chart, int from, int to, int y) {
    int n = 0;
    for (int x = from; x < to; ++x) n += chart.Pixel(x, y) == ui::kAqua;
    return n;
}

int AquaAnywhere(const ui::Bitmap& chart, int from, int to) {
    int n = 0;
    for (int y = 0; y < chart.height(); ++y) n += AquaRun(chart, from, to, y);
    return n;
}

TEST_F(MetersWindow, EachTickScrollsTheChartAndDrawsTheSample) {
    // 2 processors, 1.14 s idle per second: 100 - 57 + 0.5 = 43.5, drawn at y = 100 - 43.
    source.Add(1, 1);
    source.Add(2, 2.14);
    source.Add(3, 3.28);
    source.Add(4, 4.42);

    meters.Timer1Timer();  // the baseline: nothing shown, the trace stays on the bottom line
    EXPECT_EQ(meters.Text("Label5"), "0.0%");
    EXPECT_EQ(meters.Position("ProgressBar1"), 50);
    EXPECT_EQ(meters.previousPoint(), 100);
    EXPECT_EQ(AquaAnywhere(*Chart(), 0, 421), 0) << "y = 100 lies just below the chart";

    meters.Timer1Timer();
    EXPECT_EQ(meters.Text("Label5"), LoadText("43", "5"));
    EXPECT_EQ(meters.Position("ProgressBar1"), 43);
    EXPECT_EQ(meters.previousPoint(), 57);
    {
        // From the bottom edge up to the point: rows 58 to 99 of the newest segment.
        const auto chart = Chart();
        EXPECT_GT(AquaAnywhere(*chart, 410, 420), 30);
        EXPECT_EQ(AquaAnywhere(*chart, 0, 410), 0);
        EXPECT_EQ(chart->Pixel(420, 57), ui::kGreen) << "the line's end point is not drawn";
    }

    meters.Timer1Timer();
    {
        const auto chart = Chart();
        EXPECT_EQ(AquaRun(*chart, 410, 420, 57), 10) << "a flat segment along y = 57";
        EXPECT_EQ(chart->Pixel(420, 57), ui::kGreen);
        EXPECT_EQ(chart->Pixel(415, 56), ui::kBlack);
        EXPECT_EQ(chart->Pixel(415, 58), ui::kBlack);
        EXPECT_GT(AquaAnywhere(*chart, 400, 410), 30) << "the rising segment moved ten pixels left";
    }

    meters.Timer1Timer();
    {
        const auto chart = Chart();
        EXPECT_EQ(AquaRun(*chart, 400, 420, 57), 20);
        EXPECT_GT(AquaAnywhere(*chart, 390, 400), 30);
        // Columns 410 and 420 are grid lines again, apart from the trace crossing them.
        for (int y = 0; y < 100; ++y)
            if (y != 57) {
                EXPECT_EQ(chart->Pixel(410, y), ui::kGreen) << y;
            }
    }
}

TEST_F(MetersWindow, ATickWithoutAValueRepeatsThePreviousPoint) {
    source.Add(1, 1);
    source.Add(2, 2.14);
    source.Refuse();
    meters.Timer1Timer();
    meters.Timer1Timer();
    meters.Timer1Timer();  // the query was refused: label, bar and baseline stay
    EXPECT_EQ(meters.Text("Label5"), LoadText("43", "5"));
    EXPECT_EQ(meters.Position("ProgressBar1"), 43);
    EXPECT_EQ(meters.previousPoint(), 57);
    EXPECT_EQ(AquaRun(*Chart(), 410, 420, 57), 10);
}

TEST_F(MetersWindow, AValueAbove100IsDrawnAsZero) {
    // Idle shrank: 100 + 2 + 0.5 on one processor.
    source.Add(1, 1, 1);
    source.Add(2, 0.98, 1);
    source.Add(3, 0.96, 1);
    meters.Timer1Timer();
    meters.Timer1Timer();
    EXPECT_EQ(meters.Text("Label5"), LoadText("102", "5"));
    EXPECT_EQ(meters.Position("ProgressBar1"), 100) << "the gauge stops at its end";
    EXPECT_EQ(meters.previousPoint(), 100);
    meters.Timer1Timer();
    EXPECT_EQ(AquaAnywhere(*Chart(), 0, 421), 0) << "drawn on the bottom line, just below the chart";
}

TEST_F(MetersWindow, AnImpossibleSampleIsIgnoredAndLeavesThatTickEmpty) {
    source.Add(1, 1);
    source.Add(2, 2.14);
    source.Add(2, 2.5);  // no time passed
    source.Add(2.5, 2.5, 0);  // no processors
    source.Add(3, 3.28);    // against the baseline of the second reading
    meters.Timer1Timer();
    meters.Timer1Timer();
    meters.Timer1Timer();
    meters.Timer1Timer();
    EXPECT_TRUE(testing::ReportedErrors().empty()) << "the meters window shows no error";
    EXPECT_EQ(meters.Text("Label5"), LoadText("43", "5"));
    EXPECT_EQ(meters.Position("ProgressBar1"), 43);
    {
        const auto chart = Chart();
        EXPECT_EQ(AquaAnywhere(*chart, 400, 421), 0) << "no trace in the two segments of the failed ticks";
        EXPECT_GT(AquaAnywhere(*chart, 390, 400), 30) << "the rising segment, two ticks back";
    }
    meters.Timer1Timer();
    EXPECT_EQ(meters.previousPoint(), 57);
    EXPECT_EQ(AquaRun(*Chart(), 410, 420, 57), 10);
}

TEST_F(MetersWindow, TheTimerGoesOnWhileTheWindowIsHidden) {
    source.Add(1, 1);
    source.Add(2, 2.14);
    ShowCpuMeter(meters, [] { return false; });
    EXPECT_TRUE(meters.Visible());
    EXPECT_TRUE(meters.TimerEnabled("Timer1"));
    // Closing only hides it.
    ::SendMessageA(meters.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(meters.Visible());
    EXPECT_NE(meters.hwnd(), nullptr);
    EXPECT_TRUE(meters.TimerEnabled("Timer1"));
    const UINT_PTR timer = *ui::TimerIdOf(forms::MetersFormLayout(), "Timer1");
    ::SendMessageA(meters.hwnd(), WM_TIMER, timer, 0);
    ::SendMessageA(meters.hwnd(), WM_TIMER, timer, 0);
    EXPECT_EQ(meters.Text("Label5"), LoadText("43", "5"));
    EXPECT_EQ(meters.previousPoint(), 57);
}

TEST_F(MetersWindow, ShowCpuMeterOn64BitWindowsOnlySaysSo) {
    ShowCpuMeter(meters, [] { return true; });
    EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"This feature does not work on 64bit Windows."});
    EXPECT_FALSE(meters.Visible());
    EXPECT_FALSE(meters.TimerEnabled("Timer1"));
    // Without a question of its own it asks the system: the i686 build under a 64-bit Wine runs
    // under WOW64 and gets the message again, the x86_64 build gets the window.
    const bool wow64 = IsWow64();
    ShowCpuMeter(meters);
    EXPECT_EQ(testing::ShownMessages().size(), wow64 ? 2u : 1u);
    EXPECT_EQ(meters.Visible(), !wow64);
    EXPECT_EQ(meters.TimerEnabled("Timer1"), !wow64);
    meters.Hide();
}

// A stand-in for the processor window's load display: the same control names.
ui::FormLayout CpuStandInLayout() {
    ui::FormLayout form;
    form.className = "TfrmCpuLoadTest";
    form.caption = "CPU load test";
    form.clientWidth = 200;
    form.clientHeight = 150;
    ui::ControlLayout label;
    label.name = "Label5";
    label.text = "0 %";
    label.rect = {10, 10, 80, 16};
    ui::ControlLayout bar;
    bar.name = "ProgressBar1";
    bar.kind = ui::ControlKind::ProgressBar;
    bar.rect = {10, 30, 20, 100};
    bar.vertical = true;
    form.controls = {label, bar};
    form.timers = {{"Timer1", 1000, true}};
    return form;
}

class CpuStandIn : public ui::Form {
public:
    CpuStandIn() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = CpuStandInLayout();
        return layout;
    }
};

TEST(CpuWindowLoad, AnImpossibleSampleStopsTheTimerAndAsksForAReport) {
    testing::ShownMessages().clear();
    ScriptedSource source;
    cpu::CpuLoadSampler sampler(source);
    CpuStandIn window;
    window.Create();
    source.Add(1, 1);
    source.Add(2, 2.14);
    source.Refuse();
    source.Add(2, 2.5);

    cpu::CpuWindowLoadStep(window, sampler, "support@example.org");
    EXPECT_EQ(window.Text("Label5"), "0 %") << "the first tick changes nothing";
    EXPECT_EQ(window.Position("ProgressBar1"), 0);
    cpu::CpuWindowLoadStep(window, sampler, "support@example.org");
    EXPECT_EQ(window.Text("Label5"), LoadText("43", "5"));
    EXPECT_EQ(window.Position("ProgressBar1"), 43);
    cpu::CpuWindowLoadStep(window, sampler, "support@example.org");  // refused: skipped quietly
    EXPECT_TRUE(window.TimerEnabled("Timer1"));
    EXPECT_TRUE(testing::ShownMessages().empty());

    cpu::CpuWindowLoadStep(window, sampler, "support@example.org");
    EXPECT_FALSE(window.TimerEnabled("Timer1"));
    ASSERT_EQ(testing::ShownMessages().size(), 1u);
    EXPECT_EQ(testing::ShownMessages()[0],
              "The CPU load cannot be computed: no time passed between two readings.\r"
              "Please report this error to support@example.org");
    EXPECT_EQ(window.Text("Label5"), LoadText("43", "5"));
    EXPECT_EQ(sampler.state().previousTime.low, 2 * kSecond) << "the baseline did not move";
}

TEST(SystemLoadSource, TheRealCountersAreSane) {
    cpu::SystemLoadSource source;
    const auto first = source.Read();
    ASSERT_TRUE(first) << "NtQuerySystemInformation took every buffer";
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    EXPECT_EQ(first->processors, info.dwNumberOfProcessors);
    // The same clock as the system time, in 100-ns units since 1601.
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const double nowUnits = static_cast<double>(now.dwHighDateTime) * 4294967296.0 + now.dwLowDateTime;
    EXPECT_NEAR(cpu::ToDouble(first->currentTime), nowUnits, 60.0 * kSecond);
    EXPECT_GT(cpu::ToDouble(first->idleTime), 0.0);
    ::Sleep(20);
    const auto second = source.Read();
    ASSERT_TRUE(second);
    EXPECT_GT(cpu::ToDouble(second->currentTime), cpu::ToDouble(first->currentTime));
    EXPECT_GE(cpu::ToDouble(second->idleTime), cpu::ToDouble(first->idleTime));
}

// The main window's "CPU Meters": checked from inside the modal loop, then closed.
bool g_metersShown = false, g_mainDisabled = false, g_timerOn = false;
TForm1* g_main = nullptr;
void CALLBACK CheckMetersAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    TfrmMeters& meters = g_main->frmMeters();
    g_metersShown = meters.Visible();
    g_mainDisabled = !::IsWindowEnabled(g_main->hwnd());
    g_timerOn = meters.TimerEnabled("Timer1");
    ::PostMessageA(meters.hwnd(), WM_CLOSE, 0, 0);
}

TEST(MainWindowMeters, CpuMetersStartsTheTimerAndShowsTheMetersModally) {
    TForm1 form({});
    form.Create();
    TfrmMeters& meters = form.frmMeters();
    ASSERT_NE(meters.hwnd(), nullptr) << "made at start with the main window";
    EXPECT_FALSE(meters.Visible());
    EXPECT_EQ(::GetWindow(meters.hwnd(), GW_OWNER), form.hwnd());
    EXPECT_TRUE(form.Enabled("SystemResourceMeters1"));
    g_main = &form;
    ASSERT_NE(::SetTimer(nullptr, 0, 10, CheckMetersAndClose), 0u);
    ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::MainFormLayout(), "SystemResourceMeters1"), 0);
    EXPECT_TRUE(g_metersShown);
    EXPECT_TRUE(g_mainDisabled);
    EXPECT_TRUE(g_timerOn);
    EXPECT_FALSE(meters.Visible());
    EXPECT_TRUE(::IsWindowEnabled(form.hwnd()));
    EXPECT_TRUE(meters.TimerEnabled("Timer1")) << "once enabled, never disabled";
}

}  // namespace
}  // namespace brimlow
