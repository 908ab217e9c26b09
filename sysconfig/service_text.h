// The texts of the services window for a service's state and type, as the service control manager
// reports them in SERVICE_STATUS.
#pragma once

#include <cstdint>
#include <string>

namespace brimlow {

// dwCurrentState: "Stopped", "Running", ...; a state without a text (pause pending among them)
// gives the empty text.
std::string ServiceStateText(std::uint32_t state);

// dwServiceType compared as a whole: a type with extra flags (an interactive Win32 service, 0x110)
// gives the empty text.
std::string ServiceTypeText(std::uint32_t type);

}  // namespace brimlow
