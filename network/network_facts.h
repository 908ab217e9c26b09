// What the network window gathers, one fact per call, each failing quietly into its empty text.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brimlow {

std::string ComputerNameText();
std::string UserNameText();
// Every address the host name resolves to, "a | b"; empty when it does not resolve.
std::string HostAddressesText();
// The first LAN adapter's address as NetBIOS reports it, trying up to three adapters.
std::string NetBiosAddressText();
// The thread's token (or, without one, the process's) holds the built-in Administrators group.
bool UserIsAdministrator();
bool NetworkPresent();

struct AdapterList {
    unsigned long status = 0;  // the query's error, 0 on success
    std::vector<std::string> descriptions;
};
AdapterList AdapterDescriptions();

// The domain of the user's account; nullopt when it cannot be looked up.
std::optional<std::string> AccountDomainText();

// The shared folders of this computer, by the platform's library (NETAPI32 on the NT family,
// SVRAPI on Windows 9x); nothing when the library, its entry point or the call fails. nullopt
// when the platform cannot be told (the version call fails, or Win32s).
std::optional<std::vector<std::string>> ShareNames();

// "X: \\server\share" for each drive letter connected to a network share.
std::vector<std::string> NetworkDriveLines();

// The workstation's LAN group (workgroup or domain); empty when the call fails.
std::string WorkgroupText();
// The server's comment the system shows as the computer's description; empty when there is none.
std::string ComputerDescriptionText();

// The user accounts `server` enumerates, fetched in small pages; what arrived before an error.
std::vector<std::string> AccountNames(const std::string& server);

}  // namespace brimlow
