#include "tests/win/win_test_support.h"

#include <algorithm>
#include <stdexcept>

namespace brimlow::testing {
namespace {
constexpr const char* kScratchPath = "Software\\BrimlowTests\\Machine";
}

ScratchMachineKey::ScratchMachineKey() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kScratchPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch key");
    scratch_.reset(key);
    if (::RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch_.get()) != ERROR_SUCCESS)
        throw std::runtime_error("cannot redirect HKEY_LOCAL_MACHINE");
}

ScratchMachineKey::~ScratchMachineKey() {
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    scratch_.reset();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
}

std::unique_ptr<ui::Bitmap> PaintedClient(HWND control) {
    RECT rc{};
    ::GetClientRect(control, &rc);
    auto picture = std::make_unique<ui::Bitmap>(std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1));
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture->dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return picture;
}

void ScratchMachineKey::CreateKey(const char* path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(scratch_.get(), path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create ") + path);
    ::RegCloseKey(key);
}

void ScratchMachineKey::Set(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(scratch_.get(), path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create ") + path);
    const win::RegKey owned(key);
    if (::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot set ") + name);
}

void ScratchMachineKey::SetString(const char* path, const char* name, const std::string& value) {
    Set(path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void ScratchMachineKey::SetDword(const char* path, const char* name, DWORD value) {
    Set(path, name, REG_DWORD, &value, sizeof value);
}

HardwareKeyFixture::HardwareKeyFixture(const char* path) : path_(path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    // Keys below a volatile key must be volatile themselves.
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                          &disposition) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot open HKLM\\") + path + " for writing");
    key_.reset(key);
    created_ = disposition == REG_CREATED_NEW_KEY;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0, size = 0;
        if (::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        Value value{std::string(name, nameLength), type, std::vector<BYTE>(size)};
        DWORD got = size;
        ::RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr, value.data.data(), &got);
        value.data.resize(got);
        saved_.push_back(std::move(value));
    }
    RemoveAll();
}

HardwareKeyFixture::~HardwareKeyFixture() {
    RemoveAll();
    for (const Value& value : saved_)
        ::RegSetValueExA(key_.get(), value.name.c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
    key_.reset();
    if (created_) ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, path_.c_str());
}

void HardwareKeyFixture::RemoveAll() {
    for (;;) {
        char name[16384];
        DWORD nameLength = sizeof name;
        if (::RegEnumValueA(key_.get(), 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (::RegDeleteValueA(key_.get(), name) != ERROR_SUCCESS) break;
    }
}

void HardwareKeyFixture::Set(const char* name, DWORD type, const void* data, DWORD size) {
    if (::RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot set ") + name);
}

void HardwareKeyFixture::SetString(const char* name, const std::string& value) {
    Set(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

}  // namespace brimlow::testing
