#include "ui/report_preview.h"

#include "ui/report_preview_form.h"
#include "ui/report_render.h"

#include <algorithm>
#include <cmath>

namespace brimlow::ui {
namespace {

constexpr int kGap = 12;     // desk around the page, pixels at 96 DPI
constexpr int kShadow = 4;   // the page's shadow on the desk
constexpr int kLineStep = 24;

}  // namespace

TfrmPrintPreview::TfrmPrintPreview(const BandedReport& report, win::PrintDialog& dialog)
    : Form(PreviewFormLayout()), report_(report), dialog_(dialog), facts_{ReportDateTimeText()},
      pages_(PaginateReport(report)) {}

void TfrmPrintPreview::FormCreate() {
    SetCaption("Print Preview - " + report_.title);
    OnClick("FitPage1", [this] { SetFitPage(true); });
    OnClick("ActualSize1", [this] { SetFitPage(false); });
    OnClick("FirstPage1", [this] { ShowPage(0); });
    OnClick("PriorPage1", [this] { ShowPage(page_ - 1); });
    OnClick("NextPage1", [this] { ShowPage(page_ + 1); });
    OnClick("LastPage1", [this] { ShowPage(PageCount() - 1); });
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Close1", [this] { Close(); });
    OnPaint("PaintBox1", [this](HDC dc) { PaintPage(dc); });
    const HWND box = Control("PaintBox1");
    ::SetWindowLongPtrA(box, GWL_STYLE, ::GetWindowLongPtrA(box, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
    ::SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ::SetWindowSubclass(box, PageProc, 1, reinterpret_cast<DWORD_PTR>(this));
    Update();
}

int TfrmPrintPreview::ShownDpi() const {
    if (!fit_) return dpi();
    const SIZE area = PageArea();
    const int room = Scale(2 * kGap + kShadow);
    // The largest resolution at which the whole sheet fits.
    const double across = (area.cx - room) * 25.4 / report_.paper.widthMm;
    const double down = (area.cy - room) * 25.4 / report_.paper.heightMm;
    return std::max(8, static_cast<int>(std::floor(std::min(across, down))));
}

SIZE TfrmPrintPreview::PageArea() const {
    RECT rc{};
    ::GetClientRect(Control("PaintBox1"), &rc);
    return {rc.right, rc.bottom};
}

void TfrmPrintPreview::ShowPage(int index) {
    page_ = std::clamp(index, 0, PageCount() - 1);
    Update();
}

void TfrmPrintPreview::SetFitPage(bool fit) {
    fit_ = fit;
    scroll_ = {0, 0};
    Update();
}

void TfrmPrintPreview::Update() {
    const bool first = page_ == 0, last = page_ == PageCount() - 1;
    SetEnabled("FirstPage1", !first);
    SetEnabled("PriorPage1", !first);
    SetEnabled("NextPage1", !last);
    SetEnabled("LastPage1", !last);
    SetChecked("FitPage1", fit_);
    SetChecked("ActualSize1", !fit_);
    SetText("StatusBar1", PreviewPageText(page_ + 1, PageCount()));
    UpdateScrollBars();
    ::InvalidateRect(Control("PaintBox1"), nullptr, TRUE);
}

void TfrmPrintPreview::UpdateScrollBars() {
    const HWND box = Control("PaintBox1");
    const SIZE paper = PaperPixels(report_, ShownDpi());
    const SIZE area = PageArea();
    const int room = Scale(2 * kGap + kShadow);
    const auto set = [&](int bar, int content, int visible, LONG& position) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = fit_ ? 0 : content - 1;
        info.nPage = fit_ ? 0 : static_cast<UINT>(std::max(visible, 0));
        position = std::clamp<LONG>(position, 0, std::max(0, content - visible));
        if (fit_) position = 0;
        info.nPos = position;
        ::SetScrollInfo(box, bar, &info, TRUE);
        ::ShowScrollBar(box, bar, !fit_ && content > visible);
    };
    set(SB_HORZ, paper.cx + room, area.cx, scroll_.x);
    set(SB_VERT, paper.cy + room, area.cy, scroll_.y);
}

void TfrmPrintPreview::Scroll(int bar, int request, int amount) {
    if (fit_) return;
    LONG& position = bar == SB_HORZ ? scroll_.x : scroll_.y;
    const SIZE area = PageArea();
    const int visible = bar == SB_HORZ ? area.cx : area.cy;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(Control("PaintBox1"), bar, &info);
    switch (request) {
    case SB_LINEUP: position -= Scale(kLineStep); break;
    case SB_LINEDOWN: position += Scale(kLineStep); break;
    case SB_PAGEUP: position -= visible; break;
    case SB_PAGEDOWN: position += visible; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = 1 << 30; break;
    default: position += amount; break;
    }
    UpdateScrollBars();
    ::InvalidateRect(Control("PaintBox1"), nullptr, TRUE);
}

LRESULT CALLBACK TfrmPrintPreview::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self) {
    auto* preview = reinterpret_cast<TfrmPrintPreview*>(self);
    switch (message) {
    case WM_HSCROLL: preview->Scroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: preview->Scroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_SIZE: {
        const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        preview->UpdateScrollBars();
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_NCDESTROY: ::RemoveWindowSubclass(hwnd, PageProc, id); break;
    default: break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT TfrmPrintPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL && !fit_) {
        Scroll(SB_VERT, -1, -GET_WHEEL_DELTA_WPARAM(wParam) * Scale(3 * kLineStep) / WHEEL_DELTA);
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void TfrmPrintPreview::PaintPage(HDC dc) {
    const int dpi = ShownDpi();
    if (!picture_ || pictureDpi_ != dpi || picturePage_ != page_) {
        picture_ = RenderReportPage(report_, pages_.at(static_cast<std::size_t>(page_)), facts_, dpi);
        pictureDpi_ = dpi;
        picturePage_ = page_;
    }
    const SIZE area = PageArea();
    const int gap = Scale(kGap), shadow = Scale(kShadow);
    // Fitted, the sheet sits in the middle; at its size, at the top left less the scrolled part.
    int left = gap - scroll_.x, top = gap - scroll_.y;
    if (fit_ || picture_->width() + 2 * gap + shadow <= area.cx)
        left = std::max<int>(gap, (area.cx - picture_->width() - shadow) / 2);
    if (fit_) top = std::max<int>(gap, (area.cy - picture_->height() - shadow) / 2);
    const RECT shade{left + shadow, top + shadow, left + shadow + picture_->width(), top + shadow + picture_->height()};
    ::FillRect(dc, &shade, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    picture_->DrawTo(dc, {left, top, left + picture_->width(), top + picture_->height()});
}

void TfrmPrintPreview::Print1Click() {
    const win::DeviceContext printer = dialog_.Execute(hwnd());
    if (!printer) return;
    PrintReport(report_, facts_, printer.get());
}

}  // namespace brimlow::ui
