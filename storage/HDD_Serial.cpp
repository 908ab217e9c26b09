#include "storage/HDD_Serial.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace brimlow::storage {

namespace {

// Blanks, and the zeros and control bytes of a field nobody filled.
std::string TrimBlanks(const std::string& text) {
    const auto blank = [](unsigned char c) { return c <= ' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

// The serial field of an IDENTIFY page, each byte pair swapped back, untrimmed.
std::string SwappedSerial(const std::uint8_t* identify) {
    std::string serial(reinterpret_cast<const char*>(identify + 20), 20);
    for (std::size_t i = 0; i + 1 < serial.size(); i += 2) std::swap(serial[i], serial[i + 1]);
    return serial;
}

SendCmdInParams IdentifyDriveZero() {
    SendCmdInParams in;
    std::memset(&in, 0, sizeof in);
    in.cBufferSize = kSectorSize;
    in.irDriveRegs.bSectorCountReg = 1;
    in.irDriveRegs.bSectorNumberReg = 1;
    in.irDriveRegs.bDriveHeadReg = 0xA0;
    in.irDriveRegs.bCommandReg = kAtaIdentifyDevice;
    return in;
}

// The miniport request: header, then the IDENTIFY record; the reply comes back in the same place.
constexpr std::size_t kMiniportBuffer = 572;

}  // namespace

std::string IdeIdentifySerial(const SmartPlatform& platform) {
    if (platform.devices == nullptr) return {};
    const SendCmdInParams identify = IdentifyDriveZero();
    if (platform.platformId == kPlatformNT) {
        OpenedDevice port = platform.devices->Open("\\\\.\\Scsi0:", kGenericRead | kGenericWrite, kShareRead | kShareWrite);
        if (!port) return {};
        std::array<std::uint8_t, kMiniportBuffer> buffer{};
        SrbIoControl header{};
        header.HeaderLength = sizeof(SrbIoControl);
        std::memcpy(header.Signature, "SCSIDISK", 8);
        header.Timeout = 2;
        header.ControlCode = kIoctlScsiMiniportIdentify;
        header.Length = 544;
        std::memcpy(buffer.data(), &header, sizeof header);
        std::memcpy(buffer.data() + sizeof header, &identify, kSendCmdInSize);
        const DeviceIoResult r =
            port.file->Control(kIoctlScsiMiniport, buffer.data(), buffer.size(), buffer.data(), buffer.size());
        if (!r.ok) return {};
        return SwappedSerial(buffer.data() + sizeof(SrbIoControl) + kSendCmdOutHeader);
    }
    if (platform.platformId == kPlatformWin9x) {
        OpenedDevice smart = platform.devices->Open("\\\\.\\SMARTVSD", 0, 0);
        if (!smart) return {};
        std::array<std::uint8_t, kSendCmdOutHeader + kSectorSize> out{};
        const DeviceIoResult r = smart.file->Control(kSmartRcvDriveData, &identify, kSendCmdInSize, out.data(), out.size());
        if (!r.ok) return {};
        return SwappedSerial(out.data() + kSendCmdOutHeader);
    }
    return {};
}

std::string ScsiInquirySerial(DeviceIo& devices) {
    OpenedDevice drive = devices.Open("\\\\.\\C:", kGenericRead | kGenericWrite, kShareRead | kShareWrite);
    if (!drive) return {};
    ScsiPassThroughWithBuffers request{};
    request.spt.Length = sizeof request.spt;
    request.spt.CdbLength = 6;
    request.spt.SenseInfoLength = 24;
    request.spt.DataIn = 1;
    request.spt.DataTransferLength = sizeof request.data;
    request.spt.TimeOutValue = 2;
    request.spt.DataBufferOffset = offsetof(ScsiPassThroughWithBuffers, data);
    request.spt.SenseInfoOffset = offsetof(ScsiPassThroughWithBuffers, sense);
    const std::uint8_t cdb[6] = {0x12, 0x01, 0x80, 0x00, 0xC0, 0x00};
    std::memcpy(request.spt.Cdb, cdb, sizeof cdb);
    const DeviceIoResult r =
        drive.file->Control(kIoctlScsiPassThrough, &request, sizeof request.spt, &request, sizeof request);
    if (!r.ok || request.data[1] != 0x80) return {};
    // A page claiming more than the buffer holds is cut at the buffer.
    const std::size_t length = std::min<std::size_t>(request.data[3], sizeof request.data - 4);
    return std::string(reinterpret_cast<const char*>(request.data + 4), length);
}

std::string FirstDiskSerial(const SmartPlatform& platform) {
    try {
        std::string serial = TrimBlanks(IdeIdentifySerial(platform));
        if (serial.empty() && platform.devices != nullptr) serial = TrimBlanks(ScsiInquirySerial(*platform.devices));
        if (serial.empty()) serial = kNoDiskSerial;
        return serial;
    } catch (...) {
        return {};
    }
}

}  // namespace brimlow::storage
