// Helpers shared by the Windows tests.
#pragma once

#include "platform/win_handles.h"
#include "ui/bitmap.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace brimlow::testing {

// Texts the default error handler would have shown, in order.
std::vector<std::string>& ReportedErrors();
// Texts of the information boxes the program would have shown, in order.
std::vector<std::string>& ShownMessages();

// What a control paints of its client area, painted into a memory picture of the same size, as
// printing it would (WM_PRINTCLIENT): no screen needed, and nothing else drawn over it.
std::unique_ptr<ui::Bitmap> PaintedClient(HWND control);

// Redirects a predefined key of this process (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER) to an empty
// scratch key under the real HKCU for the lifetime of the object, so readers see exactly the
// fixture the test writes.
class ScratchRootKey {
public:
    ScratchRootKey(HKEY redirected, const char* scratchName);
    ~ScratchRootKey();
    ScratchRootKey(const ScratchRootKey&) = delete;
    ScratchRootKey& operator=(const ScratchRootKey&) = delete;

    // Creates the key path below the scratch root and sets a value of any type.
    void Set(const char* path, const char* name, DWORD type, const void* data, DWORD size);
    void SetString(const char* path, const char* name, const std::string& value);
    void SetDword(const char* path, const char* name, DWORD value);
    void CreateKey(const char* path);

private:
    HKEY redirected_;
    std::string name_;
    win::RegKey parent_;  // the real HKCU key the scratch keys live in, whatever is redirected
    win::RegKey scratch_;
};

class ScratchMachineKey : public ScratchRootKey {
public:
    ScratchMachineKey() : ScratchRootKey(HKEY_LOCAL_MACHINE, "Machine") {}
};

class ScratchUserKey : public ScratchRootKey {
public:
    ScratchUserKey() : ScratchRootKey(HKEY_CURRENT_USER, "User") {}
};

}  // namespace brimlow::testing
