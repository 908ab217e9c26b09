// A launcher that starts nothing and records what it was asked to do, in order, with whether the
// hourglass was up at the time.
#pragma once

#include "platform/launcher.h"
#include "ui/application.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace brimlow::testing {

class RecordingLauncher : public Launcher {
public:
    struct Call {
        // "shell", "run", "mci", "object", "parameter", "message", "window" or "mute"
        std::string what;
        std::string verb, file, parameters, directory;
        ShowCommand show = ShowCommand::Hide;
        // shell: the owner window; message: the window it went to
        std::uintptr_t window = 0;
        // parameter: action, value, flags; message: message, wParam, lParam; mute: the value
        std::vector<std::intptr_t> values;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    // Per call: whether the application's cursor was the hourglass.
    std::vector<bool> busy;
    // What the microphone mute answers.
    MuteOutcome muteOutcome = MuteOutcome::Done;
    // Makes the shell object refuse its methods, as the system does an unknown one.
    bool shellObjectFails = false;

    std::intptr_t ShellOpenWithOwner(std::uintptr_t owner, const std::string& verb, const std::string& file,
                                     const std::string& parameters, const std::string& directory,
                                     ShowCommand show) override {
        Record({"shell", verb, file, parameters, directory, show, owner, {}});
        return 42;
    }
    unsigned RunCommandLine(const std::string& commandLine, ShowCommand show) override {
        Record({"run", "", commandLine, "", "", show, 0, {}});
        return 33;
    }
    unsigned SendMciString(const std::string& command, std::uintptr_t callbackWindow) override {
        Record({"mci", "", command, std::to_string(callbackWindow), "", ShowCommand::Hide, 0, {}});
        return 0;
    }
    void CallShellObject(const std::string& method) override {
        Record(Object(method));
        if (shellObjectFails) throw std::runtime_error("Unknown name.");
    }
    bool SetSystemParameter(unsigned action, unsigned value, unsigned flags) override {
        Record({"parameter", "", "", "", "", ShowCommand::Hide, 0, {static_cast<std::intptr_t>(action), static_cast<std::intptr_t>(value),
                                                             static_cast<std::intptr_t>(flags)}});
        return true;
    }
    std::intptr_t SendWindowMessage(std::uintptr_t window, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) override {
        Record({"message", "", "", "", "", ShowCommand::Hide, window,
                {static_cast<std::intptr_t>(message), static_cast<std::intptr_t>(wParam), lParam}});
        return 0;
    }
    bool ShowTopLevelWindow(const std::string& className, ShowCommand show) override {
        Record({"window", "", className, "", "", show, 0, {}});
        return true;
    }
    MuteOutcome SetMicrophoneMute(std::uint32_t mute) override {
        Record({"mute", "", "", "", "", ShowCommand::Hide, 0, {static_cast<std::intptr_t>(mute)}});
        return muteOutcome;
    }

    static Call Opened(const std::string& file) { return {"shell", "open", file, "", "", ShowCommand::Normal, 0, {}}; }
    static Call Ran(const std::string& commandLine) { return {"run", "", commandLine, "", "", ShowCommand::Show, 0, {}}; }
    static Call Object(const std::string& method) { return {"object", "", method, "", "", ShowCommand::Hide, 0, {}}; }

private:
    void Record(Call call) {
        calls.push_back(std::move(call));
        busy.push_back(ui::Application::Instance().cursor() == ui::Application::Cursor::HourGlass);
    }
};

}  // namespace brimlow::testing
