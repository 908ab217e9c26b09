// The printed list report on a printer: the print dialog behind a small interface (tests hand in
// a device context of their own), a canvas over a printer's device context, and the reading of a
// report-style list view.
#pragma once

#include "platform/list_report.h"
#include "platform/win_handles.h"

#include <windows.h>

#include <optional>
#include <string>

namespace brimlow::win {

struct DeviceContextTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};
using DeviceContext = UniqueHandle<DeviceContextTraits>;

enum class PaperOrientation { Portrait, Landscape };

// Asks which printer to print on and how many copies.
class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // A device context of the chosen printer, turned as the dialog was made for (across the sheet
    // for the list report) with the copies chosen; empty when the user cancels.
    virtual DeviceContext Execute(HWND owner) = 0;
};

// The system's print dialog.
class SystemPrintDialog : public PrintDialog {
public:
    explicit SystemPrintDialog(PaperOrientation orientation = PaperOrientation::Landscape) : orientation_(orientation) {}
    DeviceContext Execute(HWND owner) override;

private:
    PaperOrientation orientation_;
};

// A device context for the named printer with its own settings, turned as asked and set to the
// number of copies. Empty when the printer or its driver cannot be opened.
DeviceContext CreatePrinterContext(const std::string& device, int copies, PaperOrientation orientation);
inline DeviceContext CreateLandscapePrinterContext(const std::string& device, int copies) {
    return CreatePrinterContext(device, copies, PaperOrientation::Landscape);
}

// The text of a cell of a list view: column 0 is the row's caption, column c its sub-item c - 1.
std::string ListViewCellText(HWND list, int row, int column);
// The columns (captions and on-screen widths) and every row's cells of a report-style list view.
report::ReportList ReadListView(HWND list);

// Draws on a printer's device context: fonts at the printer's resolution, black text on the page.
class PrinterCanvas : public report::ReportCanvas {
public:
    explicit PrinterCanvas(HDC dc);
    ~PrinterCanvas() override;
    PrinterCanvas(const PrinterCanvas&) = delete;
    PrinterCanvas& operator=(const PrinterCanvas&) = delete;

    report::PageGeometry Page() override;
    void SetFont(const char* face, int pointSize, bool bold) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void Text(int x, int y, const std::string& text) override;
    void ClippedText(const report::Box& clip, int x, int y, const std::string& text) override;
    void Line(int x0, int y0, int x1, int y1) override;
    void NewPage() override;

private:
    SIZE Extent(const std::string& text);
    HDC dc_;
    GdiObject font_;
    HGDIOBJ originalFont_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
};

// The current date in the user's short date format.
std::string ShortDateText();

// Prints the list view through `dialog` as a document named `title`. False when the user
// cancelled the dialog; an error of the printer subsystem raises a PlatformError.
bool PrintListReport(HWND listView, const std::string& title, PrintDialog& dialog, HWND owner = nullptr);

}  // namespace brimlow::win
