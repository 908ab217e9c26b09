#include "sysconfig/personal_facts.h"

#include "platform/win_registry.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <vector>

namespace brimlow {
namespace {

constexpr const char* kNtCurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWinCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::string KeyText(const char* path, const char* name) {
    win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, path);
    if (!key) return {};
    return win::ReadStringValue(key.get(), name).value_or(std::string());
}

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

}  // namespace

std::string CurrentVersionText(const char* name) { return KeyText(kNtCurrentVersion, name); }

std::string ProductIdText() {
    std::string id = KeyText(kWinCurrentVersion, "ProductID");
    if (!IsBlank(id)) return id;
    return KeyText(kNtCurrentVersion, "ProductID");
}

std::string DotNetRootText() { return KeyText("SOFTWARE\\Microsoft\\.NETFramework", "InstallRoot"); }

std::optional<std::uint32_t> InstallDateSeconds() {
    win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kNtCurrentVersion);
    if (!key) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.get(), "InstallDate", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

std::string DefaultPrinterText() {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return {};
    std::vector<char> name(size + 1, '\0');
    if (!GetDefaultPrinterA(name.data(), &size)) return {};
    return name.data();
}

std::string SystemLanguageText() {
    char name[100] = {};
    const DWORD length = VerLanguageNameA(GetSystemDefaultLangID(), name, sizeof name);
    return std::string(name, std::min<DWORD>(length, sizeof name - 1));
}

}  // namespace brimlow
