// A clock for tests of the windows that measure it: 1 300 000 000 counter ticks over the
// half-second sleep (2600.0 MHz), without sleeping.
#pragma once

#include "cpu/clock.h"

namespace brimlow::testing {

class InstantClock final : public ClockPlatform {
public:
    std::optional<std::uint32_t> ProcessPriorityClass() override { return 0x20; }
    std::optional<int> ThreadPriority() override { return 0; }
    void SetProcessPriorityClass(std::uint32_t) override {}
    void SetThreadPriority(int) override {}
    std::uint64_t TimeStampCounter() override { return (reads_++ % 2) * 1300000000ull; }
    void Sleep(std::uint32_t milliseconds) override { slept += milliseconds; }

    std::uint32_t slept = 0;  // what the measurement asked for

private:
    int reads_ = 0;
};

}  // namespace brimlow::testing
