// The printed list report: a report-style list laid out as a ruled landscape table, the column
// header repeated on every page under a title and a "Date: ... Page: i / P" line. All the page
// arithmetic lives here, over a small drawing surface, so it can be checked without a printer;
// platform/list_report_win.h draws it on a printer's device context.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow::report {

// Rounds to the nearest integer, a half to the even neighbour (2.5 gives 2, 3.5 gives 4).
int RoundHalfEven(double value);
// Half of an integer: division by 2 truncating toward zero.
constexpr int Half(int value) { return value / 2; }

struct ReportColumn {
    std::string caption;
    int width = 0;  // on-screen width in pixels; only the proportions matter
};

// What is printed: the columns and, per row, the caption followed by the sub-items. A row may
// hold fewer texts than there are columns; the missing cells print empty.
struct ReportList {
    std::vector<ReportColumn> columns;
    std::vector<std::vector<std::string>> rows;
};

// The printable area of a page and where it sits on the paper, in device units.
struct PageGeometry {
    int width = 0, height = 0;
    int offsetX = 0, offsetY = 0;  // unprintable margin on the left and at the top
};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Box&) const = default;
};

inline constexpr const char* kReportFace = "Times New Roman";
inline constexpr int kRowPointSize = 10;
inline constexpr int kDatePointSize = 8;
inline constexpr int kTitlePointSize = 18;

// Where everything goes, for a page of the given geometry.
struct ReportLayout {
    double xUnit = 0, yUnit = 0;  // a twenty-first of the paper's width, a 28.215th of its height
    std::vector<int> edges;       // column edges C[0..n]
    int top = 0;                  // top of the column header row
    int lineHeight = 0;
    int rowsPerPage = 0;
    int pages = 0;
};

// `widths` are the columns' on-screen widths; widths that add up to 0 give equal columns. A page
// too small for a single row still takes one, so every item is printed.
ReportLayout LayOutReport(const PageGeometry& page, const std::vector<int>& widths, int lineHeight,
                          std::size_t items);

// "Date: " + date + " Page: " + page + " / " + pages.
std::string DateLineText(std::string_view date, int page, int pages);

// The surface a report is drawn on: a printer canvas, or a recorder in tests. The document and
// its first page are open when drawing starts; the caller closes them.
class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;
    virtual PageGeometry Page() = 0;
    // Regular or bold, black.
    virtual void SetFont(const char* face, int pointSize, bool bold) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    virtual void Text(int x, int y, const std::string& text) = 0;
    // Text whose top-left corner is at (x, y), cut off outside `clip`.
    virtual void ClippedText(const Box& clip, int x, int y, const std::string& text) = 0;
    // A one-unit line; the end point is left out, as with every line the system draws.
    virtual void Line(int x0, int y0, int x1, int y1) = 0;
    // Ends the current page and starts the next.
    virtual void NewPage() = 0;
};

// Draws the whole report: an empty list leaves its one page blank.
void DrawListReport(const ReportList& list, const std::string& title, const std::string& date, ReportCanvas& canvas);

}  // namespace brimlow::report
