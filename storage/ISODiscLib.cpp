#include "storage/ISODiscLib.h"

#include "platform/scsi_pass_through.h"
#include "storage/ISOSCSIStructs.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace brimlow::storage {

namespace {

struct MediaProfile {
    std::uint16_t profile;
    const char* name;
};

// In index order: a profile's index is its position here.
constexpr MediaProfile kMediaProfiles[] = {
    {0x0000, "No Current Profile"},
    {0x0001, "Non Removable Disk"},
    {0x0002, "Removable Disk"},
    {0x0003, "Magneto Optical Erasable"},
    {0x0004, "Optical Write Once"},
    {0x0005, "AS-MO"},
    {0x0008, "CD-ROM"},
    {0x0009, "CD-R"},
    {0x000A, "CD-RW"},
    {0x0010, "DVD-ROM"},
    {0x0011, "DVD-R SequentialRecording,"},
    {0x0012, "DVD-RAM"},
    {0x0013, "DVD-RW Restricted Overwrite"},
    {0x0014, "DVD-RW Sequential Recording"},
    {0x001A, "DVD+RW"},
    {0x001B, "DVD+R"},
    {0x0020, "DDCD-ROM"},
    {0x0021, "DDCD-R"},
    {0x0022, "DDCD-RW"},
    {0xFFFF, "UNKNOWN"},
};

// The speed of a single-speed CD drive, in kB/s, as drives count it.
constexpr double kSingleCdSpeed = 176.46;

struct CapabilityLine {
    std::size_t offset;
    unsigned bit;
    const char* text;
};

constexpr CapabilityLine kCapabilityLines[] = {
    {CapabilitiesPageOffsets::kReadCapabilities, 0, "Read CD-R"},
    {CapabilitiesPageOffsets::kReadCapabilities, 1, "Read CD-RW"},
    {CapabilitiesPageOffsets::kReadCapabilities, 2, "Read Method 2"},
    {CapabilitiesPageOffsets::kReadCapabilities, 3, "Read DVD-ROM"},
    {CapabilitiesPageOffsets::kReadCapabilities, 4, "Read DVD-R / DVD-RW"},
    {CapabilitiesPageOffsets::kReadCapabilities, 5, "Read DVD-RAM"},
    {CapabilitiesPageOffsets::kWriteCapabilities, 0, "Write CD-R"},
    {CapabilitiesPageOffsets::kWriteCapabilities, 1, "Write CD-RW"},
    {CapabilitiesPageOffsets::kWriteCapabilities, 2, "Write Test"},
    {CapabilitiesPageOffsets::kWriteCapabilities, 4, "Write DVD-R / DVD-RW"},
    {CapabilitiesPageOffsets::kWriteCapabilities, 5, "Write DVD-RAM"},
};

std::uint8_t ByteAt(std::span<const std::uint8_t> reply, std::size_t offset) {
    return offset < reply.size() ? reply[offset] : 0;
}

std::uint16_t BigEndian16(std::span<const std::uint8_t> reply, std::size_t offset) {
    return static_cast<std::uint16_t>((ByteAt(reply, offset) << 8) | ByteAt(reply, offset + 1));
}

// One command with data coming in; true when the platform call succeeded (the SCSI status is not
// looked at: a drive that fails a command leaves the zeroed data behind).
bool SendIn(DeviceFile& drive, std::span<const std::uint8_t> cdb, std::span<std::uint8_t> data,
            std::uint8_t senseLength) {
    ScsiPassThroughDirectWithSense record;
    PrepareScsiCommand(record, cdb, ScsiDataDirection::In, data, kMmcTimeoutSeconds, senseLength);
    return SendScsiCommand(drive, record).ok;
}

}  // namespace

int WindowsVersionIndex(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    constexpr std::uint32_t kWin9x = 1, kNT = 2;
    if (platformId == kWin9x) return minor == 0 ? 0 : 1;
    if (platformId != kNT) return -1;
    if (major == 3 && minor > 50) return 2;
    if (major == 4) return 3;
    if (major == 5 && minor == 0) return 4;
    return 5;
}

int MediaProfileIndex(std::uint16_t profile) {
    for (std::size_t i = 0; i < std::size(kMediaProfiles); ++i)
        if (kMediaProfiles[i].profile == profile) return static_cast<int>(i);
    return -1;
}

std::string MediaProfileName(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kMediaProfiles))) return {};
    return kMediaProfiles[index].name;
}

std::uint16_t CurrentProfileOf(std::span<const std::uint8_t> reply) {
    if (reply.size() < kCurrentProfileOffset + 2) return 0;
    return BigEndian16(reply, kCurrentProfileOffset);
}

long RoundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    long result = static_cast<long>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return result;
}

long SpeedFactor(std::uint32_t kilobytesPerSecond) { return RoundHalfToEven(kilobytesPerSecond / kSingleCdSpeed); }

std::string CapabilityText(std::span<const std::uint8_t> reply) {
    std::string text;
    bool first = true;
    auto line = [&](const std::string& s) {
        if (!first) text += "\r\n";
        text += s;
        first = false;
    };
    for (const CapabilityLine& c : kCapabilityLines) {
        if (ByteAt(reply, c.offset) & (1u << c.bit)) {
            line(c.text);
        } else if (first) {
            // The first line is always there; without "Read CD-R" it is the empty line.
            first = false;
        }
    }
    line("Device Buffer: " + std::to_string(BigEndian16(reply, CapabilitiesPageOffsets::kBufferSize)) + "k");
    line("Max Read Speed: " + std::to_string(SpeedFactor(BigEndian16(reply, CapabilitiesPageOffsets::kMaxReadSpeed))) +
         "x");
    line("Max Write Speed: " +
         std::to_string(SpeedFactor(BigEndian16(reply, CapabilitiesPageOffsets::kMaxWriteSpeed))) + "x");
    return text;
}

TISODiscLib::TISODiscLib(DiscLibPlatform platform) : platform_(std::move(platform)) {
    const int index = platform_.windowsVersionIndex ? platform_.windowsVersionIndex() : -1;
    allowed_ = index >= 3 && index <= 5 && platform_.isAdministrator && platform_.isAdministrator();
}

OpenedDevice TISODiscLib::OpenCdDrive(char letter) {
    if (!allowed_ || !platform_.devices || !platform_.driveType) return {};
    if (platform_.driveType(letter) != kDriveTypeCdrom) return {};
    return platform_.devices->Open(std::string("\\\\.\\") + letter + ":", kGenericRead | kGenericWrite,
                                   kShareRead | kShareWrite);
}

bool TISODiscLib::TestUnitReady(DeviceFile& drive) { return SendIn(drive, kTestUnitReadyCdb, {}, kMmcSenseLength); }

int TISODiscLib::GetCurrentProfile(DeviceFile& drive) {
    std::array<std::uint8_t, kGetConfigurationLength> reply{};
    if (!SendIn(drive, kGetConfigurationCdb, reply, kMmcSenseLength)) return -1;
    return MediaProfileIndex(CurrentProfileOf(reply));
}

void TISODiscLib::ReadCapabilityText(DeviceFile* drive, std::string& text) {
    if (!drive) return;
    bool ready = false;
    for (int attempt = 0; attempt < kReadinessTries && !ready; ++attempt) {
        if (platform_.waitBetweenTries) platform_.waitBetweenTries();
        ready = TestUnitReady(*drive);
    }
    if (!ready) return;
    if (GetCurrentProfile(*drive) == -1) return;
    std::vector<std::uint8_t> page(kCapabilitiesPageLength, 0);
    SendIn(*drive, kModeSenseCapabilitiesCdb, page, kModeSenseSenseLength);
    text = CapabilityText(page);
}

}  // namespace brimlow::storage
