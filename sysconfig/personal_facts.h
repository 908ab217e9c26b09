// The facts the personal information window shows, read from the registry and the system. Every
// key is opened for reading only and never created: a user without administrator rights sees what
// the registry lets them read, and looking leaves no trace.
#pragma once

#include <optional>
#include <string>

namespace brimlow {

// HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion"'s text value `name`; empty when missing.
std::string CurrentVersionText(const char* name);

// "ProductID" of "SOFTWARE\Microsoft\Windows\CurrentVersion" (where Windows 9x keeps it), else of
// the NT key.
std::string ProductIdText();

// The .NET Framework's "InstallRoot"; empty without the framework.
std::string DotNetRootText();

// "InstallDate" in seconds since 1970; nullopt when missing or not a number.
std::optional<std::uint32_t> InstallDateSeconds();

// The default printer's name; empty without printers.
std::string DefaultPrinterText();

// The system default language's name.
std::string SystemLanguageText();

}  // namespace brimlow
