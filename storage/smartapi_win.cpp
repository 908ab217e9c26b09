#include "storage/smartapi_win.h"

#include "platform/device_io_win.h"
#include "platform/win_text.h"
#include "platform/windows_version_win.h"

namespace brimlow::storage {

SmartPlatform SystemSmartPlatform(DeviceIo* devices) {
    SmartPlatform platform;
    const auto version = ReadVersionRecord();
    platform.platformId = version ? static_cast<int>(version->platformId) : 0;
    platform.devices = devices ? devices : &win::SystemDevices();
    platform.systemMessage = [](std::uint32_t error) { return win::ErrorMessage(error); };
    return platform;
}

bool ReadDriveIdentity(std::uint16_t drive, std::string& error, std::string& model, std::string& serial,
                       std::uint64_t& sizeBytes) {
    return ReadDriveIdentity(SystemSmartPlatform(), drive, error, model, serial, sizeBytes);
}

bool ReadSmartData(std::uint16_t drive, TSmartResult& result, std::string& error) {
    return ReadSmartData(SystemSmartPlatform(), drive, result, error);
}

std::string FirstDiskSerial() { return FirstDiskSerial(SystemSmartPlatform()); }

}  // namespace brimlow::storage
