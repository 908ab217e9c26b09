// A scripted optical drive behind the device seam: it answers the multimedia commands the program
// sends (INQUIRY, TEST UNIT READY, GET CONFIGURATION, MODE SENSE page 0x2A) by their operation
// code, can stay not ready for a number of tries, and keeps every command block it was sent.
#pragma once

#include "platform/scsi_pass_through.h"
#include "storage/ISOSCSIStructs.h"
#include "tests/fakes/scripted_device_io.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace brimlow::testing {

// ERROR_NOT_READY, as a drive without a disc answers.
inline constexpr std::uint32_t kDriveNotReady = 21;

struct ScriptedMmcDrive {
    std::vector<std::uint8_t> inquiry;        // empty: INQUIRY fails
    std::vector<std::uint8_t> configuration;  // GET CONFIGURATION; empty: the command fails
    std::vector<std::uint8_t> capabilities;   // MODE SENSE page 0x2A; empty: the command fails
    int notReadyTries = 0;                    // TEST UNIT READY fails this often before it succeeds
    bool ejectable = true;                    // IOCTL_STORAGE_EJECT_MEDIA succeeds

    std::vector<ScsiPassThroughDirectWithSense> commands;  // every pass-through record, as it arrived
    std::vector<std::uint32_t> inSizes, outSizes;
    int ejects = 0;

    std::vector<std::uint8_t> Opcodes() const {
        std::vector<std::uint8_t> codes;
        for (const auto& c : commands) codes.push_back(c.spt.Cdb[0]);
        return codes;
    }

    ScriptedDeviceIo::ControlHandler Handler() {
        return [this](std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                      std::uint32_t outSize) -> DeviceIoResult {
            if (code == storage::kIoctlStorageEjectMedia) {
                ++ejects;
                return {ejectable, 0, ejectable ? 0u : ScriptedDeviceIo::kNotSupported};
            }
            if (code != kIoctlScsiPassThroughDirect || inSize < sizeof(ScsiPassThroughDirect) || !out)
                return {false, 0, ScriptedDeviceIo::kNotSupported};
            ScsiPassThroughDirectWithSense record{};
            std::memcpy(&record, in, std::min<std::size_t>(inSize, sizeof record));
            commands.push_back(record);
            inSizes.push_back(inSize);
            outSizes.push_back(outSize);
            const std::vector<std::uint8_t>* reply = nullptr;
            switch (record.spt.Cdb[0]) {
            case kScsiInquiry: reply = &inquiry; break;
            case storage::kScsiGetConfiguration: reply = &configuration; break;
            case storage::kScsiModeSense10: reply = &capabilities; break;
            case storage::kScsiTestUnitReady:
                if (notReadyTries > 0) {
                    --notReadyTries;
                    return {false, 0, kDriveNotReady};
                }
                return {true, outSize, 0};
            default: return {false, 0, ScriptedDeviceIo::kNotSupported};
            }
            if (reply->empty()) return {false, 0, ScriptedDeviceIo::kNotSupported};
            if (record.spt.DataBuffer)
                std::memcpy(record.spt.DataBuffer, reply->data(),
                            std::min<std::size_t>(reply->size(), record.spt.DataTransferLength));
            return {true, outSize, 0};
        };
    }
};

// A GET CONFIGURATION reply naming `profile` as the current one: the 8-byte feature header and
// the profile list feature (0000h) with that profile marked current.
inline std::vector<std::uint8_t> ConfigurationReply(std::uint16_t profile) {
    const std::uint8_t hi = profile >> 8, lo = profile & 0xFF;
    return {0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, hi, lo,    // header: data length 12, current profile
            0x00, 0x00, 0x03, 0x04,                         // feature 0000h, version 0, persistent+current, 4 bytes
            hi,   lo,   0x01, 0x00};                         // the profile descriptor, current
}

}  // namespace brimlow::testing
