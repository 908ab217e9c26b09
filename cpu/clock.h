// Measuring the processor clock: time-stamp counter ticks over a half-second sleep at the highest
// priority. The sequence and the arithmetic live here; the system calls sit behind ClockPlatform.
#pragma once

#include <cstdint>
#include <optional>

namespace brimlow {

inline constexpr std::uint32_t kRealtimePriorityClass = 0x100;  // REALTIME_PRIORITY_CLASS
inline constexpr int kThreadPriorityTimeCritical = 15;          // THREAD_PRIORITY_TIME_CRITICAL
inline constexpr std::uint32_t kClockSleepMs = 500;

class ClockPlatform {
public:
    virtual ~ClockPlatform() = default;
    // nullopt when the system does not say.
    virtual std::optional<std::uint32_t> ProcessPriorityClass() = 0;
    virtual std::optional<int> ThreadPriority() = 0;
    virtual void SetProcessPriorityClass(std::uint32_t priorityClass) = 0;
    virtual void SetThreadPriority(int priority) = 0;
    virtual std::uint64_t TimeStampCounter() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

// MHz from two counter readings kClockSleepMs apart. Only the low 32 bits count, and their
// difference wraps: a counter that passes 2^32 during the sleep still gives the right answer.
double ClockFromCounters(std::uint64_t before, std::uint64_t after);

// Raises the process to the real-time class and the thread to time-critical, reads the counter
// across the sleep, and puts back the priorities it found, also when a step throws: a program left
// at real-time priority can starve the rest of the machine.
double MeasureClock(ClockPlatform& platform);

}  // namespace brimlow
