// The texts of the printers window and the decoding of a printer's paper-bin answers. Portable,
// so they can be checked without a printer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brimlow {

inline constexpr const char* kBinCountsDiffer = "DeviceCapabilities reports different number of bins and bin names!";
inline constexpr std::size_t kBinNameLength = 24;  // characters per name in a DC_BINNAMES answer

// The escapes that tell a PostScript printer, asked in this order.
inline constexpr std::uint32_t kPostScriptEscapes[] = {37, 4117, 4115};

// The TECHNOLOGY capability upper-cased, "#ERROR# IS UNKNWON" for a value without a name.
std::string PrinterTechnologyText(int technology);

// "IDLE", or "PRINTING <page> <copies> Copies" while the program prints on the printer.
std::string PrinterStatusText(bool printing, int page, int copies);

// "Printer <name> does support Postscript" or "... does not support Postscript".
std::string PostScriptText(const std::string& printer, bool supported);

// "<millimetres> mm  /  <pixels> pixels".
std::string PageSizeText(int millimetres, int pixels);
// "<n> " and "<n> DPI".
std::string PhysicalSizeText(int pixels);
std::string DpiText(int dotsPerInch);

struct PaperBin {
    std::string name;
    std::uint16_t number = 0;
};

// The bins of DC_BINNAMES (24 characters a name, zero-padded) and DC_BINS (16-bit numbers), in
// order; as many as both answers hold.
std::vector<PaperBin> DecodePaperBins(std::span<const char> names, std::span<const std::uint16_t> numbers);

}  // namespace brimlow
