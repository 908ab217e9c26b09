// What the internet window gathers from the system: the favourites folder and its shortcuts, the
// typed addresses and settings of the browser's registry keys, the online state, registered
// program ids and the browsers with their versions. Each gatherer is quiet: a failure gives its
// empty answer, and the window decides what to show for it.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace brimlow {

// The user's Favorites folder as the shell names it; nullopt when the shell has none.
std::optional<std::string> FavouritesFolder();

// The "URL" entry of every "*.url" shortcut in `folder`, in directory order (an empty line for a
// shortcut without one), then those of each subfolder whose name does not begin with ".", each
// scanned the same way. A folder that cannot be listed adds nothing.
std::vector<std::string> ScanFavourites(const std::string& folder);

// The texts of every value of the typed-addresses key under `user`, in registry order; nullopt
// when the key does not open. A value that is no text gives an empty line.
std::optional<std::vector<std::string>> ReadTypedUrls(HKEY user);

struct IeFlags {
    bool keyOpened = false;
    std::array<bool, 18> on{};  // in IeFlagNames() order; all off when the key did not open
};
IeFlags ReadIeFlags(HKEY user);

// InetIsOffline's answer, bound at run time from URL.DLL; nullopt when the library or the entry
// point is missing.
std::optional<bool> InternetOffline();

// Whether the system knows the program id (CLSIDFromProgID succeeds).
bool ProgIdRegistered(const wchar_t* progId);

// The fixed file version of a program file's version resource ("12.0.1658.3"); empty when the
// file has no version resource or cannot be read.
std::string FileVersionOf(const std::string& path);

struct BrowserRow {
    std::string name;
    std::string version;
    bool operator==(const BrowserRow&) const = default;
};

// Where the browsers whose versions come from their program files are looked for.
struct BrowserFiles {
    std::string opera = "c:\\Program Files\\Opera\\opera.exe";
    std::string safari = "c:\\Program Files\\Safari\\safari.exe";
};

// Internet Explorer, Firefox and Chrome always have their row (with a placeholder or an empty
// version); Opera and Safari only when their program file exists.
std::vector<BrowserRow> ReadBrowserRows(HKEY machine, HKEY user, const BrowserFiles& files = {});

}  // namespace brimlow
