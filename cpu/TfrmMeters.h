// The CPU meters window TfrmMeters: the current load as a bar and a label, and a chart of the
// recent history that scrolls on with every tick of its timer, also while the window is hidden.
#pragma once

#include "cpu/cpu_load.h"
#include "ui/form.h"

#include <functional>
#include <memory>
#include <optional>

namespace brimlow {

class TfrmMeters : public ui::Form {
public:
    // Samples the system's counters.
    TfrmMeters();
    // Samples `source`, which must outlive the window (tests feed scripted readings).
    explicit TfrmMeters(cpu::LoadSampleSource& source);

    // The timer's handler: one GetUsage; whatever it raises is ignored.
    void Timer1Timer();
    // Scrolls the chart by one sample, takes the sample and draws it.
    void GetUsage();
    // One sample for this window's label and bar; the bar position when one was computed.
    std::optional<int> CpuLoadSample();

    // The chart's last point, y = 100 - load.
    int previousPoint() const { return previousPoint_; }

protected:
    void FormCreate() override;

private:
    void DrawEmptyChart();

    std::unique_ptr<cpu::LoadSampleSource> ownSource_;
    cpu::CpuLoadSampler sampler_;
    int previousPoint_ = 100;
};

// "Show CPU Meter" of the processor window. A 32-bit program under WOW64 (`isWow64`) shows only a
// message that the meter does not work there; otherwise the meters' timer starts and the window
// appears without waiting.
void ShowCpuMeter(TfrmMeters& meters, const std::function<bool()>& isWow64);
void ShowCpuMeter(TfrmMeters& meters);

}  // namespace brimlow
