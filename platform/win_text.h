// Text conversions at the boundary to wide-character APIs, and the platform's error texts.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace brimlow::win {

// Wide text to the ANSI code page, as every fact of the program is held.
std::string WideToAnsi(std::wstring_view text);

// The system's message for an error code, without the trailing line break.
std::string ErrorMessage(DWORD code);

// An error raised with the platform's own message, as the default error handler shows it.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(DWORD code);
    DWORD code() const { return code_; }

private:
    DWORD code_;
};

[[noreturn]] void RaiseLastError();

}  // namespace brimlow::win
