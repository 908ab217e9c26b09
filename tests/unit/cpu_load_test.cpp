// The load sampler: the arithmetic on pairs of readings, what a failed or first reading does to
// the state, the errors and the label text.
#include "cpu/cpu_load.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <deque>
#include <limits>

namespace brimlow::cpu {
namespace {

constexpr std::uint32_t kSecond = 10'000'000;  // 100-ns units

RawLoadSample Sample(std::uint8_t processors, Time64 time, Time64 idle) { return {processors, time, idle}; }
Time64 T(std::uint32_t low, std::int32_t high = 0) { return {low, high}; }

TEST(CpuLoad, SplitCountersJoinWithASignedHighAndUnsignedLowHalf) {
    EXPECT_EQ(ToDouble(T(0)), 0.0);
    EXPECT_EQ(ToDouble(T(0x80000000u)), 2147483648.0);  // the low half is never negative
    EXPECT_EQ(ToDouble(T(0xFFFFFFFFu, 0)), 4294967295.0);
    EXPECT_EQ(ToDouble(T(0, 1)), 4294967296.0);
    EXPECT_EQ(ToDouble(T(5, 3)), 3 * 4294967296.0 + 5);
    EXPECT_EQ(ToDouble(T(0xFFFFFFFFu, -1)), -1.0);  // the high half is
}

struct PairCase {
    const char* name;
    RawLoadSample first, second;
    double value;
    const char* label;  // nullptr: not checked
    int bar;
};

class CpuLoadPairs : public ::testing::TestWithParam<PairCase> {};

TEST_P(CpuLoadPairs, SecondReadingGivesTheLoadSinceTheFirst) {
    const PairCase& c = GetParam();
    LoadSamplerState state;
    ASSERT_FALSE(AdvanceLoad(state, c.first)) << "the first reading only stores the baseline";
    const auto reading = AdvanceLoad(state, c.second);
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->value, c.value);
    if (c.label) {
        EXPECT_EQ(FormatLoad(reading->value, "."), c.label);
    }
    EXPECT_EQ(reading->barPosition, c.bar);
    EXPECT_EQ(state.previousIdle.low, c.second.idleTime.low);
    EXPECT_EQ(state.previousIdle.high, c.second.idleTime.high);
    EXPECT_EQ(state.previousTime.low, c.second.currentTime.low);
    EXPECT_EQ(state.previousTime.high, c.second.currentTime.high);
}

// Both counters carry into their high halves between the readings, and the earlier low halves
// have their top bit set: the low half must be read unsigned.
constexpr std::uint32_t kNearWrap = 0xFFC00000u;

INSTANTIATE_TEST_SUITE_P(
    Cases, CpuLoadPairs,
    ::testing::Values(
        // 1 s on two processors with 1.2 s idle: share 1.2, 100 - 60 + 0.5.
        PairCase{"TwoProcessorsOneSecond", Sample(2, T(kSecond), T(kSecond)),
                 Sample(2, T(2 * kSecond), T(kSecond + 12'000'000)), 40.5, "40.5 %", 40},
        PairCase{"FullyIdle", Sample(2, T(kSecond), T(kSecond)), Sample(2, T(2 * kSecond), T(3 * kSecond)), 0.5,
                 "0.5 %", 0},
        PairCase{"FullyBusy", Sample(2, T(kSecond), T(kSecond)), Sample(2, T(2 * kSecond), T(kSecond)), 100.5,
                 "100.5 %", 100},
        // A load of 23.0 is shown plus one half, and the bar rounds it half up.
        PairCase{"OneProcessorLoad23", Sample(1, T(kSecond), T(kSecond)), Sample(1, T(2 * kSecond), T(kSecond + 7'700'000)),
                 23.5, "23.5 %", 23},
        PairCase{"CountersCarryIntoTheHighHalf", Sample(1, T(kNearWrap, 7), T(kNearWrap, 3)),
                 Sample(1, T(kNearWrap + kSecond, 8), T(kNearWrap + kSecond / 2, 4)), 50.5, "50.5 %", 50},
        // Idle grew faster than the clock allows: a negative load, truncated toward zero.
        PairCase{"IdleAheadOfTheClock", Sample(1, T(kSecond), T(kSecond)), Sample(1, T(2 * kSecond), T(3 * kSecond)),
                 -99.5, "-99.5 %", -99},
        // A counter that jumped by 2^62 in 100 ns: far outside int, the bar stops at its end.
        PairCase{"ValueBeyondInt", Sample(1, T(kSecond), T(1, 0x40000000)), Sample(1, T(kSecond + 1), T(1)),
                 100 + 0x40000000 * 4294967296.0 * 100 + 0.5, nullptr, INT_MAX}),
    [](const ::testing::TestParamInfo<PairCase>& info) { return info.param.name; });

// Readings handed out in order; nullopt stands for a refused query.
class ScriptedSource : public LoadSampleSource {
public:
    std::deque<std::optional<RawLoadSample>> script;
    int reads = 0;
    std::optional<RawLoadSample> Read() override {
        ++reads;
        if (script.empty()) return std::nullopt;
        auto next = script.front();
        script.pop_front();
        return next;
    }
};

TEST(CpuLoadSampler, FailedReadingsSkipAndTheBaselineStays) {
    ScriptedSource source;
    CpuLoadSampler sampler(source);
    source.script = {std::nullopt, Sample(1, T(kSecond), T(kSecond)), std::nullopt, std::nullopt,
                     Sample(1, T(5 * kSecond), T(3 * kSecond))};
    EXPECT_FALSE(sampler.Sample());
    EXPECT_TRUE(sampler.state().previousIdle.IsZero()) << "a refused query changes nothing";
    EXPECT_FALSE(sampler.Sample()) << "baseline";
    EXPECT_EQ(sampler.state().previousTime.low, kSecond);
    EXPECT_FALSE(sampler.Sample());
    EXPECT_FALSE(sampler.Sample());
    EXPECT_EQ(sampler.state().previousTime.low, kSecond);
    // The average since the baseline, however long ago: 2 s idle in 4 s.
    const auto reading = sampler.Sample();
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->value, 50.5);
    EXPECT_EQ(source.reads, 5);
}

TEST(CpuLoadSampler, ZeroIdleAtTheBaselineMeansNoBaselineYet) {
    // Only the previous idle time tells whether there was a reading before.
    ScriptedSource source;
    CpuLoadSampler sampler(source);
    source.script = {Sample(1, T(kSecond), T(0)), Sample(1, T(2 * kSecond), T(kSecond)),
                     Sample(1, T(3 * kSecond), T(kSecond + kSecond / 2))};
    EXPECT_FALSE(sampler.Sample());
    EXPECT_FALSE(sampler.Sample());
    const auto reading = sampler.Sample();
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->value, 50.5);
}

struct ErrorCase {
    const char* name;
    RawLoadSample bad;
    const char* mentions;
};

class CpuLoadErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CpuLoadErrors, RaiseBeforeTheStateMovesAndTheNextReadingRecovers) {
    const ErrorCase& c = GetParam();
    ScriptedSource source;
    CpuLoadSampler sampler(source);
    source.script = {Sample(2, T(kSecond), T(kSecond)), c.bad, Sample(2, T(3 * kSecond), T(3 * kSecond))};
    ASSERT_FALSE(sampler.Sample());
    try {
        sampler.Sample();
        FAIL() << "no error raised";
    } catch (const LoadError& e) {
        EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos) << e.what();
    }
    EXPECT_EQ(sampler.state().previousTime.low, kSecond);
    EXPECT_EQ(sampler.state().previousIdle.low, kSecond);
    // Against the untouched baseline: 2 s idle over 2 s on two processors.
    const auto reading = sampler.Sample();
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->value, 50.5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CpuLoadErrors,
    ::testing::Values(ErrorCase{"ZeroInterval", Sample(2, T(kSecond), T(kSecond + 5)), "no time passed"},
                      ErrorCase{"ZeroIntervalAndNoIdle", Sample(2, T(kSecond), T(kSecond)), "no time passed"},
                      ErrorCase{"NoProcessors", Sample(0, T(2 * kSecond), T(2 * kSecond)), "no processors"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

TEST(CpuLoadSampler, NoProcessorsAtTheBaselineComputesNothingAndRaisesNothing) {
    LoadSamplerState state;
    EXPECT_NO_THROW(EXPECT_FALSE(AdvanceLoad(state, Sample(0, T(kSecond), T(kSecond)))));
    EXPECT_EQ(state.previousTime.low, kSecond);
}

TEST(CpuLoad, LabelTextRoundsDecimalHalvesAwayFromZero) {
    const struct {
        double value;
        const char* separator;
        const char* text;
    } cases[] = {
        {40.5, ".", "40.5 %"},
        {0.0, ".", "0.0 %"},
        {7.0, ",", "7,0 %"},   // the user's separator
        {23.45, ".", "23.5 %"},  // stored just below the half, written as a half
        {0.25, ".", "0.3 %"},
        {2.04, ".", "2.0 %"},
        {99.96, ".", "100.0 %"},
        {-5.46, ".", "-5.5 %"},
        {-0.04, ".", "0.0 %"},
        {12.5, " dec ", "12 dec 5 %"},
        {1e20, ".", "100000000000000000000.0 %"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatLoad(c.value, c.separator), c.text) << c.value;
}

TEST(CpuLoad, ChartPoints) {
    const struct {
        std::optional<int> value;
        int previous;
        int point;
    } cases[] = {
        {std::nullopt, 37, 37},  // nothing computed: the previous point again
        {40, 100, 60},           {0, 60, 100},   {100, 0, 0},  {101, 50, 100},  // above 100 reads as 0
        {INT_MAX, 0, 100},       {-5, 0, 105},   {INT_MIN, 0, 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextChartPoint(c.value, c.previous), c.point) << (c.value ? std::to_string(*c.value) : "none");
}

}  // namespace
}  // namespace brimlow::cpu
