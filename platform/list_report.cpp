#include "platform/list_report.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace brimlow::report {

int RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<int>(std::clamp(whole, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

ReportLayout LayOutReport(const PageGeometry& page, const std::vector<int>& widths, int lineHeight,
                          std::size_t items) {
    ReportLayout layout;
    // The units come from the whole sheet, margins included; the divisors are those of a portrait
    // sheet although the report is printed across.
    layout.yUnit = (page.height + 2.0 * page.offsetY) / 28.215;
    layout.xUnit = (page.width + 2.0 * page.offsetX) / 21.0;

    const std::size_t n = widths.size();
    const int margin = RoundHalfEven(1.5 * layout.xUnit);
    long long total = std::accumulate(widths.begin(), widths.end(), 0LL);
    layout.edges.assign(n + 1, margin);
    if (n > 0) {
        layout.edges[n] = page.width - margin;
        const int available = layout.edges[n] - layout.edges[0];
        // Columns that are all zero wide have no proportions: they share the width equally.
        const bool equal = total == 0;
        if (equal) total = static_cast<long long>(n);
        for (std::size_t i = 0; i < n; ++i) {
            const double width = equal ? 1.0 : static_cast<double>(widths[i]);
            layout.edges[i + 1] = layout.edges[i] + RoundHalfEven(width / static_cast<double>(total) * available);
        }
    }

    layout.top = RoundHalfEven(2.5 * layout.yUnit);
    layout.lineHeight = std::max(lineHeight, 1);
    layout.rowsPerPage = std::max(RoundHalfEven((page.height - 5.0 * layout.yUnit) / layout.lineHeight), 1);
    const std::size_t rows = static_cast<std::size_t>(layout.rowsPerPage);
    layout.pages = static_cast<int>(std::max<std::size_t>((items + rows - 1) / rows, 1));
    return layout;
}

std::string DateLineText(std::string_view date, int page, int pages) {
    return "Date: " + std::string(date) + " Page: " + std::to_string(page) + " / " + std::to_string(pages);
}

namespace {

class ReportPrinter {
public:
    ReportPrinter(const ReportList& list, const std::string& title, const std::string& date, ReportCanvas& canvas)
        : list_(list), title_(title), date_(date), canvas_(canvas) {}

    void Draw() {
        page_ = canvas_.Page();
        std::vector<int> widths;
        for (const ReportColumn& column : list_.columns) widths.push_back(column.width);
        canvas_.SetFont(kReportFace, kRowPointSize, false);
        const int lineHeight = canvas_.TextHeight("dummy");
        layout_ = LayOutReport(page_, widths, lineHeight, list_.rows.size());
        tenthX_ = RoundHalfEven(0.1 * layout_.xUnit);
        tenthY_ = RoundHalfEven(0.1 * layout_.yUnit);

        const int rows = layout_.rowsPerPage;
        int line = 0;
        int pageNumber = 1;
        for (std::size_t k = 0; k < list_.rows.size(); ++k) {
            if (line == 0 || line > rows) {
                if (line > rows) {
                    canvas_.NewPage();
                    ++pageNumber;
                }
                line = 1;
                DrawHead(pageNumber, list_.rows.size() - k);
            }
            DrawRow(list_.rows[k], line);
            ++line;
        }
    }

private:
    int Columns() const { return static_cast<int>(list_.columns.size()); }
    int Edge(int i) const { return layout_.edges[static_cast<std::size_t>(i)]; }

    void DrawRow(const std::vector<std::string>& row, int line) {
        const int top = layout_.top + line * layout_.lineHeight;
        const int bottom = top + layout_.lineHeight;
        for (int c = 0; c < Columns(); ++c) {
            const std::size_t cell = static_cast<std::size_t>(c);
            static const std::string kEmpty;
            const std::string& text = cell < row.size() ? row[cell] : kEmpty;
            const Box clip{Edge(c) + tenthX_, top, Edge(c + 1) - tenthX_, bottom};
            canvas_.ClippedText(clip, clip.left, top, text);
        }
    }

    void DrawHead(int pageNumber, std::size_t itemsLeft) {
        const int n = Columns();
        const int top = layout_.top;
        const int lineHeight = layout_.lineHeight;

        // The last page's rules stop a row below its last row; the others run the full page.
        const long long rowsDown = pageNumber == layout_.pages ? static_cast<long long>(itemsLeft) + 2
                                                               : static_cast<long long>(layout_.rowsPerPage) + 1;
        const int separatorBottom = static_cast<int>(std::min<long long>(top + rowsDown * lineHeight, INT_MAX));
        for (int c = 1; c < n; ++c) canvas_.Line(Edge(c), top, Edge(c), separatorBottom);

        canvas_.SetFont(kReportFace, kRowPointSize, true);
        for (int c = 0; c < n; ++c) {
            const std::string& caption = list_.columns[static_cast<std::size_t>(c)].caption;
            const int x = Edge(c) + Half(Edge(c + 1) - Edge(c)) - Half(canvas_.TextWidth(caption));
            const int y = top - tenthY_;
            canvas_.ClippedText({Edge(c) + tenthX_, y, Edge(c + 1) - tenthX_, top + lineHeight - tenthY_}, x, y, caption);
        }

        const int ruleY = top + lineHeight - RoundHalfEven(0.05 * layout_.yUnit);
        canvas_.Line(Edge(0) - tenthX_, ruleY, Edge(n) + tenthX_, ruleY);

        canvas_.SetFont(kReportFace, kDatePointSize, false);
        const std::string dateLine = DateLineText(date_, pageNumber, layout_.pages);
        const int dateX = page_.width - RoundHalfEven(1.5 * layout_.xUnit) - 2 * Half(canvas_.TextWidth(dateLine));
        canvas_.Text(dateX, RoundHalfEven(0.5 * layout_.yUnit), dateLine);

        canvas_.SetFont(kReportFace, kTitlePointSize, false);
        const int titleWidth = canvas_.TextWidth(title_);
        const int centredEnd = Half(titleWidth + page_.width) + RoundHalfEven(0.75 * layout_.xUnit);
        const int titleX = dateX < centredEnd ? Half(page_.width - titleWidth) : RoundHalfEven(3 * layout_.xUnit);
        canvas_.Text(titleX, RoundHalfEven(1 * layout_.yUnit), title_);

        canvas_.SetFont(kReportFace, kRowPointSize, false);
    }

    const ReportList& list_;
    const std::string& title_;
    const std::string& date_;
    ReportCanvas& canvas_;
    PageGeometry page_;
    ReportLayout layout_;
    int tenthX_ = 0, tenthY_ = 0;
};

}  // namespace

void DrawListReport(const ReportList& list, const std::string& title, const std::string& date, ReportCanvas& canvas) {
    ReportPrinter(list, title, date, canvas).Draw();
}

}  // namespace brimlow::report
