#include "app/device_probes.h"

#include "app/hardware_text.h"
#include "app/summary_text.h"
#include "platform/scsi_pass_through.h"

#include <array>

namespace brimlow {

namespace {
constexpr std::uint8_t kInquiryLength = 100;
constexpr std::uint32_t kInquiryTimeoutSeconds = 2;
constexpr std::uint8_t kInquirySenseLength = 24;
}  // namespace

std::string OpticalDriveModel(DeviceIo& devices, char letter) {
    const OpenedDevice drive = devices.Open(std::string("\\\\.\\") + letter + ":", kGenericRead | kGenericWrite,
                                            kShareRead | kShareWrite);
    if (!drive) return {};
    std::array<std::uint8_t, kInquiryLength> reply{};
    ScsiPassThroughDirectWithSense record;
    PrepareScsiCommand(record, InquiryCdb(kInquiryLength), ScsiDataDirection::In, reply, kInquiryTimeoutSeconds,
                       kInquirySenseLength);
    if (!SendScsiCommand(*drive.file, record).ok) return {};
    return InquiryIdentificationText(reply);
}

int CountNumberedDevices(DeviceIo& devices, std::string_view prefix) {
    // A driver that opens every number would keep the loop going for ever; no machine has this many.
    constexpr int kMostDevices = 256;
    int count = 0;
    while (count < kMostDevices) {
        if (!devices.Open(std::string(prefix) + std::to_string(count), 0, kShareRead | kShareWrite)) break;
        ++count;
    }
    return count;
}

namespace {
std::string ControllerCount(DeviceIo& devices, std::string_view prefix) {
    try {
        return HostControllerText(CountNumberedDevices(devices, prefix));
    } catch (...) {
        return {};
    }
}
}  // namespace

std::string UsbControllerCount(DeviceIo& devices) { return ControllerCount(devices, "\\\\.\\HCD"); }

std::string FirewireBusCount(DeviceIo& devices) { return ControllerCount(devices, "\\\\.\\1394BUS"); }

std::string ParallelPortProbe(DeviceIo& devices, int platformId) {
    std::string list;
    const int names = ParallelPortNameCount(platformId);
    for (int n = 1; n <= names; ++n) {
        const std::string name = ParallelPortName(n);
        if (devices.Open(name, kGenericRead | kGenericWrite, 0)) AppendListItem(list, name);
    }
    return list;
}

}  // namespace brimlow
