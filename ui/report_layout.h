// A banded report described as data, like the forms: a paper size and margins, bands stacked down
// the page, and in each band its labels and rules, all in report pixels (96 to the inch). The
// arithmetic that turns a description into positions on a device of any resolution lives here, over
// a small drawing surface, so it is checked without Windows; ui/report_render.h draws it on a
// device context (the preview's picture, a printer, a metafile).
#pragma once

#include "ui/form_layout.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow::ui {

inline constexpr int kReportPixelsPerInch = 96;

// A colour the system gives (GetSysColor's index), as a report colour. Kept apart from every
// 0x00BBGGRR value and from kDefaultColour.
constexpr Colour SystemColour(int index) { return 0x80000000u | static_cast<Colour>(index); }
constexpr bool IsSystemColour(Colour colour) { return (colour & 0xFF000000u) == 0x80000000u; }
constexpr int SystemColourIndex(Colour colour) { return static_cast<int>(colour & 0x00FFFFFFu); }
inline constexpr Colour kTooltipBackColour = SystemColour(24);  // COLOR_INFOBK
inline constexpr Colour kSkyBlue = Rgb(0xA6, 0xCA, 0xF0);

enum class ReportContent {
    Text,      // the label's own text
    DateTime,  // the date and time the report is printed, as the caller gives it
};

struct ReportLabel {
    std::string name;
    std::string text;
    Rect rect;  // within its band; an auto-sized label takes width and height from its text
    Font font;  // a null face takes the report's default font
    Colour textColour = kBlack;
    Colour backColour = kDefaultColour;  // kDefaultColour: see-through
    TextAlign align = TextAlign::Left;
    // Grows with its text: a left-aligned label keeps its left edge, a right-aligned one its right
    // edge and a centred one its centre. It may grow across the margins up to the paper's edge.
    bool autoSize = false;
    // Breaks its text into lines at blanks within its width; lines below its bottom edge are cut.
    bool wordWrap = false;
    bool visible = true;
    ReportContent content = ReportContent::Text;
};

// A horizontal line one report pixel thick; a width of 0 runs across the band.
struct ReportRule {
    int top = 0;
    int left = 0;
    int width = 0;
};

struct ReportBand {
    std::string name;
    int height = 0;
    Colour backColour = kWhite;
    std::vector<ReportRule> rules;  // drawn first: the labels lie on top of them
    std::vector<ReportLabel> labels;
};

struct PaperSize {
    int widthMm = 0, heightMm = 0;
};
inline constexpr PaperSize kPaperA4{210, 297};
inline constexpr PaperSize kPaperA5{148, 210};

struct BandedReport {
    std::string name;   // the layout's class name, e.g. "TFullSpecReport"
    std::string title;  // names the print job
    PaperSize paper;
    int marginMm = 10;  // on all four sides
    Font defaultFont;
    std::vector<ReportBand> bands;

    ReportLabel* FindLabel(std::string_view labelName);
    const ReportLabel* FindLabel(std::string_view labelName) const;
    // The space between the margins, whole report pixels.
    int ContentWidth() const;
    int ContentHeight() const;
};

// Where a band sits on its page: its index in the report and its top, below the top margin.
struct PlacedBand {
    std::size_t band = 0;
    int top = 0;
    bool operator==(const PlacedBand&) const = default;
};
using ReportPage = std::vector<PlacedBand>;

// Bands follow each other down the page; one that does not fit below the others starts a new
// page, and one taller than a page has a page of its own (cut at its foot). Always one page at
// least, blank for a report without bands.
std::vector<ReportPage> PaginateReport(const BandedReport& report);

// The device drawn on: its resolution and where the paper's top-left corner is in its coordinates
// (a printer's origin is the printable area's corner, so the paper's lies at minus its offsets).
struct ReportDevice {
    int dpiX = kReportPixelsPerInch, dpiY = kReportPixelsPerInch;
    int paperLeft = 0, paperTop = 0;
};

struct ReportBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ReportBox&) const = default;
};

// Device coordinates of report pixels: x and y are measured from the margins' corner.
int DeviceX(const BandedReport& report, const ReportDevice& device, int x);
int DeviceY(const BandedReport& report, const ReportDevice& device, int y);
// A report length at the device's resolution, never less than 1 for a positive length.
int DeviceLength(int length, int dpi);

// What the report is drawn on. Every coordinate and length is in device units.
class ReportSurface {
public:
    virtual ~ReportSurface() = default;
    virtual ReportDevice Device() const = 0;
    // The font for the following texts; its height is the character height in device pixels.
    virtual void SelectFont(const Font& font) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    virtual int LineHeight() = 0;
    virtual void Fill(const ReportBox& box, Colour colour) = 0;
    // Text with its top-left corner at (x, y), cut off outside `clip`.
    virtual void Text(const ReportBox& clip, int x, int y, std::string_view text, Colour colour) = 0;
    // A horizontal line from x0 up to (not including) x1, `thickness` pixels down from y.
    virtual void Rule(int x0, int x1, int y, int thickness) = 0;
};

// Lines of `text` no wider than `width` by `measure`: broken at blanks (which are dropped there)
// and at line ends; a word wider than the line is broken between its characters, one at least per
// line. An empty text is no lines.
std::vector<std::string> WrapText(std::string_view text, int width, const std::function<int(std::string_view)>& measure);

// What the report engine knows at print time.
struct ReportFacts {
    std::string dateTime;
};

// Draws one page: each band's colour, its rules, then its visible labels.
void DrawReportPage(const BandedReport& report, const ReportPage& page, const ReportFacts& facts,
                    ReportSurface& surface);

}  // namespace brimlow::ui
