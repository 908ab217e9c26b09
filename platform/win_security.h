// Whether the caller belongs to the built-in Administrators group, from the groups of its token.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace brimlow::win {

// The TOKEN_GROUPS record of the caller's token as GetTokenInformation fills it (1024 bytes at
// most); nullopt when no token opens or the groups cannot be read.
using TokenGroupsSource = std::function<std::optional<std::vector<std::uint8_t>>()>;

// The thread's token, or the process's when the thread has none.
std::optional<std::vector<std::uint8_t>> ReadCallerTokenGroups();

// True at the first group whose SID equals S-1-5-32-544; false when the source has no answer.
bool IsAdministrator(const TokenGroupsSource& groups = ReadCallerTokenGroups);

}  // namespace brimlow::win
