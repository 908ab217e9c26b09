// The texts of the personal information, BIOS and date and time windows that are pure arithmetic
// on what the registry and the clock report.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace brimlow {

// "InstallDate" counts seconds since 1 January 1970; shown as "mm/dd/yyyy hh:nn:ss" with the
// locale's separators, without a time-zone conversion.
std::string InstallDateText(std::uint32_t seconds, char date_separator = '/', char time_separator = ':');

// Up time within its current day, "hh:mm:ss": the seconds are rounded half to even first.
std::string UpTimeText(double seconds);

// A multi-string value's bytes as one line: every zero becomes "|", so each string is followed by
// "|". The data's final extra terminator (size - 1 characters are kept) is dropped; size 1 or 0 is
// the empty text.
std::string JoinMultiString(std::span<const std::uint8_t> data);

// A transition date of a time zone as "mmmm dd hh:nn am/pm" in English. Month 0 means the zone
// has no daylight saving: the empty text.
std::string ZoneTransitionText(unsigned month, unsigned day, unsigned hour, unsigned minute);

// GetTimeZoneInformation's result code (low 16 bits); an unknown code gives the empty text, and
// the window leaves the field as it was.
std::string DaylightStatusText(std::uint32_t code);

// A bias in minutes: "-60 minutes".
std::string BiasText(long minutes);

}  // namespace brimlow
