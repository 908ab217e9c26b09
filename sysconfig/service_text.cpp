#include "sysconfig/service_text.h"

#include <array>
#include <utility>

namespace brimlow {
namespace {

using CodeText = std::pair<std::uint32_t, const char*>;

constexpr std::array<CodeText, 6> kStates{{
    {1, "Stopped"},
    {2, "Start Pending"},
    {3, "Stop Pending"},
    {4, "Running"},
    {5, "Continue Pending"},
    {7, "Paused"},
}};

// "Kernal" is the window's own spelling; drivers are never asked for, so it is not seen in practice.
constexpr std::array<CodeText, 4> kTypes{{
    {0x01, "Kernal"},
    {0x02, "System"},
    {0x10, "Win32 Own Process"},
    {0x20, "Win32 Share process"},
}};

template <std::size_t N>
std::string Lookup(const std::array<CodeText, N>& table, std::uint32_t code) {
    for (const auto& [value, text] : table)
        if (value == code) return text;
    return {};
}

}  // namespace

std::string ServiceStateText(std::uint32_t state) { return Lookup(kStates, state); }
std::string ServiceTypeText(std::uint32_t type) { return Lookup(kTypes, type); }

}  // namespace brimlow
