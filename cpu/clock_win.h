// The clock measurement on the running system.
#pragma once

#include "cpu/clock.h"

#include <cstdint>

namespace brimlow {

// The current process and thread, RDTSC and Sleep. Failed priority changes are ignored: the
// measurement then runs at whatever priority the system allowed (without the right to it,
// Windows gives the high class instead of real time).
class WinClockPlatform final : public ClockPlatform {
public:
    std::optional<std::uint32_t> ProcessPriorityClass() override;
    std::optional<int> ThreadPriority() override;
    void SetProcessPriorityClass(std::uint32_t priorityClass) override;
    void SetThreadPriority(int priority) override;
    std::uint64_t TimeStampCounter() override;
    void Sleep(std::uint32_t milliseconds) override;
};

// The processor's time-stamp counter.
std::uint64_t TimeStampCounter();

// The clock in MHz, measured over 500 ms; blocks the calling thread for that long.
double ClockMeasure();

}  // namespace brimlow
