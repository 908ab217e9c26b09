// The microphone mute's steps over a scripted mixer: where each failure stops, what each step is
// asked for, and that a mixer that opened is always closed.
#include "platform/mixer_mute.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimlow {
namespace {

class ScriptedMixer : public MixerDevice {
public:
    unsigned devices = 1;
    bool opens = true;
    std::optional<std::uint32_t> line = 7, control = 42;
    bool sets = true;
    std::vector<std::string> log;

    unsigned DeviceCount() override { return devices; }
    bool Open(unsigned device) override {
        log.push_back("open " + std::to_string(device));
        return opens;
    }
    std::optional<std::uint32_t> LineOfComponent(std::uint32_t type) override {
        log.push_back("line " + std::to_string(type));
        return line;
    }
    std::optional<std::uint32_t> ControlOfType(std::uint32_t onLine, std::uint32_t type) override {
        log.push_back("control " + std::to_string(onLine) + " " + std::to_string(type));
        return control;
    }
    bool SetControlValue(std::uint32_t id, std::uint32_t value) override {
        log.push_back("set " + std::to_string(id) + " " + std::to_string(value));
        return sets;
    }
    void Close() override { log.push_back("close"); }
};

TEST(MicrophoneMute, StepsStopWhereTheMixerFails) {
    const std::string line = "line " + std::to_string(kMicrophoneComponent);
    const std::string control = "control 7 " + std::to_string(kMuteControl);
    struct Case {
        const char* name;
        void (*script)(ScriptedMixer&);
        MuteOutcome outcome;
        std::vector<std::string> log;
    } cases[] = {
        {"no mixer", [](ScriptedMixer& m) { m.devices = 0; }, MuteOutcome::NoMixer, {}},
        {"mixer will not open", [](ScriptedMixer& m) { m.opens = false; }, MuteOutcome::NoMixer, {"open 0"}},
        {"no microphone line", [](ScriptedMixer& m) { m.line.reset(); }, MuteOutcome::NoMicrophoneLine,
         {"open 0", line, "close"}},
        {"no mute switch", [](ScriptedMixer& m) { m.control.reset(); }, MuteOutcome::NoMuteControl,
         {"open 0", line, control, "close"}},
        {"switch refuses", [](ScriptedMixer& m) { m.sets = false; }, MuteOutcome::SetFailed,
         {"open 0", line, control, "set 42 1", "close"}},
        {"muted", [](ScriptedMixer&) {}, MuteOutcome::Done, {"open 0", line, control, "set 42 1", "close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedMixer mixer;
        c.script(mixer);
        EXPECT_EQ(SetMicrophoneMute(mixer, 1), c.outcome);
        EXPECT_EQ(mixer.log, c.log);
    }
}

TEST(MicrophoneMute, UnmuteSetsZero) {
    ScriptedMixer mixer;
    EXPECT_EQ(SetMicrophoneMute(mixer, 0), MuteOutcome::Done);
    EXPECT_EQ(mixer.log.at(3), "set 42 0");
}

}  // namespace
}  // namespace brimlow
