// The banded report on a device context: a printer's, the preview's picture, a metafile. One
// description in report pixels, drawn at the device's own resolution.
#pragma once

#include "platform/win_handles.h"
#include "ui/bitmap.h"
#include "ui/report_layout.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace brimlow::ui {

class DcReportSurface : public ReportSurface {
public:
    // `device` says how the report's pixels map onto `dc`; the caller keeps the device context.
    DcReportSurface(HDC dc, ReportDevice device);
    ~DcReportSurface() override;
    DcReportSurface(const DcReportSurface&) = delete;
    DcReportSurface& operator=(const DcReportSurface&) = delete;

    ReportDevice Device() const override { return device_; }
    void SelectFont(const Font& font) override;
    int TextWidth(std::string_view text) override;
    int LineHeight() override;
    void Fill(const ReportBox& box, Colour colour) override;
    void Text(const ReportBox& clip, int x, int y, std::string_view text, Colour colour) override;
    void Rule(int x0, int x1, int y, int thickness) override;

private:
    HDC dc_;
    ReportDevice device_;
    int saved_ = 0;
    std::map<std::string, win::GdiObject> fonts_;
};

// A printer's resolution, with the paper's corner at minus the printable area's offsets.
ReportDevice PrinterDevice(HDC printer);

// The current local date and time as the report prints it: the user's short date and time formats.
std::string ReportDateTimeText();

// Every page of `report` on `printer` as one job named after the report's title. A non-empty
// `outputFile` sends the job to that file. Throws win::PlatformError when the printer refuses the
// job; a job that fails half-way is withdrawn.
void PrintReport(const BandedReport& report, const ReportFacts& facts, HDC printer, const std::string& outputFile = {});

// A picture of one page, the whole sheet of paper, at `dpi`.
std::unique_ptr<Bitmap> RenderReportPage(const BandedReport& report, const ReportPage& page, const ReportFacts& facts,
                                         int dpi);

// The sheet's size in device pixels at `dpi`.
SIZE PaperPixels(const BandedReport& report, int dpi);

}  // namespace brimlow::ui
