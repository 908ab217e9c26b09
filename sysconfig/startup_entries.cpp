#include "sysconfig/startup_entries.h"

#include "app/summary_text.h"
#include "platform/win_handles.h"
#include "platform/win_registry.h"
#include "sysconfig/startup_sources.h"

#include <windows.h>

#include <cstring>

namespace brimlow {
namespace {

HKEY RootKey(StartupRoot root) { return root == StartupRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

void ForEachRunValue(const StartupRegistrySource& source, const std::function<void(const StartupEntry&)>& visit) {
    const win::RegKey key = win::OpenKeyForRead(RootKey(source.root), source.key);
    if (!key) return;
    for (const std::string& name : win::ValueNames(key.get())) {
        const std::string text = win::ReadValueText(key.get(), name.c_str()).value_or(std::string());
        if (text.empty()) continue;
        visit({source.label, name, text});
    }
}

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

}  // namespace

void ForEachFolderEntry(const std::string& folder, const std::string& location,
                        const std::function<void(const StartupEntry&)>& visit) {
    WIN32_FIND_DATAA found{};
    const std::string pattern = folder + "*.*";
    // Every kind of entry is listed, directories and hidden or system files included.
    win::FindHandle search(::FindFirstFileA(pattern.c_str(), &found));
    if (!search) return;
    do {
        if (IsDotEntry(found.cFileName)) continue;
        visit({location, found.cFileName, folder + found.cFileName});
    } while (::FindNextFileA(search.get(), &found));
}

std::string StartupUserName() {
    char name[100] = {};
    DWORD length = sizeof name;
    if (!::GetUserNameA(name, &length)) return {};
    // The length counts the terminating zero; trimming takes it off with any stray blanks.
    return TrimControls(std::string_view(name, std::min<DWORD>(length, sizeof name)));
}

void ForEachStartupEntry(const std::function<void(const StartupEntry&)>& visit) {
    for (const StartupRegistrySource& source : kStartupRegistrySources) ForEachRunValue(source, visit);
    ForEachFolderEntry(kAllUsersStartupFolder, kAllUsersStartupLabel, visit);
    ForEachFolderEntry(CurrentUserStartupFolder(StartupUserName()), kCurrentUserStartupLabel, visit);
}

}  // namespace brimlow
