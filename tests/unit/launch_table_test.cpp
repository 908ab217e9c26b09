// The launcher menus as data: every item's launch against the list of what it must start, and the
// table against the menus the main window shows.
#include "app/launch_table.h"

#include "app/product.h"
#include "forms/main_form.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace brimlow {
namespace {

using K = LaunchKind;

// One line per item: how it launches, in the words of a log line, and whether it is busy.
std::string Describe(const LaunchRow& row) {
    const std::string show = row.show == ShowCommand::Normal ? "" : " show=" + std::to_string(int(row.show));
    switch (row.kind) {
    case K::Nothing: return "nothing";
    case K::CommandLine: return "run [" + row.command + "]" + show;
    case K::ShellExecute:
        return "shell verb=[" + row.verb + "] file=[" + row.command + "] params=[" + row.parameters + "]" +
               (row.ownedByMainWindow ? " owner=main" : "") +
               (row.directory == LaunchDirectory::WindowsDirectory ? " dir=windows" : "") + show;
    case K::ShellObject: return "object " + row.command;
    case K::MciCommand: return "mci [" + row.command + "]";
    case K::MonitorPower: return "monitor " + std::to_string(row.value);
    case K::TaskbarToggle: return "toggle taskbar " + row.command;
    case K::WarningBeepToggle: return "toggle beep";
    case K::MicrophoneMuteToggle: return "toggle microphone";
    }
    return "?";
}

struct Expected {
    const char* caption;
    std::string launch;
    bool busy;
};

const std::string kApplet = "run [rundll32.exe shell32.dll, Control_RunDLL ";

const std::vector<Expected> kExpected = {
    {"Run", "object FileRun", true},
    {"Explorer", "shell verb=[open] file=[explorer.exe] params=[]", false},
    {"Find Files", "object findfiles", false},
    {"Find Computer", "object findcomputer", false},
    {"Minimize All", "object MinimizeAll", false},
    {"Tray Properties", "object TrayProperties", false},
    {"Hide Taskbar", "toggle taskbar Shell_TrayWnd", false},
    {"Shutdown System", "object ShutdownWindows", false},
    {"Task Manager", "shell verb=[open] file=[taskmgr] params=[]", false},
    {"Volume Control", "shell verb=[open] file=[sndvol32.exe] params=[] owner=main dir=windows", false},
    {"Group Policy", "shell verb=[open] file=[gpedit.msc] params=[]", true},
    {"My Computer", "run [explorer.exe  ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}]", false},
    {"My Documents", "run [explorer.exe  ::{450D8FBA-AD25-11D0-98A8-0800361B1103}]", false},
    {"My Network Places", "run [explorer.exe  ::{208D2C60-3AEA-1069-A2D7-08002B30309D}]", false},
    {"Recycle Bin", "nothing", false},
    {"USB Safe Removal", "run [rundll32.exe shell32.dll,Control_RunDLL hotplug.dll] show=5", false},
    {"Accessibility", kApplet + "Access.cpl]", true},
    {"Add/Remove Programs", kApplet + "Appwiz.cpl]", true},
    {"Display", kApplet + "Desk.cpl]", true},
    {"Desktop", kApplet + "Desk.cpl]", true},
    {"Internet", kApplet + "Inetcpl.cpl]", true},
    {"Regional", kApplet + "Intl.cpl]", true},
    {"Joystick", kApplet + "Joy.cpl]", true},
    {"Mouse", kApplet + "Main.cpl]", true},
    {"Multimedia", kApplet + "Mmsys.cpl]", true},
    {"Modems", kApplet + "Modem.cpl]", true},
    {"Network", kApplet + "Netcpl.cpl]", true},
    {"ODBC", kApplet + "Odbccp32.cpl]", true},
    {"Password", kApplet + "Password.cpl]", true},
    {"Printers", "run [C:\\WINDOWS\\CONTROL.EXE PRINTERS]", true},
    {"System", kApplet + "Sysdm.cpl]", true},
    {"Theme", kApplet + "Themes.cpl]", false},
    {"Time/Date", kApplet + "Timedate.cpl]", true},
    {"Workgroup", kApplet + "Wgpocpl.cpl]", true},
    {"Scanners/Cameras", "run [RunDLL32.exe Shell32.dll,Control_RunDLL StiCpl.cpl]", false},
    {"Phone and Modem Options", "run [RunDLL32.exe Shell32.dll,Control_RunDLL Telephon.cpl]", false},
    {"System File Checker", "shell verb=[] file=[c:\\windows\\system32\\sfc.exe ] params=[/scannow]", false},
    {"Scandisk", "nothing", false},
    {"Defrag", "shell verb=[] file=[dfrg.msc] params=[]", false},
    {"Sys Edit", "shell verb=[] file=[c:\\windows\\system32\\sysedit.exe ] params=[]", false},
    {"File Signature Verification", "shell verb=[] file=[c:\\windows\\system32\\sigverif.exe] params=[]", false},
    {"Device Manager", "shell verb=[] file=[devmgmt.msc] params=[]", false},
    {"Dxdiag", "shell verb=[open] file=[dxdiag] params=[]", false},
    {"On Screen Keyboard", "shell verb=[open] file=[osk.exe] params=[]", false},
    {"Standby Monitor", "monitor 2", false},
    {"Switch Off Monitor", "monitor 0", false},
    {"Eject CD", "mci [Set cdaudio door open wait]", false},
    {"Load CD", "mci [Set cdaudio door closed wait]", false},
    {"Mute Speakers", "toggle beep", false},
    {"Mute Microphone", "toggle microphone", false},
    {"Brimlow - Webpage", std::string("shell verb=[open] file=[") + kProductPage + "] params=[]", false},
};

TEST(LaunchTable, EveryItemLaunchesWhatItMust) {
    std::map<std::string, const LaunchRow*> byCaption;
    for (const LaunchRow& row : LaunchTable()) byCaption[row.caption] = &row;
    ASSERT_EQ(LaunchTable().size(), kExpected.size());
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.caption);
        const auto found = byCaption.find(expected.caption);
        ASSERT_NE(found, byCaption.end());
        EXPECT_EQ(Describe(*found->second), expected.launch);
        EXPECT_EQ(found->second->busy, expected.busy);
    }
}

TEST(LaunchTable, CoversTheFourMenusAndTheWebPageAndNothingElse) {
    std::map<std::string, std::string> menuItems;  // name -> caption
    for (const ui::MenuItemLayout& menu : forms::MainFormLayout().menu) {
        const bool launcherMenu = menu.caption == "&System" || menu.caption == "&Control Panel" ||
                                  menu.caption == "Programs" || menu.caption == "Hardware";
        for (const ui::MenuItemLayout& item : menu.items)
            if (!item.IsSeparator() && (launcherMenu || item.name == "Brimlowwebpage1"))
                menuItems[item.name] = item.caption;
    }
    std::map<std::string, std::string> rows;
    for (const LaunchRow& row : LaunchTable()) rows[row.item] = row.caption;
    EXPECT_EQ(rows, menuItems);
    EXPECT_EQ(FindLaunch("EjectCD1")->command, "Set cdaudio door open wait");
    EXPECT_EQ(FindLaunch("About1"), nullptr);
}

}  // namespace
}  // namespace brimlow
