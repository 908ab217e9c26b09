// A scripted SCSI drive behind the device seam: it answers IOCTL_SCSI_PASS_THROUGH_DIRECT with
// recorded data and keeps a copy of every request record it was sent.
#pragma once

#include "platform/scsi_pass_through.h"
#include "tests/fakes/scripted_device_io.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace brimlow::testing {

// Standard INQUIRY data of a CD/DVD drive (peripheral type 5, removable): the identification
// fields are blank-padded to 8, 16 and 4 characters as drives report them.
inline std::vector<std::uint8_t> InquiryData(std::string vendor, std::string product, std::string revision) {
    std::vector<std::uint8_t> data(36, 0);
    data[0] = 0x05;
    data[1] = 0x80;
    data[3] = 0x02;
    data[4] = 31;  // additional length: 36 bytes in all
    vendor.resize(8, ' ');
    product.resize(16, ' ');
    revision.resize(4, ' ');
    const std::string identification = vendor + product + revision;
    std::copy(identification.begin(), identification.end(), data.begin() + 8);
    return data;
}

struct ScsiRequests {
    std::vector<ScsiPassThroughDirectWithSense> records;  // as they arrived
    std::vector<std::uint32_t> inSizes, outSizes;
    std::vector<bool> sameBuffer;  // the record went in and came back in one buffer
};

// A drive that answers every pass-through command with `reply` (cut to the transfer length).
inline ScriptedDeviceIo::ControlHandler ScsiDrive(std::vector<std::uint8_t> reply, ScsiRequests& requests) {
    return [reply = std::move(reply), &requests](std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                                                 std::uint32_t outSize) -> DeviceIoResult {
        if (code != kIoctlScsiPassThroughDirect || inSize < sizeof(ScsiPassThroughDirect) || !out)
            return {false, 0, ScriptedDeviceIo::kNotSupported};
        ScsiPassThroughDirectWithSense record{};
        std::memcpy(&record, in, std::min<std::size_t>(inSize, sizeof record));
        requests.records.push_back(record);
        requests.inSizes.push_back(inSize);
        requests.outSizes.push_back(outSize);
        requests.sameBuffer.push_back(in == out);
        if (record.spt.DataBuffer && record.spt.DataIn == static_cast<std::uint8_t>(ScsiDataDirection::In))
            std::memcpy(record.spt.DataBuffer, reply.data(), std::min<std::size_t>(reply.size(), record.spt.DataTransferLength));
        auto* answer = static_cast<ScsiPassThroughDirectWithSense*>(out);
        answer->spt.ScsiStatus = 0;
        answer->spt.DataTransferLength = static_cast<std::uint32_t>(std::min<std::size_t>(reply.size(), record.spt.DataTransferLength));
        return {true, outSize, 0};
    };
}

}  // namespace brimlow::testing
