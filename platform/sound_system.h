// The sound hardware as the program meets it: how many wave-out and mixer devices there are, what
// the first wave-out device says of itself, and the sounds the program makes (the message beep,
// wave files and event sounds, speaker tones). Windows reach it through this interface so tests
// can script the devices and record what would have sounded instead of making a noise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brimlow {

// The flags of PlaySound that the program uses.
inline constexpr unsigned kPlayAsync = 0x0001;   // return at once, the sound goes on
inline constexpr unsigned kPlayAlias = 0x10000;  // the name is a system event's, not a file's

struct WaveOutDevice {
    std::string name;                // as the device names itself, at most 31 characters
    std::uint32_t driverVersion = 0;  // major version in the high byte of the low word, minor in the low byte
};

class SoundSystem {
public:
    virtual ~SoundSystem() = default;
    virtual unsigned WaveOutCount() = 0;
    virtual unsigned MixerCount() = 0;
    // The capabilities of wave-out device `index`; nullopt when the device does not answer.
    virtual std::optional<WaveOutDevice> WaveOut(unsigned index) = 0;

    // The results tell whether the system took the request; the program ignores them.
    virtual bool MessageBeep(unsigned type) = 0;
    // A file or an event name, no module, the PlaySound flags.
    virtual bool Play(const std::string& sound, unsigned flags) = 0;
    // A tone of `frequency` hertz for `duration` milliseconds; returns when it has ended.
    virtual bool Beep(std::uint32_t frequency, std::uint32_t duration) = 0;
};

// The real one: winmm and kernel32.
SoundSystem& SystemSoundSystem();

}  // namespace brimlow
