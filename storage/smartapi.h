// ATA IDENTIFY and SMART through the disk driver's I/O controls: the driver's wire records, the
// decoding of the IDENTIFY, attribute and threshold pages, and the conversation with a drive.
//
// Portable: the conversation runs over a DeviceIo, so every path through it (device maps, failing
// commands, the two platform families) runs against scripted drives. The system's drives and
// messages are handed in by storage/smartapi_win.h.
#pragma once

#include "platform/abi.h"
#include "platform/device_io.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace brimlow::storage {

// CTL_CODE(device type, function, method, access) of the Windows DDK.
constexpr std::uint32_t IoControlCode(std::uint32_t type, std::uint32_t function, std::uint32_t method,
                                      std::uint32_t access) {
    return (type << 16) | (access << 14) | (function << 2) | method;
}

// The disk driver's SMART controls (FILE_DEVICE_DISK, buffered).
inline constexpr std::uint32_t kSmartGetVersion = 0x74080;        // DFP_GET_VERSION
inline constexpr std::uint32_t kSmartSendDriveCommand = 0x7C084;  // DFP_SEND_DRIVE_COMMAND
inline constexpr std::uint32_t kSmartRcvDriveData = 0x7C088;      // DFP_RECEIVE_DRIVE_DATA
static_assert(IoControlCode(0x7, 0x20, 0, 1) == kSmartGetVersion);
static_assert(IoControlCode(0x7, 0x21, 0, 3) == kSmartSendDriveCommand);
static_assert(IoControlCode(0x7, 0x22, 0, 3) == kSmartRcvDriveData);
// The SCSI port's controls (FILE_DEVICE_CONTROLLER, buffered, read and write).
inline constexpr std::uint32_t kIoctlScsiPassThrough = 0x4D004;
inline constexpr std::uint32_t kIoctlScsiMiniport = 0x4D008;
static_assert(IoControlCode(0x4, 0x401, 0, 3) == kIoctlScsiPassThrough);
static_assert(IoControlCode(0x4, 0x402, 0, 3) == kIoctlScsiMiniport);
// The miniport's own IDENTIFY (FILE_DEVICE_SCSI 0x1B, function 0x0501).
inline constexpr std::uint32_t kIoctlScsiMiniportIdentify = 0x1B0501;
// IOCTL_STORAGE_GET_DEVICE_NUMBER (IOCTL_STORAGE_BASE 0x2D, function 0x420, any access).
inline constexpr std::uint32_t kIoctlStorageGetDeviceNumber = 0x2D1080;
static_assert(IoControlCode(0x2D, 0x420, 0, 0) == kIoctlStorageGetDeviceNumber);

// ATA commands and SMART features.
inline constexpr std::uint8_t kAtaIdentifyDevice = 0xEC;
inline constexpr std::uint8_t kAtaIdentifyPacketDevice = 0xA1;
inline constexpr std::uint8_t kAtaSmart = 0xB0;
inline constexpr std::uint8_t kSmartEnable = 0xD8;
inline constexpr std::uint8_t kSmartReadAttributes = 0xD0;
inline constexpr std::uint8_t kSmartReadThresholds = 0xD1;
inline constexpr std::uint8_t kSmartCylLow = 0x4F;
inline constexpr std::uint8_t kSmartCylHigh = 0xC2;

inline constexpr std::size_t kSectorSize = 512;

// The version platforms report (GetVersionEx's dwPlatformId).
inline constexpr int kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
inline constexpr int kPlatformNT = 2;     // VER_PLATFORM_WIN32_NT

#pragma pack(push, 1)
struct GetVersionOutParams {
    std::uint8_t bVersion;
    std::uint8_t bRevision;
    std::uint8_t bReserved;
    std::uint8_t bIDEDeviceMap;  // bit n: a device at position n; bit n+4: that device is ATAPI
    std::uint32_t fCapabilities;
    std::uint32_t dwReserved[4];
};
BRIMLOW_PIN_SIZE(GetVersionOutParams, 24, 24);

struct IdeRegs {
    std::uint8_t bFeaturesReg;
    std::uint8_t bSectorCountReg;
    std::uint8_t bSectorNumberReg;
    std::uint8_t bCylLowReg;
    std::uint8_t bCylHighReg;
    std::uint8_t bDriveHeadReg;
    std::uint8_t bCommandReg;
    std::uint8_t bReserved;
};
BRIMLOW_PIN_SIZE(IdeRegs, 8, 8);

struct SendCmdInParams {
    std::uint32_t cBufferSize;
    IdeRegs irDriveRegs;
    std::uint8_t bDriveNumber;
    std::uint8_t bReserved[3];
    std::uint32_t dwReserved[4];
    std::uint8_t bBuffer[1];
};
BRIMLOW_PIN_SIZE(SendCmdInParams, 33, 33);
static_assert(offsetof(SendCmdInParams, irDriveRegs) == 4);
static_assert(offsetof(SendCmdInParams, bDriveNumber) == 12);
// The driver takes the record without its one-byte data buffer.
inline constexpr std::uint32_t kSendCmdInSize = sizeof(SendCmdInParams) - 1;
static_assert(kSendCmdInSize == 32);

struct DriverStatus {
    std::uint8_t bDriverError;
    std::uint8_t bIDEError;  // the IDE status register
    std::uint8_t bReserved[2];
    std::uint32_t dwReserved[2];
};
BRIMLOW_PIN_SIZE(DriverStatus, 12, 12);

struct SendCmdOutParams {
    std::uint32_t cBufferSize;
    DriverStatus driverStatus;
    std::uint8_t bBuffer[1];
};
BRIMLOW_PIN_SIZE(SendCmdOutParams, 17, 17);
inline constexpr std::size_t kSendCmdOutHeader = offsetof(SendCmdOutParams, bBuffer);
static_assert(kSendCmdOutHeader == 16);

// The header of a miniport request, followed by the miniport's own record.
struct SrbIoControl {
    std::uint32_t HeaderLength;
    std::uint8_t Signature[8];
    std::uint32_t Timeout;
    std::uint32_t ControlCode;
    std::uint32_t ReturnCode;
    std::uint32_t Length;
};
BRIMLOW_PIN_SIZE(SrbIoControl, 28, 28);
#pragma pack(pop)

// SCSI_PASS_THROUGH: the data travel in the same buffer, at DataBufferOffset. A ULONG_PTR sits
// inside, so the 64-bit record is larger.
struct ScsiPassThrough {
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
    std::uintptr_t DataBufferOffset;
    std::uint32_t SenseInfoOffset;
    std::uint8_t Cdb[16];
};
BRIMLOW_PIN_SIZE(ScsiPassThrough, 44, 56);
static_assert(offsetof(ScsiPassThrough, DataBufferOffset) == (sizeof(void*) == 4 ? 20 : 24));

// The serial-number inquiry as it travels: record, sense data, the 192 bytes of the page.
struct ScsiPassThroughWithBuffers {
    ScsiPassThrough spt;
    std::uint8_t sense[32];
    std::uint8_t data[192];
};
BRIMLOW_PIN_SIZE(ScsiPassThroughWithBuffers, 268, 280);
static_assert(offsetof(ScsiPassThroughWithBuffers, sense) == (sizeof(void*) == 4 ? 44 : 56));
static_assert(offsetof(ScsiPassThroughWithBuffers, data) == (sizeof(void*) == 4 ? 76 : 88));

struct StorageDeviceNumber {
    std::uint32_t DeviceType;
    std::uint32_t DeviceNumber;
    std::uint32_t PartitionNumber;
};
BRIMLOW_PIN_SIZE(StorageDeviceNumber, 12, 12);

// ---- Decoding ---------------------------------------------------------------------------------

// Two characters per 16-bit word, bytes swapped: swaps each pair back and trims blanks and control
// characters at both ends.
std::string SwapAtaString(std::span<const std::uint8_t> field);

struct IdentifyFacts {
    std::string model, serial, firmware;
    std::uint64_t sizeBytes = 0;  // 28-bit LBA sector count x 512
};
IdentifyFacts DecodeIdentify(std::span<const std::uint8_t, kSectorSize> page);

// "Unknown" for the ids without a name.
std::string SmartAttributeName(int id);
// The driver's error codes; codes outside the table give the empty text.
std::string DriverStatusText(int code);

inline constexpr int kSmartEntries = 30;
inline constexpr int kSmartSlots = 32;

struct SmartAttribute {
    int id = 0;
    std::string name;
    bool preFailure = false, eventCount = false, errorRate = false;
    int current = 0, worst = 0, threshold = 0;
    std::uint64_t raw = 0;
    std::string state;
};

struct TSmartResult {
    std::string firmware;
    int temperature = 0;
    int failingCount = 0;
    int attributeCount = 0;
    std::array<SmartAttribute, kSmartSlots> attributes{};
};

inline constexpr const char* kStateFailingNow = "Failing Now";
inline constexpr const char* kStateFailedInPast = "Failed In Past";
inline constexpr const char* kStateWarning = "Warning";
inline constexpr const char* kStateOk = "OK";
inline constexpr const char* kStateNotJudged = "-";

// Walks the attribute page with its threshold page into `result` (temperature, failing count,
// slots); the firmware is left as it is.
void SmartAttributeState(std::span<const std::uint8_t, kSectorSize> attributes,
                         std::span<const std::uint8_t, kSectorSize> thresholds, TSmartResult& result);

// ---- Talking to the drive ---------------------------------------------------------------------

// What the conversation needs of the system: its platform family, its devices and its messages.
struct SmartPlatform {
    int platformId = kPlatformNT;
    DeviceIo* devices = nullptr;
    std::function<std::string(std::uint32_t error)> systemMessage;
};

// IDENTIFY of the first device that answers; `drive` is the physical drive number (NT only).
bool ReadDriveIdentity(const SmartPlatform& platform, std::uint16_t drive, std::string& error, std::string& model,
                       std::string& serial, std::uint64_t& sizeBytes);
// IDENTIFY, attributes and thresholds of the first device that answers all three.
bool ReadSmartData(const SmartPlatform& platform, std::uint16_t drive, TSmartResult& result, std::string& error);

// The physical drive number of a volume ("C:"), or -1.
int PhysicalDriveNumber(DeviceIo& devices, std::string_view designation);

}  // namespace brimlow::storage
