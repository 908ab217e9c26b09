// Device files on the running system: CreateFileA and DeviceIoControl.
#pragma once

#include "platform/device_io.h"

namespace brimlow::win {

// Opens with OPEN_EXISTING and no attributes; the handle is closed when the DeviceFile goes.
class SystemDeviceIo final : public DeviceIo {
public:
    OpenedDevice Open(const std::string& path, std::uint32_t access, std::uint32_t share) override;
};

// The one the program uses; it holds no state.
DeviceIo& SystemDevices();

}  // namespace brimlow::win
