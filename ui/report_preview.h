// The print preview of a banded report: the page as it will print, the whole page fitted into the
// window or at its printed size with scroll bars, page by page, and "Print" to the printer the
// print dialog chooses. Shown modally; made for one showing.
#pragma once

#include "platform/list_report_win.h"
#include "ui/bitmap.h"
#include "ui/form.h"
#include "ui/report_layout.h"

#include <memory>

namespace brimlow::ui {

class TfrmPrintPreview : public Form {
public:
    // Neither `report` nor `dialog` is owned; both outlive the window. The date and time printed
    // on the report are those of the window's making, in the preview and on paper alike.
    TfrmPrintPreview(const BandedReport& report, win::PrintDialog& dialog);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    int PageIndex() const { return page_; }  // from 0
    bool FitsPage() const { return fit_; }
    // The resolution the page is drawn at on the screen now.
    int ShownDpi() const;

    void ShowPage(int index);
    void SetFitPage(bool fit);
    void Print1Click();

protected:
    void FormCreate() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    void PaintPage(HDC dc);
    void Update();
    void UpdateScrollBars();
    void Scroll(int bar, int request, int amount = 0);
    SIZE PageArea() const;

    const BandedReport& report_;
    win::PrintDialog& dialog_;
    ReportFacts facts_;
    std::vector<ReportPage> pages_;
    int page_ = 0;
    bool fit_ = true;
    POINT scroll_{0, 0};
    // The last page drawn, kept while page and resolution stay the same.
    std::unique_ptr<Bitmap> picture_;
    int pictureDpi_ = 0, picturePage_ = -1;
};

}  // namespace brimlow::ui
