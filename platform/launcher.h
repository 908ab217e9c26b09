// Handing things to the shell and starting programs, and the few hardware actions the program
// carries out for the user: documents, folders and addresses opened with their associated program,
// command lines run without waiting, the shell object's commands, multimedia command strings,
// system parameters, messages to windows, the taskbar and the microphone's mute switch. Windows
// reach all of them through this one interface so tests can record what would have happened
// instead of doing it (a started program may run on for ever; a hidden taskbar stays hidden).
#pragma once

#include "platform/mixer_mute.h"

#include <cstdint>
#include <string>

namespace brimlow {

// How a window appears (the system's show commands).
enum class ShowCommand : int {
    Hide = 0,
    Normal = 1,
    Minimized = 2,
    Maximized = 3,
    NoActivate = 4,
    Show = 5,
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // The shell carries out `verb` ("open", "explore", ...; empty: the file's default verb) on
    // `file`; `owner` is the window handle its messages belong to (0 for none). Empty parameters
    // and directory are passed as none. The shell's answer: greater than 32 on success.
    virtual std::intptr_t ShellOpenWithOwner(std::uintptr_t owner, const std::string& verb, const std::string& file,
                                             const std::string& parameters, const std::string& directory,
                                             ShowCommand show) = 0;
    std::intptr_t ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                            const std::string& directory, ShowCommand show) {
        return ShellOpenWithOwner(0, verb, file, parameters, directory, show);
    }
    // Starts a command line and returns at once. Greater than 31 on success.
    virtual unsigned RunCommandLine(const std::string& commandLine, ShowCommand show) = 0;
    // Hands a command string ("Set cdaudio door open wait", ...) to the multimedia command
    // interpreter with no return buffer; `callbackWindow` is the window handle it notifies (0 for
    // none). Returns the interpreter's error code, 0 on success.
    virtual unsigned SendMciString(const std::string& command, std::uintptr_t callbackWindow) = 0;
    // Makes the shell's automation object and calls `method` on it by name, without arguments.
    // Throws std::runtime_error with the system's text when the object cannot be made or has no
    // such method.
    virtual void CallShellObject(const std::string& method) = 0;
    // Sets a system parameter that takes its value in the number argument and no buffer; `flags`
    // say whether the user profile keeps it. True when the system took it.
    virtual bool SetSystemParameter(unsigned action, unsigned value, unsigned flags) = 0;
    // Sends a message to a window and waits until it has been handled; the window's answer.
    virtual std::intptr_t SendWindowMessage(std::uintptr_t window, unsigned message, std::uintptr_t wParam,
                                            std::intptr_t lParam) = 0;
    // Shows or hides the top-level window of the window class `className`; false when there is
    // none.
    virtual bool ShowTopLevelWindow(const std::string& className, ShowCommand show) = 0;
    // Sets the mute switch of the first mixer's microphone line (1 muted, 0 not).
    virtual MuteOutcome SetMicrophoneMute(std::uint32_t mute) = 0;
};

// The real one: the shell, WinExec, the multimedia interpreter and mixer, and user32.
Launcher& SystemLauncher();

}  // namespace brimlow
