// Handing things to the shell and starting programs: documents, folders and addresses opened with
// their associated program, and command lines run without waiting. Windows reach them through this
// interface so tests can record what would have been started instead of starting it (a started
// program may run on for ever).
#pragma once

#include <cstdint>
#include <string>

namespace brimlow {

// How a started program's window appears (the system's show commands).
enum class ShowCommand : int {
    Hide = 0,
    Normal = 1,
    Show = 5,
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // The shell carries out `verb` ("open", "explore", ...) on `file` with no owner window. The
    // shell's answer: greater than 32 on success.
    virtual std::intptr_t ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                                    const std::string& directory, ShowCommand show) = 0;
    // Starts a command line and returns at once. Greater than 31 on success.
    virtual unsigned RunCommandLine(const std::string& commandLine, ShowCommand show) = 0;
    // Hands a command string ("Set cdaudio door open wait", ...) to the multimedia command
    // interpreter with no return buffer; `callbackWindow` is the window handle it notifies (0 for
    // none). Returns the interpreter's error code, 0 on success.
    virtual unsigned SendMciString(const std::string& command, std::uintptr_t callbackWindow) = 0;
};

// The real one: ShellExecuteA and WinExec.
Launcher& SystemLauncher();

}  // namespace brimlow
