// The processor window TfrmCPU: what CPUID says about the processor, what WMI's Win32_Processor
// adds, the feature check list, and the live usage, clock and counter displays driven by its timer.
// Made when opened and destroyed when closed; the load sampler it shows outlives it.
#pragma once

#include "cpu/TfrmMeters.h"
#include "cpu/cpu_load.h"
#include "cpu/cpuid.h"
#include "ui/digit_display.h"
#include "ui/form.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace brimlow {

// Where the window's facts come from: the running system, or stand-ins in tests.
struct CpuWindowSources {
    CpuidSource* cpuid = nullptr;            // outlives the window
    cpu::CpuLoadSampler* sampler = nullptr;  // outlives the window
    std::function<bool()> fdivFlaw;          // FdivFlawTest
    std::function<double()> clock;           // ClockMeasure: MHz, blocks for the measurement
    std::function<std::uint64_t()> counter;  // the time-stamp counter
    std::function<bool()> isWow64;           // asked by "Show CPU Meter"

    // The processor itself, the window's own long-lived sampler, the real measurements.
    static CpuWindowSources System();
};

class TfrmCPU : public ui::Form {
public:
    // `meters` is the main window's meters window, which "Show CPU Meter" opens; it outlives this
    // window.
    explicit TfrmCPU(TfrmMeters& meters);
    TfrmCPU(TfrmMeters& meters, CpuWindowSources sources);
    ~TfrmCPU() override;

    // Everything gathered afresh: CPUID, the model table, both WMI passes, the feature list.
    void Refresh1Click();
    // One tick: the load, the clock digits, the counter digits.
    void Timer1Timer();
    // Measures the clock once and shows it, letting any error through.
    void CPUSpeed1Click();
    // "Show CPU Meter".
    void BitBtn1Click();
    void Print1Click();

    // What the digit displays show, cell by cell.
    const std::string& clockDigits() const { return clockDisplay_->shown(); }
    const std::string& counterDigits() const { return counterDisplay_->shown(); }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose() override;

private:
    void ShowClock(double megahertz);

    TfrmMeters& meters_;
    CpuWindowSources sources_;
    std::unique_ptr<ui::DigitDisplay> clockDisplay_;
    std::unique_ptr<ui::DigitDisplay> counterDisplay_;
    bool ticking_ = false;
};

}  // namespace brimlow
