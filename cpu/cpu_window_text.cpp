#include "cpu/cpu_window_text.h"

#include <cstdio>

namespace brimlow::cpu {
namespace {

constexpr CpuInfoField kRecordFields[] = {
    {"ExtClock", &Tcpuinfo::ExtClock},
    {"MaxClockSpeed", &Tcpuinfo::MaxClockSpeed},
    {"CurrentVoltage", &Tcpuinfo::CurrentVoltage},
    {"DataWidth", &Tcpuinfo::DataWidth},
    {"Family", &Tcpuinfo::Family},
    {"L2CacheSize", &Tcpuinfo::L2CacheSize},
    {"L2CacheSpeed", &Tcpuinfo::L2CacheSpeed},
    {"SocketDesignation", &Tcpuinfo::SocketDesignation},
    {"ProcessorID", &Tcpuinfo::ProcessorID},
    {"ProcessorType", &Tcpuinfo::ProcessorType},
    {"Revision", &Tcpuinfo::Revision},
    {"Manufacturer", &Tcpuinfo::Manufacturer},
    {"Name", &Tcpuinfo::Name},
};

constexpr WmiFieldTarget kSecondPass[] = {
    {"DataWidth", "info12"},      {"Revision", "info13"},      {"L2CacheSize", "info14"},
    {"L2CacheSpeed", "info15"},   {"Status", "Info5"},         {"SocketDesignation", "info11"},
    {"MaxClockSpeed", "info10"},  {"CurrentVoltage", "info9"}, {"ExtClock", "Info8"},
    {"Manufacturer", "Info4"},    {"DeviceID", "Edit10"},      {"Description", "Edit1"},
    {"ProcessorID", "Info7"},
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::span<const CpuInfoField> CpuInfoFields() { return kRecordFields; }

Tcpuinfo CpuInfoRecord(const TStringTable& table, int instanceCount, int result) {
    Tcpuinfo record;
    if (instanceCount != 1 || result <= 1) return record;
    for (const CpuInfoField& f : kRecordFields) record.*f.field = WmiTableValue(table, f.property);
    return record;
}

std::string TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string CpuChipText(int processors, std::string_view modelName) {
    return std::to_string(processors) + " x " + TrimBlanks(modelName);
}

std::string SignatureText(const ProcessorSignature& s) {
    char text[96];
    std::snprintf(text, sizeof text, "Model ID: Family %d  Model %d  Stepping %d", s.family, s.model, s.stepping);
    return text;
}

std::string ProcessorIdText(const ProcessorSignature& s) {
    char text[48];
    std::snprintf(text, sizeof text, "%X%X%X%X", 0u, static_cast<unsigned>(s.family), static_cast<unsigned>(s.model),
                  static_cast<unsigned>(s.stepping));
    return text;
}

std::string FdivLine(bool flawed) { return std::string("FDIV Bug: ") + (flawed ? "Yes" : "No"); }

std::vector<FeatureItem> FeatureItems(const std::vector<std::string>& lines) {
    std::vector<FeatureItem> items;
    items.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            items.push_back({line, false});
            continue;
        }
        // From the second character after the colon: the blank that follows it is skipped.
        const std::string_view answer = colon + 2 <= line.size() ? std::string_view(line).substr(colon + 2) : "";
        items.push_back({line.substr(0, colon), answer == "Yes"});
    }
    return items;
}

std::span<const WmiFieldTarget> SecondPassFields() { return kSecondPass; }

}  // namespace brimlow::cpu
