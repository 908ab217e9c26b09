#include "cpu/TfrmMeters.h"

#include "cpu/cpu_load_win.h"
#include "forms/meters_form.h"
#include "platform/windows_version_win.h"
#include "ui/application.h"

namespace brimlow {
namespace {

constexpr int kWidth = forms::kChartWidth;    // 421
constexpr int kHeight = forms::kChartHeight;  // 100
constexpr int kStep = 10;                     // pixels per sample, and the grid's pitch
constexpr int kNewest = kWidth - 1 - kStep;   // 410: where the newest segment starts
static_assert(kHeight == cpu::kChartHeight);

}  // namespace

TfrmMeters::TfrmMeters()
    : ui::Form(forms::MetersFormLayout()),
      ownSource_(std::make_unique<cpu::SystemLoadSource>()),
      sampler_(*ownSource_) {}

TfrmMeters::TfrmMeters(cpu::LoadSampleSource& source) : ui::Form(forms::MetersFormLayout()), sampler_(source) {}

void TfrmMeters::FormCreate() {
    SetBarColour("ProgressBar1", ui::kAqua);
    previousPoint_ = kHeight;
    DrawEmptyChart();
    // The menu item is there and does nothing.
    OnClick("Refresh1", [] {});
    OnTimer("Timer1", [this] { Timer1Timer(); });
}

void TfrmMeters::DrawEmptyChart() {
    ui::Bitmap& chart = ImageOf("Image1");
    chart.Fill({0, 0, kWidth, kHeight}, ui::kBlack);
    for (int x = kStep; x <= kNewest; x += kStep) chart.Line(x, 0, x, kHeight, ui::kGreen);
    for (int y = kStep; y < kHeight; y += kStep) chart.Line(0, y, kWidth - 1, y, ui::kGreen);
    Invalidate("Image1");
}

std::optional<int> TfrmMeters::CpuLoadSample() { return cpu::ShowCpuLoadSample(*this, sampler_); }

void TfrmMeters::GetUsage() {
    ui::Bitmap& chart = ImageOf("Image1");
    chart.Copy({kStep, 0, kWidth - 1, kHeight}, 0, 0);
    chart.Fill({kNewest + 1, 0, kWidth, kHeight}, ui::kBlack);
    chart.Line(kNewest, 0, kNewest, kHeight, ui::kGreen);
    chart.Line(kWidth - 1, 0, kWidth - 1, kHeight, ui::kGreen);
    for (int y = kStep; y < kHeight; y += kStep) chart.Line(kNewest, y, kWidth - 1, y, ui::kGreen);
    // Shown already scrolled even when the sample below raises.
    Invalidate("Image1");

    const int point = cpu::NextChartPoint(CpuLoadSample(), previousPoint_);
    chart.Line(kNewest, previousPoint_, kWidth - 1, point, ui::kAqua);
    previousPoint_ = point;
    Invalidate("Image1");
}

void TfrmMeters::Timer1Timer() {
    try {
        GetUsage();
    } catch (...) {
        // A sample that cannot be computed leaves this tick's segment empty; the next tick goes on.
    }
}

void ShowCpuMeter(TfrmMeters& meters, const std::function<bool()>& isWow64) {
    if (isWow64()) {
        ui::Application::Instance().ShowMessage("This feature does not work on 64bit Windows.");
        return;
    }
    meters.SetTimerEnabled("Timer1", true);
    meters.Show();
}

void ShowCpuMeter(TfrmMeters& meters) { ShowCpuMeter(meters, IsWow64); }

}  // namespace brimlow
