#include "network/network_facts.h"

#include "network/network_text.h"
#include "platform/abi.h"
#include "platform/win_binding.h"
#include "platform/win_handles.h"
#include "platform/win_registry.h"
#include "platform/win_text.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <lm.h>
#include <nb30.h>
#include <winnetwk.h>

#include <cstring>
#include <memory>
#include <vector>

BRIMLOW_PIN_SIZE(IP_ADAPTER_INFO, 640, 704);
BRIMLOW_PIN_SIZE(LANA_ENUM, 256, 256);

namespace brimlow {
namespace {

struct NetBufferFree {
    void operator()(void* buffer) const { ::NetApiBufferFree(buffer); }
};
template <typename T>
using NetBuffer = std::unique_ptr<T, NetBufferFree>;

struct SidFree {
    void operator()(void* sid) const { ::FreeSid(sid); }
};

std::wstring WideOf(const std::string& text) {
    if (text.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string TextUpTo(const char* text, std::size_t size) { return std::string(text, ::strnlen(text, size)); }

unsigned char RunNetbios(NCB& ncb) { return ::Netbios(&ncb); }

// The ADAPTER_STATUS reply is longer than the 60 bytes asked for; the address is its first six.
std::optional<AdapterAddress> AdapterStatus(std::uint8_t lana) {
    NCB reset{};
    reset.ncb_command = NCBRESET;
    reset.ncb_lana_num = lana;
    RunNetbios(reset);

    unsigned char status[60] = {};
    NCB ask{};
    ask.ncb_command = NCBASTAT;
    ask.ncb_lana_num = lana;
    std::memcpy(ask.ncb_callname, "*               ", NCBNAMSZ);
    ask.ncb_buffer = status;
    ask.ncb_length = sizeof status;
    const unsigned char answer = RunNetbios(ask);
    if (answer != NRC_GOODRET && answer != NRC_BUFLEN) return std::nullopt;
    AdapterAddress address{};
    std::memcpy(address.data(), status, address.size());
    return address;
}

using NtShareEnum = NET_API_STATUS(WINAPI*)(LPWSTR, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD, LPDWORD);
using NtBufferFree = NET_API_STATUS(WINAPI*)(LPVOID);
using NineShareEnum = unsigned(WINAPI*)(const char*, short, char*, unsigned short, unsigned short*, unsigned short*);

std::vector<std::string> NtShareNames() {
    std::vector<std::string> names;
    const win::RuntimeLibrary library("NETAPI32.DLL", win::RuntimeLibrary::Source::LoadNow);
    NtShareEnum shareEnum = nullptr;
    NtBufferFree bufferFree = nullptr;
    if (!library.Bind(win::EntryPoint{"NetShareEnum", &shareEnum}, win::EntryPoint{"NetApiBufferFree", &bufferFree}))
        return names;
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0, resume = 0;
    const NET_API_STATUS status = shareEnum(nullptr, 2, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
    if (status == NERR_Success && buffer) {
        const auto* shares = reinterpret_cast<const SHARE_INFO_2*>(buffer);
        for (DWORD i = 0; i < read; ++i) names.push_back(win::WideToAnsi(shares[i].shi2_netname ? shares[i].shi2_netname : L""));
    }
    if (buffer) bufferFree(buffer);
    return names;
}

std::vector<std::string> NineShareNames() {
    constexpr unsigned short kEntrySize = 42;
    constexpr unsigned short kBufferSize = 21546;  // 513 entries
    std::vector<std::string> names;
    const win::RuntimeLibrary library("SVRAPI.DLL", win::RuntimeLibrary::Source::LoadNow);
    NineShareEnum shareEnum = nullptr;
    if (!library.Bind(win::EntryPoint{"NetShareEnum", &shareEnum})) return names;
    std::vector<char> buffer(kBufferSize);
    unsigned short read = 0, total = 0;
    if (shareEnum(nullptr, 50, buffer.data(), kBufferSize, &read, &total) != 0) return names;
    for (unsigned i = 0; i < read && (i + 1) * kEntrySize <= kBufferSize; ++i)
        names.push_back(LevelFiftyShareName(
            {reinterpret_cast<const std::uint8_t*>(buffer.data()) + i * kEntrySize, kEntrySize}));
    return names;
}

}  // namespace

std::string ComputerNameText() {
    char name[100] = {};
    DWORD size = sizeof name;
    return ::GetComputerNameA(name, &size) ? TextUpTo(name, sizeof name) : std::string();
}

std::string UserNameText() {
    char name[100] = {};
    DWORD size = sizeof name;
    return ::GetUserNameA(name, &size) ? TextUpTo(name, sizeof name) : std::string();
}

std::string HostAddressesText() {
    WSADATA data{};
    if (::WSAStartup(MAKEWORD(1, 1), &data) != 0) return {};
    std::vector<std::string> addresses;
    char host[64] = {};
    if (::gethostname(host, sizeof host) == 0) {
        host[sizeof host - 1] = '\0';
        if (const hostent* entry = ::gethostbyname(host); entry && entry->h_addrtype == AF_INET) {
            for (char** address = entry->h_addr_list; address && *address; ++address) {
                in_addr in{};
                std::memcpy(&in, *address, sizeof in);
                addresses.push_back(::inet_ntoa(in));
            }
        }
    }
    ::WSACleanup();
    return AddressListText(addresses);
}

std::string NetBiosAddressText() {
    LANA_ENUM lanas{};
    NCB ncb{};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<unsigned char*>(&lanas);
    // Four bytes: the count and at most three adapter numbers.
    ncb.ncb_length = 4;
    RunNetbios(ncb);
    const std::size_t count = std::min<std::size_t>(lanas.length, 3);
    return FirstAdapterAddressText({lanas.lana, count}, AdapterStatus);
}

bool UserIsAdministrator() {
    win::KernelHandle token;
    HANDLE raw = nullptr;
    if (::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &raw)) {
        token.reset(raw);
    } else {
        if (::GetLastError() != ERROR_NO_TOKEN) return false;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
        token.reset(raw);
    }
    alignas(TOKEN_GROUPS) unsigned char buffer[1024];
    DWORD size = 0;
    if (!::GetTokenInformation(token.get(), TokenGroups, buffer, sizeof buffer, &size)) return false;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID raw_sid = nullptr;
    if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                    &raw_sid))
        return false;
    const std::unique_ptr<void, SidFree> administrators(raw_sid);
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer);
    for (DWORD i = 0; i < groups->GroupCount; ++i)
        if (::EqualSid(groups->Groups[i].Sid, administrators.get())) return true;
    return false;
}

bool NetworkPresent() { return (::GetSystemMetrics(SM_NETWORK) & 1) != 0; }

AdapterList AdapterDescriptions() {
    AdapterList list;
    ULONG size = 4;
    std::vector<unsigned char> probe(size);
    DWORD status = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(probe.data()), &size);
    if (status == ERROR_BUFFER_OVERFLOW) {
        std::vector<unsigned char> buffer(size, 0);
        status = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
        if (status == ERROR_SUCCESS)
            for (auto* adapter = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); adapter; adapter = adapter->Next)
                list.descriptions.push_back(TextUpTo(adapter->Description, sizeof adapter->Description));
    }
    list.status = status;
    return list;
}

std::optional<std::string> AccountDomainText() {
    char user[1000] = {};
    DWORD userSize = sizeof user;
    if (!::GetUserNameA(user, &userSize)) user[0] = '\0';
    DWORD sidSize = 1000, domainSize = 1000;
    std::vector<unsigned char> sid(sidSize);
    std::vector<char> domain(domainSize);
    SID_NAME_USE use{};
    if (::LookupAccountNameA(nullptr, user, sid.data(), &sidSize, domain.data(), &domainSize, &use))
        return std::string(domain.data());
    // The sizes the failed call reported; it may have asked for more than the first buffers.
    sid.assign(std::max<DWORD>(sidSize, 1), 0);
    domain.assign(std::max<DWORD>(domainSize, 1), '\0');
    if (::LookupAccountNameA(nullptr, user, sid.data(), &sidSize, domain.data(), &domainSize, &use))
        return std::string(domain.data());
    return std::nullopt;
}

std::optional<std::vector<std::string>> ShareNames() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version) || version.dwPlatformId == VER_PLATFORM_WIN32s) return std::nullopt;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? NtShareNames() : NineShareNames();
}

std::vector<std::string> NetworkDriveLines() {
    std::vector<std::string> lines;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char local[3] = {letter, ':', '\0'};
        char remote[260] = {};
        DWORD size = sizeof remote;
        if (::WNetGetConnectionA(local, remote, &size) == NO_ERROR)
            lines.push_back(NetworkDriveLine(letter, TextUpTo(remote, sizeof remote)));
    }
    return lines;
}

std::string WorkgroupText() {
    LPBYTE raw = nullptr;
    const NET_API_STATUS status = ::NetWkstaGetInfo(nullptr, 100, &raw);
    const NetBuffer<WKSTA_INFO_100> info(reinterpret_cast<WKSTA_INFO_100*>(raw));
    if (status != NERR_Success || !info || !info->wki100_langroup) return {};
    return win::WideToAnsi(info->wki100_langroup);
}

std::string ComputerDescriptionText() {
    const win::RegKey key =
        win::OpenKeyForRead(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters");
    if (!key) return {};
    return win::ReadStringValue(key.get(), "srvcomment").value_or(std::string());
}

std::vector<std::string> AccountNames(const std::string& server) {
    std::wstring wideServer = WideOf(server);
    DWORD resume = 0;
    return CollectAccountNames([&] {
        AccountPage page;
        LPBYTE raw = nullptr;
        DWORD read = 0, total = 0;
        page.status = ::NetUserEnum(wideServer.empty() ? nullptr : wideServer.c_str(), 0, 0, &raw, 256, &read, &total,
                                    &resume);
        const NetBuffer<USER_INFO_0> users(reinterpret_cast<USER_INFO_0*>(raw));
        if ((page.status == NERR_Success || page.status == kMoreData) && users)
            for (DWORD i = 0; i < read; ++i) page.names.push_back(win::WideToAnsi(users.get()[i].usri0_name));
        return page;
    });
}

}  // namespace brimlow
