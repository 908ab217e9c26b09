#include "cpu/cpu_load_win.h"

#include "ui/application.h"

namespace brimlow::cpu {
namespace {

Time64 Split(const LARGE_INTEGER& value) { return {static_cast<std::uint32_t>(value.LowPart), value.HighPart}; }

}  // namespace

std::optional<RawLoadSample> SystemLoadSource::Read() {
    if (!bindTried_) {
        bindTried_ = true;
        ntdll_ = win::RuntimeLibrary("ntdll.dll", win::RuntimeLibrary::Source::AlreadyLoaded);
        ntdll_.Bind(win::EntryPoint{"NtQuerySystemInformation", &query_});
    }
    if (!query_) return std::nullopt;
    SystemBasicInformation basic{};
    SystemTimeOfDayInformation timeOfDay{};
    SystemPerformanceInformation performance{};
    // Any status but success (0) skips the whole sample.
    if (query_(kSystemBasicInformation, &basic, sizeof basic, nullptr) != 0) return std::nullopt;
    if (query_(kSystemTimeOfDayInformation, &timeOfDay, sizeof timeOfDay, nullptr) != 0) return std::nullopt;
    if (query_(kSystemPerformanceInformation, &performance, sizeof performance, nullptr) != 0) return std::nullopt;
    RawLoadSample sample;
    sample.processors = static_cast<std::uint8_t>(basic.numberOfProcessors);
    sample.currentTime = Split(timeOfDay.currentTime);
    sample.idleTime = Split(performance.idleTime);
    return sample;
}

std::string UserDecimalSeparator() {
    char separator[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 1) return ".";
    return separator;
}

std::optional<int> ShowCpuLoadSample(ui::Form& window, CpuLoadSampler& sampler) {
    const std::optional<LoadReading> reading = sampler.Sample();
    if (!reading) return std::nullopt;
    window.SetText("Label5", FormatLoad(reading->value, UserDecimalSeparator()));
    window.SetPosition("ProgressBar1", reading->barPosition);
    return reading->barPosition;
}

void CpuWindowLoadStep(ui::Form& window, CpuLoadSampler& sampler, std::string_view supportAddress) {
    try {
        ShowCpuLoadSample(window, sampler);
    } catch (const std::exception& e) {
        window.SetTimerEnabled("Timer1", false);
        ui::Application::Instance().ShowMessage(std::string(e.what()) + "\rPlease report this error to " +
                                                std::string(supportAddress));
    }
}

CpuLoadSampler& CpuWindowLoadSampler() {
    static SystemLoadSource source;
    static CpuLoadSampler sampler(source);
    return sampler;
}

}  // namespace brimlow::cpu
