#include "sysconfig/services.h"

#include "platform/abi.h"
#include "platform/win_handles.h"
#include "platform/win_text.h"

#include <algorithm>
#include <stdexcept>

namespace brimlow {
namespace {

// Two text pointers and the 28-byte SERVICE_STATUS.
BRIMLOW_PIN_SIZE(ENUM_SERVICE_STATUSA, 36, 48);
BRIMLOW_PIN_SIZE(SERVICE_STATUS, 28, 28);

[[noreturn]] void RaiseServiceManagerError(DWORD code) { throw std::runtime_error(ServiceManagerErrorText(code)); }

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

ServiceFunctions::ServiceFunctions(const char* library) : library_(library, win::RuntimeLibrary::Source::LoadNow) {
    library_.Bind(win::EntryPoint{"EnumServicesStatusA", &enumServices_}, win::EntryPoint{"OpenSCManagerA", &openManager_});
}

ServiceFunctions::ServiceFunctions(OpenSCManagerFn openManager, EnumServicesStatusFn enumServices)
    : openManager_(openManager), enumServices_(enumServices) {}

const ServiceFunctions& ProgramServiceFunctions() {
    static const ServiceFunctions functions;
    return functions;
}

std::string ServiceManagerErrorText(DWORD code) {
    return "System Error.  Code: " + std::to_string(code) + ".\r\n" + win::ErrorMessage(code);
}

std::vector<ServiceEntry> ReadWin32Services(const ServiceFunctions& functions) {
    std::vector<ServiceEntry> services;
    if (!functions.bound()) return services;
    const win::ServiceHandle manager(functions.openManager()(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) RaiseServiceManagerError(::GetLastError());

    // The first call only reports the size. A list that grows meanwhile, or is larger than one
    // call may return, answers ERROR_MORE_DATA again; the resume handle carries on from there.
    DWORD resume = 0;
    DWORD needed = 0;
    DWORD returned = 0;
    if (functions.enumServices()(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL, nullptr, 0, &needed, &returned,
                                 &resume))
        return services;
    std::vector<ENUM_SERVICE_STATUSA> buffer;
    for (;;) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_MORE_DATA) RaiseServiceManagerError(error);
        // Entries are aligned records followed by their texts: whole records keep the alignment.
        const std::size_t records = std::max<std::size_t>(
            needed / sizeof(ENUM_SERVICE_STATUSA) + 1, returned == 0 && !buffer.empty() ? buffer.size() * 2 : 0);
        buffer.assign(records, ENUM_SERVICE_STATUSA{});
        const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(ENUM_SERVICE_STATUSA));
        returned = 0;
        const BOOL done = functions.enumServices()(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL, buffer.data(), size,
                                                   &needed, &returned, &resume);
        for (DWORD i = 0; i < returned && i < buffer.size(); ++i) {
            const ENUM_SERVICE_STATUSA& entry = buffer[i];
            services.push_back({Text(entry.lpDisplayName), Text(entry.lpServiceName), entry.ServiceStatus.dwCurrentState,
                                entry.ServiceStatus.dwServiceType});
        }
        if (done) return services;
    }
}

}  // namespace brimlow
