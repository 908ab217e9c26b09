#include "platform/win_clipboard.h"

#include "platform/win_text.h"

#include <cstring>

namespace brimlow::win {

namespace {

// Another program may hold the clipboard for a moment.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (::OpenClipboard(owner)) return;
            ::Sleep(10);
        }
        RaiseLastError();
    }
    ~OpenedClipboard() { ::CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

struct GlobalMemory {
    HGLOBAL memory;
    ~GlobalMemory() {
        if (memory) ::GlobalFree(memory);
    }
};

}  // namespace

void SetClipboardText(HWND owner, const std::string& text) {
    GlobalMemory block{::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)};
    if (!block.memory) RaiseLastError();
    void* bytes = ::GlobalLock(block.memory);
    if (!bytes) RaiseLastError();
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    ::GlobalUnlock(block.memory);

    const OpenedClipboard clipboard(owner);
    if (!::EmptyClipboard()) RaiseLastError();
    if (!::SetClipboardData(CF_TEXT, block.memory)) RaiseLastError();
    // The clipboard owns the memory now.
    block.memory = nullptr;
}

std::string ReadClipboardText(HWND owner) {
    const OpenedClipboard clipboard(owner);
    const HANDLE data = ::GetClipboardData(CF_TEXT);
    if (!data) return {};
    const auto* bytes = static_cast<const char*>(::GlobalLock(data));
    if (!bytes) return {};
    std::string text(bytes, strnlen(bytes, ::GlobalSize(data)));
    ::GlobalUnlock(data);
    return text;
}

}  // namespace brimlow::win
