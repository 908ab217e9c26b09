// Collectors of the summary's operating-system and network rows. Each returns its text and never
// throws: a failure gives the empty text or the row's placeholder.
#pragma once

#include <string>

namespace brimlow {

std::string InternetExplorerVersion();  // "Internet Explorer"
std::string NetworkPresence();          // "Network"
std::string NetworkAdapterList();       // "Network Adapters", raw list
std::string TimeZoneName();             // "Time Zone"
std::string MotherboardText();          // "Motherboard", from WMI
std::string IpAddressList();            // "IP Address", raw list
std::string MacAddress();               // "MAC Address"
std::string HostName();                 // "Host Name"

}  // namespace brimlow
