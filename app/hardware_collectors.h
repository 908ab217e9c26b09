// Collectors of the summary's hardware rows. Each asks the system, catches its own failure and
// returns its text: the empty text or the row's placeholder when the system does not say.
// Two exceptions, for the guarded steps of the refresh: OpticalDriveList and (in
// device_probes.h) ParallelPortProbe let through what the device seam throws.
//
// Entry points that not every Windows has (GlobalMemoryStatusEx, GetDiskFreeSpaceExA,
// EnumDisplayDevicesA, GetSystemPowerStatus) are bound at run time: where one is missing, its row
// gets the text of a failed call.
#pragma once

#include "app/device_probes.h"
#include "cpu/clock.h"
#include "platform/device_io.h"

#include <string>

namespace brimlow {

std::string MemoryText();         // "Memory (RAM)"
std::string ProcessorNameText();  // "CPU Info": the brand string, trimmed
std::string CpuIdentifierText();  // "CPU Info" when the brand string is empty
std::string CpuSpeedText(ClockPlatform& clock);  // "CPU Speed"; blocks for the measurement
std::string CpuSpeedText();

bool SoundDevicePresent();  // "Sound Card"
std::string SoundCardName();

// Both display rows come from one walk over the display devices.
struct DisplayDeviceLists {
    std::string adapters;  // "Display Adapters", raw list of every device's string
    std::string monitors;  // "Monitors", raw list of each device's first monitor
};
DisplayDeviceLists DisplayDevices();
std::string DisplayAdapterList();
std::string MonitorList();
std::string MonitorCount();
std::string PrimaryDisplayName();  // the hardware card's display line

std::string ScreenSizeText();  // "Screen Resolution"
std::string ColorDepthText();

// "CD / DVD Drives": every drive letter of type CD-ROM with its model, raw list.
std::string OpticalDriveList(DeviceIo& devices);

std::string SerialPortList();            // "Ports": raw list, or "NOT Present"
std::string ParallelPortRegistryList();  // the names run together, or "NOT Present"

std::string MouseText();  // "Mouse"

// The size and free-space rows, and the hardware card's sizes, from one question per drive.
struct FixedDiskLists {
    std::string sizes;       // "Hard Disks", raw list
    std::string freeSpace;   // "Hard Disks - Free", raw list
    std::string sizesShort;  // sizes only, two blanks after each
};
FixedDiskLists FixedDisks();
std::string FixedDiskSizes();
std::string FixedDiskFree();
std::string FixedDiskSizesShort();

// Both power rows come from one power status record.
struct PowerTexts {
    std::string acPower;  // "AC Power Status"
    std::string battery;  // "Battery"
};
PowerTexts PowerStatus();
std::string AcPowerText();
std::string BatteryText();

std::string BiosText();  // "BIOS Info", raw: the row cleans it twice

// The platform id the version record reports (2 for the NT family); the NT family when the
// record cannot be read.
int PlatformId();

}  // namespace brimlow
