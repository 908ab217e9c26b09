// Text rules of the summary sheet that need no Windows: list cleaning, the start-up decisions
// taken from the command line, and the window geometry rules.
#pragma once

#include "platform/wmi_value.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow {

inline constexpr int kSummaryRowCount = 28;

// Labels of the summary rows, Desc1..Desc28.
extern const std::array<const char*, kSummaryRowCount> kSummaryLabels;

// Collectors build lists as "item | item | " - this appends one item the same way.
void AppendListItem(std::string& list, std::string_view item);

// Trims blanks and control characters and drops one trailing "|".
std::string CleanListText(std::string_view text);

// Blanks and control characters (every code up to 32) removed from both ends.
std::string TrimControls(std::string_view text);

// Splits a command line the way the program's parameters are counted: blanks separate, double
// quotes group and are dropped, and "" stands for an empty parameter. The program name (the first
// token) is not part of the result.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

enum class StartupAction { Refresh, Nothing, AutoReport };

struct StartupPlan {
    StartupAction action = StartupAction::Nothing;
    std::string reportFile;  // AutoReport only
};

StartupPlan PlanStartup(std::span<const std::string> params);

// The "Ports" row is left empty when the first parameter is /nocom (any letter case).
bool PortsSuppressed(std::span<const std::string> params);

// Height of the main window when it is first shown, for a screen of the given height; the limits
// are pixels at 96 DPI and grow with the DPI.
int MainWindowHeight(int screenHeight, int dpi = 96);

// "00-0C-29-3A-1B-2F"
std::string FormatMacAddress(std::span<const std::uint8_t, 6> bytes);

// The MAC row asks one LAN adapter after the other until one reports a non-zero address.
// `status` answers the adapter status for an adapter number, or nullopt when the command failed.
using AdapterStatusQuery = std::function<std::optional<std::array<std::uint8_t, 6>>(std::uint8_t lana)>;
std::string FirstAdapterMac(std::span<const std::uint8_t> lanas, const AdapterStatusQuery& status);

// The "Motherboard" row from the base-board query: maker and product joined by one blank, but only
// when the query found exactly one board and more than one property (`result`, `instanceCount`
// as WmiQueryTable reports them).
std::string MotherboardFromTable(int result, int instanceCount, const TStringTable& table);

}  // namespace brimlow
