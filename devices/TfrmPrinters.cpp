#include "devices/TfrmPrinters.h"

#include "devices/printer_text.h"
#include "forms/printers_form.h"
#include "ui/application.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace brimlow {
namespace {

// The rows the capability step fills; emptied when the printer cannot be asked.
constexpr const char* kCapabilityFields[] = {"Info7",  "Edit8",  "Info6",  "Info8",  "Info9",  "Info10", "Info11",
                                             "Edit15", "Edit16", "Edit18", "Edit11", "Edit13", "Info5",  "Edit20"};

bool SupportsPostScript(HDC dc) {
    for (const std::uint32_t escape : kPostScriptEscapes) {
        const DWORD code = escape;
        // A negative answer is an error, not support.
        if (::ExtEscape(dc, QUERYESCSUPPORT, sizeof code, reinterpret_cast<LPCSTR>(&code), 0, nullptr) > 0) return true;
    }
    return false;
}

std::string DriverDirectory() {
    char directory[200] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed))
        return {};
    return std::string(directory, strnlen(directory, sizeof directory));
}

}  // namespace

TfrmPrinters::TfrmPrinters() : TfrmPrinters(win::Printer::Instance(), win::SystemPrinterCapabilities()) {}

TfrmPrinters::TfrmPrinters(win::Printer& printer, win::PrinterCapabilities& capabilities)
    : ui::Form(forms::PrintersFormLayout()), printer_(printer), capabilities_(capabilities) {}

void TfrmPrinters::FormCreate() {
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnChange("combobox1", [this] { combobox1Change(); });
}

void TfrmPrinters::FormShow() { Click("Refresh1"); }

void TfrmPrinters::Refresh1Click() {
    ui::BusyCursor busy;
    // Printers come and go while the program runs: the list is read again at every refresh.
    if (!printer_.Printing()) printer_.Refresh();
    ClearItems("combobox1");
    for (const win::InstalledPrinter& installed : printer_.Printers()) AddItem("combobox1", installed.name);
    SetItemIndex("combobox1", 0);
    if (ItemCount("combobox1") > 0) {
        // The selection's own errors are shown; the driver directory below is filled all the same.
        ui::Application::Instance().Guard([this] { combobox1Change(); });
    }
    SetText("Info3", DriverDirectory());
}

void TfrmPrinters::combobox1Change() {
    const int index = ItemIndex("combobox1");
    if (index < 0) return;
    printer_.SetPrinterIndex(index);
    // A copy: a failure below may make another printer the current one.
    const win::InstalledPrinter chosen = printer_.Current();
    const bool printing = printer_.Printing();
    SetText("Info4", PrinterStatusText(printing, printer_.PageNumber(), printing ? printer_.Copies() : 0));
    SetText("Info12", chosen.port);

    // A printer whose device context cannot be made answers no escape.
    HDC dc = nullptr;
    try {
        dc = printer_.Handle();
    } catch (const std::exception&) {
    }
    SetText("info13", PostScriptText(chosen.name, dc && SupportsPostScript(dc)));

    if (printer_.PrinterIndex() >= 0) ShowCapabilities();
    ShowPaperBins(chosen);
}

void TfrmPrinters::ShowCapabilities() {
    try {
        const HDC dc = printer_.Handle();
        if (::GetMapMode(dc) != MM_TEXT) ::SetMapMode(dc, MM_TEXT);
        SetText("Info7", printer_.Orientation() == win::PrinterOrientation::Landscape ? "LANDSCAPE" : "PORTRAIT");
        SetText("Edit8", std::to_string(::GetDeviceCaps(dc, DRIVERVERSION)));
        SetText("Info6", PrinterTechnologyText(::GetDeviceCaps(dc, TECHNOLOGY)));
        SetText("Info8", PageSizeText(::GetDeviceCaps(dc, VERTSIZE), ::GetDeviceCaps(dc, VERTRES)));
        SetText("Info9", PageSizeText(::GetDeviceCaps(dc, HORZSIZE), ::GetDeviceCaps(dc, HORZRES)));
        SetText("Info10", PhysicalSizeText(::GetDeviceCaps(dc, PHYSICALWIDTH)));
        SetText("Info11", PhysicalSizeText(::GetDeviceCaps(dc, PHYSICALHEIGHT)));
        SetText("Edit15", DpiText(::GetDeviceCaps(dc, LOGPIXELSX)));
        SetText("Edit16", DpiText(::GetDeviceCaps(dc, LOGPIXELSY)));
        SetText("Edit18", std::to_string(::GetDeviceCaps(dc, BITSPIXEL)));
        SetText("Edit11", std::to_string(::GetDeviceCaps(dc, NUMBRUSHES)));
        SetText("Edit13", std::to_string(::GetDeviceCaps(dc, NUMPENS)));
        SetText("Info5", std::to_string(::GetDeviceCaps(dc, NUMFONTS)));
        SetText("Edit20", std::to_string(::GetDeviceCaps(dc, NUMCOLORS)));
    } catch (const std::exception&) {
        // The printer could not be asked: the default printer becomes the current one, and the
        // rows say nothing rather than the previous printer's figures.
        printer_.SetPrinterIndex(-1);
        for (const char* field : kCapabilityFields) SetText(field, {});
    }
}

void TfrmPrinters::ShowPaperBins(const win::InstalledPrinter& chosen) {
    const int names = capabilities_.Query(chosen.name, chosen.port, DC_BINNAMES, nullptr);
    const int bins = capabilities_.Query(chosen.name, chosen.port, DC_BINS, nullptr);
    if (names != bins) throw std::runtime_error(kBinCountsDiffer);
    // A printer without bins shows none, not the previous printer's.
    ClearItems("ListBox1");
    if (names <= 0) return;
    std::vector<char> nameBuffer(static_cast<std::size_t>(names) * kBinNameLength);
    std::vector<std::uint16_t> numberBuffer(static_cast<std::size_t>(bins));
    const int namesRead = capabilities_.Query(chosen.name, chosen.port, DC_BINNAMES, nameBuffer.data());
    const int binsRead = capabilities_.Query(chosen.name, chosen.port, DC_BINS, numberBuffer.data());
    if (namesRead < 0 || binsRead < 0) return;
    nameBuffer.resize(static_cast<std::size_t>(std::min(namesRead, names)) * kBinNameLength);
    numberBuffer.resize(static_cast<std::size_t>(std::min(binsRead, bins)));
    for (const PaperBin& bin : DecodePaperBins(nameBuffer, numberBuffer)) AddItem("ListBox1", bin.name, bin.number);
}

}  // namespace brimlow
