// SMART decoding against attribute tables recorded from real disks (BRIMLOW_FIXTURE_DIR/smart),
// synthetic pages for the rules the recordings do not reach, IDENTIFY strings, and the whole
// conversation with scripted drives on both platform families.
#include "storage/HDD_Serial.h"
#include "storage/smartapi.h"
#include "tests/fakes/scripted_smart_drive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#ifndef BRIMLOW_FIXTURE_DIR
#define BRIMLOW_FIXTURE_DIR ""
#endif

namespace brimlow::storage {
namespace {

using testing::AttributeRow;
using testing::Page;
using testing::PutAttributes;

constexpr int kPreFail = 0x01;
constexpr int kAdvisory = 0x32;

TSmartResult Decode(const std::vector<AttributeRow>& rows) {
    Page attributes, thresholds;
    PutAttributes(rows, attributes, thresholds);
    TSmartResult result;
    SmartAttributeState(attributes, thresholds, result);
    return result;
}

// ---- Recorded drives ----------------------------------------------------------------------------

struct RecordedRow {
    AttributeRow row;
    std::string verdict;  // "-", "FAILING_NOW", "In_the_past"
    std::string line;
};

std::vector<RecordedRow> ReadRecording(const std::filesystem::path& file) {
    std::vector<RecordedRow> rows;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        RecordedRow r{};
        std::string flags, type, rawText;
        fields >> r.row.id >> flags >> r.row.current >> r.row.worst >> r.row.threshold >> type >> rawText;
        r.row.flags = std::stoi(flags, nullptr, 16);
        // The raw value as printed starts with its decimal number ("31 (Min/Max 30/31)", "513h+37m").
        r.row.raw = std::stoull(rawText) & 0xFFFFFFFFFFFFull;
        r.verdict = line.substr(line.find_last_of(' ') + 1);
        r.line = line;
        rows.push_back(r);
    }
    return rows;
}

TEST(SmartRecordedDrives, StatesAgreeWithTheRecordedVerdictWhereTheRulesCoincide) {
    const std::filesystem::path dir = std::filesystem::path(BRIMLOW_FIXTURE_DIR) / "smart";
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no recorded drives at " << dir;
    int files = 0, compared = 0, differing = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".txt") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        const std::vector<RecordedRow> recorded = ReadRecording(entry.path());
        ASSERT_FALSE(recorded.empty());
        ASSERT_LE(recorded.size(), 30u);
        std::vector<AttributeRow> rows;
        for (const RecordedRow& r : recorded) rows.push_back(r.row);
        const TSmartResult result = Decode(rows);
        ASSERT_EQ(result.attributeCount, int(recorded.size()));

        int temperature = 0, failing = 0;
        for (std::size_t k = 0; k < recorded.size(); ++k) {
            const AttributeRow& row = recorded[k].row;
            const SmartAttribute& a = result.attributes[k];
            SCOPED_TRACE(recorded[k].line);
            EXPECT_EQ(a.id, row.id);
            EXPECT_EQ(a.raw, row.raw);
            if (row.id == 194) temperature = int(row.raw & 0xFF);
            const bool failingState = a.state == kStateFailingNow || a.state == kStateFailedInPast;
            failing += failingState;
            const bool judged = (row.flags & kPreFail) && row.threshold != 0;
            if (judged && row.current != row.threshold && row.worst != row.threshold) {
                ++compared;
                const std::string expected = recorded[k].verdict == "FAILING_NOW"   ? kStateFailingNow
                                             : recorded[k].verdict == "In_the_past" ? kStateFailedInPast
                                                                                    : "";
                if (expected.empty())
                    EXPECT_TRUE(a.state == kStateOk || a.state == kStateWarning) << a.state;
                else
                    EXPECT_EQ(a.state, expected);
            } else if (!judged) {
                // The recording tool judges advisory attributes and those without a threshold too;
                // this program shows them unjudged and never counts them.
                EXPECT_EQ(a.state, kStateNotJudged);
                if (recorded[k].verdict != "-") {
                    ++differing;
                    std::cout << "  differs: " << entry.path().filename().string() << ": " << recorded[k].line
                              << " -> " << a.state << " (advisory attribute)\n";
                }
            } else {
                // A value or worst value equal to the threshold fails for the recording tool; here only
                // values below the threshold fail.
                if (row.current == row.threshold) {
                    EXPECT_NE(a.state, kStateFailingNow);
                }
                if (row.worst == row.threshold && row.current >= row.threshold) {
                    EXPECT_NE(a.state, kStateFailedInPast);
                }
                if (recorded[k].verdict != "-") {
                    ++differing;
                    std::cout << "  differs: " << entry.path().filename().string() << ": " << recorded[k].line
                              << " -> " << a.state << " (equal to the threshold)\n";
                }
            }
        }
        EXPECT_EQ(result.temperature, temperature);
        EXPECT_EQ(result.failingCount, failing);
    }
    EXPECT_EQ(files, 12);
    EXPECT_GT(compared, 0);
    std::cout << "  " << compared << " recorded attributes compared, " << differing << " verdicts differ by rule\n";
}

// ---- Synthetic pages ----------------------------------------------------------------------------

TEST(SmartAttributeState, StatesByTheRules) {
    struct Case {
        const char* what;
        std::vector<AttributeRow> rows;
        const char* state;  // of the last row
        int failing;
    };
    const Case cases[] = {
        {"below the threshold now", {{1, kPreFail, 90, 90, 97, 0}}, kStateFailingNow, 1},
        {"below the threshold once", {{1, kPreFail, 100, 95, 97, 0}}, kStateFailedInPast, 1},
        {"below the midpoint", {{1, kPreFail, 74, 74, 50, 0}}, kStateWarning, 0},
        {"at the midpoint", {{1, kPreFail, 75, 75, 50, 0}}, kStateOk, 0},
        {"equal to the threshold", {{1, kPreFail, 97, 97, 97, 0}}, kStateWarning, 0},
        {"spin-up 231 lifts the nominal value",
         {{3, kPreFail, 252, 252, 0, 0}, {7, kPreFail, 151, 151, 51, 0}}, kStateWarning, 0},
        {"nominal 253 midpoint reached", {{3, kPreFail, 252, 252, 0, 0}, {7, kPreFail, 152, 152, 51, 0}}, kStateOk, 0},
        {"start/stop 231 lifts it too", {{4, 0x32, 231, 231, 0, 0}, {7, kPreFail, 151, 151, 51, 0}}, kStateWarning, 0},
        {"spin-up 230 does not", {{3, kPreFail, 230, 230, 0, 0}, {7, kPreFail, 151, 151, 51, 0}}, kStateOk, 0},
        {"reallocated raw 501", {{5, kPreFail, 100, 100, 36, 501}}, kStateWarning, 0},
        {"reallocated raw 500", {{5, kPreFail, 100, 100, 36, 500}}, kStateOk, 0},
        {"other id raw 501", {{1, kPreFail, 100, 100, 36, 501}}, kStateOk, 0},
        {"advisory below its threshold", {{190, kAdvisory, 42, 34, 45, 0}}, kStateNotJudged, 0},
        {"no threshold", {{1, kPreFail, 1, 1, 0, 0}}, kStateNotJudged, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TSmartResult r = Decode(c.rows);
        ASSERT_EQ(r.attributeCount, int(c.rows.size()));
        EXPECT_EQ(r.attributes[r.attributeCount - 1].state, c.state);
        EXPECT_EQ(r.failingCount, c.failing);
    }
}

TEST(SmartAttributeState, SlotFieldsTemperatureAndTheEndOfTheWalk) {
    Page attributes, thresholds;
    PutAttributes({{1, 0x000F, 117, 92, 6, 0x123456789ABCull},
                   {9, 0x0032, 98, 98, 0, 2098},
                   {194, 0x0022, 31, 53, 0, 0x0F0000001Full},
                   {12, 0x0032, 98, 98, 20, 2318},
                   {0, 0, 0, 0, 0, 0},
                   {5, kPreFail, 1, 1, 36, 0}},
                  attributes, thresholds);
    TSmartResult r;
    r.failingCount = 0;
    SmartAttributeState(attributes, thresholds, r);
    EXPECT_EQ(r.attributeCount, 4);  // entry 4 has id 0: the failing entry after it is never seen
    EXPECT_EQ(r.failingCount, 0);
    EXPECT_EQ(r.temperature, 0x1F);
    const SmartAttribute& a = r.attributes[0];
    EXPECT_EQ(a.name, "Raw Read Error Rate");
    EXPECT_TRUE(a.preFailure);
    EXPECT_TRUE(a.errorRate);
    EXPECT_FALSE(a.eventCount);
    EXPECT_EQ(a.current, 117);
    EXPECT_EQ(a.worst, 92);
    EXPECT_EQ(a.threshold, 6);
    EXPECT_EQ(a.raw, 0x123456789ABCull);
    EXPECT_EQ(r.attributes[2].name, "Temperature Celcius");
    EXPECT_TRUE(Decode({{199, 0x003E, 200, 1, 0, 0}}).attributes[0].eventCount);
    EXPECT_EQ(r.attributes[4].id, 0);
    EXPECT_EQ(Decode({{1, kPreFail, 100, 100, 6, 0}}).temperature, 0);  // no attribute 194
    // A full table: thirty slots, none beyond.
    std::vector<AttributeRow> full(30, AttributeRow{1, kPreFail, 1, 1, 2, 0});
    const TSmartResult all = Decode(full);
    EXPECT_EQ(all.attributeCount, 30);
    EXPECT_EQ(all.failingCount, 30);
}

TEST(SmartTexts, NamesAndDriverStatus) {
    EXPECT_EQ(SmartAttributeName(0), "No Attribute Here");
    EXPECT_EQ(SmartAttributeName(12), "Power Cycle Count");
    EXPECT_EQ(SmartAttributeName(13), "Unknown");
    EXPECT_EQ(SmartAttributeName(191), "Unknown");
    EXPECT_EQ(SmartAttributeName(192), "Emergency Retract Cycle");
    EXPECT_EQ(SmartAttributeName(206), "Unknown Attribute");
    EXPECT_EQ(SmartAttributeName(209), "Offline Seek Perf");
    EXPECT_EQ(SmartAttributeName(210), "Unknown");
    EXPECT_EQ(DriverStatusText(0), "No error");
    EXPECT_EQ(DriverStatusText(7), "Could not lock user\"s buffer");
    EXPECT_EQ(DriverStatusText(10), "Cmd issued to device not present although drive number is valid");
    EXPECT_EQ(DriverStatusText(11), "");
}

TEST(SwapAtaString, SwapsPairsAndTrims) {
    const auto swap = [](std::string field) {
        return SwapAtaString(std::span(reinterpret_cast<const std::uint8_t*>(field.data()), field.size()));
    };
    EXPECT_EQ(swap("  5WJ0K3NB        "), "W50J3KBN");  // blanks lead and trail once swapped
    EXPECT_EQ(swap(std::string("TS2305\0\0", 8)), "ST3250");  // zeros of an unfilled field
    EXPECT_EQ(swap("    "), "");
    EXPECT_EQ(swap("AB C"), "BAC");  // inner blanks stay
    const Page id = testing::IdentifyPage("ST3250820ACE", "  5QE1ABCD", "3.ACD", 488397168);
    const IdentifyFacts facts = DecodeIdentify(id);
    EXPECT_EQ(facts.model, "ST3250820ACE");
    EXPECT_EQ(facts.serial, "5QE1ABCD");
    EXPECT_EQ(facts.firmware, "3.ACD");
    EXPECT_EQ(facts.sizeBytes, 488397168ull * 512);  // past 32 bits
}

}  // namespace
}  // namespace brimlow::storage
