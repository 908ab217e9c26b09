// The internet window's fixed texts and the rules that turn raw facts into them: the 18 browser
// settings it shows, when a setting counts as on, the file-version text of a browser's program
// file and the favourites file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow {

// The settings under the browser's "Main" key, in the order the window lists them; each text is
// also the name of the value read for it.
std::span<const char* const> IeFlagNames();

// A setting is on when its text is "yes" in any mix of cases; anything else ("no", "1", empty)
// is off.
bool IeFlagIsOn(std::string_view value);

// "Connected" or "Not Connected", from the system's offline answer.
const char* InternetStatusText(bool offline);

// "Installed" or "NOT Installed".
const char* FlashText(bool installed);

// The four 16-bit parts of a fixed file version in decimal, most significant first:
// 0x000C0000, 0x067A0003 gives "12.0.1658.3".
std::string FileVersionText(std::uint32_t versionMs, std::uint32_t versionLs);

// One address per line, each ended by CR LF, as the saved favourites file holds them.
std::string FavouritesFileText(const std::vector<std::string>& addresses);

// The browser rows' names and placeholders.
inline constexpr const char* kInternetExplorer = "Internet Explorer";
inline constexpr const char* kMozillaFirefox = "Mozilla Firefox";
inline constexpr const char* kGoogleChrome = "Google Chrome";
inline constexpr const char* kOpera = "Opera";
inline constexpr const char* kSafari = "Safari";
inline constexpr const char* kExplorerAbsent = "Not Installed";
inline constexpr const char* kFirefoxAbsent = "NOT Installed";

// Shown when the settings' key does not open.
inline constexpr const char* kFlagsKeyMissing = "Path not found";

}  // namespace brimlow
