// Setting the microphone's mute switch through a mixer, as a sequence of steps over the mixer's
// calls. Portable: the calls are behind MixerDevice, so the steps and their failures are tested
// with a scripted mixer; the real device is the launcher's, in platform/launcher_win.cpp.
#pragma once

#include <cstdint>
#include <optional>

namespace brimlow {

// How far the steps got.
enum class MuteOutcome {
    NoMixer,           // no mixer, or the first one would not open: nothing was done
    NoMicrophoneLine,  // the mixer has no microphone line: nothing was set
    NoMuteControl,     // the microphone line has no mute switch
    SetFailed,         // the mute switch refused the value
    Done,
};

class MixerDevice {
public:
    virtual ~MixerDevice() = default;
    virtual unsigned DeviceCount() = 0;
    // Opens mixer `device`; false when it cannot be opened.
    virtual bool Open(unsigned device) = 0;
    // The identifier of the open mixer's line of a component type, or of one control of a type
    // on a line; nullopt when the mixer answers with an error.
    virtual std::optional<std::uint32_t> LineOfComponent(std::uint32_t componentType) = 0;
    virtual std::optional<std::uint32_t> ControlOfType(std::uint32_t line, std::uint32_t controlType) = 0;
    // Sets a one-channel control to a 32-bit value; false when the mixer refuses.
    virtual bool SetControlValue(std::uint32_t control, std::uint32_t value) = 0;
    virtual void Close() = 0;
};

inline constexpr std::uint32_t kMicrophoneComponent = 0x1003;  // MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE
inline constexpr std::uint32_t kMuteControl = 0x20010002;      // MIXERCONTROL_CONTROLTYPE_MUTE

// Mixer 0's microphone line's mute switch set to `mute`; a mixer that opened is closed on every path.
MuteOutcome SetMicrophoneMute(MixerDevice& mixer, std::uint32_t mute);

}  // namespace brimlow
