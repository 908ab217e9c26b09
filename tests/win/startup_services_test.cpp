// The startup entries and services windows on hidden windows: Run keys of both hives as scratch
// fixtures, Startup folders as files at their fixed places in the test's prefix, and the services
// of the prefix's real service manager, compared with what the manager itself answers.
#include "app/Unit1.h"
#include "forms/services_form.h"
#include "platform/win_handles.h"
#include "platform/win_text.h"
#include "sysconfig/TfrmServices.h"
#include "sysconfig/TfrmStartup.h"
#include "sysconfig/service_text.h"
#include "sysconfig/services.h"
#include "sysconfig/startup_entries.h"
#include "sysconfig/startup_sources.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winsvc.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace brimlow {
namespace {

using testing::ScratchMachineKey;
using testing::ScratchUserKey;
using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kRunOnceEx = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";

Rows AllRows(const ui::ListView& list) {
    Rows rows;
    for (int r = 0; r < list.Count(); ++r) rows.push_back(list.Row(r));
    return rows;
}

// Folders and files made for one test at their fixed places; what did not exist before is
// removed again, deepest first.
class FolderFixture {
public:
    FolderFixture() = default;
    ~FolderFixture() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            it->second ? ::RemoveDirectoryA(it->first.c_str()) : ::DeleteFileA(it->first.c_str());
    }
    FolderFixture(const FolderFixture&) = delete;
    FolderFixture& operator=(const FolderFixture&) = delete;

    // Every folder of a path ending in a backslash.
    void Folder(const std::string& path) {
        for (std::size_t end = path.find('\\', 3); end != std::string::npos; end = path.find('\\', end + 1)) {
            const std::string part = path.substr(0, end);
            if (::CreateDirectoryA(part.c_str(), nullptr)) made_.emplace_back(part, true);
        }
    }
    void File(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const win::FileHandle file(
            ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
        ASSERT_TRUE(file) << path << ": " << ::GetLastError();
        made_.emplace_back(path, false);
    }

private:
    std::vector<std::pair<std::string, bool>> made_;  // path, is a folder
};

std::string EnvironmentUserName() {
    char name[256] = {};
    const DWORD length = ::GetEnvironmentVariableA("USERNAME", name, sizeof name);
    return length < sizeof name ? std::string(name, length) : std::string();
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class StartupWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        window.Create();
        ASSERT_NE(window.hwnd(), nullptr);
    }

    ScratchMachineKey machine;
    ScratchUserKey user;
    TfrmStartup window;
};

TEST_F(StartupWindow, RunKeysOfBothHivesInTheirOrderWithTheirLabels) {
    // Names in alphabetical order: the registry hands values out in creation order on Windows and
    // sorted on Wine, and both agree then.
    machine.SetString(kRun, "Alpha", "C:\\alpha.exe /tray");
    machine.SetString(kRun, "Blank", "");  // empty data: not listed
    machine.SetDword(kRun, "Counter", 42);  // not text: listed in its text form, and the list goes on
    const unsigned char bytes[] = {1, 2, 3};
    machine.Set(kRun, "Data", REG_BINARY, bytes, sizeof bytes);  // binary data reads as empty text
    machine.SetString(kRun, "Zulu", "zulu.exe");
    machine.SetString(kRunOnce, "Once", "C:\\setup\\finish.exe");
    machine.SetString(kRunOnceEx, "Flags", "ex.exe");
    user.SetString(kRun, "Mine", "C:\\Users\\me\\mine.exe");
    user.SetDword(kRunOnce, "Number", 7);
    user.Set(kRunOnceEx, "Expand", REG_EXPAND_SZ, "%TEMP%\\x.exe", 13);

    window.Refresh1Click();
    const Rows rows = AllRows(window.ListView1());
    const Rows registry(rows.begin(), rows.begin() + std::min<std::size_t>(rows.size(), 8));
    EXPECT_EQ(registry, (Rows{
                            {"Registry (HKLM) - Run", "Alpha", "C:\\alpha.exe /tray"},
                            {"Registry (HKLM) - Run", "Counter", "42"},
                            {"Registry (HKLM) - Run", "Zulu", "zulu.exe"},
                            {"Registry (HKLM) - Run Once", "Once", "C:\\setup\\finish.exe"},
                            {"Registry (HKLM) - Run OnceEx", "Flags", "ex.exe"},
                            {"Registry (HKCU) - Run", "Mine", "C:\\Users\\me\\mine.exe"},
                            {"Registry (HKCU) - Run Once", "Number", "7"},
                            {"Registry (HKCU) - Run Once Ex", "Expand", "%TEMP%\\x.exe"},
                        }));
    EXPECT_EQ(window.Text("StatusBar1"), ui::CountText(static_cast<int>(rows.size())));
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(testing::ShownMessages().empty());
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);

    // A second refresh starts from an empty list.
    machine.SetString(kRun, "Alpha", "");
    window.Refresh1Click();
    EXPECT_EQ(window.ListView1().Count(), static_cast<int>(rows.size()) - 1);
}

TEST_F(StartupWindow, MissingKeysAndFoldersAddNothingAndSayNothing) {
    // The scratch hives have no Run keys at all; one key exists but is empty.
    user.CreateKey(kRun);
    ASSERT_FALSE(FolderExists(kAllUsersStartupFolder)) << "the prefix has no folder at the fixed place";
    ASSERT_FALSE(FolderExists(CurrentUserStartupFolder(StartupUserName())));
    window.Refresh1Click();
    EXPECT_EQ(window.ListView1().Count(), 0);
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 0");
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(testing::ShownMessages().empty());
}

TEST_F(StartupWindow, StartupFoldersListEveryEntryAfterTheRegistry) {
    const std::string userName = EnvironmentUserName();
    ASSERT_FALSE(userName.empty());
    EXPECT_EQ(StartupUserName(), userName) << "the name the folder is built from";
    const std::string allUsers = kAllUsersStartupFolder;
    const std::string mine = "C:\\Documents and Settings\\" + userName + "\\Start Menu\\Programs\\Startup\\";
    FolderFixture files;
    files.Folder(allUsers);
    files.File(allUsers + "Mail Checker.lnk");
    files.File(allUsers + "desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    files.Folder(allUsers + "Tools\\");  // a subfolder is listed like a file
    files.Folder(mine);
    files.File(mine + "notes.txt");
    machine.SetString(kRun, "First", "first.exe");

    window.Refresh1Click();
    const Rows rows = AllRows(window.ListView1());
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Registry (HKLM) - Run", "First", "first.exe"}));
    // Within a folder the file system's order holds, which differs between systems.
    Rows common(rows.begin() + 1, rows.begin() + 4);
    std::sort(common.begin(), common.end());
    EXPECT_EQ(common, (Rows{
                          {"All Users - Startup folder", "Mail Checker.lnk", allUsers + "Mail Checker.lnk"},
                          {"All Users - Startup folder", "Tools", allUsers + "Tools"},
                          {"All Users - Startup folder", "desktop.ini", allUsers + "desktop.ini"},
                      }));
    EXPECT_EQ(rows[4], (std::vector<std::string>{"Current User - Startup folder", "notes.txt", mine + "notes.txt"}));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 5");
}

TEST(StartupFromMainWindow, StartupShowsTheWindowAndThenFillsIt) {
    ScratchMachineKey machine;
    ScratchUserKey user;
    user.SetString(kRun, "Tray", "tray.exe");
    TForm1 form{{"/norefresh"}};
    form.Create();
    ASSERT_TRUE(form.Enabled("Startup1"));
    TfrmStartup& startup = form.frmStartup();
    EXPECT_FALSE(startup.Visible());
    EXPECT_EQ(startup.Caption(), "Startup");
    EXPECT_EQ(::GetWindow(startup.hwnd(), GW_OWNER), form.hwnd());
    form.Click("Startup1");
    EXPECT_TRUE(startup.Visible());
    EXPECT_EQ(AllRows(startup.ListView1()), (Rows{{"Registry (HKCU) - Run", "Tray", "tray.exe"}}));
    EXPECT_EQ(startup.Text("StatusBar1"), "Count: 1");
    // One status panel of 300 pixels, not the whole bar.
    int right[2] = {};
    ASSERT_EQ(::SendMessageA(startup.Control("StatusBar1"), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(right)), 1);
    EXPECT_EQ(right[0], startup.Scale(300));
    startup.Click("Exit1");  // closes the window; it stays alive, hidden
    ui::Application::Instance().ProcessMessages();
    EXPECT_FALSE(startup.Visible());
    EXPECT_NE(startup.hwnd(), nullptr);
}

// ---- services ----------------------------------------------------------------------------------

// What the manager answers when asked once with room for everything.
std::vector<ServiceEntry> ManagerServices() {
    std::vector<ServiceEntry> services;
    const win::ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) return services;
    std::vector<ENUM_SERVICE_STATUSA> buffer(4096);
    DWORD needed = 0, returned = 0, resume = 0;
    if (!::EnumServicesStatusA(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL, buffer.data(),
                               static_cast<DWORD>(buffer.size() * sizeof buffer[0]), &needed, &returned, &resume))
        return services;
    for (DWORD i = 0; i < returned; ++i)
        services.push_back({buffer[i].lpDisplayName, buffer[i].lpServiceName, buffer[i].ServiceStatus.dwCurrentState,
                            buffer[i].ServiceStatus.dwServiceType});
    return services;
}

class ServicesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
    }
};

TEST_F(ServicesWindow, ListsTheManagersWin32ServicesWithTheirTexts) {
    const std::vector<ServiceEntry> expected = ManagerServices();
    ASSERT_FALSE(expected.empty()) << "the prefix's service manager lists services";
    TfrmServices window;
    window.Create();
    EXPECT_EQ(window.Caption(), "Services");
    window.Show();  // fills itself on showing
    Rows want;
    for (const ServiceEntry& s : expected) {
        want.push_back({s.displayName, ServiceStateText(s.state), ServiceTypeText(s.type), s.serviceName});
        std::printf("    service %-22s %-28s state %lu type 0x%lx\n", s.serviceName.c_str(), s.displayName.c_str(),
                    static_cast<unsigned long>(s.state), static_cast<unsigned long>(s.type));
    }
    EXPECT_EQ(AllRows(window.ListView1()), want);
    // Only Win32 services are asked for: no driver type is seen.
    for (const ServiceEntry& s : expected) EXPECT_TRUE(s.type & SERVICE_WIN32) << s.serviceName;
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);

    // Each showing refills the list.
    window.ListView1().Clear();
    window.Hide();
    window.Show();
    EXPECT_EQ(window.ListView1().Count(), static_cast<int>(want.size()));
    window.Click("Exit1");
    ui::Application::Instance().ProcessMessages();
    EXPECT_FALSE(window.Visible());
}

TEST_F(ServicesWindow, AMissingEntryPointRemovesTheListQuietly) {
    // kernel32 exports neither name; the second library does not exist at all.
    for (const char* library : {"kernel32.dll", "no_such_service_library.dll"}) {
        SCOPED_TRACE(library);
        const ServiceFunctions functions(library);
        EXPECT_FALSE(functions.bound());
        TfrmServices window(functions);
        window.Create();
        window.Show();
        EXPECT_EQ(window.ListView1().Count(), 0);
        window.Hide();
    }
    // Half a binding is none: the manager opens, but there is nothing to enumerate with.
    const ServiceFunctions half(::OpenSCManagerA, nullptr);
    EXPECT_FALSE(half.bound());
    EXPECT_TRUE(ReadWin32Services(half).empty());
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(testing::ShownMessages().empty());
}

TEST_F(ServicesWindow, TheProgramsOwnBindingIsComplete) {
    EXPECT_TRUE(ProgramServiceFunctions().bound());
    TForm1 form{{"/norefresh"}};
    form.Create();
    ASSERT_TRUE(form.Enabled("Services1"));
    EXPECT_EQ(::GetWindow(form.frmServices().hwnd(), GW_OWNER), form.hwnd());
    form.Click("Services1");
    EXPECT_TRUE(form.frmServices().Visible());
    EXPECT_EQ(form.frmServices().ListView1().Count(), static_cast<int>(ManagerServices().size()));
    form.frmServices().Hide();
}

// A scripted manager: a real handle from the real manager, and services handed out a few per
// call with ERROR_MORE_DATA between, as a machine with many services answers.
struct ScriptedManager {
    static inline DWORD openError = 0;
    static inline int calls = 0;
    static inline std::vector<DWORD> resumes;  // resume handle on entry to each call
    static constexpr int kServices = 7;
    static constexpr int kPerCall = 3;
    static inline char names[kServices][16];
    static inline char displayNames[kServices][24];

    static SC_HANDLE WINAPI Open(LPCSTR machine, LPCSTR database, DWORD access) {
        if (openError) {
            ::SetLastError(openError);
            return nullptr;
        }
        return ::OpenSCManagerA(machine, database, access);
    }
    static BOOL WINAPI Enum(SC_HANDLE, DWORD type, DWORD state, LPENUM_SERVICE_STATUSA buffer, DWORD size,
                            LPDWORD needed, LPDWORD returned, LPDWORD resume) {
        ++calls;
        resumes.push_back(*resume);
        if (type != SERVICE_WIN32 || state != SERVICE_STATE_ALL) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const DWORD left = kServices - *resume;
        const DWORD batch = std::min<DWORD>(left, kPerCall);
        *needed = batch * (sizeof(ENUM_SERVICE_STATUSA) + 40);
        *returned = 0;
        if (size < batch * sizeof(ENUM_SERVICE_STATUSA)) {
            ::SetLastError(ERROR_MORE_DATA);
            return FALSE;
        }
        for (DWORD i = 0; i < batch; ++i) {
            const DWORD n = *resume + i;
            std::snprintf(names[n], sizeof names[n], "svc%lu", static_cast<unsigned long>(n));
            std::snprintf(displayNames[n], sizeof displayNames[n], "Service %lu", static_cast<unsigned long>(n));
            buffer[i].lpServiceName = names[n];
            buffer[i].lpDisplayName = displayNames[n];
            buffer[i].ServiceStatus = {};
            buffer[i].ServiceStatus.dwCurrentState = n % 7 + 1;
            buffer[i].ServiceStatus.dwServiceType = n % 2 ? SERVICE_WIN32_SHARE_PROCESS : SERVICE_WIN32_OWN_PROCESS;
        }
        *returned = batch;
        *resume += batch;
        if (*resume < kServices) {
            *needed = std::min<DWORD>(kServices - *resume, kPerCall) * (sizeof(ENUM_SERVICE_STATUSA) + 40);
            ::SetLastError(ERROR_MORE_DATA);
            return FALSE;
        }
        return TRUE;
    }
    static void Reset() {
        openError = 0;
        calls = 0;
        resumes.clear();
    }
};

TEST_F(ServicesWindow, EveryServiceIsListedWhenTheManagerHandsThemOutInParts) {
    ScriptedManager::Reset();
    const ServiceFunctions functions(ScriptedManager::Open, ScriptedManager::Enum);
    TfrmServices window(functions);
    window.Create();
    window.Refresh1Click();
    const Rows rows = AllRows(window.ListView1());
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(ScriptedManager::kServices));
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Service 0", "Stopped", "Win32 Own Process", "svc0"}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"Service 5", "", "Win32 Share process", "svc5"}));  // pause pending
    EXPECT_EQ(rows[6], (std::vector<std::string>{"Service 6", "Paused", "Win32 Own Process", "svc6"}));
    // The size question, then three parts, each from where the last one ended.
    EXPECT_EQ(ScriptedManager::resumes, (std::vector<DWORD>{0, 0, 3, 6}));
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(ServicesWindow, AManagerThatCannotBeOpenedShowsTheSystemsErrorAndAnEmptyList) {
    ScriptedManager::Reset();
    ScriptedManager::openError = ERROR_ACCESS_DENIED;
    const ServiceFunctions functions(ScriptedManager::Open, ScriptedManager::Enum);
    TfrmServices window(functions);
    window.Create();
    window.ListView1().Add("stale");
    window.Show();  // the error reaches the default error handler; the window still opens
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.ListView1().Count(), 0);
    EXPECT_EQ(ScriptedManager::calls, 0);
    ASSERT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_EQ(testing::ReportedErrors()[0], "System Error.  Code: 5.\r\n" + win::ErrorMessage(ERROR_ACCESS_DENIED));
    EXPECT_NE(win::ErrorMessage(ERROR_ACCESS_DENIED).find("ccess"), std::string::npos) << "the system's own text";
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
    window.Hide();
}

}  // namespace
}  // namespace brimlow
