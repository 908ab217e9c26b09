// TISODiscLib: multimedia commands to an optical drive through SCSI pass-through, and their
// replies as text - the capability list of the CD/DVD window and the profile of the inserted
// media.
//
// Portable: what the library learns from the system (the Windows release, the administrator
// test, drive types, the device files, the pause between readiness tries) comes in through a
// DiscLibPlatform, so the whole command flow runs against scripted drives. The system's platform
// is storage/ISODiscLib_win.h's.
#pragma once

#include "platform/device_io.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace brimlow::storage {

// The release family as the library tells them apart: 0 Windows 95, 1 later 9x, 2 NT 3.51,
// 3 NT 4, 4 Windows 2000, 5 anything newer; -1 for any other platform.
int WindowsVersionIndex(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);

// The index of a GET CONFIGURATION profile in the media profile table, -1 for one not listed.
int MediaProfileIndex(std::uint16_t profile);
// The name shown for a profile index; the empty text outside the table.
std::string MediaProfileName(int index);
// The current profile from a GET CONFIGURATION reply (big-endian, bytes 6-7); 0 when the reply is
// too short to hold it.
std::uint16_t CurrentProfileOf(std::span<const std::uint8_t> reply);

// A drive speed in kB/s as a multiple of the single CD speed (176.46 kB/s), to the nearest
// integer with halves going to the even neighbour.
long SpeedFactor(std::uint32_t kilobytesPerSecond);
long RoundHalfToEven(double value);

// The capability text of a MODE SENSE page 0x2A reply: the read and write lines whose bits are
// set, CR LF between lines, then the buffer size and the two speeds. A clear "Read CD-R" bit
// leaves the first line empty. Bytes beyond a short reply count as zero.
std::string CapabilityText(std::span<const std::uint8_t> reply);

struct DiscLibPlatform {
    std::function<int()> windowsVersionIndex;
    std::function<bool()> isAdministrator;
    // GetDriveTypeA of "D:" for a letter.
    std::function<unsigned(char letter)> driveType;
    DeviceIo* devices = nullptr;
    // Between two readiness tries: the pause, with the window's pending messages handled.
    std::function<void()> waitBetweenTries;
};

inline constexpr unsigned kDriveTypeRemovable = 2;  // DRIVE_REMOVABLE
inline constexpr unsigned kDriveTypeCdrom = 5;      // DRIVE_CDROM
inline constexpr int kReadinessTries = 10;

class TISODiscLib {
public:
    // Decides once whether pass-through is allowed: NT 4 or later, and an administrator.
    explicit TISODiscLib(DiscLibPlatform platform);

    bool passThroughAllowed() const { return allowed_; }

    // The optical drive behind `letter`, open for reading and writing; empty when pass-through
    // is not allowed, the letter is no CD-ROM drive or the device does not open.
    OpenedDevice OpenCdDrive(char letter);

    // One TEST UNIT READY; true when the command went through.
    static bool TestUnitReady(DeviceFile& drive);
    // The current media profile's index; -1 when the command fails or the profile is not listed.
    static int GetCurrentProfile(DeviceFile& drive);

    // Fills `text` with the drive's capability text once the drive is ready and names a profile;
    // leaves it untouched when the drive is not open, never becomes ready or has no usable profile.
    void ReadCapabilityText(DeviceFile* drive, std::string& text);

private:
    DiscLibPlatform platform_;
    bool allowed_ = false;
};

}  // namespace brimlow::storage
