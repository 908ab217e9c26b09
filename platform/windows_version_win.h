// The running Windows release, asked afresh at every call.
#pragma once

#include "platform/windows_version.h"

#include <optional>
#include <string>

namespace brimlow {

// The version record as GetVersionExA fills it: the 156-byte extended form when the system takes
// it, else the 148-byte basic form. nullopt when both calls fail.
std::optional<VersionRecord> ReadVersionRecord();

// ProductType under HKLM\SYSTEM\CurrentControlSet\Control\ProductOptions; nullopt when the key
// does not open or the value is missing or not text. The key is opened for reading, never created.
std::optional<std::string> ReadNtProductType();

// Fills the three texts and returns true; on failure returns false and leaves them as they were.
bool GetWindowsVersionInfo(std::string& edition, std::string& version, std::string& servicePack);

// "<edition>, Version <version>, <service pack>, "; never throws.
std::string WindowsVersionText();

// True when this 32-bit process runs on 64-bit Windows. Throws win::PlatformError when
// kernel32.dll cannot be loaded or IsWow64Process reports failure.
bool IsWow64();

// True on 64-bit Windows, whichever build of the program runs there.
bool IsWindows64Bit();

std::string ShortWindowsName();

}  // namespace brimlow
