// The printers window TfrmPrinters: the installed printers and, for the chosen one, its state in
// this program, PostScript support, its device context's capabilities and its paper bins, with
// the printer driver directory. Works on the program's current printer, so choosing a printer
// here chooses it for later printing. Made hidden at start; every showing refreshes it.
#pragma once

#include "platform/printer.h"
#include "ui/form.h"

namespace brimlow {

class TfrmPrinters : public ui::Form {
public:
    TfrmPrinters();
    // The printer object and the bin answers tests hand in; not owned.
    TfrmPrinters(win::Printer& printer, win::PrinterCapabilities& capabilities);

    void Refresh1Click();
    void combobox1Change();

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void ShowCapabilities();
    void ShowPaperBins(const win::InstalledPrinter& chosen);

    win::Printer& printer_;
    win::PrinterCapabilities& capabilities_;
};

}  // namespace brimlow
