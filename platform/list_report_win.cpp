#include "platform/list_report_win.h"

#include "platform/win_text.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <vector>

namespace brimlow::win {
namespace {

struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

struct PrinterTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::ClosePrinter(h); }
};
using Printer = UniqueHandle<PrinterTraits>;

// The memory of a global handle while it is locked.
template <typename T>
class Locked {
public:
    explicit Locked(HGLOBAL memory) : memory_(memory), data_(memory ? static_cast<T*>(::GlobalLock(memory)) : nullptr) {}
    ~Locked() {
        if (data_) ::GlobalUnlock(memory_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    T* get() const { return data_; }

private:
    HGLOBAL memory_;
    T* data_;
};

void Turn(DEVMODEA& mode, PaperOrientation orientation) {
    mode.dmOrientation = orientation == PaperOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    mode.dmFields |= DM_ORIENTATION;
}

// A failed spooler call does not always leave an error code behind.
[[noreturn]] void RaisePrinterError() {
    const DWORD code = ::GetLastError();
    throw PlatformError(code ? code : ERROR_GEN_FAILURE);
}

}  // namespace

DeviceContext SystemPrintDialog::Execute(HWND owner) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    // The copies go into the printer's own settings, so the driver makes them.
    dialog.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    if (!::PrintDlgA(&dialog)) {
        // Cancelled, or no printer to choose from: either way nothing is printed.
        GlobalMemory(dialog.hDevMode).reset();
        GlobalMemory(dialog.hDevNames).reset();
        return {};
    }
    const GlobalMemory modeMemory(dialog.hDevMode), namesMemory(dialog.hDevNames);
    const Locked<DEVNAMES> names(namesMemory.get());
    const Locked<DEVMODEA> mode(modeMemory.get());
    if (!names.get()) return {};
    const char* base = reinterpret_cast<const char*>(names.get());
    const char* driver = base + names.get()->wDriverOffset;
    const char* device = base + names.get()->wDeviceOffset;
    if (mode.get()) Turn(*mode.get(), orientation_);
    DeviceContext dc(::CreateDCA(driver, device, nullptr, mode.get()));
    if (!dc) RaisePrinterError();
    return dc;
}

DeviceContext CreatePrinterContext(const std::string& device, int copies, PaperOrientation orientation) {
    Printer printer;
    if (!::OpenPrinterA(const_cast<char*>(device.c_str()), printer.put(), nullptr)) return {};
    const LONG size = ::DocumentPropertiesA(nullptr, printer.get(), const_cast<char*>(device.c_str()), nullptr, nullptr, 0);
    if (size <= 0) return {};
    // DEVMODE carries the driver's private part behind it: the buffer is as big as the driver says.
    std::vector<unsigned char> buffer(static_cast<std::size_t>(size) + sizeof(DEVMODEA));
    auto* mode = reinterpret_cast<DEVMODEA*>(buffer.data());
    if (::DocumentPropertiesA(nullptr, printer.get(), const_cast<char*>(device.c_str()), mode, nullptr, DM_OUT_BUFFER) < 0)
        return {};
    Turn(*mode, orientation);
    mode->dmCopies = static_cast<short>(copies);
    mode->dmFields |= DM_COPIES;
    ::DocumentPropertiesA(nullptr, printer.get(), const_cast<char*>(device.c_str()), mode, mode,
                          DM_IN_BUFFER | DM_OUT_BUFFER);
    return DeviceContext(::CreateDCA(nullptr, device.c_str(), nullptr, mode));
}

std::string ListViewCellText(HWND list, int row, int column) {
    std::vector<char> text(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto copied = static_cast<std::size_t>(
            ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        // A text that fills the buffer may have been cut: ask again with more room.
        if (copied + 1 < text.size() || text.size() >= 1 << 20) return std::string(text.data(), std::min(copied, text.size()));
        text.resize(text.size() * 4);
    }
}

report::ReportList ReadListView(HWND list) {
    report::ReportList report;
    const HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c) {
        char caption[256] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = caption;
        column.cchTextMax = sizeof caption;
        if (!::SendMessageA(list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column))) break;
        report.columns.push_back({caption, column.cx});
    }
    const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    report.rows.reserve(static_cast<std::size_t>(std::max(rows, 0)));
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < static_cast<int>(report.columns.size()); ++c) cells.push_back(ListViewCellText(list, r, c));
        report.rows.push_back(std::move(cells));
    }
    return report;
}

PrinterCanvas::PrinterCanvas(HDC dc) : dc_(dc) {
    originalPen_ = ::SelectObject(dc_, ::GetStockObject(BLACK_PEN));
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, RGB(0, 0, 0));
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

PrinterCanvas::~PrinterCanvas() {
    if (originalFont_) ::SelectObject(dc_, originalFont_);
    if (originalPen_) ::SelectObject(dc_, originalPen_);
}

report::PageGeometry PrinterCanvas::Page() {
    return {::GetDeviceCaps(dc_, HORZRES), ::GetDeviceCaps(dc_, VERTRES), ::GetDeviceCaps(dc_, PHYSICALOFFSETX),
            ::GetDeviceCaps(dc_, PHYSICALOFFSETY)};
}

void PrinterCanvas::SetFont(const char* face, int pointSize, bool bold) {
    // A size in points at the printer's own resolution; negative asks for the character height.
    const int height = -::MulDiv(pointSize, ::GetDeviceCaps(dc_, LOGPIXELSY), 72);
    GdiObject font(::CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN,
                                 face));
    if (!font) return;
    const HGDIOBJ previous = ::SelectObject(dc_, font.get());
    if (!originalFont_) originalFont_ = previous;
    font_ = std::move(font);  // the font it replaces is no longer selected
}

SIZE PrinterCanvas::Extent(const std::string& text) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int PrinterCanvas::TextWidth(const std::string& text) { return Extent(text).cx; }
int PrinterCanvas::TextHeight(const std::string& text) { return Extent(text).cy; }

void PrinterCanvas::Text(int x, int y, const std::string& text) {
    ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void PrinterCanvas::ClippedText(const report::Box& clip, int x, int y, const std::string& text) {
    const RECT rc{clip.left, clip.top, clip.right, clip.bottom};
    ::ExtTextOutA(dc_, x, y, ETO_CLIPPED, &rc, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void PrinterCanvas::Line(int x0, int y0, int x1, int y1) {
    ::MoveToEx(dc_, x0, y0, nullptr);
    ::LineTo(dc_, x1, y1);
}

void PrinterCanvas::NewPage() {
    if (::EndPage(dc_) <= 0) RaisePrinterError();
    if (::StartPage(dc_) <= 0) RaisePrinterError();
    // Some systems reset the device context with every page: set up again what is drawn with.
    ::SelectObject(dc_, ::GetStockObject(BLACK_PEN));
    if (font_) ::SelectObject(dc_, font_.get());
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, RGB(0, 0, 0));
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

std::string ShortDateText() {
    char text[128] = {};
    if (::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text) <= 0) return {};
    return text;
}

bool PrintListReport(HWND listView, const std::string& title, PrintDialog& dialog, HWND owner) {
    const DeviceContext dc = dialog.Execute(owner);
    if (!dc) return false;
    const report::ReportList list = ReadListView(listView);

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = title.c_str();
    if (::StartDocA(dc.get(), &document) <= 0) RaisePrinterError();
    // A job that fails half-way is withdrawn rather than left open in the spooler.
    struct OpenJob {
        HDC dc;
        bool open = true;
        ~OpenJob() {
            if (open) ::AbortDoc(dc);
        }
    } job{dc.get()};
    if (::StartPage(dc.get()) <= 0) RaisePrinterError();
    {
        PrinterCanvas canvas(dc.get());
        report::DrawListReport(list, title, ShortDateText(), canvas);
    }
    if (::EndPage(dc.get()) <= 0) RaisePrinterError();
    if (::EndDoc(dc.get()) <= 0) RaisePrinterError();
    job.open = false;
    return true;
}

}  // namespace brimlow::win
