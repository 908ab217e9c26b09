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

// A real key under HKEY_LOCAL_MACHINE\HARDWARE (volatile: Wine rebuilds it at every start, so a
// fixture must be written by the process that reads it). Takes the key's values away for the
// lifetime of the object, lets the test write its own, and puts the old ones back.
class HardwareKeyFixture {
public:
    explicit HardwareKeyFixture(const char* path);
    ~HardwareKeyFixture();
    HardwareKeyFixture(const HardwareKeyFixture&) = delete;
    HardwareKeyFixture& operator=(const HardwareKeyFixture&) = delete;

    void Set(const char* name, DWORD type, const void* data, DWORD size);
    void SetString(const char* name, const std::string& value);

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    void RemoveAll();
    win::RegKey key_;
    std::vector<Value> saved_;
    bool created_ = false;
    std::string path_;
};

}  // namespace brimlow::testing
