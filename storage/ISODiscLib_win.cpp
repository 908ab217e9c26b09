#include "storage/ISODiscLib_win.h"

#include "platform/device_io_win.h"
#include "platform/win_security.h"
#include "platform/windows_version_win.h"
#include "ui/application.h"

#include <windows.h>

namespace brimlow::storage {

namespace {
constexpr DWORD kReadinessPauseMs = 100;
}

int SystemWindowsVersionIndex() {
    const std::optional<VersionRecord> record = ReadVersionRecord();
    if (!record) return -1;
    return WindowsVersionIndex(record->platformId, record->major, record->minor);
}

DiscLibPlatform SystemDiscLibPlatform() {
    DiscLibPlatform p;
    p.windowsVersionIndex = SystemWindowsVersionIndex;
    p.isAdministrator = [] { return win::IsAdministrator(); };
    p.driveType = [](char letter) {
        const std::string designation = std::string(1, letter) + ":";
        return static_cast<unsigned>(::GetDriveTypeA(designation.c_str()));
    };
    p.devices = &win::SystemDevices();
    p.waitBetweenTries = [] {
        ::Sleep(kReadinessPauseMs);
        ui::Application::Instance().ProcessMessages();
    };
    return p;
}

}  // namespace brimlow::storage
