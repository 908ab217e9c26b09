#include "platform/launcher.h"

#include <windows.h>
#include <shellapi.h>
#include <mmsystem.h>

namespace brimlow {
namespace {

static_assert(static_cast<int>(ShowCommand::Hide) == SW_HIDE);
static_assert(static_cast<int>(ShowCommand::Normal) == SW_SHOWNORMAL);
static_assert(static_cast<int>(ShowCommand::Show) == SW_SHOW);

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

class ShellLauncher : public Launcher {
public:
    std::intptr_t ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                            const std::string& directory, ShowCommand show) override {
        return reinterpret_cast<std::intptr_t>(::ShellExecuteA(nullptr, OrNull(verb), file.c_str(), OrNull(parameters),
                                                                OrNull(directory), static_cast<int>(show)));
    }
    unsigned RunCommandLine(const std::string& commandLine, ShowCommand show) override {
        return ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
    }
    unsigned SendMciString(const std::string& command, std::uintptr_t callbackWindow) override {
        return ::mciSendStringA(command.c_str(), nullptr, 0, reinterpret_cast<HWND>(callbackWindow));
    }
};

}  // namespace

Launcher& SystemLauncher() {
    static ShellLauncher launcher;
    return launcher;
}

}  // namespace brimlow
