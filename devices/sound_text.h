// The texts and fixed requests of the sound window. Portable, so they can be checked without
// sound hardware.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brimlow {

// The sound card when the system has no wave-out device (also the summary's placeholder).
inline constexpr const char* kSoundNotDetected = "Not detected";
inline constexpr const char* kSelectEventMessage = "Select an item from the list";
// Below HKEY_CURRENT_USER: one subkey per system event that has a sound.
inline constexpr const char* kEventLabelsKey = "AppEvents\\EventLabels";
inline constexpr const char* kWaveFileFilter = "WAV Sound File|*.WAV";
inline constexpr const char* kSoundSettingsCommand = "rundll32.exe shell32.dll, Control_RunDLL Mmsys.cpl";
inline constexpr const char* kVolumeMixerCommand = "sndvol32.exe";

// The speaker test: three rising tones of a second each.
inline constexpr std::array<std::uint32_t, 3> kSpeakerTestTones{500, 700, 900};
inline constexpr std::uint32_t kSpeakerTestDuration = 1000;

// A driver version as "major.minor": the high and the low byte of its low word.
std::string DriverVersionText(std::uint32_t version);

// The number of mixer devices as the window shows it: the low byte of the count.
std::string MixerCountText(unsigned count);

// The beep setting: "Present" when the system beeps (1), "NOT Present" otherwise.
const char* SpeakerText(int beepSetting);

// A whole number as typed into an edit box: optional blanks before it, an optional sign, then
// decimal digits, or "$" and hexadecimal digits. Anything else, or a number beyond 32 bits,
// throws std::invalid_argument with the message "'<text>' is not a valid integer value".
std::int32_t IntegerFromText(std::string_view text);

}  // namespace brimlow
