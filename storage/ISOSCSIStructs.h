// The multimedia command set an optical drive understands, as the program sends it: the command
// blocks, their data lengths and sense lengths, and the layout of the replies it reads. The
// pass-through record itself is platform/scsi_pass_through.h's.
#pragma once

#include "platform/scsi_pass_through.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace brimlow::storage {

// IOCTL_STORAGE_EJECT_MEDIA (IOCTL_STORAGE_BASE 0x2D, function 0x202, read access).
inline constexpr std::uint32_t kIoctlStorageEjectMedia = 0x2D4808;
static_assert(DeviceControlCode(0x2D, 0x202, 0, 0x1) == kIoctlStorageEjectMedia);

inline constexpr std::uint8_t kScsiTestUnitReady = 0x00;
inline constexpr std::uint8_t kScsiGetConfiguration = 0x46;
inline constexpr std::uint8_t kScsiModeSense10 = 0x5A;

// Every library command waits this long for the drive; a spinning-up disc takes a while.
inline constexpr std::uint32_t kMmcTimeoutSeconds = 120;
inline constexpr std::uint8_t kMmcSenseLength = 32;
// MODE SENSE asks for the fixed-format sense data only.
inline constexpr std::uint8_t kModeSenseSenseLength = 14;

inline constexpr std::array<std::uint8_t, 6> kTestUnitReadyCdb = {kScsiTestUnitReady, 0, 0, 0, 0, 0};

// GET CONFIGURATION, RT = 2 (the one feature descriptor named by the starting feature, 0: the
// profile list), allocation length 114. The current profile sits in the header either way.
inline constexpr std::uint16_t kGetConfigurationLength = 114;
inline constexpr std::array<std::uint8_t, 10> kGetConfigurationCdb = {
    kScsiGetConfiguration, 0x02, 0, 0, 0, 0, 0, 0, kGetConfigurationLength, 0};
inline constexpr std::size_t kCurrentProfileOffset = 6;  // big-endian, bytes 6-7 of the header

// MODE SENSE(10) of page 0x2A with page control 2 (the drive's default values), 440 bytes.
inline constexpr std::uint16_t kCapabilitiesPageLength = 440;
inline constexpr std::uint8_t kCapabilitiesPage = 0x2A;
inline constexpr std::array<std::uint8_t, 10> kModeSenseCapabilitiesCdb = {
    kScsiModeSense10, 0, 0x80 | kCapabilitiesPage, 0, 0, 0, 0, kCapabilitiesPageLength >> 8,
    kCapabilitiesPageLength & 0xFF, 0};

// Offsets into the MODE SENSE reply: an 8-byte mode parameter header, then page 0x2A.
struct CapabilitiesPageOffsets {
    static constexpr std::size_t kReadCapabilities = 10;
    static constexpr std::size_t kWriteCapabilities = 11;
    static constexpr std::size_t kMaxReadSpeed = 16;  // kB/s, big-endian
    static constexpr std::size_t kBufferSize = 20;    // KB, big-endian
    static constexpr std::size_t kMaxWriteSpeed = 26; // kB/s, big-endian
};

}  // namespace brimlow::storage
