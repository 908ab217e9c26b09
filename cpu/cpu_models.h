// Names of processor models and their cores, from the vendor and the CPUID signature. A fixed
// table that ends with the first 64-bit generation: newer processors land on a generic row.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace brimlow {

struct ModelLookupInputs {
    std::int32_t vendorIndex = 0;  // row of the vendor table, 0 when the vendor is unknown
    std::int32_t family = 0;
    std::int32_t model = 0;
    std::int32_t type = 0;
    std::int32_t brandIndex = 0;
    std::int32_t level2Kb = 0;
    std::int32_t coreClockMhz = 0;  // only two Cyrix rows look at it
};

struct ModelLookupResult {
    std::string modelName;
    std::string coreName;  // code name, mostly with the process size; text is ANSI (µ is 0xB5)
    std::int32_t transistors = 0;
};

ModelLookupResult ProcessorModelLookup(const ModelLookupInputs& in);

// The table behind the lookup, searched in order; the first row that fits decides.
enum class ModelTest : std::uint8_t {
    Always,
    L2Equal,
    L2Greater,
    L2Less,
    L2AtLeast,
    L2AtMost,
    BrandIndexEqual,
    ClockIsEither,  // the clock is one of two values
    ClockGreater,
    ClockAtLeast,
    ClockLess,
};

struct ModelCondition {
    ModelTest test = ModelTest::Always;
    std::int32_t value = 0;
    std::int32_t other = 0;  // second value of ClockIsEither
};

enum class ModelFields : std::uint8_t {
    All,           // model name, core name and count
    NameOnly,      // the model name; the other two stay as they were
    CoreAndCount,  // core name and count; the model name stays as it was
    Nothing,       // the combination is known and names nothing
};

struct ModelRow {
    std::int32_t vendorIndex;
    std::uint32_t families;  // one bit per family number
    std::uint32_t models;    // one bit per model number
    ModelCondition when;
    ModelFields sets;
    const char* modelName;
    const char* coreName;
    std::int32_t transistors;
    bool overDriveWhenType1 = false;  // append " OverDrive" to the model name for type 1
};

inline constexpr std::uint32_t kEveryNumber = 0xFFFFFFFFu;

std::span<const ModelRow> ProcessorModelTable();

}  // namespace brimlow
