// Plain text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace brimlow::win {

// Replaces the clipboard's contents with `text` as CF_TEXT (ANSI). `owner` becomes the clipboard
// owner. Throws PlatformError when the clipboard cannot be opened or filled.
void SetClipboardText(HWND owner, const std::string& text);

// The CF_TEXT on the clipboard; the empty text when there is none.
std::string ReadClipboardText(HWND owner);

}  // namespace brimlow::win
