// The clock measurement's arithmetic and its sequence of system calls, on a scripted platform.
#include "cpu/clock.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace brimlow {
namespace {

TEST(ClockFromCounters, TicksPerMicrosecondOverHalfASecond) {
    struct Row {
        const char* what;
        std::uint64_t before, after;
        double mhz;
    };
    const Row rows[] = {
        {"1.5 GHz", 1000, 1000 + 750000000ull, 1500.0},
        {"2992.7 MHz", 0, 1496350000ull, 2992.7},
        {"no ticks", 42, 42, 0.0},
        {"low half wraps during the sleep", 0xFFFFFF00ull, 0x100000100ull, 512 / 500000.0},
        {"high halves do not count", 0x500000000ull, 0x900000010ull, 16 / 500000.0},
        {"more than 2^32 ticks lose the excess", 0, 0x100000000ull + 500000, 1.0},
        {"a counter that went back wraps too", 1000, 0, 4294966296.0 / 500000.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_DOUBLE_EQ(ClockFromCounters(r.before, r.after), r.mhz);
    }
}

// Writes down every call; the answers are scripted.
class ScriptedPlatform final : public ClockPlatform {
public:
    std::vector<std::string> calls;
    std::optional<std::uint32_t> processClass = 0x20;  // NORMAL_PRIORITY_CLASS
    std::optional<int> threadPriority = -1;             // THREAD_PRIORITY_BELOW_NORMAL
    std::vector<std::uint64_t> counters{100, 100 + 1000000};
    bool sleepThrows = false;

    std::optional<std::uint32_t> ProcessPriorityClass() override {
        calls.push_back("get class");
        return processClass;
    }
    std::optional<int> ThreadPriority() override {
        calls.push_back("get thread");
        return threadPriority;
    }
    void SetProcessPriorityClass(std::uint32_t c) override { calls.push_back("set class " + std::to_string(c)); }
    void SetThreadPriority(int p) override { calls.push_back("set thread " + std::to_string(p)); }
    std::uint64_t TimeStampCounter() override {
        calls.push_back("counter");
        const std::uint64_t value = counters.front();
        counters.erase(counters.begin());
        return value;
    }
    void Sleep(std::uint32_t ms) override {
        calls.push_back("sleep " + std::to_string(ms));
        if (sleepThrows) throw std::runtime_error("sleep failed");
    }
};

TEST(MeasureClock, RaisesMeasuresAndPutsThePrioritiesBack) {
    ScriptedPlatform platform;
    EXPECT_DOUBLE_EQ(MeasureClock(platform), 2.0);
    const std::vector<std::string> expected = {
        "get class", "get thread", "set class 256", "set thread 15", "counter",
        "sleep 500", "counter",    "set thread -1", "set class 32",
    };
    EXPECT_EQ(platform.calls, expected);
}

TEST(MeasureClock, PrioritiesTheSystemDidNotReportAreLeftAlone) {
    ScriptedPlatform platform;
    platform.processClass = std::nullopt;
    platform.threadPriority = std::nullopt;
    MeasureClock(platform);
    const std::vector<std::string> expected = {"get class", "get thread", "set class 256", "set thread 15",
                                               "counter",   "sleep 500",  "counter"};
    EXPECT_EQ(platform.calls, expected);
}

TEST(MeasureClock, PrioritiesAreRestoredWhenAStepFails) {
    ScriptedPlatform platform;
    platform.sleepThrows = true;
    EXPECT_THROW(MeasureClock(platform), std::runtime_error);
    ASSERT_GE(platform.calls.size(), 2u);
    EXPECT_EQ(platform.calls[platform.calls.size() - 2], "set thread -1");
    EXPECT_EQ(platform.calls.back(), "set class 32");
}

}  // namespace
}  // namespace brimlow
