#include "tests/win/fixture_printer.h"

#include "platform/win_binding.h"

#include <windows.h>
#include <winspool.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace brimlow::testing {
namespace {

constexpr const char* kPrinterName = "Brimlow Fixture Printer";
constexpr const char* kDriverName = "Brimlow Fixture Driver";
constexpr const char* kPort = "LPT2:";

// An A4 PostScript printer at 300 dpi with a quarter-inch margin.
constexpr const char* kPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "BRIMLOW.PPD"
*Manufacturer: "Brimlow"
*Product: "(Brimlow Fixture Printer)"
*ModelName: "Brimlow Fixture Printer"
*ShortNickName: "Brimlow Fixture Printer"
*NickName: "Brimlow Fixture Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*DefaultResolution: 300dpi
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*OpenUI *InputSlot/Media Source: PickOne
*OrderDependency: 20 AnySetup *InputSlot
*DefaultInputSlot: Tray1
*InputSlot Tray1/Tray 1: ""
*CloseUI: *InputSlot
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
*Font Times-Roman: Standard "(001.007S)" Standard ROM
)ppd";

std::string SetUp(std::string& outputPath) {
    // Wine's spooler writes a port's jobs to the host file named for the port in its own key;
    // the host's name of our file comes from Wine.
    using UnixName = char*(CDECL*)(const wchar_t*);
    static const win::RuntimeLibrary kernel("kernel32.dll", win::RuntimeLibrary::Source::AlreadyLoaded);
    UnixName unixName = nullptr;
    if (!kernel.Bind(win::EntryPoint{"wine_get_unix_file_name", &unixName})) return kNotUnderWine;

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    outputPath = std::string(temp) + "brimlow-fixture-printer.ps";
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, outputPath.c_str(), -1, wide, MAX_PATH);
    char* host = unixName(wide);
    if (!host) return "no host name for " + outputPath;
    const std::string hostPath = host;
    ::HeapFree(::GetProcessHeap(), 0, host);

    HKEY spooler = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &spooler, nullptr) != ERROR_SUCCESS)
        return "cannot write the spooler's port key";
    ::RegSetValueExA(spooler, kPort, 0, REG_SZ, reinterpret_cast<const BYTE*>(hostPath.c_str()),
                     static_cast<DWORD>(hostPath.size() + 1));
    ::RegCloseKey(spooler);

    char driverDir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverDir), sizeof driverDir, &needed))
        return "no printer driver directory";
    ::CreateDirectoryA(driverDir, nullptr);
    const std::string ppd = std::string(driverDir) + "\\brimlow-fixture.ppd";
    std::ofstream(ppd, std::ios::binary) << kPpd;
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string driverFile = std::string(system) + "\\wineps.drv";

    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriverName);
    driver.pDriverPath = const_cast<char*>(driverFile.c_str());
    driver.pConfigFile = const_cast<char*>(driverFile.c_str());
    driver.pDataFile = const_cast<char*>(ppd.c_str());
    driver.pDefaultDataType = const_cast<char*>("RAW");
    if (!::AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) &&
        ::GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return "AddPrinterDriverExA failed with " + std::to_string(::GetLastError());

    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(kPrinterName);
    printer.pPortName = const_cast<char*>(kPort);
    printer.pDriverName = const_cast<char*>(kDriverName);
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    if (HANDLE added = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer))) {
        ::ClosePrinter(added);
    } else if (::GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        return "AddPrinterA failed with " + std::to_string(::GetLastError());
    }
    if (!win::CreateLandscapePrinterContext(kPrinterName, 1)) {
        const DWORD error = ::GetLastError();
        HDC plain = ::CreateDCA(nullptr, kPrinterName, nullptr, nullptr);
        const std::string plainToo = plain ? "a plain one opens" : "nor a plain one (" + std::to_string(::GetLastError()) + ")";
        if (plain) ::DeleteDC(plain);
        return "no device context for the fixture printer (" + std::to_string(error) + "), " + plainToo;
    }
    return {};
}

}  // namespace

FixturePrinter* FixturePrinter::Get(std::string& why) {
    static std::string failure;
    static std::unique_ptr<FixturePrinter> printer = [] {
        auto made = std::make_unique<FixturePrinter>();
        failure = SetUp(made->outputPath_);
        made->name_ = kPrinterName;
        return failure.empty() ? std::move(made) : nullptr;
    }();
    why = failure;
    return printer.get();
}

void FixturePrinter::ClearOutput() const { ::DeleteFileA(outputPath_.c_str()); }

std::string FixturePrinter::Output() const {
    std::ifstream in(outputPath_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int FixturePrinter::PrintedPages() const {
    const std::string text = Output();
    // "%%Pages: (atend)" in the header, the count in the trailer.
    const std::string tag = "%%Pages: ";
    int pages = -1;
    for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
        const char* digits = text.c_str() + at + tag.size();
        if (*digits >= '0' && *digits <= '9') pages = std::atoi(digits);
    }
    return pages;
}

}  // namespace brimlow::testing
