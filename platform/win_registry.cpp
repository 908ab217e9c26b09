#include "platform/win_registry.h"

#include "platform/registry_text.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
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

std::int32_t ReadIntegerValue(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        throw std::runtime_error(std::string("Failed to get data for '") + name + "'");
    return static_cast<std::int32_t>(value);
}

std::vector<std::string> ValueNames(HKEY key) {
    DWORD count = 0, longestName = 0;
    if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<std::string> names;
    std::vector<char> name(longestName + 1, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG rc = ::RegEnumValueA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA && name.size() <= 16384) {
            // A longer name was added meanwhile; no value name is longer than 16383 characters.
            name.resize(16385);
            --index;
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

static_assert(kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ && kRegBinary == REG_BINARY && kRegDword == REG_DWORD &&
              kRegDwordBigEndian == REG_DWORD_BIG_ENDIAN && kRegMultiSz == REG_MULTI_SZ && kRegQword == REG_QWORD);

std::optional<std::string> ReadValueText(HKEY key, const char* name) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG rc = ::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        if (rc != ERROR_SUCCESS) return std::nullopt;
        std::vector<std::uint8_t> data(size);
        DWORD got = size;
        rc = ::RegQueryValueExA(key, name, nullptr, &type, data.empty() ? nullptr : data.data(), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) return std::nullopt;
        data.resize(std::min<std::size_t>(got, data.size()));
        return RegistryValueText(type, data);
    }
    return std::nullopt;
}

std::vector<std::string> SubKeyNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[256] = {};  // a key name has at most 255 characters
        DWORD length = sizeof name;
        const LONG rc = ::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::optional<std::string> ReadRawValue(HKEY key, const char* name, DWORD limit) {
    std::string data(limit, '\0');
    DWORD size = limit;
    if (::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}

LONG DeleteKeyTree(HKEY parent, const std::string& name) {
    // Older systems delete only keys without subkeys: the subkeys go first, deepest first.
    HKEY opened = nullptr;
    LONG rc = ::RegOpenKeyExA(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &opened);
    if (rc != ERROR_SUCCESS) return rc;
    const RegKey key(opened);
    for (const std::string& child : SubKeyNames(key.get()))
        if ((rc = DeleteKeyTree(key.get(), child)) != ERROR_SUCCESS) return rc;
    return ::RegDeleteKeyA(parent, name.c_str());
}

}  // namespace brimlow::win
