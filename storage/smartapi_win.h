// The SMART conversation and the first disk's serial on the running system: its platform
// family, its device files and its error messages.
#pragma once

#include "storage/HDD_Serial.h"
#include "storage/smartapi.h"

namespace brimlow::storage {

// The running system's platform family (0 when the version cannot be read), `devices` (the
// system's when null) and FormatMessage's texts.
SmartPlatform SystemSmartPlatform(DeviceIo* devices = nullptr);

bool ReadDriveIdentity(std::uint16_t drive, std::string& error, std::string& model, std::string& serial,
                       std::uint64_t& sizeBytes);
bool ReadSmartData(std::uint16_t drive, TSmartResult& result, std::string& error);
std::string FirstDiskSerial();

}  // namespace brimlow::storage
