// The internet window and its gatherers under Wine: favourites from a fixture folder tree of
// shortcut files, typed addresses, settings and browser versions from scratch keys of both
// hives, a browser's version from a fixture program with a version resource of its own
// (browser_version_fixture.exe, built beside this test program), and the saved favourites file.
#include "app/Unit1.h"
#include "network/TfrmInternet.h"
#include "network/internet_facts.h"
#include "network/internet_text.h"
#include "platform/win_registry.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"
#include "ui/list_view.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace brimlow {
namespace {

using testing::ScratchMachineKey;
using testing::ScratchUserKey;

constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kTyped = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kExplorer = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kFirefox = "SOFTWARE\\Mozilla\\Mozilla Firefox";
constexpr const char* kChrome = "Software\\Google\\Update\\Clients\\{8A69D345-D564-463c-AFF1-A69D9E530F96}";

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

// A folder of the test's own under the temporary folder, removed with everything in it.
class FixtureFolder {
public:
    explicit FixtureFolder(const char* name) {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + name + "-" + std::to_string(::GetCurrentProcessId());
        RemoveTree(root_);
        ::CreateDirectoryA(root_.c_str(), nullptr);
    }
    ~FixtureFolder() { RemoveTree(root_); }
    FixtureFolder(const FixtureFolder&) = delete;
    FixtureFolder& operator=(const FixtureFolder&) = delete;

    const std::string& root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }
    void Folder(const std::string& relative) const { ::CreateDirectoryA(Path(relative).c_str(), nullptr); }
    void File(const std::string& relative, const std::string& text) const {
        std::ofstream(Path(relative), std::ios::binary) << text;
    }
    void Shortcut(const std::string& relative, const std::string& url) const {
        File(relative, "[InternetShortcut]\r\nURL=" + url + "\r\nIconIndex=0\r\n");
    }

private:
    std::string root_;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Closing posts a request to the window: hand it over as the message loop would.
void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// browser_version_fixture.exe, beside this program.
std::string VersionFixture() {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + "browser_version_fixture.exe";
}

// A favourites tree: two shortcuts (one hidden, so "any attributes" counts) and one without an
// address in the top folder, a file that is no shortcut, a subfolder with a deeper one, and a
// folder whose name begins with "." that is passed over.
void WriteFavourites(const FixtureFolder& tree) {
    tree.Shortcut("Alpha.url", "http://alpha.invalid/");
    tree.Shortcut("Hidden.url", "http://hidden.invalid/");
    ::SetFileAttributesA(tree.Path("Hidden.url").c_str(), FILE_ATTRIBUTE_HIDDEN);
    tree.File("NoAddress.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
    tree.File("notes.txt", "[InternetShortcut]\r\nURL=http://not-a-shortcut.invalid/\r\n");
    tree.Folder("Links");
    tree.Shortcut("Links\\Beta.url", "http://beta.invalid/links");
    tree.Folder("Links\\Deep");
    tree.Shortcut("Links\\Deep\\Gamma.url", "http://gamma.invalid/");
    tree.Folder(".cache");
    tree.Shortcut(".cache\\Skipped.url", "http://skipped.invalid/");
}

// Within one folder the order is the directory's (on Wine the host file system's): the top
// folder's three entries are compared as a set, and must all come before the subfolders'.
void ExpectFixtureFavourites(const std::vector<std::string>& got) {
    ASSERT_EQ(got.size(), 5u) << ::testing::PrintToString(got);
    std::vector<std::string> top(got.begin(), got.begin() + 3);
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"", "http://alpha.invalid/", "http://hidden.invalid/"}));
    EXPECT_EQ(got[3], "http://beta.invalid/links");
    EXPECT_EQ(got[4], "http://gamma.invalid/");
}

TEST(InternetFacts, FavouritesListTheParentFolderFirst) {
    FixtureFolder tree("brimlow-favourites");
    WriteFavourites(tree);
    ExpectFixtureFavourites(ScanFavourites(tree.root()));
    EXPECT_TRUE(ScanFavourites(tree.Path("no such folder")).empty());
}

TEST(InternetFacts, TheShellNamesAnExistingFavoritesFolder) {
    const auto folder = FavouritesFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_TRUE(folder->ends_with("\\Favorites")) << *folder;
    EXPECT_NE(::GetFileAttributesA(folder->c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << *folder;
}

TEST(InternetFacts, FileVersionComesFromTheFixedVersionResource) {
    FixtureFolder files("brimlow-versions");
    files.File("plain.exe", "no version resource here");
    const struct {
        std::string path;
        std::string version;
    } cases[] = {
        {VersionFixture(), "12.0.1658.3"},  // the file version, not the product version or the strings
        {files.Path("plain.exe"), ""},
        {files.Path("missing.exe"), ""},
    };
    ASSERT_TRUE(Exists(VersionFixture())) << VersionFixture();
    for (const auto& c : cases) EXPECT_EQ(FileVersionOf(c.path), c.version) << c.path;
}

TEST(InternetFacts, BrowserRowsFromKeysAndProgramFiles) {
    FixtureFolder files("brimlow-browsers");
    files.File("safari.exe", "no version resource here");
    BrowserFiles present{VersionFixture(), files.Path("safari.exe")};
    BrowserFiles absent{files.Path("opera.exe"), files.Path("Safari")};
    files.Folder("Safari");  // a folder of the program's name is no program file

    {
        ScratchMachineKey machine;
        ScratchUserKey user;
        EXPECT_EQ(ReadBrowserRows(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, absent),
                  (std::vector<BrowserRow>{{"Internet Explorer", "Not Installed"},
                                           {"Mozilla Firefox", "NOT Installed"},
                                           {"Google Chrome", ""}}))
            << "no browser: Chrome's row stays, with an empty version";
        // The Firefox key without its value, and a version of the wrong type.
        machine.CreateKey(kFirefox);
        machine.SetDword(kExplorer, "Version", 9);
        const auto rows = ReadBrowserRows(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, absent);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].version, "Not Installed");
        EXPECT_EQ(rows[1].version, "");
    }
    {
        ScratchMachineKey machine;
        ScratchUserKey user;
        machine.SetString(kExplorer, "Version", "8.0.7601.17514");
        machine.SetString(kFirefox, "CurrentVersion", "3.6.28 (en-US)");
        user.SetString(kChrome, "pv", "49.0.2623.112");
        EXPECT_EQ(ReadBrowserRows(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, present),
                  (std::vector<BrowserRow>{{"Internet Explorer", "8.0.7601.17514"},
                                           {"Mozilla Firefox", "3.6.28 (en-US)"},
                                           {"Google Chrome", "49.0.2623.112"},
                                           {"Opera", "12.0.1658.3"},
                                           {"Safari", ""}}));
    }
}

TEST(InternetFacts, TypedUrlsInRegistryOrder) {
    ScratchUserKey user;
    EXPECT_FALSE(ReadTypedUrls(HKEY_CURRENT_USER).has_value());
    user.SetString(kTyped, "url2", "http://second.invalid/");
    user.SetString(kTyped, "url1", "http://first.invalid/");
    user.SetDword(kTyped, "url3", 3);
    const std::map<std::string, std::string> texts{
        {"url1", "http://first.invalid/"}, {"url2", "http://second.invalid/"}, {"url3", ""}};
    // The order is the registry's own (Wine's sorts the names; Windows keeps them as written).
    std::vector<std::string> expected;
    const win::RegKey key = win::OpenKeyForRead(HKEY_CURRENT_USER, kTyped);
    for (const std::string& name : win::ValueNames(key.get())) expected.push_back(texts.at(name));
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(ReadTypedUrls(HKEY_CURRENT_USER), std::optional(expected));
}

TEST(InternetFacts, SettingsAreOnOnlyForYes) {
    ScratchUserKey user;
    EXPECT_FALSE(ReadIeFlags(HKEY_CURRENT_USER).keyOpened);
    const auto names = IeFlagNames();
    // Value per setting, by index; the ones not named here are missing from the key.
    user.SetString(kMain, names[0], "yes");
    user.SetString(kMain, names[1], "Yes");
    user.SetString(kMain, names[2], "YES");
    user.SetString(kMain, names[3], "no");
    user.SetString(kMain, names[4], "1");
    user.SetString(kMain, names[5], "");
    user.SetString(kMain, names[6], "yes ");
    user.SetDword(kMain, names[7], 1);
    user.SetString(kMain, names[17], "yEs");
    const IeFlags flags = ReadIeFlags(HKEY_CURRENT_USER);
    EXPECT_TRUE(flags.keyOpened);
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(flags.on[i], i <= 2 || i == 17) << names[i];
}

TEST(InternetFacts, OnlineStateAndProgramIdsUnderWine) {
    // URL.DLL is there and Wine reports the machine as online.
    EXPECT_EQ(InternetOffline(), std::optional<bool>(false));
    EXPECT_FALSE(ProgIdRegistered(L"ShockwaveFlash.ShockwaveFlash"));
    EXPECT_TRUE(ProgIdRegistered(L"WbemScripting.SWbemLocator"));
}

class InternetWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        WriteFavourites(favourites);
        files.File("safari.exe", "no version resource here");
        sources.favouritesFolder = [this] { return folder; };
        sources.browserFiles = {VersionFixture(), files.Path("safari.exe")};
        sources.saveDialog = [this](const ui::SaveDialogRequest& request) {
            requests.push_back(request);
            return answer;
        };
        window = std::make_unique<TfrmInternet>(sources);
        window->Create();
        ASSERT_NE(window->hwnd(), nullptr);
    }

    void WriteKeys() {
        machine.SetString("SOFTWARE\\Microsoft\\Internet Explorer\\Registration", "ProductID", "76487-OEM-0011903-00102");
        machine.SetString(kExplorer, "Version", "8.0.7601.17514");
        user.SetString(kMain, "Start Page", "http://start.invalid/");
        user.SetString(kMain, "Search Page", "http://search.invalid/");
        user.SetString(kMain, "Local Page", "C:\\windows\\system32\\blank.htm");
        user.SetString(kExplorer, "Download Directory", "C:\\Downloads");
        user.SetString(kTyped, "url1", "http://typed.invalid/");
        user.SetString(kMain, "FullScreen", "yes");
        user.SetString(kMain, "Show_StatusBar", "Yes");
        user.SetString(kMain, "Show_ToolBar", "no");
    }

    std::vector<std::pair<std::string, bool>> Flags() const {
        std::vector<std::pair<std::string, bool>> flags;
        for (int i = 0; i < window->CheckListCount("CheckListBox1"); ++i)
            flags.push_back({window->CheckListText("CheckListBox1", i), window->CheckListChecked("CheckListBox1", i)});
        return flags;
    }

    std::vector<std::vector<std::string>> Browsers() const {
        const ui::ListView list(window->Control("ListView1"));
        std::vector<std::vector<std::string>> rows;
        for (int r = 0; r < list.Count(); ++r) rows.push_back(list.Row(r));
        return rows;
    }

    ScratchMachineKey machine;
    ScratchUserKey user;
    FixtureFolder favourites{"brimlow-window-favourites"};
    FixtureFolder files{"brimlow-window-files"};
    std::optional<std::string> folder = favourites.root();
    InternetSources sources;
    std::vector<ui::SaveDialogRequest> requests;
    std::optional<ui::SaveChoice> answer;
    std::unique_ptr<TfrmInternet> window;
};

TEST_F(InternetWindow, ShowingFillsEveryPartAndAgainGivesTheSameRows) {
    WriteKeys();
    window->Show();
    EXPECT_EQ(window->Caption(), "Internet");
    EXPECT_EQ(window->Text("Edit5"), "Connected");
    EXPECT_EQ(window->Text("Edit6"), "http://start.invalid/");
    EXPECT_EQ(window->Text("Edit7"), "http://search.invalid/");
    EXPECT_EQ(window->Text("Edit11"), "C:\\Downloads");
    EXPECT_EQ(window->Text("Edit12"), "C:\\windows\\system32\\blank.htm");
    EXPECT_EQ(window->Text("Edit15"), "NOT Installed");
    EXPECT_EQ(window->Text("Edit4"), "76487-OEM-0011903-00102");
    ExpectFixtureFavourites(window->Items("ListBox2"));
    EXPECT_EQ(window->Items("ListBox1"), std::vector<std::string>{"http://typed.invalid/"});
    const auto flags = Flags();
    ASSERT_EQ(flags.size(), 18u);
    for (std::size_t i = 0; i < flags.size(); ++i) {
        EXPECT_EQ(flags[i].first, IeFlagNames()[i]);
        EXPECT_EQ(flags[i].second, flags[i].first == "FullScreen" || flags[i].first == "Show_StatusBar")
            << flags[i].first;
    }
    const std::vector<std::vector<std::string>> browsers{{"Internet Explorer", "8.0.7601.17514"},
                                                          {"Mozilla Firefox", "NOT Installed"},
                                                          {"Google Chrome", ""},
                                                          {"Opera", "12.0.1658.3"},
                                                          {"Safari", ""}};
    EXPECT_EQ(Browsers(), browsers);
    EXPECT_TRUE(testing::ShownMessages().empty());

    const auto favouritesShown = window->Items("ListBox2");
    window->Hide();
    window->Show();
    EXPECT_EQ(window->Items("ListBox2"), favouritesShown);
    EXPECT_EQ(window->Items("ListBox1"), std::vector<std::string>{"http://typed.invalid/"});
    EXPECT_EQ(Flags(), flags);
    EXPECT_EQ(Browsers(), browsers);
    EXPECT_TRUE(testing::ReportedErrors().empty());
    window->Click("Exit1");
    PumpMessages();
    EXPECT_FALSE(window->Visible()) << "Exit closes the window";
}

TEST_F(InternetWindow, EmptyKeysGiveEmptyFieldsAndOneMessageForTheSettings) {
    window->Click("Refresh1");
    for (const char* field : {"Edit4", "Edit6", "Edit7", "Edit11", "Edit12"}) EXPECT_EQ(window->Text(field), "") << field;
    EXPECT_TRUE(window->Items("ListBox1").empty());
    EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"Path not found"});
    const auto flags = Flags();
    ASSERT_EQ(flags.size(), 18u);
    EXPECT_TRUE(std::none_of(flags.begin(), flags.end(), [](const auto& f) { return f.second; }));
    ASSERT_GE(Browsers().size(), 3u);
    EXPECT_EQ(Browsers()[2], (std::vector<std::string>{"Google Chrome", ""}));
    window->Click("Refresh1");
    EXPECT_EQ(testing::ShownMessages().size(), 2u) << "one message per refresh";
}

TEST_F(InternetWindow, FavouritesStayWhenTheFolderCannotBeFound) {
    WriteKeys();
    window->Click("Refresh1");
    const auto shown = window->Items("ListBox2");
    ASSERT_EQ(shown.size(), 5u);
    for (const std::optional<std::string>& gone : {std::optional<std::string>(), std::optional(favourites.Path("gone"))}) {
        folder = gone;
        window->Click("Refresh1");
        EXPECT_EQ(window->Items("ListBox2"), shown);
    }
    // A folder that is there but empty empties the list.
    favourites.Folder("empty");
    folder = favourites.Path("empty");
    window->Click("Refresh1");
    EXPECT_TRUE(window->Items("ListBox2").empty());
}

TEST_F(InternetWindow, SavingWritesOneAddressPerLineAndReplacesTheFile) {
    WriteKeys();
    window->Click("Refresh1");
    const std::string target = files.Path("favourites.txt");
    files.File("favourites.txt", "an older, longer file that must go entirely\r\n");

    window->Click("SaveIEFavourites1");  // cancelled
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filter, "Text File|*.txt");
    EXPECT_EQ(requests[0].defaultExtension, "TXT");
    EXPECT_EQ(requests[0].owner, window->hwnd());
    EXPECT_EQ(ReadFile(target), "an older, longer file that must go entirely\r\n");

    answer = ui::SaveChoice{target, 1};
    window->Click("SaveIEFavourites1");
    std::string expected;
    for (const std::string& address : window->Items("ListBox2")) expected += address + "\r\n";
    EXPECT_EQ(ReadFile(target), expected);
    EXPECT_TRUE(testing::ReportedErrors().empty());

    // A folder that does not exist: the error is shown and nothing is left behind.
    answer = ui::SaveChoice{files.Path("no folder\\favourites.txt"), 1};
    ui::Application::Instance().Guard([&] { window->Click("SaveIEFavourites1"); });
    EXPECT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_FALSE(Exists(files.Path("no folder")));
}

TEST(InternetWindowFlash, InstalledWhenTheProgramIdIsRegistered) {
    ScratchUserKey user;
    InternetSources sources;
    sources.favouritesFolder = [] { return std::nullopt; };
    sources.flashProgId = L"WbemScripting.SWbemLocator";
    TfrmInternet window(sources);
    window.Create();
    window.Click("Refresh1");
    EXPECT_EQ(window.Text("Edit15"), "Installed");
}

TEST(InternetWindowFromMain, TheInternetButtonShowsTheWindow) {
    TForm1 form{{}};
    form.Create();
    ASSERT_TRUE(form.Enabled("ToolButton12"));
    form.Click("ToolButton12");
    EXPECT_TRUE(form.frmInternet().Visible());
    EXPECT_EQ(form.frmInternet().CheckListCount("CheckListBox1"), 18);
    EXPECT_EQ(::GetWindow(form.frmInternet().hwnd(), GW_OWNER), form.hwnd());
    form.frmInternet().Click("Exit1");
    PumpMessages();
    EXPECT_FALSE(form.frmInternet().Visible());
}

}  // namespace
}  // namespace brimlow
