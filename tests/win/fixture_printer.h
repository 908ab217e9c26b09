// A printer for tests: Wine's PostScript driver with a small A4 description of our own, on a port
// that the spooler maps to a file, so a test can print for real and read back what was printed.
// Installed in the test's own prefix on first use.
#pragma once

#include "platform/list_report_win.h"

#include <string>

namespace brimlow::testing {

// The reason given where the system is not Wine: there the test has no printer to install.
inline constexpr const char* kNotUnderWine = "not running under Wine";

class FixturePrinter {
public:
    // The printer, or nullptr with `why` telling what the system did not give.
    static FixturePrinter* Get(std::string& why);

    const std::string& name() const { return name_; }
    // Forgets the last document; then what the next one prints.
    void ClearOutput() const;
    std::string Output() const;
    // The page count the PostScript trailer gives; -1 when no document was printed.
    int PrintedPages() const;

private:
    std::string name_;
    std::string outputPath_;  // the file the port writes to, as this program sees it
};

// A print dialog that hands out the fixture printer (in landscape unless told otherwise), or is
// cancelled.
class FixturePrintDialog : public win::PrintDialog {
public:
    explicit FixturePrintDialog(std::string device) : device_(std::move(device)) {}
    bool cancel = false;
    int shown = 0;
    win::PaperOrientation orientation = win::PaperOrientation::Landscape;
    win::DeviceContext Execute(HWND) override {
        ++shown;
        if (cancel) return {};
        return win::CreatePrinterContext(device_, 1, orientation);
    }

private:
    std::string device_;
};

}  // namespace brimlow::testing
