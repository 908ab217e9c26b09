#include "ui/report_render.h"

#include "platform/abi.h"
#include "platform/win_text.h"

#include <cmath>

namespace brimlow::ui {
namespace {

BRIMLOW_PIN_SIZE(DOCINFOA, 20, 40);

COLORREF ToColorRef(Colour colour) {
    if (IsSystemColour(colour)) return ::GetSysColor(SystemColourIndex(colour));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

// A failed spooler call does not always leave an error code behind.
[[noreturn]] void RaisePrintError() {
    const DWORD code = ::GetLastError();
    throw win::PlatformError(code ? code : ERROR_GEN_FAILURE);
}

}  // namespace

DcReportSurface::DcReportSurface(HDC dc, ReportDevice device) : dc_(dc), device_(device) {
    saved_ = ::SaveDC(dc_);
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ::SetMapMode(dc_, MM_TEXT);
}

DcReportSurface::~DcReportSurface() {
    // Restoring selects the original font back before ours are deleted.
    if (saved_) ::RestoreDC(dc_, saved_);
}

void DcReportSurface::SelectFont(const Font& font) {
    const std::string key = std::string(font.face ? font.face : "") + "/" + std::to_string(font.pixelHeight) +
                            (font.bold ? "b" : "") + (font.underline ? "u" : "");
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        // A negative height asks for the character height, as the report gives it.
        win::GdiObject made(::CreateFontA(-font.pixelHeight, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                          font.underline, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                          ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face ? font.face : "Arial"));
        if (!made) return;
        found = fonts_.emplace(key, std::move(made)).first;
    }
    ::SelectObject(dc_, found->second.get());
}

int DcReportSurface::TextWidth(std::string_view text) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int DcReportSurface::LineHeight() {
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc_, &metrics);
    return metrics.tmHeight;
}

void DcReportSurface::Fill(const ReportBox& box, Colour colour) {
    const RECT rc{box.left, box.top, box.right, box.bottom};
    const win::GdiObject brush(::CreateSolidBrush(ToColorRef(colour)));
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(brush.get()));
}

void DcReportSurface::Text(const ReportBox& clip, int x, int y, std::string_view text, Colour colour) {
    const RECT rc{clip.left, clip.top, clip.right, clip.bottom};
    ::SetTextColor(dc_, ToColorRef(colour));
    ::ExtTextOutA(dc_, x, y, ETO_CLIPPED, &rc, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void DcReportSurface::Rule(int x0, int x1, int y, int thickness) {
    // A filled strip rather than a pen: its thickness is exact on every device.
    const RECT rc{x0, y, x1, y + std::max(thickness, 1)};
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

ReportDevice PrinterDevice(HDC printer) {
    return {::GetDeviceCaps(printer, LOGPIXELSX), ::GetDeviceCaps(printer, LOGPIXELSY),
            -::GetDeviceCaps(printer, PHYSICALOFFSETX), -::GetDeviceCaps(printer, PHYSICALOFFSETY)};
}

std::string ReportDateTimeText() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char date[128] = {}, time[128] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

void PrintReport(const BandedReport& report, const ReportFacts& facts, HDC printer, const std::string& outputFile) {
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = report.title.c_str();
    document.lpszOutput = outputFile.empty() ? nullptr : outputFile.c_str();
    ::SetLastError(0);
    if (::StartDocA(printer, &document) <= 0) RaisePrintError();
    struct Job {
        HDC printer;
        bool finished = false;
        ~Job() {
            if (!finished) ::AbortDoc(printer);
        }
    } job{printer};
    const ReportDevice device = PrinterDevice(printer);
    for (const ReportPage& page : PaginateReport(report)) {
        if (::StartPage(printer) <= 0) RaisePrintError();
        {
            // Some drivers reset the device context with every page: set it up afresh each time.
            DcReportSurface surface(printer, device);
            DrawReportPage(report, page, facts, surface);
        }
        if (::EndPage(printer) <= 0) RaisePrintError();
    }
    if (::EndDoc(printer) <= 0) RaisePrintError();
    job.finished = true;
}

SIZE PaperPixels(const BandedReport& report, int dpi) {
    return {static_cast<LONG>(std::lround(report.paper.widthMm * dpi / 25.4)),
            static_cast<LONG>(std::lround(report.paper.heightMm * dpi / 25.4))};
}

std::unique_ptr<Bitmap> RenderReportPage(const BandedReport& report, const ReportPage& page, const ReportFacts& facts,
                                         int dpi) {
    const SIZE paper = PaperPixels(report, dpi);
    auto picture = std::make_unique<Bitmap>(std::max<LONG>(paper.cx, 1), std::max<LONG>(paper.cy, 1));
    picture->Fill({0, 0, picture->width(), picture->height()}, kWhite);
    {
        DcReportSurface surface(picture->dc(), {dpi, dpi, 0, 0});
        DrawReportPage(report, page, facts, surface);
    }
    ::GdiFlush();
    return picture;
}

}  // namespace brimlow::ui
