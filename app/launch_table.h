// What each item of the System, Control Panel, Programs and Hardware menus (and the Help menu's
// web page) does, as data: the kind of launch and its exact arguments. The main window runs a row
// through the launcher; nothing here touches the system.
#pragma once

#include "platform/launcher.h"

#include <span>
#include <string>
#include <string_view>

namespace brimlow {

enum class LaunchKind {
    Nothing,          // the item is there and does nothing
    CommandLine,      // WinExec of `command` with `show`
    ShellExecute,     // the shell's `verb` on the file `command` with `parameters`
    ShellObject,      // the shell object's method `command`
    MciCommand,       // the multimedia command string `command`, the main window as callback
    MonitorPower,     // the monitor power system command with `value` to the main window
    TaskbarToggle,    // check mark; the taskbar hidden when checked, shown when not
    WarningBeepToggle,  // check mark; the warning beep off when checked, on when not
    MicrophoneMuteToggle,  // check mark; the microphone muted when checked
};

enum class LaunchDirectory { None, WindowsDirectory };

struct LaunchRow {
    std::string item;     // the menu item's component name
    std::string caption;  // its caption, as the menu shows it
    LaunchKind kind = LaunchKind::Nothing;
    std::string command;  // command line, file, method or command string
    std::string verb;
    std::string parameters;
    LaunchDirectory directory = LaunchDirectory::None;
    bool ownedByMainWindow = false;  // shell execute: the main window is the owner
    ShowCommand show = ShowCommand::Normal;
    bool busy = false;  // the hourglass while the launch call runs
    int value = 0;      // monitor power: the power state
};

// The window message, system command and parameters the hardware rows send.
inline constexpr unsigned kSysCommandMessage = 0x0112;  // WM_SYSCOMMAND
inline constexpr unsigned kMonitorPowerCommand = 0xF170;  // SC_MONITORPOWER
inline constexpr unsigned kSetBeepAction = 2;  // SPI_SETBEEP
inline constexpr unsigned kUpdateProfileFlag = 1;  // SPIF_UPDATEINIFILE
inline constexpr const char* kTaskbarClass = "Shell_TrayWnd";
inline constexpr const char* kGetLineInfoError = "GetLineInfo Error";
inline constexpr const char* kSetControlDetailsError = "SetControlDetails Error";

std::span<const LaunchRow> LaunchTable();
// The row of a menu item; nullptr when the item is not a launcher.
const LaunchRow* FindLaunch(std::string_view item);

}  // namespace brimlow
