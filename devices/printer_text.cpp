#include "devices/printer_text.h"

#include "devices/display_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace brimlow {

std::string PrinterTechnologyText(int technology) {
    const std::string name = TechnologyName(technology);
    // The misspelling is the window's own text.
    return UpperAscii(name.empty() ? "#ERROR# is Unknwon" : name);
}

std::string PrinterStatusText(bool printing, int page, int copies) {
    if (!printing) return "IDLE";
    char text[64];
    std::snprintf(text, sizeof text, "%s %d %d Copies", "PRINTING", page, copies);
    return text;
}

std::string PostScriptText(const std::string& printer, bool supported) {
    return "Printer " + printer + " does" + (supported ? "" : " not") + " support Postscript";
}

std::string PageSizeText(int millimetres, int pixels) {
    char text[64];
    std::snprintf(text, sizeof text, "%d mm  /  %d pixels", millimetres, pixels);
    return text;
}

std::string PhysicalSizeText(int pixels) { return std::to_string(pixels) + " "; }

std::string DpiText(int dotsPerInch) { return std::to_string(dotsPerInch) + " DPI"; }

std::vector<PaperBin> DecodePaperBins(std::span<const char> names, std::span<const std::uint16_t> numbers) {
    const std::size_t count = std::min(names.size() / kBinNameLength, numbers.size());
    std::vector<PaperBin> bins;
    bins.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char* name = names.data() + i * kBinNameLength;
        // A name of the full 24 characters has no zero after it.
        bins.push_back({std::string(name, strnlen(name, kBinNameLength)), numbers[i]});
    }
    return bins;
}

}  // namespace brimlow
