// The texts of the summary's hardware rows, made from the figures the collectors gather: sizes,
// the power and battery words, the mouse, the port names, the BIOS line and the counts. No
// Windows here; hardware_collectors.h asks the system.
#pragma once

#include "devices/sound_text.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace brimlow {

// "%d MB" of the installed memory: the megabytes plus one, always (1073741824 bytes: 1025 MB).
std::string MemoryText(std::uint64_t totalPhysicalBytes);

// "%4.1f MHz".
std::string ClockText(double megahertz);

// A drive's byte count: "%3.1fGB" above 1 GB, else "%3.1fMB" (1 GB exactly is 1024.0MB).
std::string DiskSizeText(std::uint64_t bytes);
// "C:  465.7GB | ": the letter, a colon, two blanks, the size, the separator.
void AppendFixedDiskEntry(std::string& list, char letter, std::uint64_t bytes);
// The hardware card's short form: the size and two blanks, nothing else.
void AppendFixedDiskShortEntry(std::string& list, std::uint64_t bytes);

// ACLineStatus and BatteryFlag of the power status record; unknown codes, combinations of
// battery flags included, read "Unknown".
std::string AcLineText(std::uint8_t acLineStatus);
std::string BatteryFlagText(std::uint8_t batteryFlag);
inline constexpr const char* kPowerUnknown = "Unknown";

struct PowerCode {
    std::uint8_t code;
    const char* text;
};
std::span<const PowerCode> AcLineTable();
std::span<const PowerCode> BatteryFlagTable();

// "3 Button Wheel Mouse Present"; the empty text when no mouse is present.
std::string MouseDescription(int mousePresent, int wheelPresent, int buttons);

// How many LPT names the probe tries: 256 on the NT family (platform id 2), else 9.
int ParallelPortNameCount(int platformId);
// "LPT1" to "LPT9", then "\\.\LPT10" and on: DOS names stop at 9.
std::string ParallelPortName(int n);
// The part after the last backslash ("\DosDevices\LPT1" gives "LPT1").
std::string LastPathComponent(std::string_view path);

inline constexpr const char* kPortsNotPresent = "NOT Present";

// "identifier | date | version |  | ", the last field always empty; the row cleans it twice.
std::string BiosSummaryText(std::string_view identifier, std::string_view date, std::string_view version);

// "2 host controllers." or "Not Detected".
std::string HostControllerText(int count);

// "1024 X 768" and "32 bit".
std::string ScreenSizeText(int width, int height);
std::string ColorDepthText(int bitsPerPixel);


// The standard INQUIRY data from byte 8 on - vendor, product, revision - up to the first zero
// byte or the end of the reply.
std::string InquiryIdentificationText(std::span<const std::uint8_t> reply);
// The optical drive row keeps the vendor and product fields: 8 + 16 characters.
inline constexpr std::size_t kOpticalModelLength = 24;
// "D: <model, at most 24 characters> | ".
void AppendOpticalDriveEntry(std::string& list, char letter, std::string_view model);

}  // namespace brimlow
