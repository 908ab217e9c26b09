// The serial number of the first hard disk, for the personal window: the first IDE drive's
// IDENTIFY, then the SCSI serial-number page of drive C:, then "Error!".
#pragma once

#include "storage/smartapi.h"

#include <string>

namespace brimlow::storage {

inline constexpr const char* kNoDiskSerial = "Error!";

// Each method gives the empty text when its device does not open or does not answer.
std::string IdeIdentifySerial(const SmartPlatform& platform);
std::string ScsiInquirySerial(DeviceIo& devices);

// The first method's non-empty (trimmed) answer; the empty text if something unexpected broke.
std::string FirstDiskSerial(const SmartPlatform& platform);

}  // namespace brimlow::storage
