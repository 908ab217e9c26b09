#include "platform/mci_door.h"

namespace brimlow {

void CloseCdDoor(MciDoor& door, char letter) {
    std::uint32_t device = 0;
    if (door.Open("CDAudio", std::string(1, letter) + ":", device) != 0) return;
    door.SetDoorClosed(device);
    door.Close(device);
}

}  // namespace brimlow
