#include "cpu/clock_win.h"

#include <windows.h>

#include <x86intrin.h>

namespace brimlow {

static_assert(REALTIME_PRIORITY_CLASS == kRealtimePriorityClass);
static_assert(THREAD_PRIORITY_TIME_CRITICAL == kThreadPriorityTimeCritical);

std::optional<std::uint32_t> WinClockPlatform::ProcessPriorityClass() {
    const DWORD priorityClass = ::GetPriorityClass(::GetCurrentProcess());
    if (priorityClass == 0) return std::nullopt;
    return priorityClass;
}

std::optional<int> WinClockPlatform::ThreadPriority() {
    const int priority = ::GetThreadPriority(::GetCurrentThread());
    if (priority == THREAD_PRIORITY_ERROR_RETURN) return std::nullopt;
    return priority;
}

void WinClockPlatform::SetProcessPriorityClass(std::uint32_t priorityClass) {
    ::SetPriorityClass(::GetCurrentProcess(), priorityClass);
}

void WinClockPlatform::SetThreadPriority(int priority) { ::SetThreadPriority(::GetCurrentThread(), priority); }

std::uint64_t WinClockPlatform::TimeStampCounter() { return brimlow::TimeStampCounter(); }

void WinClockPlatform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::uint64_t TimeStampCounter() { return __rdtsc(); }

double ClockMeasure() {
    WinClockPlatform platform;
    return MeasureClock(platform);
}

}  // namespace brimlow
