// SCSI commands to a drive through IOCTL_SCSI_PASS_THROUGH_DIRECT: the data moves straight between
// the drive and the caller's buffer, the record carries the command block and room for the sense
// data. The record is the system's wire layout, so it is pinned for both builds; its size and the
// sense offset are not the same for 32-bit and 64-bit code because a pointer sits inside.
#pragma once

#include "platform/abi.h"
#include "platform/device_io.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace brimlow {

// CTL_CODE of the Windows DDK.
constexpr std::uint32_t DeviceControlCode(std::uint32_t deviceType, std::uint32_t function, std::uint32_t method,
                                          std::uint32_t access) {
    return (deviceType << 16) | (access << 14) | (function << 2) | method;
}

// IOCTL_SCSI_BASE (FILE_DEVICE_CONTROLLER), function 0x405, buffered, read and write access.
inline constexpr std::uint32_t kIoctlScsiPassThroughDirect = 0x4D014;
static_assert(DeviceControlCode(0x4, 0x405, 0, 0x1 | 0x2) == kIoctlScsiPassThroughDirect);

// SCSI_PASS_THROUGH_DIRECT.
struct ScsiPassThroughDirect {
    std::uint16_t Length;
    std::uint8_t ScsiStatus;
    std::uint8_t PathId;
    std::uint8_t TargetId;
    std::uint8_t Lun;
    std::uint8_t CdbLength;
    std::uint8_t SenseInfoLength;
    std::uint8_t DataIn;
    std::uint32_t DataTransferLength;
    std::uint32_t TimeOutValue;
    void* DataBuffer;
    std::uint32_t SenseInfoOffset;
    std::uint8_t Cdb[16];
};
BRIMLOW_PIN_SIZE(ScsiPassThroughDirect, 44, 56);
static_assert(offsetof(ScsiPassThroughDirect, DataTransferLength) == 12);
static_assert(offsetof(ScsiPassThroughDirect, DataBuffer) == (sizeof(void*) == 4 ? 20 : 24));
static_assert(offsetof(ScsiPassThroughDirect, SenseInfoOffset) == (sizeof(void*) == 4 ? 24 : 32));
static_assert(offsetof(ScsiPassThroughDirect, Cdb) == (sizeof(void*) == 4 ? 28 : 36));

// The record as it travels: the sense data follow it in the same buffer.
struct ScsiPassThroughDirectWithSense {
    ScsiPassThroughDirect spt;
    std::uint32_t filler;  // keeps the sense data where drivers have always found them
    std::uint8_t sense[32];
};
BRIMLOW_PIN_SIZE(ScsiPassThroughDirectWithSense, 80, 96);
static_assert(offsetof(ScsiPassThroughDirectWithSense, sense) == (sizeof(void*) == 4 ? 48 : 60));

enum class ScsiDataDirection : std::uint8_t { Out = 0, In = 1, Unspecified = 2 };

inline constexpr std::uint8_t kScsiInquiry = 0x12;

// Fills the record for one command: the command block (at most 16 bytes), the data buffer and its
// direction, the time-out in seconds and how much sense data the drive may return.
void PrepareScsiCommand(ScsiPassThroughDirectWithSense& record, std::span<const std::uint8_t> cdb,
                        ScsiDataDirection direction, std::span<std::uint8_t> data, std::uint32_t timeoutSeconds,
                        std::uint8_t senseLength);

// Sends one command to an open drive. The record goes in and comes back (status, sense data),
// the data land in `data`.
DeviceIoResult SendScsiCommand(DeviceFile& drive, ScsiPassThroughDirectWithSense& record);

// The six-byte INQUIRY block asking for `allocationLength` bytes of standard data.
std::array<std::uint8_t, 6> InquiryCdb(std::uint8_t allocationLength);

}  // namespace brimlow
