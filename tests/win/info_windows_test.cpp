// The personal information, BIOS and date and time windows on hidden windows: registry facts from
// scratch fixtures of HKEY_LOCAL_MACHINE (seen the same way by both builds), the printer of the
// test's own, and the time zone Wine takes from the process's TZ.
#include "app/Unit1.h"
#include "app/product.h"
#include "platform/win_registry.h"
#include "sysconfig/TfrmBiosInfo.h"
#include "sysconfig/TfrmDateTime.h"
#include "sysconfig/TfrmPersonal.h"
#include "tests/win/recording_launcher.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>
#include <map>
#include <string>

namespace brimlow {
namespace {

using testing::ScratchMachineKey;

constexpr const char* kNt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWin = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kSystem = "HARDWARE\\DESCRIPTION\\System";

// Every key below `root` with its values' names, one line each, for comparing trees.
void DumpTree(HKEY root, const std::string& path, std::map<std::string, std::string>& out) {
    win::RegKey key = win::OpenKeyForRead(root, path.c_str());
    if (!key) return;
    std::string values;
    for (const std::string& name : win::ValueNames(key.get())) values += name + ";";
    out[path] = values;
    for (const std::string& sub : win::SubKeyNames(key.get()))
        DumpTree(root, path.empty() ? sub : path + "\\" + sub, out);
}

void Guarded(const std::function<void()>& handler) { ui::Application::Instance().Guard(handler); }

class PersonalWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        window.Create();
        ASSERT_NE(window.hwnd(), nullptr);
    }

    ScratchMachineKey machine;
    testing::RecordingLauncher launcher;
    TfrmPersonal window{launcher};
};

TEST_F(PersonalWindow, FactsFromTheCurrentVersionKey) {
    machine.SetString(kNt, "RegisteredOwner", "Ada Owner");
    machine.SetString(kNt, "RegisteredOrganization", "Fixture Works");
    machine.SetString(kNt, "InstallationType", "Client");
    machine.SetString(kNt, "CurrentBuildNumber", "7601");
    machine.SetString(kNt, "ProductID", "00371-OEM-8992671-00524");
    machine.SetString(kNt, "SystemRoot", "C:\\windows");
    machine.SetString(kNt, "BuildLab", "7601.win7sp1_gdr.130828-1532");
    machine.SetDword(kNt, "InstallDate", 1000000000);
    machine.SetString("SOFTWARE\\Microsoft\\.NETFramework", "InstallRoot", "C:\\windows\\Microsoft.NET\\Framework64\\");

    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info1"), "Ada Owner");
    EXPECT_EQ(window.RegisteredOwner(), "Ada Owner");
    EXPECT_EQ(window.Text("Info2"), "Fixture Works");
    EXPECT_EQ(window.Text("Info3"), "Client");
    EXPECT_EQ(window.Text("Info4"), "7601");
    EXPECT_EQ(window.Text("Info6"), "00371-OEM-8992671-00524");
    // Wine answers none of the three ways of reading the first disk's serial.
    EXPECT_EQ(window.Text("Info21"), "Error!");
    EXPECT_EQ(window.Text("Edit1"), "C:\\windows");
    EXPECT_EQ(window.Text("Edit12"), "09/09/2001 01:46:40");  // the prefix's locale: "/" and ":"
    EXPECT_EQ(window.Text("Edit13"), "7601.win7sp1_gdr.130828-1532");
    EXPECT_EQ(window.Text("Edit7"), "C:\\windows\\Microsoft.NET\\Framework64\\");
    EXPECT_FALSE(window.Text("Edit16").empty());
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
}

TEST_F(PersonalWindow, ProductIdOfWindows9xComesFirstAndABlankOneFallsBack) {
    machine.SetString(kWin, "ProductID", "12345-OEM-0000001-00000");
    machine.SetString(kNt, "ProductID", "nt-key");
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info6"), "12345-OEM-0000001-00000");
    machine.SetString(kWin, "ProductID", "   ");
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info6"), "nt-key");
}

TEST_F(PersonalWindow, MissingInstallDateLeavesItEmptyAndTheRestOfTheGroupComes) {
    machine.SetString(kNt, "BuildLab", "lab");
    machine.SetString(kNt, "SystemRoot", "C:\\windows");
    window.SetText("Edit12", "stale");
    window.SetText("Edit13", "stale");
    window.SetText("Edit16", "stale");
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Edit12"), "");
    EXPECT_EQ(window.Text("Edit13"), "lab");
    EXPECT_EQ(window.Text("Edit7"), "");  // no framework in the fixture
    EXPECT_NE(window.Text("Edit16"), "stale");
    EXPECT_FALSE(window.Text("Edit16").empty());
    // A date of the wrong type reads as missing too.
    machine.SetString(kNt, "InstallDate", "1000000000");
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Edit12"), "");
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(PersonalWindow, RefreshCreatesNoKey) {
    machine.SetString("SOFTWARE\\Microsoft\\Other", "Kept", "x");
    std::map<std::string, std::string> before, after;
    DumpTree(HKEY_LOCAL_MACHINE, "", before);
    window.Refresh1Click();
    DumpTree(HKEY_LOCAL_MACHINE, "", after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(window.Text("Info1"), "");
    EXPECT_EQ(window.Text("Edit12"), "");
}

// The printers live in the real HKEY_LOCAL_MACHINE: no scratch key here.
TEST(PersonalWindowPrinter, DefaultPrinterIsTheTestPrinter) {
    testing::TestPrinter printer;
    if (!printer.installed()) GTEST_SKIP() << "no test printer in this prefix";
    testing::RecordingLauncher launcher;
    TfrmPersonal window{launcher};
    window.Create();
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info12"), testing::TestPrinter::kName);
}

// Without printers the row is empty. Wine's prefix has none unless a test installs its own.
TEST(PersonalWindowPrinter, NoPrintersGiveAnEmptyRow) {
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed != 0) GTEST_SKIP() << "this prefix has printers";
    testing::RecordingLauncher launcher;
    TfrmPersonal window{launcher};
    window.Create();
    window.SetText("Info12", "stale");
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info12"), "");
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

// The prefix's own keys, no fixture: the Windows key's product ID is shown, and on the 9x family
// (the end-to-end run starts this test under an emulated Windows 98 with a different NT value) the
// NT key is never what the row shows.
TEST(PersonalWindowOnThisSystem, ProductIdOfTheWindowsKeyComesFirst) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(::GetVersionExA(&version));
    if (std::getenv("BRIMLOW_EXPECT_9X")) {
        EXPECT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    }
    win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kWin);
    const std::string windowsId = key ? win::ReadStringValue(key.get(), "ProductId").value_or("") : "";
    if (windowsId.find_first_not_of(' ') == std::string::npos) GTEST_SKIP() << "no product ID in the Windows key";
    testing::RecordingLauncher launcher;
    TfrmPersonal window{launcher};
    window.Create();
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Info6"), windowsId);
    std::printf("    platform %lu, product ID \"%s\"\n", version.dwPlatformId, windowsId.c_str());
}

TEST_F(PersonalWindow, HomePageLinkOpensTheProductPage) {
    window.Label3Click();
    EXPECT_EQ(launcher.calls, std::vector<testing::RecordingLauncher::Call>{testing::RecordingLauncher::Opened(kProductPage)});
}

class BiosWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        window.Create();
        ASSERT_NE(window.hwnd(), nullptr);
    }
    void SetMulti(const char* name, const std::string& data) {
        machine.Set(kSystem, name, REG_MULTI_SZ, data.data(), static_cast<DWORD>(data.size()));
    }

    ScratchMachineKey machine;
    TfrmBiosInfo window;
};

TEST_F(BiosWindow, FiveValuesWithMultiStringsJoined) {
    machine.SetString(kSystem, "Identifier", "AT/AT COMPATIBLE");
    machine.SetString(kSystem, "SystemBiosDate", "06/23/99");
    SetMulti("SystemBiosVersion", std::string("DELL   - 6\0PhoenixBIOS 4.0 Release 6.0\0\0", 40));
    machine.SetString(kSystem, "VideoBiosDate", "04/12/01");
    SetMulti("VideoBiosVersion", std::string("\0", 1));  // an empty list

    Guarded([&] { window.Refresh1Click(); });
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(window.Text("Info1"), "AT/AT COMPATIBLE");
    EXPECT_EQ(window.Text("Info2"), "06/23/99");
    EXPECT_EQ(window.Text("Info3"), "DELL   - 6|PhoenixBIOS 4.0 Release 6.0|");
    EXPECT_EQ(window.Text("Info4"), "04/12/01");
    EXPECT_EQ(window.Text("Info6"), "");
}

TEST_F(BiosWindow, MissingVersionsAreEmptyWithoutABox) {
    machine.SetString(kSystem, "Identifier", "AT/AT COMPATIBLE");
    window.SetText("Info3", "stale");
    window.SetText("Info6", "stale");
    Guarded([&] { window.Refresh1Click(); });
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(window.Text("Info1"), "AT/AT COMPATIBLE");
    EXPECT_EQ(window.Text("Info2"), "");
    EXPECT_EQ(window.Text("Info3"), "");
    EXPECT_EQ(window.Text("Info6"), "");
}

TEST_F(BiosWindow, WrongTypedVideoVersionShowsItsBoxAfterTheOthers) {
    SetMulti("SystemBiosVersion", std::string("A\0\0", 3));
    machine.SetString(kSystem, "VideoBiosVersion", "not a list");
    machine.SetString(kSystem, "VideoBiosDate", "04/12/01");
    window.SetText("Info6", "before");
    Guarded([&] { window.Refresh1Click(); });
    ASSERT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_EQ(testing::ReportedErrors()[0], "Wrong data type");
    EXPECT_EQ(window.Text("Info3"), "A|");
    EXPECT_EQ(window.Text("Info4"), "04/12/01");
    EXPECT_EQ(window.Text("Info6"), "before");
}

TEST_F(BiosWindow, AMissingKeyIsReported) {
    Guarded([&] { window.Refresh1Click(); });
    ASSERT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_EQ(testing::ReportedErrors()[0], "Can't open key");
    EXPECT_EQ(window.Text("Info1"), "");
}

std::string Environment(const char* name) {
    char value[256] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

// Wine takes the zone from TZ when the process starts; the test command runs this test under
// Europe/Berlin and once more under UTC.
TEST(DateTimeWindow, ZoneOfTheProcess) {
    testing::ReportedErrors().clear();
    TfrmDateTime window;
    window.Create();
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_TRUE(window.TimerEnabled("Timer1"));  // runs while hidden
    window.SetText("Edit12", "unchanged");
    Guarded([&] { window.Show(); });
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_FALSE(window.Text("Info2").empty());
    EXPECT_FALSE(window.Text("Edit18").empty());
    window.Timer1Timer();
    EXPECT_EQ(window.Text("Edit16").size(), 8u);
    EXPECT_FALSE(window.Text("Info1").empty());

    const std::string tz = Environment("TZ");
    if (tz == "Europe/Berlin") {
        EXPECT_EQ(window.Text("Edit14"), "-60 minutes");
        EXPECT_EQ(window.Text("Edit2"), "Central Europe Standard Time");
        EXPECT_EQ(window.Text("Edit4").rfind("March ", 0), 0u) << window.Text("Edit4");
        EXPECT_EQ(window.Text("Edit4").substr(8), " 02:00 am");
        EXPECT_EQ(window.Text("Edit6").rfind("October ", 0), 0u) << window.Text("Edit6");
        EXPECT_EQ(window.Text("Edit6").substr(10), " 03:00 am");
        EXPECT_EQ(window.Text("Edit8"), "Central Europe Daylight Time");
        EXPECT_EQ(window.Text("Edit10"), "-60 minutes");
        EXPECT_NE(window.Text("Edit12"), "unchanged");
    } else if (tz == "UTC") {
        // No daylight saving: no transition dates, and the rest is still filled.
        EXPECT_EQ(window.Text("Edit14"), "0 minutes");
        EXPECT_EQ(window.Text("Edit4"), "");
        EXPECT_EQ(window.Text("Edit6"), "");
        EXPECT_FALSE(window.Text("Edit8").empty());
        // Wine says -60 here, Windows 0: only the form is fixed.
        EXPECT_NE(window.Text("Edit10").find(" minutes"), std::string::npos);
        EXPECT_EQ(window.Text("Edit12"), "Current daylight status is unknown");
    } else {
        GTEST_SKIP() << "TZ is '" << tz << "'";
    }
    window.Hide();
}

}  // namespace
}  // namespace brimlow
