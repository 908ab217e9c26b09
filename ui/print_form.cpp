#include "ui/print_form.h"

#include "platform/abi.h"
#include "platform/win_text.h"
#include "ui/print_placement.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <stdexcept>
#include <utility>

namespace brimlow::ui {
namespace {

BRIMLOW_PIN_SIZE(PRINTDLGA, 66, 120);
BRIMLOW_PIN_SIZE(DOCINFOA, 20, 40);

constexpr const char* kNoPrinter = "There is no default printer to print on.";
constexpr const char* kNoPrinterAtAll = "There is no printer to print on.";

// A printer device context made for this job; deleted, not released, when done.
struct PrinterDcTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};
using PrinterDc = win::UniqueHandle<PrinterDcTraits>;

// The device settings the print dialog hands back in global memory.
struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};
using GlobalMemory = win::UniqueHandle<GlobalMemoryTraits>;

// True when the system knows at least one printer, local or connected.
bool AnyPrinter() {
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed > 0) return true;
    ::EnumPrintersA(PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    return needed > 0;
}

// Asks the print dialog, or (returnDefault) only the default printer; an empty owner when the
// user cancelled.
PrinterDc PrinterFromDialog(HWND owner, bool returnDefault) {
    // Without any printer the dialog has nothing to offer, and some systems then show a warning
    // of their own whatever they are asked: say it once, in our words.
    if (!returnDefault && !AnyPrinter()) throw std::runtime_error(kNoPrinterAtAll);
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOWARNING;
    if (returnDefault)
        dialog.Flags |= PD_RETURNDEFAULT;
    else
        dialog.Flags |= PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    // Not every system clears the dialog's error code when the user cancels: only a code that
    // changed during this call is this call's.
    const DWORD errorBefore = ::CommDlgExtendedError();
    const BOOL chosen = ::PrintDlgA(&dialog);
    const GlobalMemory devMode(dialog.hDevMode), devNames(dialog.hDevNames);
    PrinterDc printer(chosen ? dialog.hDC : nullptr);
    if (printer) return printer;
    const DWORD error = ::CommDlgExtendedError();
    if (!chosen && (error == 0 || (error == errorBefore && !returnDefault))) return {};  // cancelled
    if (chosen || error == PDERR_NODEFAULTPRN || error == PDERR_PRINTERNOTFOUND || error == PDERR_NODEVICES)
        throw std::runtime_error(kNoPrinter);
    throw std::runtime_error("The print dialog failed (error " + std::to_string(error) + ").");
}

// The printer's refusal in the platform's words, or in ours when it gives none.
[[noreturn]] void RaisePrintError() {
    const DWORD code = ::GetLastError();
    if (code != 0) throw win::PlatformError(code);
    throw std::runtime_error("The printer did not take the job.");
}

// Paints `window` and its visible children into `dc`, its client area's top-left corner at
// `origin`; nothing is drawn outside `clip`. The frame of a child is drawn by the caller. Each
// window paints into a picture of its own with its client's top-left corner at (0, 0): controls
// clip their painting to their client rectangle without regard to where the device's origin is.
void PaintWindow(HWND window, HDC dc, POINT origin, const RECT& clip) {
    RECT client;
    ::GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const RECT area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    RECT visible;
    if (!::IntersectRect(&visible, &area, &clip)) return;

    {
        Bitmap layer(client.right, client.bottom);
        ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(layer.dc()), 0);
        ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(layer.dc()), PRF_CLIENT | PRF_ERASEBKGND);
        ::BitBlt(dc, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top, layer.dc(),
                 visible.left - origin.x, visible.top - origin.y, SRCCOPY);
    }

    // From the bottom of the stacking order up, so what lies on top is painted last.
    const HWND top = ::GetWindow(window, GW_CHILD);
    for (HWND child = top ? ::GetWindow(top, GW_HWNDLAST) : nullptr; child; child = ::GetWindow(child, GW_HWNDPREV)) {
        const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
        if (!(style & WS_VISIBLE)) continue;
        RECT frame;
        ::GetWindowRect(child, &frame);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
        ::OffsetRect(&frame, origin.x, origin.y);
        RECT frameClip;
        if (!::IntersectRect(&frameClip, &frame, &visible)) continue;

        // Frames are the system's to draw and are not asked for in a message every system
        // answers: draw the kinds the controls here use.
        const LONG_PTR exStyle = ::GetWindowLongPtrA(child, GWL_EXSTYLE);
        const int saved = ::SaveDC(dc);
        const win::GdiObject region(::CreateRectRgnIndirect(&frameClip));
        ::SelectClipRgn(dc, static_cast<HRGN>(region.get()));
        if (exStyle & WS_EX_CLIENTEDGE) {
            ::FillRect(dc, &frame, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
        } else if (exStyle & WS_EX_STATICEDGE) {
            ::DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        } else if (style & WS_BORDER) {
            ::FrameRect(dc, &frame, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        }
        ::RestoreDC(dc, saved);

        POINT childOrigin{0, 0};
        ::ClientToScreen(child, &childOrigin);
        ::ScreenToClient(window, &childOrigin);
        PaintWindow(child, dc, {origin.x + childOrigin.x, origin.y + childOrigin.y}, frameClip);
    }
}

}  // namespace

std::unique_ptr<Bitmap> FormImage(const Form& form) {
    if (!form.hwnd()) throw std::logic_error("The window " + form.layout().className + " does not exist yet.");
    RECT client;
    ::GetClientRect(form.hwnd(), &client);
    auto image = std::make_unique<Bitmap>(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    const RECT all{0, 0, image->width(), image->height()};
    PaintWindow(form.hwnd(), image->dc(), {0, 0}, all);
    ::GdiFlush();
    return image;
}

bool PrintImage(HDC printer, const Bitmap& image, int screenDpi, const std::string& documentName,
                const std::string& outputFile) {
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    document.lpszOutput = outputFile.empty() ? nullptr : outputFile.c_str();
    ::SetLastError(0);
    if (::StartDocA(printer, &document) <= 0) {
        // The user said no to a question of the printer's own (a file name to print to).
        if (::GetLastError() == ERROR_CANCELLED) return false;
        RaisePrintError();
    }
    // A job that fails half-way is taken back rather than left in the queue.
    struct Job {
        HDC printer;
        bool finished = false;
        ~Job() {
            if (!finished) ::AbortDoc(printer);
        }
    } job{printer};
    if (::StartPage(printer) <= 0) RaisePrintError();
    const PagePlacement at =
        PlaceOnPage(image.width(), image.height(), screenDpi, ::GetDeviceCaps(printer, LOGPIXELSX),
                    ::GetDeviceCaps(printer, LOGPIXELSY), ::GetDeviceCaps(printer, HORZRES),
                    ::GetDeviceCaps(printer, VERTRES));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width();
    info.bmiHeader.biHeight = -image.height();  // top row first, as Bitmap keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetStretchBltMode(printer, HALFTONE);
    ::SetBrushOrgEx(printer, 0, 0, nullptr);
    const int lines = ::StretchDIBits(printer, at.left, at.top, at.width, at.height, 0, 0, image.width(),
                                      image.height(), image.Bits(), &info, DIB_RGB_COLORS, SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) RaisePrintError();
    if (::EndPage(printer) <= 0) RaisePrintError();
    if (::EndDoc(printer) <= 0) RaisePrintError();
    job.finished = true;
    return true;
}

bool PrintFormImage(const Form& form, PrinterChoice choice) {
    // Taken first: the page shows the window as it was when printing was asked for.
    const std::unique_ptr<Bitmap> image = FormImage(form);
    const PrinterDc printer = PrinterFromDialog(form.hwnd(), choice == PrinterChoice::DefaultPrinter);
    if (!printer) return false;
    return PrintImage(printer.get(), *image, form.dpi(), form.Caption());
}

}  // namespace brimlow::ui
