#include "network/internet_facts.h"

#include "network/internet_text.h"
#include "platform/win_binding.h"
#include "platform/win_handles.h"
#include "platform/win_registry.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace brimlow {
namespace {

constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kFlagsKey = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kExplorerKey = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kFirefoxKey = "SOFTWARE\\Mozilla\\Mozilla Firefox";
constexpr const char* kChromeKey = "Software\\Google\\Update\\Clients\\{8A69D345-D564-463c-AFF1-A69D9E530F96}";

// The ANSI functions stop at MAX_PATH: a folder nested (or linked into itself) deeper than that
// no longer lists, which also ends the descent.
template <typename Visit>
void ForEachEntry(const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAA found{};
    win::FindHandle find(::FindFirstFileA(pattern.c_str(), &found));
    if (!find) return;
    do {
        visit(found);
    } while (::FindNextFileA(find.get(), &found));
}

void ScanInto(const std::string& folder, std::vector<std::string>& addresses) {
    ForEachEntry(folder + "\\*.url", [&](const WIN32_FIND_DATAA& entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        std::string address(2048, '\0');
        const DWORD length = ::GetPrivateProfileStringA("InternetShortcut", "URL", "", address.data(),
                                                        static_cast<DWORD>(address.size()),
                                                        (folder + "\\" + entry.cFileName).c_str());
        address.resize(length);
        addresses.push_back(std::move(address));
    });
    ForEachEntry(folder + "\\*", [&](const WIN32_FIND_DATAA& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || entry.cFileName[0] == '.') return;
        ScanInto(folder + "\\" + entry.cFileName, addresses);
    });
}

struct ShellFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};

std::string StringOr(HKEY root, const char* path, const char* name, const std::string& otherwise) {
    win::RegKey key = win::OpenKeyForRead(root, path);
    if (!key) return otherwise;
    return win::ReadStringValue(key.get(), name).value_or(otherwise);
}

}  // namespace

std::optional<std::string> FavouritesFolder() {
    ITEMIDLIST* raw = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_FAVORITES, &raw)) || !raw) return std::nullopt;
    // The item list comes from the shell's allocator, which is the task allocator.
    const std::unique_ptr<ITEMIDLIST, ShellFree> list(raw);
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(list.get(), path)) return std::nullopt;
    return std::string(path);
}

std::vector<std::string> ScanFavourites(const std::string& folder) {
    std::vector<std::string> addresses;
    ScanInto(folder, addresses);
    return addresses;
}

std::optional<std::vector<std::string>> ReadTypedUrls(HKEY user) {
    win::RegKey key = win::OpenKeyForRead(user, kTypedUrlsKey);
    if (!key) return std::nullopt;
    std::vector<std::string> urls;
    for (const std::string& name : win::ValueNames(key.get()))
        urls.push_back(win::ReadStringValue(key.get(), name.c_str()).value_or(std::string()));
    return urls;
}

IeFlags ReadIeFlags(HKEY user) {
    IeFlags flags;
    win::RegKey key = win::OpenKeyForRead(user, kFlagsKey);
    if (!key) return flags;
    flags.keyOpened = true;
    const auto names = IeFlagNames();
    for (std::size_t i = 0; i < names.size() && i < flags.on.size(); ++i)
        flags.on[i] = IeFlagIsOn(win::ReadStringValue(key.get(), names[i]).value_or(std::string()));
    return flags;
}

std::optional<bool> InternetOffline() {
    using InetIsOfflineFn = BOOL(WINAPI*)(DWORD);
    const win::RuntimeLibrary url("URL.DLL", win::RuntimeLibrary::Source::LoadNow);
    InetIsOfflineFn inetIsOffline = nullptr;
    if (!url.Bind(win::EntryPoint{"InetIsOffline", &inetIsOffline})) return std::nullopt;
    return inetIsOffline(0) != FALSE;
}

bool ProgIdRegistered(const wchar_t* progId) {
    CLSID clsid{};
    return SUCCEEDED(::CLSIDFromProgID(progId, &clsid));
}

std::string FileVersionOf(const std::string& path) {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO))
        return {};
    return FileVersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

std::vector<BrowserRow> ReadBrowserRows(HKEY machine, HKEY user, const BrowserFiles& files) {
    std::vector<BrowserRow> rows;
    rows.push_back({kInternetExplorer, StringOr(machine, kExplorerKey, "Version", kExplorerAbsent)});
    {
        win::RegKey firefox = win::OpenKeyForRead(machine, kFirefoxKey);
        rows.push_back({kMozillaFirefox, firefox ? win::ReadStringValue(firefox.get(), "CurrentVersion").value_or("")
                                                 : std::string(kFirefoxAbsent)});
    }
    rows.push_back({kGoogleChrome, StringOr(user, kChromeKey, "pv", "")});
    const auto fileExists = [](const std::string& path) {
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    if (fileExists(files.opera)) rows.push_back({kOpera, FileVersionOf(files.opera)});
    if (fileExists(files.safari)) rows.push_back({kSafari, FileVersionOf(files.safari)});
    return rows;
}

}  // namespace brimlow
