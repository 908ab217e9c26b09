// Device files and their I/O controls: the one way the program talks to drivers. Open a device
// path with the access and sharing it needs, send control codes, close. Drivers answer what no
// emulator of Windows can (SMART, SCSI pass-through, tray ejection, host controllers), so the
// collectors take a DeviceIo and tests hand in scripted devices; the system's implementation is
// SystemDeviceIo (device_io_win.h).
//
// Portable on purpose: the decoders and the loops over device names run natively against
// scripted devices too. The constants are Win32's values, pinned against <windows.h> where the
// system's implementation is built.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace brimlow {

inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kShareRead = 0x1;
inline constexpr std::uint32_t kShareWrite = 0x2;

// The system's answer to one I/O control.
struct DeviceIoResult {
    bool ok = false;
    std::uint32_t bytesReturned = 0;
    std::uint32_t error = 0;  // the system's error code when the control failed
};

// An open device; destroying it closes the device.
class DeviceFile {
public:
    virtual ~DeviceFile() = default;
    virtual DeviceIoResult Control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                                   std::uint32_t outSize) = 0;
};

struct OpenedDevice {
    std::unique_ptr<DeviceFile> file;  // empty when the path did not open
    std::uint32_t error = 0;           // the system's error code then

    explicit operator bool() const { return file != nullptr; }
};

class DeviceIo {
public:
    virtual ~DeviceIo() = default;
    // Opens an existing device (never creates a file). A path that does not open is an ordinary
    // answer, not an error: it comes back as an empty OpenedDevice.
    virtual OpenedDevice Open(const std::string& path, std::uint32_t access, std::uint32_t share) = 0;
};

}  // namespace brimlow
