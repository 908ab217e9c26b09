#include "platform/win_security.h"

#include "platform/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <memory>

namespace brimlow::win {

namespace {
constexpr DWORD kTokenGroupsBufferSize = 1024;

struct SidDeleter {
    void operator()(PSID sid) const {
        if (sid) ::FreeSid(sid);
    }
};
}  // namespace

std::optional<std::vector<std::uint8_t>> ReadCallerTokenGroups() {
    HANDLE raw = nullptr;
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &raw)) {
        if (::GetLastError() != ERROR_NO_TOKEN || !::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw))
            return std::nullopt;
    }
    const KernelHandle token(raw);
    // DWORD-aligned: the record starts with a count and holds pointers.
    std::vector<std::uint8_t> buffer(kTokenGroupsBufferSize);
    DWORD size = 0;
    if (!::GetTokenInformation(token.get(), TokenGroups, buffer.data(), kTokenGroupsBufferSize, &size))
        return std::nullopt;
    buffer.resize(size);
    // Moved, never copied: the record's SID pointers point into this very buffer.
    return std::optional<std::vector<std::uint8_t>>(std::move(buffer));
}

bool IsAdministrator(const TokenGroupsSource& groups) {
    // Moved in, never copied: the record's SID pointers point into its own buffer.
    std::optional<std::vector<std::uint8_t>> record;
    if (groups) record = groups();
    if (!record || record->size() < sizeof(DWORD)) return false;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID raw = nullptr;
    if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                    &raw))
        return false;
    const std::unique_ptr<void, SidDeleter> administrators(raw);
    const auto* tokenGroups = reinterpret_cast<const TOKEN_GROUPS*>(record->data());
    const std::size_t room = (record->size() - offsetof(TOKEN_GROUPS, Groups)) / sizeof(SID_AND_ATTRIBUTES);
    const std::size_t count = std::min<std::size_t>(tokenGroups->GroupCount, room);
    for (std::size_t i = 0; i < count; ++i) {
        const PSID sid = tokenGroups->Groups[i].Sid;
        if (sid && ::IsValidSid(sid) && ::EqualSid(sid, administrators.get())) return true;
    }
    return false;
}

}  // namespace brimlow::win
