// The load sampler on Windows: the system's counters through NtQuerySystemInformation, and the
// two places that show the load. Both displays name their controls alike: the label "Label5" and
// the gauge "ProgressBar1".
#pragma once

#include "cpu/cpu_load.h"
#include "platform/win_binding.h"
#include "ui/form.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace brimlow::cpu {

// The three information classes asked, each with the buffer it fills. Only the fields named are
// read; the rest of each buffer is the system's and is skipped.
inline constexpr ULONG kSystemBasicInformation = 0;
inline constexpr ULONG kSystemPerformanceInformation = 2;
inline constexpr ULONG kSystemTimeOfDayInformation = 3;

struct SystemBasicInformation {
    ULONG reserved;
    ULONG timerResolution;
    ULONG pageSize;
    ULONG physicalPages;
    ULONG lowestPhysicalPage;
    ULONG highestPhysicalPage;
    ULONG allocationGranularity;
    ULONG_PTR lowestUserAddress;
    ULONG_PTR highestUserAddress;
    ULONG_PTR activeProcessors;
    CCHAR numberOfProcessors;
};

struct SystemTimeOfDayInformation {
    LARGE_INTEGER bootTime;
    LARGE_INTEGER currentTime;
    LARGE_INTEGER timeZoneBias;
    ULONG timeZoneId;
    ULONG reserved;
};

struct SystemPerformanceInformation {
    LARGE_INTEGER idleTime;
    BYTE otherCounters[304];  // transfer counts, page and cache figures: not read
};

// The system checks the buffer lengths exactly, and a 64-bit process has wider addresses in the
// basic record: 44 bytes there for a 32-bit process, 64 for a 64-bit one.
#ifdef _WIN64
static_assert(sizeof(SystemBasicInformation) == 64);
static_assert(offsetof(SystemBasicInformation, numberOfProcessors) == 56);
#else
static_assert(sizeof(SystemBasicInformation) == 44);
static_assert(offsetof(SystemBasicInformation, numberOfProcessors) == 40);
#endif
static_assert(sizeof(SystemTimeOfDayInformation) == 32);
static_assert(offsetof(SystemTimeOfDayInformation, currentTime) == 8);
static_assert(sizeof(SystemPerformanceInformation) == 312);
static_assert(offsetof(SystemPerformanceInformation, idleTime) == 0);

// NtQuerySystemInformation, bound from ntdll.dll on the first reading. Where the system has no
// such entry point (the Windows 9x family) every reading is refused and the displays stay as they
// are.
class SystemLoadSource final : public LoadSampleSource {
public:
    std::optional<RawLoadSample> Read() override;

private:
    using QueryFn = LONG(WINAPI*)(ULONG infoClass, PVOID buffer, ULONG length, PULONG returnedLength);
    bool bindTried_ = false;
    win::RuntimeLibrary ntdll_;
    QueryFn query_ = nullptr;
};

// The user's decimal separator; "." when the system names none.
std::string UserDecimalSeparator();

// One sample for a display: writes the reading into the window's "Label5" caption and
// "ProgressBar1" position and returns the bar position. Returns nullopt, leaving both as they were,
// when nothing was computed. Throws LoadError as CpuLoadSampler::Sample does.
std::optional<int> ShowCpuLoadSample(ui::Form& window, CpuLoadSampler& sampler);

// The processor window's load step: a failing sample stops the window's "Timer1" and shows the
// error's text, a carriage return and "Please report this error to " with the support address.
void CpuWindowLoadStep(ui::Form& window, CpuLoadSampler& sampler, std::string_view supportAddress);

// The processor window's sampler. The window is built afresh at every opening, but its sampler
// lives for the whole run, so a reopened window shows the load since it was last open.
CpuLoadSampler& CpuWindowLoadSampler();

}  // namespace brimlow::cpu
