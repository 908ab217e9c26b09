// The launcher menus and the hardware actions chosen through the main window's command ids, with a
// recording launcher (nothing is started); the few real calls that are safe and bounded under Wine;
// and the About, Help and Administrator windows.
#include "app/Unit1.h"
#include "app/launch_table.h"
#include "app/product.h"
#include "forms/about_forms.h"
#include "forms/main_form.h"
#include "platform/wmiquery.h"
#include "tests/win/recording_launcher.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <functional>

namespace brimlow {
namespace {

using testing::RecordingLauncher;
using Call = RecordingLauncher::Call;

std::string WindowsDirectory() {
    char path[MAX_PATH] = {};
    ::GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

// Runs `action` from inside the next message loop, such as a modal window's.
class WhenModal {
public:
    explicit WhenModal(std::function<void()> action) {
        Pending() = std::move(action);
        id_ = ::SetTimer(nullptr, 0, 10, Tick);
    }
    ~WhenModal() {
        ::KillTimer(nullptr, id_);
        Pending() = nullptr;
    }
    WhenModal(const WhenModal&) = delete;
    WhenModal& operator=(const WhenModal&) = delete;

private:
    static std::function<void()>& Pending() {
        static std::function<void()> action;
        return action;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        const auto action = std::move(Pending());
        Pending() = nullptr;
        if (action) action();
    }
    UINT_PTR id_ = 0;
};

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<ChildSearch*>(data);
    if (::GetDlgCtrlID(child) != search.id) return TRUE;
    search.found = child;
    return FALSE;
}

// A control anywhere inside a window, panels included.
HWND ChildById(HWND window, int id) {
    ChildSearch search{id, nullptr};
    ::EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ControlIn(HWND window, const ui::FormLayout& layout, const char* name) {
    return ChildById(window, *ui::ControlIdOf(layout, name));
}

std::string TextOf(HWND window) { return testing::WindowText(window); }

// What a click on a control tells its form.
void ClickControl(HWND form, HWND control, WORD notification) {
    ::SendMessageA(form, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), notification), reinterpret_cast<LPARAM>(control));
}

class Launchers : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        form.SetLauncher(launcher);
        form.Create();
        ASSERT_NE(form.hwnd(), nullptr);
    }
    // Chooses an item the way its menu does: the item's command reaches the window.
    void Choose(const std::string& item) {
        ::SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(*ui::CommandIdOf(forms::MainFormLayout(), item), 0), 0);
    }
    bool MenuChecked(const std::string& item) {
        const int id = *ui::CommandIdOf(forms::MainFormLayout(), item);
        return (::GetMenuState(::GetMenu(form.hwnd()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    std::uintptr_t self() { return reinterpret_cast<std::uintptr_t>(form.hwnd()); }

    RecordingLauncher launcher;
    TForm1 form{{"/norefresh"}};
};

// Each row's launch, as the launcher must be called for it.
std::vector<Call> ExpectedCalls(const LaunchRow& row, std::uintptr_t self) {
    switch (row.kind) {
    case LaunchKind::Nothing: return {};
    case LaunchKind::CommandLine: return {{"run", "", row.command, "", "", row.show, 0, {}}};
    case LaunchKind::ShellExecute:
        return {{"shell", row.verb, row.command, row.parameters,
                 row.directory == LaunchDirectory::WindowsDirectory ? WindowsDirectory() : "", ShowCommand::Normal,
                 row.ownedByMainWindow ? self : 0, {}}};
    case LaunchKind::ShellObject: return {RecordingLauncher::Object(row.command)};
    case LaunchKind::MciCommand: return {{"mci", "", row.command, std::to_string(self), "", ShowCommand::Hide, 0, {}}};
    case LaunchKind::MonitorPower:
        return {{"message", "", "", "", "", ShowCommand::Hide, self, {WM_SYSCOMMAND, SC_MONITORPOWER, row.value}}};
    case LaunchKind::TaskbarToggle: return {{"window", "", "Shell_TrayWnd", "", "", ShowCommand::Hide, 0, {}}};
    case LaunchKind::WarningBeepToggle:
        return {{"parameter", "", "", "", "", ShowCommand::Hide, 0, {SPI_SETBEEP, 0, SPIF_UPDATEINIFILE}}};
    case LaunchKind::MicrophoneMuteToggle: return {{"mute", "", "", "", "", ShowCommand::Hide, 0, {1}}};
    }
    return {};
}

TEST_F(Launchers, EveryItemIsEnabledAndMakesItsOneCall) {
    ASSERT_FALSE(LaunchTable().empty());
    for (const LaunchRow& row : LaunchTable()) {
        SCOPED_TRACE(row.item);
        EXPECT_TRUE(form.Enabled(row.item));
        launcher.calls.clear();
        launcher.busy.clear();
        Choose(row.item);
        EXPECT_EQ(launcher.calls, ExpectedCalls(row, self()));
        if (!launcher.busy.empty()) {
            EXPECT_EQ(launcher.busy[0], row.busy) << "hourglass during the call";
        }
        EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
    }
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(testing::ShownMessages().empty());
}

TEST_F(Launchers, ExplorerStartsExplorerAndTheVolumeControlStartsInTheWindowsDirectory) {
    Choose("Explorer1");
    Choose("VolumeControl1");
    EXPECT_EQ(launcher.calls, (std::vector<Call>{RecordingLauncher::Opened("explorer.exe"),
                                                 {"shell", "open", "sndvol32.exe", "", WindowsDirectory(),
                                                  ShowCommand::Normal, self(), {}}}));
    EXPECT_FALSE(WindowsDirectory().empty());
}

TEST_F(Launchers, CheckMarksFlipAndTheActionFollowsTheNewState) {
    for (int round = 0; round < 2; ++round) {
        const bool checked = round == 0;
        SCOPED_TRACE(checked ? "first choice" : "second choice");
        launcher.calls.clear();
        Choose("HideTaskbar1");
        Choose("MuteSpeakers1");
        Choose("MuteMicrophone1");
        EXPECT_TRUE(MenuChecked("HideTaskbar1") == checked && MenuChecked("MuteSpeakers1") == checked &&
                    MenuChecked("MuteMicrophone1") == checked);
        const ShowCommand taskbar = checked ? ShowCommand::Hide : ShowCommand::Show;
        const std::intptr_t beepOn = checked ? 0 : 1, mute = checked ? 1 : 0;
        EXPECT_EQ(launcher.calls,
                  (std::vector<Call>{{"window", "", "Shell_TrayWnd", "", "", taskbar, 0, {}},
                                     {"parameter", "", "", "", "", ShowCommand::Hide, 0, {SPI_SETBEEP, beepOn, SPIF_UPDATEINIFILE}},
                                     {"mute", "", "", "", "", ShowCommand::Hide, 0, {mute}}}));
    }
}

TEST_F(Launchers, MicrophoneMuteNamesOnlyItsTwoFailures) {
    const struct {
        MuteOutcome outcome;
        std::vector<std::string> messages;
    } cases[] = {
        {MuteOutcome::NoMixer, {}},
        {MuteOutcome::NoMicrophoneLine, {}},
        {MuteOutcome::NoMuteControl, {"GetLineInfo Error"}},
        {MuteOutcome::SetFailed, {"SetControlDetails Error"}},
        {MuteOutcome::Done, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.outcome));
        testing::ShownMessages().clear();
        launcher.muteOutcome = c.outcome;
        Choose("MuteMicrophone1");
        EXPECT_EQ(testing::ShownMessages(), c.messages);
    }
}

TEST_F(Launchers, AFailingShellObjectIsReportedAndTheHourglassGoes) {
    launcher.shellObjectFails = true;
    Choose("Run1");
    EXPECT_EQ(testing::ReportedErrors(), std::vector<std::string>{"Unknown name."});
    EXPECT_EQ(launcher.busy, std::vector<bool>{true});
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
}

TEST_F(Launchers, TheFootLinkOpensTheHomePage) {
    form.Click("StaticText3");
    EXPECT_EQ(launcher.calls, (std::vector<Call>{{"shell", "open", kHomePage, "", "", ShowCommand::Normal, self(), {}}}));
}

// The real calls that are safe under Wine: the warning beep switch, the tray through MCI, and a
// shell-object method that does not exist.
TEST(SystemLauncherUnderWine, MuteSpeakersSwitchesTheWarningBeepOffAndOn) {
    TForm1 form{{"/norefresh"}};
    form.Create();
    BOOL beep = -1;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETBEEP, 0, &beep, 0));
    ASSERT_EQ(beep, TRUE) << "the prefix starts with the beep on";
    form.Click("MuteSpeakers1");
    ::SystemParametersInfoA(SPI_GETBEEP, 0, &beep, 0);
    EXPECT_EQ(beep, FALSE);
    form.Click("MuteSpeakers1");
    ::SystemParametersInfoA(SPI_GETBEEP, 0, &beep, 0);
    EXPECT_EQ(beep, TRUE);
}

TEST(SystemLauncherUnderWine, TrayDoorCommandsReturnAtOnce) {
    const bool cdrom = ::GetDriveTypeA("D:\\") == DRIVE_CDROM;
    for (const char* command : {"Set cdaudio door open wait", "Set cdaudio door closed wait"}) {
        SCOPED_TRACE(command);
        const DWORD start = ::GetTickCount();
        const unsigned error = SystemLauncher().SendMciString(command, 0);
        EXPECT_LT(::GetTickCount() - start, 5000u);
        // Without a CD-ROM drive the default CD audio device cannot be loaded.
        EXPECT_EQ(error, cdrom ? 0u : unsigned(MCIERR_CANNOT_LOAD_DRIVER));
    }
}

TEST(SystemLauncherUnderWine, AnUnknownShellObjectMethodRaises) {
    EXPECT_THROW(SystemLauncher().CallShellObject("explorer"), std::runtime_error);
}

TEST(SystemLauncherUnderWine, NoMixerMeansNothingIsMuted) {
    if (::mixerGetNumDevs() != 0) GTEST_SKIP() << "this machine has a mixer";
    EXPECT_EQ(SystemLauncher().SetMicrophoneMute(1), MuteOutcome::NoMixer);
}

// The three windows of the Help and Options menus.
class SmallWindows : public Launchers {};

TEST_F(SmallWindows, AboutShowsTheVersionAndItsLinksAndClosesWithOk) {
    std::string version, caption;
    bool modalOverMain = false;
    WhenModal answer([&] {
        const HWND about = ::FindWindowA("TAboutBox", nullptr);
        if (!about) return;
        const ui::FormLayout& layout = forms::AboutFormLayout();
        caption = TextOf(about);
        version = TextOf(ControlIn(about, layout, "Version"));
        modalOverMain = !::IsWindowEnabled(form.hwnd());
        ClickControl(about, ControlIn(about, layout, "Label1"), STN_CLICKED);
        ClickControl(about, ControlIn(about, layout, "Label4"), STN_CLICKED);
        ClickControl(about, ControlIn(about, layout, "OKButton"), BN_CLICKED);
    });
    Choose("About1");
    EXPECT_EQ(caption, "About");
    EXPECT_EQ(version, "Version 2.86");
    EXPECT_TRUE(modalOverMain);
    EXPECT_EQ(launcher.calls, (std::vector<Call>{RecordingLauncher::Opened(kHomePage), RecordingLauncher::Opened(kContactPage)}));
    EXPECT_EQ(::FindWindowA("TAboutBox", nullptr), nullptr) << "destroyed when closed";
    EXPECT_TRUE(::IsWindowEnabled(form.hwnd()));
}

TEST_F(SmallWindows, AdministratorOkWithoutChangesStoresThePresetNameAndAnEmptyPassword) {
    form.SetAdministratorCredentials("someone", "old");
    const HWND admin = form.frmAdmin().hwnd();
    WhenModal press([&] {
        ClickControl(admin, ControlIn(admin, forms::AdminFormLayout(), "OKButton"), BN_CLICKED);
    });
    Choose("Administrator1");
    EXPECT_EQ(form.administratorUser(), "Administrator");
    EXPECT_EQ(form.administratorPassword(), "");
    EXPECT_FALSE(form.frmAdmin().Visible());
}

TEST_F(SmallWindows, AdministratorCancelKeepsTheStoredTextsAndTheTypedOnes) {
    const HWND admin = form.frmAdmin().hwnd();
    const HWND password = ControlIn(admin, forms::AdminFormLayout(), "Edit2");
    EXPECT_EQ(::SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0), '*');
    {
        WhenModal typeAndCancel([&] {
            ::SendMessageA(password, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
            ClickControl(admin, ControlIn(admin, forms::AdminFormLayout(), "CancelButton"), BN_CLICKED);
        });
        Choose("Administrator1");
    }
    EXPECT_EQ(form.administratorUser(), "");
    EXPECT_EQ(form.administratorPassword(), "");
    // Opened again, the field still holds what was typed; Enter presses OK.
    std::string kept;
    {
        WhenModal enter([&] {
            kept = form.frmAdmin().Text("Edit2");
            ::SendMessageA(ControlIn(admin, forms::AdminFormLayout(), "Edit1"), WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>("tester"));
            ::PostMessageA(password, WM_KEYDOWN, VK_RETURN, 0);
        });
        Choose("Administrator1");
    }
    EXPECT_EQ(kept, "typed");
    EXPECT_EQ(form.administratorUser(), "tester");
    EXPECT_EQ(form.administratorPassword(), "typed");
    // Escape is Cancel.
    {
        WhenModal escape([&] {
            ::SendMessageA(password, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other"));
            ::PostMessageA(password, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Choose("Administrator1");
    }
    EXPECT_EQ(form.administratorPassword(), "typed");
}

TEST_F(SmallWindows, TheCredentialedRowsUseWhatTheAdministratorWindowGave) {
    WhenModal answer([&] {
        const HWND admin = form.frmAdmin().hwnd();
        ::SendMessageA(ControlIn(admin, forms::AdminFormLayout(), "Edit2"), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>("secret"));
        ClickControl(admin, ControlIn(admin, forms::AdminFormLayout(), "OKButton"), BN_CLICKED);
    });
    Choose("Administrator1");
    form.Refresh1Click();
    // Wine takes credentials on a local connection, so the row reads as it does with them.
    EXPECT_EQ(form.Text("Info19"), WmiLastValue(".", "Win32_BIOS", "Manufacturer", {"Administrator", "secret"}));
    EXPECT_FALSE(form.Text("Info19").empty());
}

TEST_F(SmallWindows, UsingBrimlowShowsTheHelpPageWithoutWaiting) {
    Choose("UsingBrimlow1");
    TfrmHelp& help = form.frmHelp();
    EXPECT_TRUE(help.Visible());
    EXPECT_TRUE(::IsWindowEnabled(form.hwnd())) << "not modal";
    EXPECT_EQ(help.Caption(), "Help");
    RECT client{};
    ::GetClientRect(help.hwnd(), &client);
    EXPECT_EQ(client.right, help.Scale(499));
    EXPECT_EQ(client.bottom, help.Scale(400));
    for (const forms::HelpLine& line : forms::HelpLines()) {
        SCOPED_TRACE(line.name);
        EXPECT_EQ(help.Text(line.name), line.text);
        RECT rc{};
        ::GetWindowRect(help.Control(line.name), &rc);
        ::MapWindowPoints(nullptr, help.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.top, help.Scale(line.top));
    }
    help.Close();
}

}  // namespace
}  // namespace brimlow
