// The Win32 services of the service control manager. The service functions are bound at run time:
// the 9x family's ADVAPI32 has none of them, and the program must start there all the same.
#pragma once

#include "platform/win_binding.h"

#include <windows.h>
#include <winsvc.h>

#include <string>
#include <vector>

namespace brimlow {

inline constexpr const char* kServiceLibrary = "ADVAPI32.DLL";

// The entry points the services list needs, bound by name from one library; empty slots when the
// library or either name is missing.
class ServiceFunctions {
public:
    using OpenSCManagerFn = SC_HANDLE(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    using EnumServicesStatusFn = BOOL(WINAPI*)(SC_HANDLE, DWORD, DWORD, LPENUM_SERVICE_STATUSA, DWORD, LPDWORD,
                                               LPDWORD, LPDWORD);

    explicit ServiceFunctions(const char* library = kServiceLibrary);
    // Given entry points instead of a library's (tests script the manager's answers).
    ServiceFunctions(OpenSCManagerFn openManager, EnumServicesStatusFn enumServices);

    bool bound() const { return openManager_ != nullptr && enumServices_ != nullptr; }
    OpenSCManagerFn openManager() const { return openManager_; }
    EnumServicesStatusFn enumServices() const { return enumServices_; }

private:
    win::RuntimeLibrary library_;
    OpenSCManagerFn openManager_ = nullptr;
    EnumServicesStatusFn enumServices_ = nullptr;
};

// The binding made once for the program's whole run.
const ServiceFunctions& ProgramServiceFunctions();

// One service as the services window shows it.
struct ServiceEntry {
    std::string displayName;
    std::string serviceName;
    DWORD state = 0;  // SERVICE_STATUS::dwCurrentState
    DWORD type = 0;   // SERVICE_STATUS::dwServiceType
};

// Every Win32 service in any state, in the order the manager returns them, however many calls
// that takes. Unbound functions give no services. A manager that cannot be opened, or an
// enumeration that fails, raises "System Error.  Code: n." with the system's text.
std::vector<ServiceEntry> ReadWin32Services(const ServiceFunctions& functions);

// The text of that error for a system error code.
std::string ServiceManagerErrorText(DWORD code);

}  // namespace brimlow
