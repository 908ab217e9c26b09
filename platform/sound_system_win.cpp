#include "platform/sound_system.h"

#include "platform/abi.h"

#include <windows.h>
#include <mmsystem.h>

BRIMLOW_PIN_SIZE(WAVEOUTCAPSA, 52, 52);

namespace brimlow {
namespace {

static_assert(kPlayAsync == SND_ASYNC);
static_assert(kPlayAlias == SND_ALIAS);

class WinmmSoundSystem : public SoundSystem {
public:
    unsigned WaveOutCount() override { return ::waveOutGetNumDevs(); }
    unsigned MixerCount() override { return ::mixerGetNumDevs(); }

    std::optional<WaveOutDevice> WaveOut(unsigned index) override {
        WAVEOUTCAPSA caps{};
        if (::waveOutGetDevCapsA(index, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
        // The name need not end inside its field.
        std::size_t length = 0;
        while (length < sizeof caps.szPname && caps.szPname[length]) ++length;
        return WaveOutDevice{std::string(caps.szPname, length), caps.vDriverVersion};
    }

    bool MessageBeep(unsigned type) override { return ::MessageBeep(type) != FALSE; }
    bool Play(const std::string& sound, unsigned flags) override {
        return ::PlaySoundA(sound.c_str(), nullptr, flags) != FALSE;
    }
    bool Beep(std::uint32_t frequency, std::uint32_t duration) override { return ::Beep(frequency, duration) != FALSE; }
};

}  // namespace

SoundSystem& SystemSoundSystem() {
    static WinmmSoundSystem system;
    return system;
}

}  // namespace brimlow
