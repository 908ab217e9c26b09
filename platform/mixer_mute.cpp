#include "platform/mixer_mute.h"

namespace brimlow {

MuteOutcome SetMicrophoneMute(MixerDevice& mixer, std::uint32_t mute) {
    if (mixer.DeviceCount() == 0 || !mixer.Open(0)) return MuteOutcome::NoMixer;
    MuteOutcome outcome = MuteOutcome::Done;
    if (const auto line = mixer.LineOfComponent(kMicrophoneComponent); !line) {
        outcome = MuteOutcome::NoMicrophoneLine;
    } else if (const auto control = mixer.ControlOfType(*line, kMuteControl); !control) {
        outcome = MuteOutcome::NoMuteControl;
    } else if (!mixer.SetControlValue(*control, mute)) {
        outcome = MuteOutcome::SetFailed;
    }
    mixer.Close();
    return outcome;
}

}  // namespace brimlow
