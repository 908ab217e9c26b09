// The applications registered for uninstallation in the machine-wide Uninstall key.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brimlow {

inline constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// One entry as the installed-applications list shows it, value by value.
struct UninstallEntry {
    std::string displayName;
    std::string displayVersion;
    std::string helpLink;
    std::string helpTelephone;
    std::string installLocation;
    std::string installSource;
    std::string publisher;
    std::string readme;
    std::string uninstallString;
    std::string keyName;  // the entry's subkey below the Uninstall key
};

// Every entry with a display name, in the order the registry returns the subkeys. A value stored
// with another type than text is taken in its text form; a missing one reads as empty. An
// Uninstall key that cannot be opened gives no entries.
std::vector<UninstallEntry> ReadUninstallEntries();

// Whether the Uninstall key can be opened at all (deleting below it needs it).
bool UninstallKeyOpens();

// Deletes the entry's subkey with everything beneath it: ERROR_SUCCESS or the system's error code.
LONG DeleteUninstallEntry(const std::string& keyName);

}  // namespace brimlow
