#include "tests/win/win_test_support.h"

#include <algorithm>
#include <stdexcept>

namespace brimlow::testing {
namespace {
constexpr const char* kScratchParent = "Software\\BrimlowTests";
}

ScratchRootKey::ScratchRootKey(HKEY redirected, const char* scratchName) : redirected_(redirected), name_(scratchName) {
    HKEY parent = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kScratchParent, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch parent key");
    parent_.reset(parent);
    ::RegDeleteTreeA(parent_.get(), name_.c_str());
    HKEY key = nullptr;
    if (::RegCreateKeyExA(parent_.get(), name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch key");
    scratch_.reset(key);
    if (::RegOverridePredefKey(redirected_, scratch_.get()) != ERROR_SUCCESS)
        throw std::runtime_error("cannot redirect a predefined key");
}

ScratchRootKey::~ScratchRootKey() {
    ::RegOverridePredefKey(redirected_, nullptr);
    scratch_.reset();
    ::RegDeleteTreeA(parent_.get(), name_.c_str());
}

std::unique_ptr<ui::Bitmap> PaintedClient(HWND control) {
    RECT rc{};
    ::GetClientRect(control, &rc);
    auto picture = std::make_unique<ui::Bitmap>(std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1));
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture->dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return picture;
}

void ScratchRootKey::CreateKey(const char* path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(scratch_.get(), path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create ") + path);
    ::RegCloseKey(key);
}

void ScratchRootKey::Set(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(scratch_.get(), path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create ") + path);
    const win::RegKey owned(key);
    if (::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot set ") + name);
}

void ScratchRootKey::SetString(const char* path, const char* name, const std::string& value) {
    Set(path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void ScratchRootKey::SetDword(const char* path, const char* name, DWORD value) {
    Set(path, name, REG_DWORD, &value, sizeof value);
}

}  // namespace brimlow::testing
