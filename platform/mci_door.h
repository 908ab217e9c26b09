// A CD audio device's tray through the multimedia command interface: open the device for a drive,
// close its door, close the device. Behind an interface so tests record the sequence instead of
// moving a real tray; the system's is SystemMciDoor (platform/mci_door_win.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace brimlow {

class MciDoor {
public:
    virtual ~MciDoor() = default;
    // MCI_OPEN with MCI_OPEN_TYPE | MCI_OPEN_ELEMENT: `deviceType` ("CDAudio") on `element`
    // ("D:"). Returns the MCI error code, 0 on success with the device's id in `deviceId`.
    virtual unsigned Open(const std::string& deviceType, const std::string& element, std::uint32_t& deviceId) = 0;
    // MCI_SET with MCI_SET_DOOR_CLOSED.
    virtual unsigned SetDoorClosed(std::uint32_t deviceId) = 0;
    // MCI_CLOSE.
    virtual unsigned Close(std::uint32_t deviceId) = 0;
};

MciDoor& SystemMciDoor();

// Closes the tray of the drive `letter`: opens its CD audio device, closes the door and the
// device again. MCI errors are not reported; a device that did not open is left alone.
void CloseCdDoor(MciDoor& door, char letter);

}  // namespace brimlow
