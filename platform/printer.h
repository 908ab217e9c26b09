// The application's current printer: the list of installed printers, which one is chosen (the
// default printer until something chooses another), its settings (orientation, copies), its
// device context, and the document being printed on it. One object serves the whole program, so
// a printer chosen in one window is the one that later printing uses.
#pragma once

#include "platform/list_report_win.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace brimlow::win {

enum class PrinterOrientation { Portrait, Landscape };

// One installed printer as the spooler lists it.
struct InstalledPrinter {
    std::string name;
    std::string port;
    std::string driver;
};

inline constexpr const char* kInvalidPrinter = "Printer selected is not valid";
inline constexpr const char* kPrintingInProgress = "Printing in progress";

class Printer {
public:
    // The program's one current printer.
    static Printer& Instance();

    Printer() = default;
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    ~Printer();

    // The installed printers, local and connected, in the spooler's order; read when first asked
    // for and again by Refresh.
    const std::vector<InstalledPrinter>& Printers();
    // Reads the printer list afresh and goes back to the default printer.
    void Refresh();

    // The chosen printer's position in the list; -1 when there is none (no printers, or no
    // default printer while none was chosen).
    int PrinterIndex();
    // Chooses a printer by its position; -1 chooses the default printer. Another position outside
    // the list raises kInvalidPrinter; so does any change while a document is being printed.
    void SetPrinterIndex(int index);
    // The chosen printer; raises kInvalidPrinter when there is none.
    const InstalledPrinter& Current();
    // The name of the system's default printer; empty when it has none.
    static std::string DefaultPrinterName();

    // The chosen printer's device context with its settings, made when first asked for and kept
    // until another printer is chosen or its settings change. Raises PlatformError when the
    // printer or its driver cannot be opened.
    HDC Handle();

    PrinterOrientation Orientation();
    void SetOrientation(PrinterOrientation orientation);
    int Copies();
    void SetCopies(int copies);

    // A document on the chosen printer: started, paged and ended (or abandoned) through here.
    void BeginDoc(const std::string& title);
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return printing_; }
    // The page being printed, from 1; 0 when nothing is.
    int PageNumber() const { return printing_ ? page_ : 0; }

private:
    void Forget();
    DEVMODEA& Settings();

    bool listed_ = false;
    std::vector<InstalledPrinter> printers_;
    int chosen_ = -1;  // -1: the default printer
    std::vector<unsigned char> settings_;  // the chosen printer's DEVMODE with its private part
    DeviceContext dc_;
    bool printing_ = false;
    int page_ = 0;
};

// DeviceCapabilitiesA as the printers window asks it, so tests can script a printer's answers.
class PrinterCapabilities {
public:
    virtual ~PrinterCapabilities() = default;
    // The number of entries of `capability` for the printer `device` on `port` (-1 when the
    // printer does not answer); with an `output` buffer large enough for them, the entries too.
    virtual int Query(const std::string& device, const std::string& port, std::uint16_t capability, void* output) = 0;
};

// The real one: the printer's driver.
PrinterCapabilities& SystemPrinterCapabilities();

}  // namespace brimlow::win
