#include "platform/mci_door.h"

#include <windows.h>
#include <mmsystem.h>

namespace brimlow {

namespace {

class SystemDoor final : public MciDoor {
public:
    unsigned Open(const std::string& deviceType, const std::string& element, std::uint32_t& deviceId) override {
        MCI_OPEN_PARMSA open{};
        open.lpstrDeviceType = deviceType.c_str();
        open.lpstrElementName = element.c_str();
        const MCIERROR error =
            ::mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open));
        if (error == 0) deviceId = open.wDeviceID;
        return error;
    }
    unsigned SetDoorClosed(std::uint32_t deviceId) override {
        MCI_SET_PARMS set{};
        return ::mciSendCommandA(deviceId, MCI_SET, MCI_SET_DOOR_CLOSED, reinterpret_cast<DWORD_PTR>(&set));
    }
    unsigned Close(std::uint32_t deviceId) override {
        // MCI_CLOSE knows only the notify and wait flags; the open's flags could make it refuse
        // and leave the device open.
        MCI_GENERIC_PARMS close{};
        return ::mciSendCommandA(deviceId, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
    }
};

}  // namespace

MciDoor& SystemMciDoor() {
    static SystemDoor door;
    return door;
}

}  // namespace brimlow
