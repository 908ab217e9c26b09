// The main window on a hidden window: handlers, shortcuts, resizing, the default error handler and
// the unattended report, against the real controls.
#include "app/Unit1.h"
#include "app/software_collectors.h"
#include "platform/wmiquery.h"
#include "forms/main_form.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace brimlow {
namespace {

int ControlWidth(HWND control) {
    RECT rc;
    ::GetWindowRect(control, &rc);
    return rc.right - rc.left;
}

std::string TempFile(const char* name) {
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool SendShortcut(ui::Form& form, WORD key, bool ctrl = false) {
    // TranslateAccelerator reads the modifier state from the keyboard state.
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    BYTE saved = state[VK_CONTROL];
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(state);
    MSG msg{form.hwnd(), WM_KEYDOWN, key, 0, 0, {}};
    const bool handled = form.TranslateShortcut(msg);
    state[VK_CONTROL] = saved;
    ::SetKeyboardState(state);
    return handled;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        form.Create();
        ASSERT_NE(form.hwnd(), nullptr);
    }
    TForm1 form{{}};
};

TEST_F(MainWindow, CreatedHiddenWithCaptionAndEmptySheet) {
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(form.Caption(), "Brimlow 2.86");
    EXPECT_EQ(form.versionText(), "2.86");
    const auto rows = form.SummaryRows();
    ASSERT_EQ(rows.size(), 28u);
    for (int n = 0; n < 28; ++n) {
        EXPECT_EQ(rows[n].label, kSummaryLabels[n]);
        EXPECT_EQ(rows[n].value, "");
    }
}

struct OwnedWindows {
    HWND owner;
    std::vector<std::string> classes;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM data) {
    auto& owned = *reinterpret_cast<OwnedWindows*>(data);
    if (::GetWindow(window, GW_OWNER) != owned.owner) return TRUE;
    // A window that stays on top of all others is above the rest whenever it was made.
    if (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) return TRUE;
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    owned.classes.push_back(name);
    return TRUE;
}

// The detail windows exist, hidden, from the start, made in the program's order: each new window
// goes on top of those before it.
TEST_F(MainWindow, DetailWindowsAreMadeInTheirOrder) {
    OwnedWindows owned{form.hwnd(), {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&owned));
    std::reverse(owned.classes.begin(), owned.classes.end());
    const std::vector<std::string> expected = {
        "TfrmAdmin",   "TfrmPersonal", "TfrmMemory",  "TfrmDisplay",     "TfrmDisk",           "TfrmDevices",
        "TfrmUnistall", "TfrmStartup", "TfrmHelp",    "TfrmCDDVD",       "TfrmNetwork",
        "TfrmUserList", "TfrmNetworkAdapters", "TfrmComputers", "TfrmInternet", "TfrmPrinters", "TfrmServices", "TfrmBiosInfo",
        "TfrmUSBDrives", "TfrmUSB", "TfrmDateTime"};
    EXPECT_EQ(owned.classes, expected) << "the meters window, made between help and CD/DVD, stays on top";
    EXPECT_TRUE(::GetWindowLongA(form.frmMeters().hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    for (const HWND window : {form.frmUSB().hwnd(), form.frmPrinters().hwnd(), form.frmCDDVD().hwnd()})
        EXPECT_FALSE(::IsWindowVisible(window));
}

TEST_F(MainWindow, OnlyTheBuiltItemsAreEnabled) {
    for (const char* name : {"Refresh1", "Exit1", "ToolButton5", "ransparentBackground1", "ScrollDown1", "ScrollUp1",
                             "CPUInfo1", "ToolButton2", "Save1", "ExporttoHTML1", "CopytoClipboard1", "PersonalInfo1",
                             "ToolButton6", "BIOSInfo1", "ToolButton10", "Run1", "Accessibility1", "Defrag1",
                             "EjectCD1", "Administrator1", "About1", "UsingBrimlow1", "Brimlowwebpage1",
                             "ToolButton3", "ToolButton12", "Toolbutton14", "NetworkAdapters1", "Print1",
                             "QuickPrint1", "PrintHardwareSpec1", "CDDVDInfo1", "ToolButton11", "USBDrives1",
                             "Sound1", "ToolButton4", "PrinterInfo1", "ToolButton1"})
        EXPECT_TRUE(form.Enabled(name)) << name;
    // The real menu agrees with the form's own view.
    const HMENU menu = ::GetMenu(form.hwnd());
    ASSERT_NE(menu, nullptr);
    for (const char* name : {"Refresh1", "Sound1", "PrinterInfo1"})
        EXPECT_FALSE(::GetMenuState(menu, *ui::CommandIdOf(forms::MainFormLayout(), name), MF_BYCOMMAND) & MF_GRAYED)
            << name;
}

TEST_F(MainWindow, RefreshFillsTheSoftwareRows) {
    form.Refresh1Click();
    EXPECT_EQ(form.Text("Info1"), "Windows 7 Professional, Version 6.1.7601, Service Pack 1,  64 Bit.");
    EXPECT_FALSE(form.Text("Info2").empty());
    EXPECT_EQ(form.Text("Info28"), HostName());
    EXPECT_EQ(form.Text("Info10"), NetworkPresence());
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
}

TEST_F(MainWindow, RefreshFillsTheWmiRows) {
    form.Refresh1Click();
    EXPECT_FALSE(form.Text("Info19").empty());
    EXPECT_EQ(form.Text("Info19"), WmiLastValue(".", "Win32_BIOS", "Manufacturer"));
    EXPECT_FALSE(form.Text("Info20").empty());
    EXPECT_EQ(form.Text("Info20"), WmiLastValue("", "Win32_ComputerSystemProduct", "Name"));
    // Wine has exactly one base board.
    TStringTable board;
    int boards = 0;
    ASSERT_EQ(WmiQueryTable("", "root\\CIMV2", "", "", "SELECT Manufacturer, Product FROM Win32_BaseBoard", board,
                            boards),
              2);
    ASSERT_EQ(boards, 1);
    EXPECT_EQ(form.Text("Info25"),
              TrimControls(WmiTableValue(board, "Manufacturer") + " " + WmiTableValue(board, "Product")));
    EXPECT_EQ(form.Text("Info25"), TrimControls(MotherboardText()));
}

TEST_F(MainWindow, WmiRowsConnectWithTheAdministratorCredentials) {
    // Wine accepts credentials on a local connection (Windows refuses them, and the rows are then
    // empty); either way the motherboard row never uses them.
    form.SetAdministratorCredentials("Administrator", "secret");
    form.Refresh1Click();
    const WmiCredentials administrator{"Administrator", "secret"};
    EXPECT_EQ(form.Text("Info19"), WmiLastValue(".", "Win32_BIOS", "Manufacturer", administrator));
    EXPECT_EQ(form.Text("Info20"), WmiLastValue("", "Win32_ComputerSystemProduct", "Name", administrator));
    EXPECT_EQ(form.Text("Info25"), TrimControls(MotherboardText()));
    EXPECT_FALSE(form.Text("Info25").empty());
}

TEST_F(MainWindow, F5RunsTheRefresh) {
    EXPECT_TRUE(SendShortcut(form, VK_F5));
    EXPECT_FALSE(form.Text("Info1").empty());
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(MainWindow, NocomKeepsThePortsRowEmpty) {
    TForm1 nocom({"/NoCom"});
    nocom.Create();
    nocom.SetText("Info13", "COM1");
    nocom.Refresh1Click();
    EXPECT_EQ(nocom.Text("Info13"), "");
}

TEST_F(MainWindow, ValueFieldsFollowTheWindowWidth) {
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, form.Scale(900), form.Scale(600), SWP_NOMOVE | SWP_NOZORDER);
    for (int n = 1; n <= 28; ++n) EXPECT_EQ(ControlWidth(form.Control("Info" + std::to_string(n))), form.Scale(900) - form.Scale(250)) << n;
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, form.Scale(690), form.Scale(600), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ControlWidth(form.Control("Info28")), form.Scale(440));
    // Labels keep their width.
    EXPECT_EQ(ControlWidth(form.Control("Desc1")), form.Scale(170));
}

TEST_F(MainWindow, TransparentBackgroundToggles) {
    const int id = *ui::CommandIdOf(forms::MainFormLayout(), "ransparentBackground1");
    ::SendMessageA(form.hwnd(), WM_COMMAND, id, 0);
    EXPECT_TRUE(form.Checked("ransparentBackground1"));
    EXPECT_TRUE(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(form.hwnd(), &key, nullptr, &flags));
    EXPECT_EQ(key, RGB(255, 255, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    EXPECT_TRUE(SendShortcut(form, 'T', true));
    EXPECT_FALSE(form.Checked("ransparentBackground1"));
    EXPECT_FALSE(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(MainWindow, AnEscapingErrorIsReportedAndTheProgramGoesOn) {
    form.OnClick("ScrollUp1", [] { throw std::runtime_error("Access is denied."); });
    const int id = *ui::CommandIdOf(forms::MainFormLayout(), "ScrollUp1");
    ::SendMessageA(form.hwnd(), WM_COMMAND, id, 0);
    ASSERT_EQ(testing::ReportedErrors(), std::vector<std::string>{"Access is denied."});
    // The window still works.
    ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::MainFormLayout(), "Refresh1"), 0);
    EXPECT_FALSE(form.Text("Info1").empty());
}

TEST_F(MainWindow, UnattendedReportWritesTwentyEightLines) {
    form.Refresh1Click();
    const std::string path = TempFile("brimlow_auto_test.txt");
    ASSERT_TRUE(form.WriteAutoReport(path));
    const std::string text = ReadFile(path);
    ::DeleteFileA(path.c_str());
    EXPECT_EQ(text, AutoReportText(form.SummaryRows()));
    EXPECT_EQ(text.rfind("Windows: Windows 7 Professional", 0), 0u);
}

TEST_F(MainWindow, UnwritableReportFails) {
    EXPECT_FALSE(form.WriteAutoReport(TempFile("no_such_folder\\report.txt")));
    EXPECT_FALSE(form.WriteAutoReport(""));
}

}  // namespace
}  // namespace brimlow
