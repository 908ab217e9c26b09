#include "app/launch_table.h"

#include "app/product.h"

#include <vector>

namespace brimlow {
namespace {

LaunchRow Row(std::string item, std::string caption, LaunchKind kind, std::string command, bool busy = false) {
    LaunchRow row;
    row.item = std::move(item);
    row.caption = std::move(caption);
    row.kind = kind;
    row.command = std::move(command);
    row.busy = busy;
    return row;
}

LaunchRow Object(std::string item, std::string caption, std::string method, bool busy = false) {
    return Row(std::move(item), std::move(caption), LaunchKind::ShellObject, std::move(method), busy);
}

LaunchRow Shell(std::string item, std::string caption, std::string verb, std::string file,
                std::string parameters = {}, bool busy = false) {
    LaunchRow row = Row(std::move(item), std::move(caption), LaunchKind::ShellExecute, std::move(file), busy);
    row.verb = std::move(verb);
    row.parameters = std::move(parameters);
    return row;
}

LaunchRow Command(std::string item, std::string caption, std::string commandLine, bool busy = false,
                  ShowCommand show = ShowCommand::Normal) {
    LaunchRow row = Row(std::move(item), std::move(caption), LaunchKind::CommandLine, std::move(commandLine), busy);
    row.show = show;
    return row;
}

// The applets start through the shell's control panel entry; the blank after the comma is how the
// command has always been written, and rundll32 takes it.
LaunchRow Applet(std::string item, std::string caption, const std::string& file, bool busy = true) {
    return Command(std::move(item), std::move(caption), "rundll32.exe shell32.dll, Control_RunDLL " + file, busy);
}

LaunchRow Hardware(std::string item, std::string caption, LaunchKind kind, std::string command = {}, int value = 0) {
    LaunchRow row = Row(std::move(item), std::move(caption), kind, std::move(command));
    row.value = value;
    return row;
}

LaunchRow Nothing(std::string item, std::string caption) {
    return Row(std::move(item), std::move(caption), LaunchKind::Nothing, {});
}

std::vector<LaunchRow> BuildTable() {
    LaunchRow volume = Shell("VolumeControl1", "Volume Control", "open", "sndvol32.exe");
    volume.ownedByMainWindow = true;
    volume.directory = LaunchDirectory::WindowsDirectory;
    return {
        // System
        Object("Run1", "Run", "FileRun", true),
        // The shell object has no method to open an Explorer window, so Explorer is started itself.
        Shell("Explorer1", "Explorer", "open", "explorer.exe"),
        Object("FindFiles1", "Find Files", "findfiles"),
        Object("FindComputer1", "Find Computer", "findcomputer"),
        Object("MinimizeAll1", "Minimize All", "MinimizeAll"),
        Object("TrayProperties1", "Tray Properties", "TrayProperties"),
        Hardware("HideTaskbar1", "Hide Taskbar", LaunchKind::TaskbarToggle, kTaskbarClass),
        Object("ShutdownSystem1", "Shutdown System", "ShutdownWindows"),
        Shell("TaskManager1", "Task Manager", "open", "taskmgr"),
        volume,
        Shell("GroupPolicy1", "Group Policy", "open", "gpedit.msc", {}, true),
        Command("MyComputer1", "My Computer", "explorer.exe  ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"),
        Command("MyDocuments1", "My Documents", "explorer.exe  ::{450D8FBA-AD25-11D0-98A8-0800361B1103}"),
        Command("MyNetworkPlaces1", "My Network Places", "explorer.exe  ::{208D2C60-3AEA-1069-A2D7-08002B30309D}"),
        Nothing("RecycleBin1", "Recycle Bin"),
        Command("USBSafeRemoval1", "USB Safe Removal", "rundll32.exe shell32.dll,Control_RunDLL hotplug.dll", false,
                ShowCommand::Show),
        // Control Panel
        Applet("Accessibility1", "Accessibility", "Access.cpl"),
        Applet("AddRemovePrograms1", "Add/Remove Programs", "Appwiz.cpl"),
        Applet("Display1", "Display", "Desk.cpl"),
        Applet("Desktop1", "Desktop", "Desk.cpl"),
        Applet("Internet1", "Internet", "Inetcpl.cpl"),
        Applet("Regional1", "Regional", "Intl.cpl"),
        Applet("Joystick1", "Joystick", "Joy.cpl"),
        Applet("Mouse1", "Mouse", "Main.cpl"),
        Applet("Multimedia1", "Multimedia", "Mmsys.cpl"),
        Applet("Modems1", "Modems", "Modem.cpl"),
        Applet("Network1", "Network", "Netcpl.cpl"),
        Applet("ODBC1", "ODBC", "Odbccp32.cpl"),
        Applet("Password1", "Password", "Password.cpl"),
        Command("Printers1", "Printers", "C:\\WINDOWS\\CONTROL.EXE PRINTERS", true),
        Applet("System2", "System", "Sysdm.cpl"),
        Applet("Theme1", "Theme", "Themes.cpl", false),
        Applet("TimeDate1", "Time/Date", "Timedate.cpl"),
        Applet("Workgroup1", "Workgroup", "Wgpocpl.cpl"),
        Command("ScannersCameras1", "Scanners/Cameras", "RunDLL32.exe Shell32.dll,Control_RunDLL StiCpl.cpl"),
        Command("PhoneandModemOptions1", "Phone and Modem Options",
                "RunDLL32.exe Shell32.dll,Control_RunDLL Telephon.cpl"),
        // Programs; the trailing blanks of two file names are how they have always been given.
        Shell("SystemFileChecker1", "System File Checker", "", "c:\\windows\\system32\\sfc.exe ", "/scannow"),
        Nothing("Scandisk1", "Scandisk"),
        Shell("Defrag1", "Defrag", "", "dfrg.msc"),
        Shell("SysEdit1", "Sys Edit", "", "c:\\windows\\system32\\sysedit.exe "),
        Shell("FileSignatureVerification1", "File Signature Verification", "", "c:\\windows\\system32\\sigverif.exe"),
        Shell("DeviceManager1", "Device Manager", "", "devmgmt.msc"),
        Shell("Dxdiag1", "Dxdiag", "open", "dxdiag"),
        Shell("OnScreenKeyboard1", "On Screen Keyboard", "open", "osk.exe"),
        // Hardware
        Hardware("StandbyMonitor1", "Standby Monitor", LaunchKind::MonitorPower, {}, 2),
        // Zero is "off"; -1 would turn the monitor back on.
        Hardware("SwitchOffMonitor1", "Switch Off Monitor", LaunchKind::MonitorPower, {}, 0),
        Hardware("EjectCD1", "Eject CD", LaunchKind::MciCommand, "Set cdaudio door open wait"),
        Hardware("LoadCD1", "Load CD", LaunchKind::MciCommand, "Set cdaudio door closed wait"),
        Hardware("MuteSpeakers1", "Mute Speakers", LaunchKind::WarningBeepToggle),
        Hardware("MuteMicrophone1", "Mute Microphone", LaunchKind::MicrophoneMuteToggle),
        // Help
        Shell("Brimlowwebpage1", "Brimlow - Webpage", "open", kProductPage),
    };
}

}  // namespace

std::span<const LaunchRow> LaunchTable() {
    static const std::vector<LaunchRow> table = BuildTable();
    return table;
}

const LaunchRow* FindLaunch(std::string_view item) {
    for (const LaunchRow& row : LaunchTable())
        if (row.item == item) return &row;
    return nullptr;
}

}  // namespace brimlow
