#include "app/software_collectors.h"

#include "app/summary_text.h"
#include "platform/abi.h"
#include "platform/win_registry.h"
#include "platform/win_text.h"
#include "platform/wmiquery.h"

// winsock2.h must come before windows.h.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <nb30.h>

#include <algorithm>
#include <cstring>
#include <vector>

BRIMLOW_PIN_SIZE(NCB, 64, 96);
BRIMLOW_PIN_SIZE(ADAPTER_STATUS, 60, 60);
static_assert(sizeof(IP_ADAPTER_INFO::Description) == 132);

namespace brimlow {

std::string InternetExplorerVersion() {
    try {
        const win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer");
        if (!key) return "Not Installed";
        DWORD type = 0;
        if (::RegQueryValueExA(key.get(), "Version", nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            return "Not Installed";
        // A Version value that is not text cannot be shown; it is an error, not an absence.
        return win::ReadStringValue(key.get(), "Version").value_or(std::string());
    } catch (...) {
        return {};
    }
}

std::string NetworkPresence() {
    return ::GetSystemMetrics(SM_NETWORK) != 0 ? "Network Present" : "";
}

std::string NetworkAdapterList() {
    try {
        ULONG size = 4;
        ::GetAdaptersInfo(nullptr, &size);
        // Adapters can appear between the two calls: a second "buffer overflow" just gives no list.
        std::vector<unsigned char> buffer(size ? size : 1, 0);
        auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
        if (size < sizeof(IP_ADAPTER_INFO) || ::GetAdaptersInfo(first, &size) != ERROR_SUCCESS) return {};
        std::string list;
        for (const IP_ADAPTER_INFO* a = first; a; a = a->Next) {
            const char* d = a->Description;
            AppendListItem(list, TrimControls(std::string_view(d, strnlen(d, sizeof a->Description))));
        }
        return list;
    } catch (...) {
        return {};
    }
}

std::string TimeZoneName() {
    try {
        TIME_ZONE_INFORMATION tz{};
        if (::GetTimeZoneInformation(&tz) == TIME_ZONE_ID_INVALID) return {};
        const wchar_t* name = tz.StandardName;
        return win::WideToAnsi(std::wstring_view(name, wcsnlen(name, std::size(tz.StandardName))));
    } catch (...) {
        return {};
    }
}

std::string MotherboardText() {
    try {
        TStringTable table;
        int instances = 0;
        const int result = WmiQueryTable("", "root\\CIMV2", "", "", "SELECT Manufacturer, Product FROM Win32_BaseBoard",
                                         table, instances);
        return MotherboardFromTable(result, instances, table);
    } catch (...) {
        return {};
    }
}

namespace {

class WinsockSession {
public:
    WinsockSession() { started_ = ::WSAStartup(0x0101, &data_) == 0; }
    ~WinsockSession() {
        if (started_) ::WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool started() const { return started_; }

private:
    WSADATA data_{};
    bool started_ = false;
};

}  // namespace

std::string IpAddressList() {
    try {
        const WinsockSession session;
        if (!session.started()) return {};
        char name[64] = {};
        if (::gethostname(name, sizeof name - 1) != 0) return {};
        const hostent* host = ::gethostbyname(name);
        if (!host || host->h_addrtype != AF_INET || host->h_length != 4) return {};
        std::string list;
        for (char** entry = host->h_addr_list; entry && *entry; ++entry) {
            in_addr address;
            std::memcpy(&address, *entry, sizeof address);
            if (const char* dotted = ::inet_ntoa(address)) AppendListItem(list, dotted);
        }
        return list;
    } catch (...) {
        return {};
    }
}

namespace {

UCHAR RunNetbios(NCB& ncb) { return ::Netbios(&ncb); }

std::optional<std::array<std::uint8_t, 6>> AdapterAddress(std::uint8_t lana) {
    NCB ncb{};
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = lana;
    RunNetbios(ncb);

    ADAPTER_STATUS status{};
    ncb = NCB{};
    ncb.ncb_command = NCBASTAT;
    ncb.ncb_lana_num = lana;
    std::memcpy(ncb.ncb_callname, "*               ", NCBNAMSZ);
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&status);
    ncb.ncb_length = sizeof status;
    const UCHAR rc = RunNetbios(ncb);
    // NRC_BUFLEN: the name table did not fit, which is expected; the address in front did.
    if (rc != NRC_GOODRET && rc != NRC_BUFLEN) return std::nullopt;
    std::array<std::uint8_t, 6> address;
    std::memcpy(address.data(), status.adapter_address, address.size());
    return address;
}

}  // namespace

std::string MacAddress() {
    try {
        LANA_ENUM lanas{};
        NCB ncb{};
        ncb.ncb_command = NCBENUM;
        ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
        ncb.ncb_length = sizeof lanas;
        // Without an enumeration, adapter 0 is still worth asking: it is the usual LAN adapter.
        std::size_t count = 0;
        if (RunNetbios(ncb) == NRC_GOODRET) count = std::min<std::size_t>(lanas.length, MAX_LANA + 1);
        if (count == 0) {
            const std::uint8_t first = 0;
            return FirstAdapterMac(std::span<const std::uint8_t>(&first, 1), AdapterAddress);
        }
        return FirstAdapterMac(std::span<const std::uint8_t>(lanas.lana, count), AdapterAddress);
    } catch (...) {
        return {};
    }
}

std::string HostName() {
    char name[16] = {};
    DWORD size = sizeof name;
    if (!::GetComputerNameA(name, &size)) return {};
    return std::string(name, strnlen(name, sizeof name));
}

}  // namespace brimlow
