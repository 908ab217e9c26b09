// The texts of the display window and the rules it reads the video driver's registry values by.
// Portable, so they can be checked without a screen.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow {

// A binary registry value holding UTF-16 text as 8-bit text: every non-zero byte in order, until
// two zero bytes in a row. Plain ASCII text converts exactly.
std::string WideRegistryText(std::span<const std::uint8_t> data);

// The name of a TECHNOLOGY device capability; the empty text for values without one.
std::string TechnologyName(int technology);

// "1920 x 1080 - 32 bit".
std::string MetricsText(int width, int height, int bitsPerPixel);

// The older test the window's registry layout follows: NT of major version 3, 4 or 5 only.
bool IsClassicNt(unsigned platformId, unsigned majorVersion);

// Where the device classes live for that test's answer.
const char* DisplayClassRoot(bool classicNt);

// The driver's key below HKEY_LOCAL_MACHINE named by a video device map entry: what follows the
// first "Machine\"; the empty text when there is none.
std::string VideoServiceKey(std::string_view deviceMapEntry);

// Entry `index` of a detail list; the empty text where the list has no such entry.
std::string EntryOrEmpty(const std::vector<std::string>& list, int index);

// The "Monitor(s)" text: each name that is not blank, followed by " | ".
std::string MonitorNamesText(const std::vector<std::string>& names);

// Upper-case ASCII, for the registry's case-blind comparisons.
std::string UpperAscii(std::string_view text);

}  // namespace brimlow
