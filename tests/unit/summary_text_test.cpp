#include "app/summary_export.h"
#include "app/summary_text.h"

#include <gtest/gtest.h>

#include <map>

namespace brimlow {
namespace {

TEST(CleanListText, Cases) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"eth0 | wlan0 | ", "eth0 | wlan0"},
        {" | ", ""},
        {"", ""},
        {"word", "word"},
        {"\t\r\n word \x01", "word"},
        {"a | | ", "a |"},  // only one trailing bar goes per call
        {"|", ""},
        {"  x|  ", "x"},
        {"\xE9t\xE9 | ", "\xE9t\xE9"},  // ANSI letters above 127 are not controls
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(CleanListText(c.in), c.out);
    }
    // Applied twice, as the BIOS row does, it removes two bars.
    EXPECT_EQ(CleanListText(CleanListText("a | | ")), "a");
}

TEST(CleanListText, KeepsZeroBytesInsideButTrimsThemAtTheEnds) {
    EXPECT_EQ(CleanListText(std::string("\0ab\0", 4)), "ab");
}

TEST(AppendListItem, BuildsTheRawListForm) {
    std::string list;
    AppendListItem(list, "1.2.3.4");
    AppendListItem(list, "5.6.7.8");
    EXPECT_EQ(list, "1.2.3.4 | 5.6.7.8 | ");
}

TEST(AutoReport, OneLabelValueLinePerRowWithCrLf) {
    std::vector<SummaryRow> rows;
    for (int n = 0; n < kSummaryRowCount; ++n) rows.push_back({kSummaryLabels[n], n == 0 ? "Win, \"x\" <y>" : ""});
    const std::string text = AutoReportText(rows);
    EXPECT_EQ(text.substr(0, 24), "Windows: Win, \"x\" <y>\r\nI");
    EXPECT_EQ(text.substr(text.size() - 13), "Host Name: \r\n");
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r');
            ++lines;
        } else if (text[i] == '\r') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], '\n');
        }
    }
    EXPECT_EQ(lines, 28u);
}

TEST(SummaryLabels, AllFitTheClipboardColumn) {
    // The clipboard export pads "label: " to 20 characters, so each must be shorter.
    for (const char* label : kSummaryLabels) EXPECT_LE(std::string(label).size() + 2, 19u) << label;
}

TEST(SplitCommandLine, Cases) {
    struct Case {
        const char* line;
        std::vector<std::string> params;
    };
    const Case cases[] = {
        {"brimlow.exe", {}},
        {"\"C:\\Program Files\\brimlow.exe\"", {}},
        {"brimlow.exe /norefresh", {"/norefresh"}},
        {"brimlow.exe  /AUTO   out.txt ", {"/AUTO", "out.txt"}},
        {"brimlow.exe /AUTO \"C:\\My Reports\\out.txt\"", {"/AUTO", "C:\\My Reports\\out.txt"}},
        {"brimlow.exe /AUTO \"\"", {"/AUTO", ""}},
        {"brimlow.exe a\"b c\"d e", {"ab cd", "e"}},
        {"brimlow.exe a b c", {"a", "b", "c"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(SplitCommandLine(c.line), c.params);
    }
}

TEST(PlanStartup, Cases) {
    struct Case {
        std::vector<std::string> params;
        StartupAction action;
        const char* file;
    };
    const Case cases[] = {
        {{}, StartupAction::Refresh, ""},
        {{"/norefresh"}, StartupAction::Nothing, ""},
        {{"/AUTO"}, StartupAction::Nothing, ""},
        {{"/nocom"}, StartupAction::Nothing, ""},
        {{"/AUTO", "out.txt"}, StartupAction::AutoReport, "out.txt"},
        {{"/auto", "out.txt"}, StartupAction::AutoReport, "out.txt"},
        {{"/Auto", "C:\\r.txt"}, StartupAction::AutoReport, "C:\\r.txt"},
        {{"/AUTO", ""}, StartupAction::Refresh, ""},
        {{"/nocom", "x"}, StartupAction::Refresh, ""},
        {{"AUTO", "out.txt"}, StartupAction::Refresh, ""},
        {{"/AUTO", "out.txt", "more"}, StartupAction::Nothing, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params.empty() ? "<none>" : c.params[0] + " (" + std::to_string(c.params.size()) + ")");
        const StartupPlan plan = PlanStartup(c.params);
        EXPECT_EQ(plan.action, c.action);
        EXPECT_EQ(plan.reportFile, c.file);
    }
}

TEST(PortsSuppressed, FirstParameterNocomInAnyCase) {
    const std::vector<std::string> yes[] = {{"/nocom"}, {"/NOCOM"}, {"/NoCom", "x"}};
    const std::vector<std::string> no[] = {{}, {"/nocomx"}, {"x", "/nocom"}, {"nocom"}};
    for (const auto& p : yes) EXPECT_TRUE(PortsSuppressed(p)) << p[0];
    for (const auto& p : no) EXPECT_FALSE(PortsSuppressed(p));
}

TEST(MainWindowHeight, FollowsTheScreen) {
    EXPECT_EQ(MainWindowHeight(1024), 936);
    EXPECT_EQ(MainWindowHeight(937), 936);
    EXPECT_EQ(MainWindowHeight(936), 886);
    EXPECT_EQ(MainWindowHeight(768), 718);
    EXPECT_EQ(MainWindowHeight(1200, 120), 1170);
    EXPECT_EQ(MainWindowHeight(1024, 120), 961);  // 50 px become 63
}

TEST(FirstAdapterMac, AsksTheNextAdapterOnlyAfterAnAllZeroAddress) {
    using Address = std::array<std::uint8_t, 6>;
    const Address zero{};
    const Address real{0x00, 0x0C, 0x29, 0x3A, 0x1B, 0x2F};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> lanas;
        std::map<std::uint8_t, std::optional<Address>> answers;
        const char* mac;
        std::vector<std::uint8_t> asked;
    };
    const Case cases[] = {
        {"first answers", {3, 5}, {{3, real}, {5, zero}}, "00-0C-29-3A-1B-2F", {3}},
        {"first all zero", {3, 5}, {{3, zero}, {5, real}}, "00-0C-29-3A-1B-2F", {3, 5}},
        {"last all zero is shown", {3, 5}, {{3, zero}, {5, zero}}, "00-00-00-00-00-00", {3, 5}},
        {"failed status ends the search", {3, 5}, {{3, std::nullopt}, {5, real}}, "", {3}},
        {"no adapters", {}, {}, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> asked;
        const std::string mac = FirstAdapterMac(c.lanas, [&](std::uint8_t lana) {
            asked.push_back(lana);
            return c.answers.at(lana);
        });
        EXPECT_EQ(mac, c.mac);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(FormatMacAddress, UpperCaseHexJoinedByDashes) {
    const std::array<std::uint8_t, 6> bytes{0xAB, 0x01, 0xFF, 0x00, 0x9c, 0x10};
    EXPECT_EQ(FormatMacAddress(bytes), "AB-01-FF-00-9C-10");
}

}  // namespace
}  // namespace brimlow
