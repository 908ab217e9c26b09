// A launcher that starts nothing and records what it was asked to start, in order.
#pragma once

#include "platform/launcher.h"

#include <string>
#include <vector>

namespace brimlow::testing {

class RecordingLauncher : public Launcher {
public:
    struct Call {
        std::string what;  // "shell", "run" or "mci"
        std::string verb, file, parameters, directory;
        ShowCommand show = ShowCommand::Hide;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;

    std::intptr_t ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                            const std::string& directory, ShowCommand show) override {
        calls.push_back({"shell", verb, file, parameters, directory, show});
        return 42;
    }
    unsigned RunCommandLine(const std::string& commandLine, ShowCommand show) override {
        calls.push_back({"run", "", commandLine, "", "", show});
        return 33;
    }
    unsigned SendMciString(const std::string& command, std::uintptr_t callbackWindow) override {
        calls.push_back({"mci", "", command, std::to_string(callbackWindow), "", ShowCommand::Hide});
        return 0;
    }

    static Call Opened(const std::string& file) { return {"shell", "open", file, "", "", ShowCommand::Normal}; }
    static Call Ran(const std::string& commandLine) { return {"run", "", commandLine, "", "", ShowCommand::Show}; }
};

}  // namespace brimlow::testing
