#include "platform/scsi_pass_through.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace brimlow {

void PrepareScsiCommand(ScsiPassThroughDirectWithSense& record, std::span<const std::uint8_t> cdb,
                        ScsiDataDirection direction, std::span<std::uint8_t> data, std::uint32_t timeoutSeconds,
                        std::uint8_t senseLength) {
    if (cdb.size() > sizeof record.spt.Cdb) throw std::invalid_argument("SCSI command block longer than 16 bytes");
    std::memset(&record, 0, sizeof record);
    record.spt.Length = sizeof record.spt;
    record.spt.CdbLength = static_cast<std::uint8_t>(cdb.size());
    record.spt.SenseInfoLength = std::min<std::uint8_t>(senseLength, sizeof record.sense);
    record.spt.DataIn = static_cast<std::uint8_t>(direction);
    record.spt.DataTransferLength = static_cast<std::uint32_t>(data.size());
    record.spt.TimeOutValue = timeoutSeconds;
    record.spt.DataBuffer = data.empty() ? nullptr : data.data();
    record.spt.SenseInfoOffset = offsetof(ScsiPassThroughDirectWithSense, sense);
    std::copy(cdb.begin(), cdb.end(), record.spt.Cdb);
}

DeviceIoResult SendScsiCommand(DeviceFile& drive, ScsiPassThroughDirectWithSense& record) {
    return drive.Control(kIoctlScsiPassThroughDirect, &record, sizeof record, &record, sizeof record);
}

std::array<std::uint8_t, 6> InquiryCdb(std::uint8_t allocationLength) {
    return {kScsiInquiry, 0, 0, 0, allocationLength, 0};
}

}  // namespace brimlow
