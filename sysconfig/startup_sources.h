// Where Windows keeps what it starts by itself, in the order the startup window reads the places,
// with the label each place gives its rows.
#pragma once

#include <array>
#include <string>

namespace brimlow {

enum class StartupRoot { LocalMachine, CurrentUser };

struct StartupRegistrySource {
    StartupRoot root;
    const char* key;
    const char* label;
};

// The six Run keys, machine first. The labels differ on purpose: "Run OnceEx" for the machine,
// "Run Once Ex" for the user, as users of the window know them.
inline constexpr std::array<StartupRegistrySource, 6> kStartupRegistrySources{{
    {StartupRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Registry (HKLM) - Run"},
    {StartupRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Registry (HKLM) - Run Once"},
    {StartupRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx", "Registry (HKLM) - Run OnceEx"},
    {StartupRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Registry (HKCU) - Run"},
    {StartupRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Registry (HKCU) - Run Once"},
    {StartupRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx", "Registry (HKCU) - Run Once Ex"},
}};

inline constexpr const char* kAllUsersStartupLabel = "All Users - Startup folder";
inline constexpr const char* kCurrentUserStartupLabel = "Current User - Startup folder";

// The Startup folders at their fixed places, each ending in a backslash. The drive and the
// profile root are not looked up: profiles kept elsewhere simply give no folder rows.
inline constexpr const char* kAllUsersStartupFolder = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup\\";
std::string CurrentUserStartupFolder(const std::string& userName);

}  // namespace brimlow
