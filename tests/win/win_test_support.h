// Helpers shared by the Windows tests.
#pragma once

#include "platform/win_handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace brimlow::testing {

// Texts the default error handler would have shown, in order.
std::vector<std::string>& ReportedErrors();

// Redirects HKEY_LOCAL_MACHINE of this process to an empty scratch key under HKCU for the
// lifetime of the object, so readers see exactly the fixture the test writes.
class ScratchMachineKey {
public:
    ScratchMachineKey();
    ~ScratchMachineKey();
    ScratchMachineKey(const ScratchMachineKey&) = delete;
    ScratchMachineKey& operator=(const ScratchMachineKey&) = delete;

    // Creates the key path below the scratch root and sets a value of any type.
    void Set(const char* path, const char* name, DWORD type, const void* data, DWORD size);
    void SetString(const char* path, const char* name, const std::string& value);
    void SetDword(const char* path, const char* name, DWORD value);
    void CreateKey(const char* path);

private:
    win::RegKey scratch_;
};

}  // namespace brimlow::testing
