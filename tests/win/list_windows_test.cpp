// The installed applications and device classes windows on hidden windows, against registry
// fixtures (HKEY_LOCAL_MACHINE redirected to a scratch key), with the shell recorded instead of
// started, and printing to a real printer of the test's prefix.
#include "app/Unit1.h"
#include "devices/TfrmDevices.h"
#include "devices/device_classes.h"
#include "forms/unistall_form.h"
#include "platform/win_registry.h"
#include "platform/win_text.h"
#include "sysconfig/TfrmUnistall.h"
#include "sysconfig/uninstall_entries.h"
#include "tests/win/recording_launcher.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

namespace brimlow {
namespace {

using testing::RecordingLauncher;
using testing::ScratchMachineKey;

constexpr const char* kDeleteQuestion = "This option is to remove stray uninstall entries.\rAre you sure you wish to delete?";

std::string Entry(const std::string& name) { return std::string(kUninstallKey) + "\\" + name; }

bool KeyExists(const std::string& path) { return static_cast<bool>(win::OpenKeyForRead(HKEY_LOCAL_MACHINE, path.c_str())); }

// Gives a key a security descriptor that lets everyone read it (and change its descriptor) and
// nothing else, as a user without administrator rights sees most machine keys. Full access is
// given back when the object goes.
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const std::string& path, const char* sddl = "D:P(A;;0x60019;;;WD)") : path_(path) {
        Apply(sddl);
    }
    ~ReadOnlyKey() { Apply("D:P(A;;KA;;;WD)"); }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    void Apply(const char* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
        HKEY key = nullptr;
        ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
        EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
        ::RegCloseKey(key);
        ::LocalFree(descriptor);
    }
    std::string path_;
};

// A key nobody may read or change, only give a new descriptor.
class LockedKey : public ReadOnlyKey {
public:
    explicit LockedKey(const std::string& path) : ReadOnlyKey(path, "D:P(A;;0x40000;;;WD)") {}
};

class UninstallWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        ui::Application::Instance().SetQuestionAnswerer([this](const std::string& text) {
            questions.push_back(text);
            return answer;
        });
        // Entries in no particular order; "zeta" and "Alpha" sort apart from their registry order.
        AddEntry("{B0}", "zeta tools", "2.0", "http://zeta.example/help");
        AddEntry("{A1}", "Alpha Suite", "1.5", "");
        machine.SetString(Entry("{A1}").c_str(), "InstallLocation", "C:\\Program Files\\Alpha");
        machine.SetString(Entry("{A1}").c_str(), "InstallSource", "D:\\setup");
        machine.SetString(Entry("{A1}").c_str(), "Readme", "C:\\Program Files\\Alpha\\readme.txt");
        machine.SetString(Entry("{A1}").c_str(), "UninstallString", "C:\\Program Files\\Alpha\\uninst.exe /x");
        machine.SetString(Entry("{A1}").c_str(), "HelpTelephone", "555-0100");
        machine.SetString(Entry("{A1}").c_str(), "Publisher", "Alpha Works");
        AddEntry("beta", "beta Player", "", "http://beta.example/");
        // Not listed: no display name, or an empty one.
        machine.SetString(Entry("NoName").c_str(), "DisplayVersion", "9");
        machine.SetString(Entry("EmptyName").c_str(), "DisplayName", "");
        window.Create();
        ASSERT_NE(window.hwnd(), nullptr);
    }
    void TearDown() override { ui::Application::Instance().SetQuestionAnswerer(nullptr); }

    void AddEntry(const std::string& key, const std::string& name, const std::string& version, const std::string& link) {
        machine.SetString(Entry(key).c_str(), "DisplayName", name);
        if (!version.empty()) machine.SetString(Entry(key).c_str(), "DisplayVersion", version);
        if (!link.empty()) machine.SetString(Entry(key).c_str(), "HelpLink", link);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        const ui::ListView list = window.ListView1();
        for (int r = 0; r < list.Count(); ++r) names.push_back(list.Cell(r, 0));
        return names;
    }
    int RowOf(const std::string& name) const {
        const ui::ListView list = window.ListView1();
        for (int r = 0; r < list.Count(); ++r)
            if (list.Cell(r, 0) == name) return r;
        return -1;
    }
    void SelectByName(const std::string& name) {
        const int row = RowOf(name);
        ASSERT_GE(row, 0) << name;
        window.ListView1().Select(row);
    }

    ScratchMachineKey machine;
    RecordingLauncher launcher;
    testing::FixturePrintDialog printDialog{testing::TestPrinter::kName};
    TfrmUnistall window{launcher, printDialog};
    std::vector<std::string> questions;
    bool answer = true;
};

TEST_F(UninstallWindow, ListsTheEntriesWithADisplayNameSortedWithTheirCount) {
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(window.Caption(), "Application Install / Uninstall Information");
    window.Show();  // refreshes itself on showing
    EXPECT_TRUE(::IsZoomed(window.hwnd()));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha Suite", "beta Player", "zeta tools"}));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 3");
    EXPECT_EQ(window.ListView1().Row(RowOf("Alpha Suite")),
              (std::vector<std::string>{"Alpha Suite", "1.5", "", "555-0100", "C:\\Program Files\\Alpha", "D:\\setup",
                                        "Alpha Works", "C:\\Program Files\\Alpha\\readme.txt",
                                        "C:\\Program Files\\Alpha\\uninst.exe /x", "{A1}"}));
    EXPECT_EQ(window.ListView1().Row(RowOf("beta Player")),
              (std::vector<std::string>{"beta Player", "", "http://beta.example/", "", "", "", "", "", "", "beta"}));
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
    EXPECT_TRUE(testing::ReportedErrors().empty());
    window.Hide();
}

TEST_F(UninstallWindow, ValuesOfOtherTypesShowInTextFormAndTheListGoesOn) {
    machine.SetDword(Entry("{A1}").c_str(), "DisplayVersion", 7);
    const unsigned char bytes[] = {0x41, 0x42, 0x43, 0};
    machine.Set(Entry("{A1}").c_str(), "Publisher", REG_BINARY, bytes, sizeof bytes);
    machine.Set(Entry("{B0}").c_str(), "Readme", REG_MULTI_SZ, "one\0two\0", 9);
    machine.Set(Entry("{B0}").c_str(), "InstallLocation", REG_EXPAND_SZ, "%ProgramFiles%\\zeta", 20);
    window.Refresh1Click();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha Suite", "beta Player", "zeta tools"}));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 3");
    const ui::ListView list = window.ListView1();
    EXPECT_EQ(list.Cell(RowOf("Alpha Suite"), forms::kVersionColumn), "7");
    EXPECT_EQ(list.Cell(RowOf("Alpha Suite"), forms::kPublisherColumn), "");
    EXPECT_EQ(list.Cell(RowOf("zeta tools"), forms::kReadmeColumn), "one, two");
    EXPECT_EQ(list.Cell(RowOf("zeta tools"), forms::kInstallLocationColumn), "%ProgramFiles%\\zeta");
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(UninstallWindow, AMissingUninstallKeyGivesAnEmptyList) {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    window.Refresh1Click();
    EXPECT_EQ(window.ListView1().Count(), 0);
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 0");
}

TEST_F(UninstallWindow, OpenActionsHandTheSelectedRowsTextToTheShell) {
    window.Refresh1Click();
    // Nothing selected: nothing happens.
    for (const char* item : {"BrowseHelpLink1", "OpenInstallLocation1", "OpenInstallSource1", "ViewReadme1",
                             "Uninstall1", "ToolButton5", "ToolButton7"})
        window.Click(item);
    EXPECT_TRUE(launcher.calls.empty());

    SelectByName("Alpha Suite");
    window.Click("BrowseHelpLink1");  // its help link is empty
    EXPECT_TRUE(launcher.calls.empty());
    window.Click("OpenInstallLocation1");
    window.Click("ToolButton3");
    window.Click("OpenInstallSource1");
    window.Click("ToolButton4");
    window.Click("ViewReadme1");
    EXPECT_EQ(launcher.calls, (std::vector<RecordingLauncher::Call>{
                                  RecordingLauncher::Opened("C:\\Program Files\\Alpha"),
                                  RecordingLauncher::Opened("C:\\Program Files\\Alpha"),
                                  RecordingLauncher::Opened("D:\\setup"), RecordingLauncher::Opened("D:\\setup"),
                                  RecordingLauncher::Opened("C:\\Program Files\\Alpha\\readme.txt")}));

    // "View Help" and "Website" do what "Browse Help Link" does.
    launcher.calls.clear();
    SelectByName("zeta tools");
    window.Click("BrowseHelpLink1");
    window.Click("ToolButton5");
    window.Click("ToolButton7");
    EXPECT_EQ(launcher.calls, std::vector<RecordingLauncher::Call>(3, RecordingLauncher::Opened("http://zeta.example/help")));
}

TEST_F(UninstallWindow, UninstallRunsTheCommandLineAndRefreshes) {
    window.Refresh1Click();
    SelectByName("Alpha Suite");
    // The entry a running uninstaller removes is still there at the refresh, which sees what is new.
    AddEntry("{C2}", "Gamma", "", "");
    window.Click("ToolButton1");
    EXPECT_EQ(launcher.calls,
              (std::vector<RecordingLauncher::Call>{RecordingLauncher::Ran("C:\\Program Files\\Alpha\\uninst.exe /x")}));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 4");
    // A row without an uninstall command runs nothing.
    SelectByName("beta Player");
    window.Click("Uninstall1");
    EXPECT_EQ(launcher.calls.size(), 1u);
}

TEST_F(UninstallWindow, DeleteEntryAsksThenRemovesTheKeyWithEverythingBelowIt) {
    machine.SetString((Entry("{B0}") + "\\Sub\\Deeper").c_str(), "x", "y");
    window.Refresh1Click();
    SelectByName("zeta tools");
    window.Click("DeleteEntry1");
    EXPECT_EQ(questions, std::vector<std::string>{kDeleteQuestion});
    EXPECT_FALSE(KeyExists(Entry("{B0}")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha Suite", "beta Player"}));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 2");
    EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"\"{B0}\" entry removed."});
    EXPECT_TRUE(KeyExists(Entry("beta")));
}

TEST_F(UninstallWindow, CancelledDeleteKeepsTheEntry) {
    window.Refresh1Click();
    answer = false;
    SelectByName("beta Player");
    window.Click("ToolButton2");
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(KeyExists(Entry("beta")));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 3");
    EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"Not deleted"});
}

TEST_F(UninstallWindow, DeleteWithoutASelectionAsksNothing) {
    window.Refresh1Click();
    window.Click("DeleteEntry1");
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(testing::ShownMessages().empty());
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 3");
}

TEST_F(UninstallWindow, AFailedDeleteSaysSoWithTheSystemsReason) {
    window.Refresh1Click();
    {
        // Wine grants the right to delete a key whatever its descriptor says; a subkey that cannot
        // even be read stops the deletion as a lack of rights would.
        machine.CreateKey((Entry("beta") + "\\Locked").c_str());
        LockedKey locked(Entry("beta") + "\\Locked");
        SelectByName("beta Player");
        window.Click("DeleteEntry1");
        EXPECT_TRUE(KeyExists(Entry("beta")));
        EXPECT_EQ(window.Text("StatusBar1"), "Count: 3");
        EXPECT_EQ(testing::ShownMessages(),
                  std::vector<std::string>{"\"beta\" entry not removed: " + win::ErrorMessage(ERROR_ACCESS_DENIED)});
    }
    // A key that vanished meanwhile is reported too.
    testing::ShownMessages().clear();
    SelectByName("zeta tools");
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, Entry("{B0}").c_str());
    window.Click("DeleteEntry1");
    EXPECT_EQ(testing::ShownMessages(),
              std::vector<std::string>{"\"{B0}\" entry not removed: " + win::ErrorMessage(ERROR_FILE_NOT_FOUND)});
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 2");
}

TEST_F(UninstallWindow, ToolbarItemShowsAndHidesTheToolBar) {
    const HWND list = window.Control("ListView1");
    auto listTop = [&] {
        RECT rc;
        ::GetWindowRect(list, &rc);
        ::MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc.top;
    };
    EXPECT_TRUE(window.Checked("oolbar1"));
    EXPECT_TRUE(window.ToolBarVisible());
    const LONG withBar = listTop();
    EXPECT_GT(withBar, 20) << "the list starts under the tool bar";
    window.Click("oolbar1");
    EXPECT_FALSE(window.Checked("oolbar1"));
    EXPECT_FALSE(window.ToolBarVisible());
    EXPECT_EQ(listTop(), 0);
    window.Click("oolbar1");
    EXPECT_TRUE(window.Checked("oolbar1"));
    EXPECT_EQ(listTop(), withBar);
}

TEST_F(UninstallWindow, SortOrdersByName) {
    window.Refresh1Click();
    // A row added behind the list's back lands at the end until sorted.
    window.ListView1().Add("Aardvark", {});
    window.Click("Sort1");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Aardvark", "Alpha Suite", "beta Player", "zeta tools"}));
}

// Printing needs the printers of the real machine key: these tests fill the lists themselves.
class ListReportOnAPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        ASSERT_TRUE(printer.installed());
    }
    const testing::TestPrinter printer;
};

TEST_F(ListReportOnAPrinter, PagesAsLaidOut) {
    RecordingLauncher launcher;
    testing::FixturePrintDialog dialog(testing::TestPrinter::kName);
    TfrmUnistall window(launcher, dialog);
    window.Create();

    // The layout's row count for this printer's page, across.
    int rowsPerPage = 0;
    {
        const win::DeviceContext dc = win::CreateLandscapePrinterContext(testing::TestPrinter::kName, 1);
        ASSERT_TRUE(dc);
        win::PrinterCanvas canvas(dc.get());
        const report::PageGeometry page = canvas.Page();
        EXPECT_GT(page.width, page.height) << "landscape";
        canvas.SetFont(report::kReportFace, report::kRowPointSize, false);
        rowsPerPage = report::LayOutReport(page, {1}, canvas.TextHeight("dummy"), 0).rowsPerPage;
    }
    ASSERT_GT(rowsPerPage, 5);

    const struct { int items; int pages; } cases[] = {
        {0, 1}, {rowsPerPage, 1}, {rowsPerPage + 1, 2}, {2 * rowsPerPage + 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.items) + " rows");
        ui::ListView list = window.ListView1();
        list.Clear();
        for (int i = 0; i < c.items; ++i)
            list.Add("Application " + std::to_string(i), {"1." + std::to_string(i), "http://example.invalid/"});
        printer.ForgetPrinted();
        window.Click("Print1");
        EXPECT_EQ(printer.PrintedPages(), c.pages);
        const std::string output = printer.Printed();
        EXPECT_NE(output.find("%%Title: Installed Applications"), std::string::npos);
        EXPECT_NE(output.find("%%Orientation: Landscape"), std::string::npos);
    }
    EXPECT_EQ(dialog.shown, 4);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(ListReportOnAPrinter, CancellingTheDialogPrintsNothing) {
    RecordingLauncher launcher;
    testing::FixturePrintDialog dialog(testing::TestPrinter::kName);
    dialog.cancel = true;
    TfrmUnistall window(launcher, dialog);
    window.Create();
    window.ListView1().Add("Application", {});
    window.Click("Print1");
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(printer.PrintedPages(), -1);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(ListReportOnAPrinter, TheDeviceClassesList) {
    testing::FixturePrintDialog dialog(testing::TestPrinter::kName);
    TfrmDevices window(dialog);
    window.Create();
    window.ListView1().Add("Disk drive", {"Maker", "1.0"});
    window.Click("Print1");
    EXPECT_EQ(printer.PrintedPages(), 1);
    EXPECT_NE(printer.Printed().find("%%Title: Device Info"), std::string::npos);
}

class DevicesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        window.Create();
        ASSERT_NE(window.hwnd(), nullptr);
    }
    void AddClass(const char* root, const std::string& guid, const char* instance, const char* description,
                  const char* provider = nullptr, const char* version = nullptr) {
        const std::string path = std::string(root) + "\\" + guid + "\\" + instance;
        machine.CreateKey(path.c_str());
        if (description) machine.SetString(path.c_str(), "DriverDesc", description);
        if (provider) machine.SetString(path.c_str(), "ProviderName", provider);
        if (version) machine.SetString(path.c_str(), "DriverVersion", version);
    }
    std::vector<std::vector<std::string>> Rows() const {
        std::vector<std::vector<std::string>> rows;
        const ui::ListView list = window.ListView1();
        for (int r = 0; r < list.Count(); ++r) rows.push_back(list.Row(r));
        return rows;
    }
    ScratchMachineKey machine;
    testing::FixturePrintDialog printDialog{testing::TestPrinter::kName};
    TfrmDevices window{printDialog};
};

TEST_F(DevicesWindow, OneRowPerClassWithADriverDescriptionSorted) {
    AddClass(kClassRoot002, "{4d36e968-e325-11ce-bfc1-08002be10318}", "0000", "Wine Display", "Wine", "1.0.0.0");
    AddClass(kClassRoot002, "{4d36e968-e325-11ce-bfc1-08002be10318}", "0001", "Second Display", "Wine", "2.0");
    AddClass(kClassRoot002, "{4d36e967-e325-11ce-bfc1-08002be10318}", "0000", "Disk drive", nullptr, nullptr);
    AddClass(kClassRoot002, "{4d36e96e-e325-11ce-bfc1-08002be10318}", "0000", "");         // empty description
    AddClass(kClassRoot002, "{4d36e978-e325-11ce-bfc1-08002be10318}", "0000", nullptr);    // none at all
    AddClass(kClassRoot002, "{745a17a0-74d3-11d0-b6fe-00a0c90f57da}", "0001", "HID only"); // no first instance
    AddClass(kClassRoot002, "{6bdd1fc6-810f-11d0-bec7-08002be2092f}", "0000", "alpha scanner", "Maker", "3");
    // Control set 003 is never read while 002 opens.
    AddClass(kClassRoot003, "{ffffffff-0000-0000-0000-000000000000}", "0000", "From set 003");

    EXPECT_EQ(window.Caption(), "Device Info");
    window.Show();
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"alpha scanner", "Maker", "3"},
                                                            {"Disk drive", "", ""},
                                                            {"Wine Display", "Wine", "1.0.0.0"}}));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 3");
    window.Hide();
}

TEST_F(DevicesWindow, ControlSet003WhenSet002IsMissing) {
    AddClass(kClassRoot003, "{1}", "0000", "From set 003", "P", "V");
    window.Refresh1Click();
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"From set 003", "P", "V"}}));
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 1");
}

TEST_F(DevicesWindow, NoClassTreeGivesCountZero) {
    window.Refresh1Click();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(window.Text("StatusBar1"), "Count: 0");
}

TEST_F(DevicesWindow, AUserWithoutAdministratorRightsSeesTheListToo) {
    AddClass(kClassRoot002, "{1}", "0000", "Locked class", "P", "V");
    ReadOnlyKey classRoot(kClassRoot002);
    ReadOnlyKey instance(std::string(kClassRoot002) + "\\{1}\\0000");
    // Full access is refused, reading is not.
    HKEY key = nullptr;
    EXPECT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kClassRoot002, 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
    window.Refresh1Click();
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"Locked class", "P", "V"}}));
}

TEST(MainWindowLists, AppInfoAndDeviceInfoOpenTheirWindows) {
    ScratchMachineKey machine;
    machine.SetString(Entry("{X}").c_str(), "DisplayName", "Fixture App");
    machine.SetString((std::string(kClassRoot002) + "\\{1}\\0000").c_str(), "DriverDesc", "Fixture Driver");
    TForm1 form{{}};
    form.Create();
    for (const char* name : {"Uninstallers1", "ToolButton13", "DeviceInfo1"}) EXPECT_TRUE(form.Enabled(name)) << name;
    EXPECT_FALSE(form.frmUnistall().Visible());
    EXPECT_FALSE(form.frmDevices().Visible());
    EXPECT_EQ(::GetWindow(form.frmUnistall().hwnd(), GW_OWNER), form.hwnd());

    form.Click("ToolButton13");
    EXPECT_TRUE(form.frmUnistall().Visible());
    EXPECT_EQ(form.frmUnistall().Text("StatusBar1"), "Count: 1");
    form.frmUnistall().Hide();
    form.Click("Uninstallers1");
    EXPECT_TRUE(form.frmUnistall().Visible());
    form.frmUnistall().Hide();

    form.Click("DeviceInfo1");
    EXPECT_TRUE(form.frmDevices().Visible());
    EXPECT_EQ(form.frmDevices().ListView1().Cell(0, 0), "Fixture Driver");
    form.frmDevices().Hide();
}

}  // namespace
}  // namespace brimlow
