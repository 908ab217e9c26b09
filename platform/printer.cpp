#include "platform/printer.h"

#include "platform/win_binding.h"
#include "platform/win_text.h"

#include <winspool.h>

#include <stdexcept>

namespace brimlow::win {
namespace {

struct PrinterTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::ClosePrinter(h); }
};
using PrinterHandle = UniqueHandle<PrinterTraits>;

std::string TextOrEmpty(const char* text) { return text ? text : std::string(); }

std::vector<InstalledPrinter> ListPrinters() {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<InstalledPrinter> printers;
    if (needed == 0) return printers;
    // The records and the texts they point to share the buffer; aligned for the records.
    std::vector<PRINTER_INFO_2A> buffer(needed / sizeof(PRINTER_INFO_2A) + 1);
    if (!::EnumPrintersA(flags, nullptr, 2, reinterpret_cast<BYTE*>(buffer.data()),
                         static_cast<DWORD>(buffer.size() * sizeof buffer[0]), &needed, &count))
        return printers;
    for (DWORD i = 0; i < count; ++i)
        printers.push_back({TextOrEmpty(buffer[i].pPrinterName), TextOrEmpty(buffer[i].pPortName),
                            TextOrEmpty(buffer[i].pDriverName)});
    return printers;
}

[[noreturn]] void RaisePrinterError() {
    const DWORD code = ::GetLastError();
    throw PlatformError(code ? code : ERROR_INVALID_PRINTER_NAME);
}

}  // namespace

Printer& Printer::Instance() {
    static Printer printer;
    return printer;
}

Printer::~Printer() {
    if (printing_) ::AbortDoc(dc_.get());
}

const std::vector<InstalledPrinter>& Printer::Printers() {
    if (!listed_) {
        printers_ = ListPrinters();
        listed_ = true;
    }
    return printers_;
}

void Printer::Refresh() {
    if (printing_) throw std::runtime_error(kPrintingInProgress);
    listed_ = false;
    chosen_ = -1;
    Forget();
    Printers();
}

std::string Printer::DefaultPrinterName() {
    // Windows 2000 and later say it directly; before them, and as the fallback, the [windows]
    // section's "device" line names it first: "name,driver,port".
    using GetDefaultPrinterFn = BOOL(WINAPI*)(LPSTR, LPDWORD);
    static const RuntimeLibrary spooler("winspool.drv", RuntimeLibrary::Source::LoadNow);
    static GetDefaultPrinterFn getDefaultPrinter = nullptr;
    static const bool bound = spooler.Bind(EntryPoint{"GetDefaultPrinterA", &getDefaultPrinter});
    if (bound) {
        char name[512] = {};
        DWORD size = sizeof name;
        if (getDefaultPrinter(name, &size)) return name;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    }
    char device[512] = {};
    ::GetProfileStringA("windows", "device", "", device, sizeof device);
    const std::string line = device;
    return line.substr(0, line.find(','));
}

int Printer::PrinterIndex() {
    const auto& printers = Printers();
    if (chosen_ >= 0) return chosen_;
    const std::string name = DefaultPrinterName();
    for (std::size_t i = 0; i < printers.size(); ++i)
        if (!name.empty() && printers[i].name == name) return static_cast<int>(i);
    return -1;
}

void Printer::SetPrinterIndex(int index) {
    if (printing_) throw std::runtime_error(kPrintingInProgress);
    if (index < -1 || index >= static_cast<int>(Printers().size())) throw std::runtime_error(kInvalidPrinter);
    if (index == chosen_) return;
    chosen_ = index;
    Forget();
}

const InstalledPrinter& Printer::Current() {
    const int index = PrinterIndex();
    if (index < 0) throw std::runtime_error(kInvalidPrinter);
    return printers_[static_cast<std::size_t>(index)];
}

void Printer::Forget() {
    dc_.reset();
    settings_.clear();
}

DEVMODEA& Printer::Settings() {
    if (settings_.empty()) {
        const std::string name = Current().name;
        PrinterHandle printer;
        if (!::OpenPrinterA(const_cast<char*>(name.c_str()), printer.put(), nullptr)) RaisePrinterError();
        const LONG size = ::DocumentPropertiesA(nullptr, printer.get(), const_cast<char*>(name.c_str()), nullptr, nullptr, 0);
        if (size <= 0) RaisePrinterError();
        // The driver's private part follows the public record: as large as the driver says.
        std::vector<unsigned char> settings(static_cast<std::size_t>(size) + sizeof(DEVMODEA));
        if (::DocumentPropertiesA(nullptr, printer.get(), const_cast<char*>(name.c_str()),
                                  reinterpret_cast<DEVMODEA*>(settings.data()), nullptr, DM_OUT_BUFFER) < 0)
            RaisePrinterError();
        settings_ = std::move(settings);
    }
    return *reinterpret_cast<DEVMODEA*>(settings_.data());
}

HDC Printer::Handle() {
    if (!dc_) {
        const std::string name = Current().name;
        DEVMODEA& settings = Settings();
        dc_.reset(::CreateDCA(nullptr, name.c_str(), nullptr, &settings));
        if (!dc_) RaisePrinterError();
    }
    return dc_.get();
}

PrinterOrientation Printer::Orientation() {
    const DEVMODEA& settings = Settings();
    return (settings.dmFields & DM_ORIENTATION) && settings.dmOrientation == DMORIENT_LANDSCAPE
               ? PrinterOrientation::Landscape
               : PrinterOrientation::Portrait;
}

void Printer::SetOrientation(PrinterOrientation orientation) {
    if (printing_) throw std::runtime_error(kPrintingInProgress);
    DEVMODEA& settings = Settings();
    settings.dmOrientation = orientation == PrinterOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    settings.dmFields |= DM_ORIENTATION;
    dc_.reset();
}

int Printer::Copies() {
    const DEVMODEA& settings = Settings();
    return (settings.dmFields & DM_COPIES) && settings.dmCopies > 0 ? settings.dmCopies : 1;
}

void Printer::SetCopies(int copies) {
    if (printing_) throw std::runtime_error(kPrintingInProgress);
    DEVMODEA& settings = Settings();
    settings.dmCopies = static_cast<short>(copies);
    settings.dmFields |= DM_COPIES;
    dc_.reset();
}

void Printer::BeginDoc(const std::string& title) {
    if (printing_) throw std::runtime_error(kPrintingInProgress);
    const HDC dc = Handle();
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = title.c_str();
    if (::StartDocA(dc, &document) <= 0) RaisePrinterError();
    if (::StartPage(dc) <= 0) {
        ::AbortDoc(dc);
        RaisePrinterError();
    }
    printing_ = true;
    page_ = 1;
}

void Printer::NewPage() {
    if (!printing_) throw std::runtime_error("Printer is not currently printing");
    if (::EndPage(dc_.get()) <= 0 || ::StartPage(dc_.get()) <= 0) {
        Abort();
        RaisePrinterError();
    }
    ++page_;
}

void Printer::EndDoc() {
    if (!printing_) throw std::runtime_error("Printer is not currently printing");
    printing_ = false;
    page_ = 0;
    const bool ended = ::EndPage(dc_.get()) > 0 && ::EndDoc(dc_.get()) > 0;
    // A device context that printed a document is not used for another.
    if (!ended) {
        ::AbortDoc(dc_.get());
        dc_.reset();
        RaisePrinterError();
    }
    dc_.reset();
}

void Printer::Abort() {
    if (!printing_) return;
    printing_ = false;
    page_ = 0;
    ::AbortDoc(dc_.get());
    dc_.reset();
}

namespace {

class SpoolerCapabilities : public PrinterCapabilities {
public:
    int Query(const std::string& device, const std::string& port, std::uint16_t capability, void* output) override {
        return ::DeviceCapabilitiesA(device.c_str(), port.c_str(), capability, static_cast<char*>(output), nullptr);
    }
};

}  // namespace

PrinterCapabilities& SystemPrinterCapabilities() {
    static SpoolerCapabilities capabilities;
    return capabilities;
}

}  // namespace brimlow::win
