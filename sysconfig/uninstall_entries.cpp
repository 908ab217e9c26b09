#include "sysconfig/uninstall_entries.h"

#include "platform/win_registry.h"

namespace brimlow {
namespace {

std::string ValueText(HKEY key, const char* name) { return win::ReadValueText(key, name).value_or(std::string()); }

}  // namespace

std::vector<UninstallEntry> ReadUninstallEntries() {
    std::vector<UninstallEntry> entries;
    const win::RegKey root = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kUninstallKey);
    if (!root) return entries;
    for (const std::string& name : win::SubKeyNames(root.get())) {
        const win::RegKey key = win::OpenKeyForRead(root.get(), name.c_str());
        if (!key) continue;
        UninstallEntry entry;
        entry.displayName = ValueText(key.get(), "DisplayName");
        if (entry.displayName.empty()) continue;
        entry.displayVersion = ValueText(key.get(), "DisplayVersion");
        entry.helpLink = ValueText(key.get(), "HelpLink");
        entry.helpTelephone = ValueText(key.get(), "HelpTelephone");
        entry.installLocation = ValueText(key.get(), "InstallLocation");
        entry.installSource = ValueText(key.get(), "InstallSource");
        entry.publisher = ValueText(key.get(), "Publisher");
        entry.readme = ValueText(key.get(), "Readme");
        entry.uninstallString = ValueText(key.get(), "UninstallString");
        entry.keyName = name;
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool UninstallKeyOpens() { return static_cast<bool>(win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kUninstallKey)); }

LONG DeleteUninstallEntry(const std::string& keyName) {
    // The parent's own rights do not matter for a deletion; those of the entry decide.
    const win::RegKey root = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kUninstallKey);
    if (!root) return ERROR_FILE_NOT_FOUND;
    // An empty name would mean the Uninstall key itself.
    if (keyName.empty()) return ERROR_INVALID_PARAMETER;
    return win::DeleteKeyTree(root.get(), keyName);
}

}  // namespace brimlow
