// The printed list report against a recording canvas: an A4 sheet across at 300 dpi with the
// margins a PostScript printer reports (3358 x 2329 printable, 75 units off each edge), and a
// font whose texts are 5 units high and 2 units wide per character and point (bold one more).
// On that sheet: unit x 167.05, unit y 87.86, margin 251, header top 220, rows 50 high, 38 a page.
#include "platform/list_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace brimlow::report {
namespace {

constexpr PageGeometry kSheet{3358, 2329, 75, 75};
constexpr int kTop = 220;
constexpr int kLine = 50;
constexpr int kRows = 38;

struct Call {
    enum Kind { Text, Clipped, Line, NewPage } kind;
    int x = 0, y = 0, x1 = 0, y1 = 0;
    Box clip;
    std::string text;
    int pointSize = 0;
    bool bold = false;
};

class RecordingCanvas : public ReportCanvas {
public:
    explicit RecordingCanvas(PageGeometry page = kSheet) : page_(page) {}
    std::vector<Call> calls;

    PageGeometry Page() override { return page_; }
    void SetFont(const char* face, int pointSize, bool bold) override {
        EXPECT_STREQ(face, "Times New Roman");
        size_ = pointSize;
        bold_ = bold;
    }
    int TextWidth(const std::string& text) override {
        return static_cast<int>(text.size()) * (2 * size_ + (bold_ ? 1 : 0));
    }
    int TextHeight(const std::string&) override { return 5 * size_; }
    void Text(int x, int y, const std::string& text) override { Add({Call::Text, x, y, 0, 0, {}, text, 0, false}); }
    void ClippedText(const Box& clip, int x, int y, const std::string& text) override {
        Add({Call::Clipped, x, y, 0, 0, clip, text, 0, false});
    }
    void Line(int x0, int y0, int x1, int y1) override { Add({Call::Line, x0, y0, x1, y1, {}, {}, 0, false}); }
    void NewPage() override { Add({Call::NewPage, 0, 0, 0, 0, {}, {}, 0, false}); }

    // The calls of one page (0-based).
    std::vector<Call> PageCalls(int page) const {
        std::vector<Call> out;
        int at = 0;
        for (const Call& call : calls) {
            if (call.kind == Call::NewPage) {
                ++at;
                continue;
            }
            if (at == page) out.push_back(call);
        }
        return out;
    }
    int Pages() const {
        return 1 + static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                                  [](const Call& c) { return c.kind == Call::NewPage; }));
    }

private:
    void Add(Call call) {
        call.pointSize = size_;
        call.bold = bold_;
        calls.push_back(std::move(call));
    }
    PageGeometry page_;
    int size_ = 0;
    bool bold_ = false;
};

ReportList ListOf(std::vector<int> widths, std::size_t items) {
    ReportList list;
    for (std::size_t c = 0; c < widths.size(); ++c) list.columns.push_back({"Col" + std::to_string(c), widths[c]});
    for (std::size_t i = 0; i < items; ++i) {
        std::vector<std::string> row;
        for (std::size_t c = 0; c < widths.size(); ++c) row.push_back("r" + std::to_string(i) + "c" + std::to_string(c));
        list.rows.push_back(row);
    }
    return list;
}

// The vertical separators of a page: x and the bottom end.
std::vector<std::pair<int, int>> Separators(const std::vector<Call>& page) {
    std::vector<std::pair<int, int>> out;
    for (const Call& c : page)
        if (c.kind == Call::Line && c.x == c.x1) {
            EXPECT_EQ(c.y, kTop);
            out.push_back({c.x, c.y1});
        }
    return out;
}

std::vector<std::string> Texts(const std::vector<Call>& page) {
    std::vector<std::string> out;
    for (const Call& c : page)
        if (c.kind == Call::Text) out.push_back(c.text);
    return out;
}

int Rows(const std::vector<Call>& page, std::size_t columns) {
    const auto cells = std::count_if(page.begin(), page.end(),
                                     [](const Call& c) { return c.kind == Call::Clipped && !c.bold; });
    return static_cast<int>(cells / static_cast<long>(columns));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct { double in; int out; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {250.571, 251}, {-7.2, -7}, {0.0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(LayOutReport, ColumnEdgesFollowTheScreenWidths) {
    const struct {
        const char* name;
        PageGeometry page;
        std::vector<int> widths;
        std::vector<int> edges;
    } cases[] = {
        // The installed applications list: the loop's last edge (3104) replaces W - margin (3107).
        {"ten columns", kSheet, {200, 60, 160, 120, 150, 150, 150, 150, 400, 150},
         {251, 589, 690, 960, 1163, 1416, 1669, 1922, 2175, 2851, 3104}},
        {"equal widths", kSheet, {100, 100, 100, 100}, {251, 965, 1679, 2393, 3107}},
        {"proportions 3:1:2", kSheet, {3, 1, 2}, {251, 1679, 2155, 3107}},
        {"widths adding up to 0 print equal columns", kSheet, {0, 0, 0}, {251, 1203, 2155, 3107}},
        {"a single column", kSheet, {80}, {251, 3107}},
        // 2857 across: half of it is 1428.5, which rounds to the even 1428.
        {"a half rounds to even", {3359, 2329, 75, 75}, {7, 7}, {251, 1679, 3107}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportLayout layout = LayOutReport(c.page, c.widths, kLine, 10);
        EXPECT_EQ(layout.edges, c.edges);
        EXPECT_EQ(layout.top, kTop);
        EXPECT_EQ(layout.rowsPerPage, kRows);
    }
}

TEST(LayOutReport, PagesForTheItemCount) {
    const struct { std::size_t items; int pages; } cases[] = {
        {0, 1}, {1, 1}, {kRows, 1}, {kRows + 1, 2}, {2 * kRows, 2}, {2 * kRows + 1, 3},
    };
    for (const auto& c : cases) EXPECT_EQ(LayOutReport(kSheet, {1, 1}, kLine, c.items).pages, c.pages) << c.items;
    // A line taller than the page still prints one row a page, and a zero height is taken as 1.
    EXPECT_EQ(LayOutReport(kSheet, {1}, 100000, 3).rowsPerPage, 1);
    EXPECT_EQ(LayOutReport(kSheet, {1}, 100000, 3).pages, 3);
    EXPECT_EQ(LayOutReport(kSheet, {1}, 0, 3).lineHeight, 1);
}

TEST(DrawListReport, AnEmptyListIsOneBlankPage) {
    RecordingCanvas canvas;
    DrawListReport(ListOf({100, 100}, 0), "Device Info", "12/10/2026", canvas);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(canvas.Pages(), 1);
}

TEST(DrawListReport, RowsPagesAndTheSeparatorsLength) {
    const struct {
        const char* name;
        std::size_t items;
        std::vector<int> rowsPerPage;
        std::vector<int> separatorBottoms;  // per page
    } cases[] = {
        {"one row", 1, {1}, {kTop + 3 * kLine}},
        {"five rows", 5, {5}, {kTop + 7 * kLine}},
        {"exactly a page", kRows, {kRows}, {kTop + (kRows + 2) * kLine}},
        // The second page holds one row, and its rules run three rows below the top.
        {"a page and one row", kRows + 1, {kRows, 1}, {kTop + (kRows + 1) * kLine, kTop + 3 * kLine}},
        {"two and a half pages", 2 * kRows + 19, {kRows, kRows, 19},
         {kTop + (kRows + 1) * kLine, kTop + (kRows + 1) * kLine, kTop + 21 * kLine}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        DrawListReport(ListOf({100, 100, 100}, c.items), "Title", "12/10/2026", canvas);
        ASSERT_EQ(canvas.Pages(), static_cast<int>(c.rowsPerPage.size()));
        for (int p = 0; p < canvas.Pages(); ++p) {
            const auto page = canvas.PageCalls(p);
            EXPECT_EQ(Rows(page, 3), c.rowsPerPage[p]) << "page " << p + 1;
            // Equal thirds of 2856: inner edges at 1203 and 2155, none at the outer edges.
            EXPECT_EQ(Separators(page), (std::vector<std::pair<int, int>>{{1203, c.separatorBottoms[p]},
                                                                          {2155, c.separatorBottoms[p]}}))
                << "page " << p + 1;
        }
    }
}

TEST(DrawListReport, ASingleColumnHasNoSeparators) {
    RecordingCanvas canvas;
    DrawListReport(ListOf({120}, 3), "Title", "12/10/2026", canvas);
    EXPECT_TRUE(Separators(canvas.PageCalls(0)).empty());
    EXPECT_EQ(Rows(canvas.PageCalls(0), 1), 3);
}

TEST(DrawListReport, TheDateLineCountsThePages) {
    RecordingCanvas canvas;
    DrawListReport(ListOf({1, 1}, 2 * kRows + 1), "Title", "12/10/2026", canvas);
    ASSERT_EQ(canvas.Pages(), 3);
    for (int p = 0; p < 3; ++p) {
        const auto texts = Texts(canvas.PageCalls(p));
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0], "Date: 12/10/2026 Page: " + std::to_string(p + 1) + " / 3");
        EXPECT_EQ(texts[1], "Title");
    }
    EXPECT_TRUE(Texts(canvas.PageCalls(1))[0].ends_with("2 / 3"));
}

TEST(DrawListReport, HeadOfAPage) {
    RecordingCanvas canvas;
    ReportList list;
    list.columns = {{"Name", 100}, {"Version", 100}};
    list.rows = {{"Alpha", "1.0"}};
    DrawListReport(list, "Installed Applications", "12/10/2026", canvas);
    const auto page = canvas.PageCalls(0);

    // Captions in bold, centred on their cells (C = 251, 1679, 3107), 9 above the header top,
    // clipped 17 inside the edges.
    std::vector<Call> captions;
    for (const Call& c : page)
        if (c.kind == Call::Clipped && c.bold) captions.push_back(c);
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0].text, "Name");
    EXPECT_EQ(captions[0].pointSize, 10);
    EXPECT_EQ(captions[0].x, 251 + 714 - Half(4 * 21));
    EXPECT_EQ(captions[0].y, kTop - 9);
    EXPECT_EQ(captions[0].clip, (Box{268, kTop - 9, 1662, kTop + kLine - 9}));
    EXPECT_EQ(captions[1].x, 1679 + 714 - Half(7 * 21));
    EXPECT_EQ(captions[1].clip, (Box{1696, kTop - 9, 3090, kTop + kLine - 9}));

    // The rule under the header: 4 above the header row's bottom, 17 beyond the outer edges.
    const auto rule = std::find_if(page.begin(), page.end(), [](const Call& c) { return c.kind == Call::Line && c.y == c.y1; });
    ASSERT_NE(rule, page.end());
    EXPECT_EQ(rule->y, kTop + kLine - 4);
    EXPECT_EQ(rule->x, 251 - 17);
    EXPECT_EQ(rule->x1, 3107 + 17);

    // The date line in 8 points ends 1.5 units from the right edge; the title in 18 points.
    const std::string dateLine = "Date: 12/10/2026 Page: 1 / 1";
    bool sawDate = false, sawTitle = false;
    for (const Call& c : page) {
        if (c.kind != Call::Text) continue;
        if (c.text == dateLine) {
            sawDate = true;
            EXPECT_EQ(c.pointSize, 8);
            EXPECT_FALSE(c.bold);
            EXPECT_EQ(c.x, 3358 - 251 - 2 * Half(static_cast<int>(dateLine.size()) * 16));
            EXPECT_EQ(c.y, 44);
        } else {
            sawTitle = true;
            EXPECT_EQ(c.text, "Installed Applications");
            EXPECT_EQ(c.pointSize, 18);
            EXPECT_EQ(c.y, 88);
        }
    }
    EXPECT_TRUE(sawDate && sawTitle);

    // The row: regular 10 points, at the left of each cell, clipped to the cell and the row.
    const Call& name = page.back().text == "1.0" ? page[page.size() - 2] : page.back();
    EXPECT_EQ(name.text, "Alpha");
    EXPECT_FALSE(name.bold);
    EXPECT_EQ(name.pointSize, 10);
    EXPECT_EQ(name.clip, (Box{268, kTop + kLine, 1662, kTop + 2 * kLine}));
    EXPECT_EQ(name.x, 268);
    EXPECT_EQ(name.y, kTop + kLine);
}

TEST(DrawListReport, TitlePlacement) {
    // With the date line at 2659 on the first page: a title that would end (with three quarters of
    // a unit, 125) before it is drawn at 3 units (501); one that reaches it is centred.
    const struct { std::string title; int x; } cases[] = {
        {"Installed Applications", 501},
        {std::string(47, 'T'), 501},   // 1692 wide: ends at 2525 + 125 = 2650
        {std::string(48, 'T'), 815},   // 1728 wide: ends at 2543 + 125 = 2668, centred at 815
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas;
        DrawListReport(ListOf({1}, 1), c.title, "12/10/2026", canvas);
        const auto page = canvas.PageCalls(0);
        const auto title = std::find_if(page.begin(), page.end(),
                                        [&](const Call& call) { return call.kind == Call::Text && call.text == c.title; });
        ASSERT_NE(title, page.end());
        EXPECT_EQ(title->x, c.x) << c.title.size();
    }
}

TEST(DrawListReport, MissingSubItemsPrintEmpty) {
    RecordingCanvas canvas;
    ReportList list;
    list.columns = {{"A", 1}, {"B", 1}, {"C", 1}};
    list.rows = {{"only caption"}, {}};
    DrawListReport(list, "T", "d", canvas);
    std::vector<std::string> cells;
    for (const Call& c : canvas.PageCalls(0))
        if (c.kind == Call::Clipped && !c.bold) cells.push_back(c.text);
    EXPECT_EQ(cells, (std::vector<std::string>{"only caption", "", "", "", "", ""}));
}

}  // namespace
}  // namespace brimlow::report
