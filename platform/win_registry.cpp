#include "platform/win_registry.h"

#include <vector>

namespace brimlow::win {

RegKey OpenKeyForRead(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return RegKey();
    return RegKey(key);
}

std::optional<std::string> ReadStringValue(HKEY key, const char* name) {
    // The value may change size between the two calls; retry a few times rather than trust it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG rc = ::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        std::vector<char> data(size + 1, '\0');
        DWORD got = size;
        rc = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        std::string text(data.data(), got);
        if (const auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
        return text;
    }
    return std::nullopt;
}

}  // namespace brimlow::win
