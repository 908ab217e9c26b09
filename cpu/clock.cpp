#include "cpu/clock.h"

namespace brimlow {
namespace {

// Puts back what it was given when the measurement leaves, however it leaves.
class PriorityRestorer {
public:
    explicit PriorityRestorer(ClockPlatform& platform)
        : platform_(platform), processClass_(platform.ProcessPriorityClass()), thread_(platform.ThreadPriority()) {}
    PriorityRestorer(const PriorityRestorer&) = delete;
    PriorityRestorer& operator=(const PriorityRestorer&) = delete;
    ~PriorityRestorer() {
        try {
            if (thread_) platform_.SetThreadPriority(*thread_);
            if (processClass_) platform_.SetProcessPriorityClass(*processClass_);
        } catch (...) {
            // Nothing better can be done from here; the measurement's own outcome goes on.
        }
    }

private:
    ClockPlatform& platform_;
    std::optional<std::uint32_t> processClass_;
    std::optional<int> thread_;
};

}  // namespace

double ClockFromCounters(std::uint64_t before, std::uint64_t after) {
    const std::uint32_t ticks = static_cast<std::uint32_t>(after) - static_cast<std::uint32_t>(before);
    return ticks / (kClockSleepMs * 1000.0);
}

double MeasureClock(ClockPlatform& platform) {
    const PriorityRestorer restorer(platform);
    platform.SetProcessPriorityClass(kRealtimePriorityClass);
    platform.SetThreadPriority(kThreadPriorityTimeCritical);
    const std::uint64_t before = platform.TimeStampCounter();
    platform.Sleep(kClockSleepMs);
    const std::uint64_t after = platform.TimeStampCounter();
    return ClockFromCounters(before, after);
}

}  // namespace brimlow
