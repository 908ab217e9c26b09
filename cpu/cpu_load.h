// CPU load from two readings of the system's counters: the idle time against the wall-clock time
// that passed between them. Each display keeps a sampler of its own; two samplers never share a
// previous reading. Pure arithmetic: the counters come from a LoadSampleSource.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brimlow::cpu {

// A 64-bit count of 100-ns units in the two halves the system stores it in.
struct Time64 {
    std::uint32_t low = 0;
    std::int32_t high = 0;
    bool IsZero() const { return low == 0 && high == 0; }
};

// high x 4294967296 + low, with the high half signed and the low half unsigned.
double ToDouble(Time64 t);

// One reading of the system's counters.
struct RawLoadSample {
    std::uint8_t processors = 0;  // the number of processors the system reports
    Time64 currentTime;           // the system's wall clock
    Time64 idleTime;              // idle time summed over all processors
};

// Where readings come from: the system in the program, scripted readings in tests.
class LoadSampleSource {
public:
    virtual ~LoadSampleSource() = default;
    // nullopt when the system refused one of the queries (or cannot be asked at all).
    virtual std::optional<RawLoadSample> Read() = 0;
};

// What a sampler remembers between two readings; all zero at program start.
struct LoadSamplerState {
    Time64 previousIdle;
    Time64 previousTime;
};

// The load as both displays show it. `value` carries the half that makes the bar round half up,
// so a load of 23.0 reads "23.5 %" on the label and 23 on the bar.
struct LoadReading {
    double value = 0;
    int barPosition = 0;  // value truncated toward zero
};

// Raised when the load cannot be computed: no time passed between the two readings, or the system
// reports no processors. The sampler's state is left as it was.
class LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One step: computes the load against the previous reading (if there is one) and makes `sample`
// the previous reading. Returns nullopt when the previous idle time is zero, i.e. there was no
// baseline yet. Throws LoadError, with `state` unchanged, when the arithmetic has no answer.
std::optional<LoadReading> AdvanceLoad(LoadSamplerState& state, const RawLoadSample& sample);

// The label text: the value with one decimal (halves away from zero), the given decimal separator,
// a blank and a percent sign, e.g. "23.5 %". The value is not scaled.
std::string FormatLoad(double value, std::string_view decimalSeparator);

// A source and the state that goes with it: one per display, living for the whole run.
class CpuLoadSampler {
public:
    explicit CpuLoadSampler(LoadSampleSource& source) : source_(source) {}

    // nullopt when the reading failed (nothing changes) or only stored the baseline. Throws
    // LoadError as AdvanceLoad does.
    std::optional<LoadReading> Sample();

    const LoadSamplerState& state() const { return state_; }

private:
    LoadSampleSource& source_;
    LoadSamplerState state_;
};

// The history chart: one pixel per percent on a chart 100 pixels high, so a load is drawn at
// y = 100 - load. A value above 100 is drawn as 0, a negative one no further than one chart
// height below the bottom edge; a tick that computed no value repeats the previous point.
inline constexpr int kChartHeight = 100;
int NextChartPoint(std::optional<int> value, int previousPoint);

}  // namespace brimlow::cpu
