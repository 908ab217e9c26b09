#include "app/summary_text.h"

#include "ui/form_layout.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace brimlow {

const std::array<const char*, kSummaryRowCount> kSummaryLabels = {
    "Windows",           "Internet Explorer", "Memory (RAM)",    "CPU Info",        "CPU Speed",
    "Sound Card",        "Display Adapters",  "Monitors",        "Screen Resolution", "Network",
    "Network Adapters",  "CD / DVD Drives",   "Ports",           "Mouse",           "Hard Disks",
    "Hard Disks - Free", "USB Controllers",   "Firewire (1394)", "Manufacturer",    "Product Make",
    "AC Power Status",   "BIOS Info",         "Time Zone",       "Battery",         "Motherboard",
    "IP Address",        "MAC Address",       "Host Name",
};

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

void AppendListItem(std::string& list, std::string_view item) {
    list += item;
    list += " | ";
}

std::string TrimControls(std::string_view text) {
    auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
    auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankOrControl).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string CleanListText(std::string_view text) {
    std::string cleaned = TrimControls(text);
    if (!cleaned.empty() && cleaned.back() == '|') {
        cleaned.pop_back();
        cleaned = TrimControls(cleaned);
    }
    return cleaned;
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && IsBlankOrControl(line[i])) ++i;
        if (i >= line.size()) break;
        std::string token;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlankOrControl(line[i]))) {
            if (line[i] == '"')
                quoted = !quoted;
            else
                token += line[i];
            ++i;
        }
        tokens.push_back(std::move(token));
    }
    if (!tokens.empty()) tokens.erase(tokens.begin());
    return tokens;
}

namespace {
std::string Upper(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}
}  // namespace

StartupPlan PlanStartup(std::span<const std::string> params) {
    switch (params.size()) {
    case 0:
        return {StartupAction::Refresh, {}};
    case 1:
        return {StartupAction::Nothing, {}};
    case 2:
        if (Upper(params[0]) == "/AUTO" && !params[1].empty()) return {StartupAction::AutoReport, params[1]};
        return {StartupAction::Refresh, {}};
    default:
        return {StartupAction::Nothing, {}};
    }
}

bool PortsSuppressed(std::span<const std::string> params) {
    return !params.empty() && Upper(params[0]) == "/NOCOM";
}

int MainWindowHeight(int screenHeight, int dpi) {
    const int tallest = ui::ScaleForDpi(936, dpi);
    return screenHeight > tallest ? tallest : screenHeight - ui::ScaleForDpi(50, dpi);
}

std::string FormatMacAddress(std::span<const std::uint8_t, 6> b) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
    return text;
}

std::string FirstAdapterMac(std::span<const std::uint8_t> lanas, const AdapterStatusQuery& status) {
    std::string mac;
    for (std::size_t i = 0; i < lanas.size(); ++i) {
        const auto address = status(lanas[i]);
        mac = address ? FormatMacAddress(*address) : std::string();
        if (mac != "00-00-00-00-00-00") break;
    }
    return mac;
}

std::string MotherboardFromTable(int result, int instanceCount, const TStringTable& table) {
    // Two boards would make the row a guess.
    if (instanceCount != 1 || result <= 1) return {};
    return WmiTableValue(table, "Manufacturer") + " " + WmiTableValue(table, "Product");
}

}  // namespace brimlow
