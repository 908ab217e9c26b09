// The summary's questions to device files: the model of an optical drive (one SCSI INQUIRY), the
// numbered host controllers that open, and the parallel port names that open. Each opens and
// closes its devices through the DeviceIo it is given.
//
// A device that does not open or does not answer is an ordinary answer here. Anything thrown by
// the DeviceIo itself is not caught: the optical drive and parallel port steps of the summary
// refresh carry a guard of their own for that.
#pragma once

#include "platform/device_io.h"

#include <string>
#include <string_view>

namespace brimlow {

// The vendor, product and revision text of the drive behind a letter ("\\.\D:"), from the
// standard INQUIRY data; the empty text when the drive does not open or does not answer.
std::string OpticalDriveModel(DeviceIo& devices, char letter);

// Opens prefix0, prefix1, ... with no access rights and counts them up to the first that does
// not open: a gap ends the count.
int CountNumberedDevices(DeviceIo& devices, std::string_view prefix);

// "2 host controllers." or "Not Detected"; the empty text on an error.
std::string UsbControllerCount(DeviceIo& devices);  // \\.\HCD0, \\.\HCD1, ...
std::string FirewireBusCount(DeviceIo& devices);    // \\.\1394BUS0, ...

// The LPT names (9, or 256 on the NT family) that open for reading and writing without sharing,
// as a raw list.
std::string ParallelPortProbe(DeviceIo& devices, int platformId);

}  // namespace brimlow
