#include "cpu/cpuid_recorded.h"

#include <charconv>

namespace brimlow {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::optional<std::uint32_t> HexWord(std::string_view word) {
    if (word.empty() || word.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

}  // namespace

void RecordedCpuidSource::Record(std::uint32_t leaf, const CpuidRegisters& answer) {
    leaves_[leaf].registers.push_back(answer);
}

CpuidRegisters RecordedCpuidSource::CpuidLeaf(std::uint32_t leaf) {
    Answers& answers = leaves_[leaf];
    if (answers.registers.empty()) {
        ++answers.executed;
        return {};
    }
    const std::size_t index = answers.executed < answers.registers.size() ? answers.executed : answers.registers.size() - 1;
    ++answers.executed;
    return answers.registers[index];
}

std::size_t RecordedCpuidSource::Executions(std::uint32_t leaf) const {
    const auto it = leaves_.find(leaf);
    return it == leaves_.end() ? 0 : it->second.executed;
}

std::optional<RecordedCpuidSource> ParseCpuidDump(std::string_view text, std::string* error) {
    RecordedCpuidSource source;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;

        const std::vector<std::string_view> words = Words(line);
        if (words.empty() || words.front().front() == '#') continue;
        const auto fail = [&](const char* reason) {
            if (error) *error = "line " + std::to_string(lineNumber) + ": " + reason;
            return std::nullopt;
        };
        if (words.size() != 5) return fail("expected a leaf and four registers");
        std::uint32_t values[5];
        for (std::size_t i = 0; i < 5; ++i) {
            const std::optional<std::uint32_t> value = HexWord(words[i]);
            if (!value) return fail("not a hexadecimal 32-bit value");
            values[i] = *value;
        }
        source.Record(values[0], {values[1], values[2], values[3], values[4]});
    }
    return source;
}

}  // namespace brimlow
