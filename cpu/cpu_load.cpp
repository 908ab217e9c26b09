#include "cpu/cpu_load.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace brimlow::cpu {
namespace {

int TruncateToInt(double value) {
    // Counters that jump (a wrapped or reset clock) can give values far outside the bar's range;
    // converting those to int would be undefined, so they stop at the ends of int.
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

double ToDouble(Time64 t) { return static_cast<double>(t.high) * 4294967296.0 + static_cast<double>(t.low); }

std::optional<LoadReading> AdvanceLoad(LoadSamplerState& state, const RawLoadSample& sample) {
    std::optional<LoadReading> reading;
    if (!state.previousIdle.IsZero()) {
        const double idle = ToDouble(sample.idleTime) - ToDouble(state.previousIdle);
        const double elapsed = ToDouble(sample.currentTime) - ToDouble(state.previousTime);
        if (elapsed == 0) throw LoadError("The CPU load cannot be computed: no time passed between two readings.");
        if (sample.processors == 0) throw LoadError("The CPU load cannot be computed: the system reports no processors.");
        const double idleShare = idle / elapsed;
        const double value = 100 - idleShare * 100 / sample.processors + 0.5;
        reading = LoadReading{value, TruncateToInt(value)};
    }
    state.previousIdle = sample.idleTime;
    state.previousTime = sample.currentTime;
    return reading;
}

std::string FormatLoad(double value, std::string_view decimalSeparator) {
    std::string digits;
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        // Whole tenths, so the rounding is half away from zero on the value as written, not the
        // binary neighbour printf would round.
        const long long tenths = std::llround(value * 10);
        const unsigned long long magnitude = static_cast<unsigned long long>(std::llabs(tenths));
        if (tenths < 0) digits += '-';
        digits += std::to_string(magnitude / 10);
        digits += decimalSeparator;
        digits += std::to_string(magnitude % 10);
    } else {
        char text[400];
        std::snprintf(text, sizeof text, "%.1f", value);
        digits = text;
        if (const auto dot = digits.find('.'); dot != std::string::npos) digits.replace(dot, 1, decimalSeparator);
    }
    return digits + " %";
}

std::optional<LoadReading> CpuLoadSampler::Sample() {
    const std::optional<RawLoadSample> sample = source_.Read();
    if (!sample) return std::nullopt;
    return AdvanceLoad(state_, *sample);
}

int NextChartPoint(std::optional<int> value, int previousPoint) {
    if (!value) return previousPoint;
    // A negative load (counters that ran backward) lies below the chart and is not seen; it is held
    // one chart height down so the arithmetic and the drawing stay in range.
    const int load = *value > 100 ? 0 : std::max(*value, -kChartHeight);
    return kChartHeight - load;
}

}  // namespace brimlow::cpu
