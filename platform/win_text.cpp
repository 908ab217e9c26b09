#include "platform/win_text.h"

#include "app/summary_text.h"

namespace brimlow::win {

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string result(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), needed, nullptr, nullptr);
    return result;
}

std::string ErrorMessage(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length && buffer) text = TrimControls(std::string_view(buffer, length));
    if (buffer) ::LocalFree(buffer);
    if (text.empty()) text = "System Error.  Code: " + std::to_string(code) + ".";
    return text;
}

PlatformError::PlatformError(DWORD code) : std::runtime_error(ErrorMessage(code)), code_(code) {}

void RaiseLastError() { throw PlatformError(::GetLastError()); }

}  // namespace brimlow::win
