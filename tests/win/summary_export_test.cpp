// The export commands on a hidden main window, with the dialogs answered by the test: the order
// of refresh and dialog, the files and the clipboard byte for byte, and what a failed write
// leaves behind.
#include "app/Unit1.h"
#include "app/product.h"
#include "forms/main_form.h"
#include "platform/win_clipboard.h"
#include "platform/win_file.h"
#include "platform/win_text.h"
#include "tests/fakes/instant_clock.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace brimlow {
namespace {

std::string TempFolder() {
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    return dir;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The files a folder holds whose names start with `prefix`.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA((folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

class SummaryExport : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        folder = TempFolder() + "brimlow export test\\";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        form.Create();
        ASSERT_NE(form.hwnd(), nullptr);
        form.SetHardwareSeams(nullptr, &clock);
        form.SetExportDialogs(
            [this](const ui::SaveDialogRequest& request) {
                requests.push_back(request);
                // Whether the sheet had been refreshed when the dialog came up.
                refreshedBeforeDialog.push_back(!form.Text("Info1").empty());
                return answer;
            },
            [this](const std::string& text) { messages.push_back(text); });
    }
    void TearDown() override {
        for (const std::string& name : FilesIn(folder, "")) {
            if (name == "." || name == "..") continue;
            ::SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA((folder + name).c_str());
        }
        ::RemoveDirectoryA(folder.c_str());
    }
    void Choose(const char* item) {
        ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::MainFormLayout(), item), 0);
    }

    std::string folder;
    testing::InstantClock clock;
    TForm1 form{{}};
    std::optional<ui::SaveChoice> answer;
    std::vector<ui::SaveDialogRequest> requests;
    std::vector<bool> refreshedBeforeDialog;
    std::vector<std::string> messages;
};

TEST_F(SummaryExport, TheExportItemsAreBuilt) {
    for (const char* item : {"Save1", "ExporttoHTML1", "CopytoClipboard1"}) EXPECT_TRUE(form.Enabled(item)) << item;
}

TEST_F(SummaryExport, SaveCancelledRefreshesNothing) {
    form.SetText("Info28", "as it was");
    Choose("Save1");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filter, "Text File (*.TXT)|*.txt|Comma Seperated Variable (*.CSV)|*.csv");
    EXPECT_EQ(requests[0].defaultExtension, "TXT");
    EXPECT_EQ(requests[0].owner, form.hwnd());
    EXPECT_EQ(form.Text("Info1"), "");
    EXPECT_EQ(form.Text("Info28"), "as it was");
    EXPECT_TRUE(FilesIn(folder, "").size() <= 2u);  // "." and ".." only
    EXPECT_TRUE(messages.empty());
}

TEST_F(SummaryExport, SaveAsTextAfterTheDialogReplacesTheFile) {
    const std::string path = folder + "summary.txt";
    WriteFile(path, std::string(20000, 'x'));  // longer than the summary: nothing of it may stay
    answer = ui::SaveChoice{path, 1};
    Choose("Save1");
    EXPECT_EQ(refreshedBeforeDialog, std::vector<bool>{false});
    ASSERT_FALSE(form.Text("Info1").empty());
    EXPECT_EQ(ReadFile(path), TextFileText(form.SummaryRows()));
    EXPECT_TRUE(ReadFile(path).starts_with("Windows: Windows 7 Professional"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(SummaryExport, SaveAsCsv) {
    const std::string path = folder + "summary.csv";
    answer = ui::SaveChoice{path, 2};
    Choose("Save1");
    const std::string text = ReadFile(path);
    EXPECT_EQ(text, CsvText(form.SummaryRows()));
    EXPECT_TRUE(text.starts_with("\"Windows\",\"Windows 7 Professional, Version 6.1.7601"));
}

TEST_F(SummaryExport, F2OpensTheSaveDialog) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
    MSG msg{form.hwnd(), WM_KEYDOWN, VK_F2, 0, 0, {}};
    EXPECT_TRUE(form.TranslateShortcut(msg));
    EXPECT_EQ(requests.size(), 1u);
}

TEST_F(SummaryExport, HtmlRefreshesBeforeTheDialogEvenWhenCancelled) {
    Choose("ExporttoHTML1");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(refreshedBeforeDialog, std::vector<bool>{true});
    EXPECT_EQ(requests[0].filter, "HTML|*.htm");
    EXPECT_EQ(requests[0].defaultExtension, "htm");
    EXPECT_TRUE(FilesIn(folder, "").size() <= 2u);
}

TEST_F(SummaryExport, HtmlPage) {
    const std::string path = folder + "summary.htm";
    answer = ui::SaveChoice{path, 1};
    Choose("ExporttoHTML1");
    const std::string page = ReadFile(path);
    // Without the personal window the title names nobody.
    EXPECT_NE(page.find("\r\n<title>Brimlow for PC:</title>\r\n"), std::string::npos);
    // The date line carries the local date and time; the rest is the page of the rows.
    std::smatch date;
    ASSERT_TRUE(std::regex_search(page, date, std::regex("<small>---([^<]*)</small>")));
    EXPECT_TRUE(std::regex_search(date[1].str(), std::regex(R"(\d.*\d:\d\d:\d\d)"))) << date[1];
    EXPECT_EQ(page, HtmlPageText(form.SummaryRows(), {"", date[1].str(), kProductPage, kHomePageCaption}));
}

TEST_F(SummaryExport, HtmlTitleNamesTheOwnerTheHookGives) {
    const std::string path = folder + "owner.htm";
    answer = ui::SaveChoice{path, 1};
    form.SetOwnerTextSource([] { return std::string("Jo Bloggs"); });
    Choose("ExporttoHTML1");
    EXPECT_NE(ReadFile(path).find("<title>Brimlow for PC:Jo Bloggs</title>"), std::string::npos);
}

TEST_F(SummaryExport, CopyRefreshesCopiesThenTellsTheUser) {
    Choose("CopytoClipboard1");
    ASSERT_FALSE(form.Text("Info1").empty());
    EXPECT_EQ(win::ReadClipboardText(form.hwnd()), ClipboardText(form.SummaryRows()));
    EXPECT_TRUE(win::ReadClipboardText(form.hwnd()).starts_with("Windows:" + std::string(12, ' ') + "\tWindows 7"));
    EXPECT_EQ(messages, std::vector<std::string>{"System Information copied to clipboard."});
    EXPECT_TRUE(requests.empty());
}

TEST_F(SummaryExport, AFailedWriteReachesTheErrorHandlerAndLeavesNothing) {
    answer = ui::SaveChoice{folder + "no such folder\\summary.txt", 1};
    Choose("Save1");
    ASSERT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_FALSE(testing::ReportedErrors()[0].empty());
    EXPECT_TRUE(FilesIn(folder, "").size() <= 2u);
}

TEST_F(SummaryExport, AFileThatCannotBeReplacedKeepsItsContents) {
    const std::string path = folder + "kept.txt";
    WriteFile(path, "the earlier summary\r\n");
    {
        // Another program has it open and lets nobody delete or rename it.
        const win::FileHandle held(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        answer = ui::SaveChoice{path, 2};
        Choose("Save1");
    }
    EXPECT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_EQ(ReadFile(path), "the earlier summary\r\n");
    // No temporary file stays beside it.
    EXPECT_EQ(FilesIn(folder, "brm"), std::vector<std::string>{});
}

TEST_F(SummaryExport, UnattendedReportReplacesTheFileOrReportsFailure) {
    form.Refresh1Click();
    const std::string path = folder + "auto.txt";
    WriteFile(path, std::string(5000, 'y'));
    ASSERT_TRUE(form.WriteAutoReport(path));
    EXPECT_EQ(ReadFile(path), AutoReportText(form.SummaryRows()));
    EXPECT_FALSE(form.WriteAutoReport(folder + "missing\\auto.txt"));
    EXPECT_FALSE(form.WriteAutoReport(""));
    EXPECT_FALSE(form.WriteAutoReport(folder));  // a folder, not a file
    EXPECT_EQ(FilesIn(folder, "brm"), std::vector<std::string>{});
    EXPECT_TRUE(testing::ReportedErrors().empty()) << "no box in an unattended run";
}

TEST(ReplaceFileContents, WholeFileOrNothing) {
    const std::string folder = TempFolder();
    const std::string path = folder + "brimlow replace test.bin";
    win::ReplaceFileContents(path, std::string("new\0file", 8));
    EXPECT_EQ(ReadFile(path), std::string("new\0file", 8));
    win::ReplaceFileContents(path, "");
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_TRUE(Exists(path));
    ::DeleteFileA(path.c_str());
    EXPECT_THROW(win::ReplaceFileContents(folder + "no such folder\\x.txt", "x"), win::PlatformError);
}

}  // namespace
}  // namespace brimlow
