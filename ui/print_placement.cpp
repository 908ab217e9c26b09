#include "ui/print_placement.h"

#include <algorithm>
#include <cstdint>

namespace brimlow::ui {
namespace {

// length x numerator / denominator, rounded to the nearest pixel.
std::int64_t Rescale(std::int64_t length, std::int64_t numerator, std::int64_t denominator) {
    return (length * numerator + denominator / 2) / denominator;
}

}  // namespace

PagePlacement PlaceOnPage(int imageWidth, int imageHeight, int screenDpi, int printerDpiX, int printerDpiY,
                          int pageWidth, int pageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0 || screenDpi <= 0 || printerDpiX <= 0 || printerDpiY <= 0 ||
        pageWidth <= 0 || pageHeight <= 0)
        return {};
    std::int64_t width = Rescale(imageWidth, printerDpiX, screenDpi);
    std::int64_t height = Rescale(imageHeight, printerDpiY, screenDpi);
    if (width > pageWidth || height > pageHeight) {
        // Shrink by the tighter of the two limits; the other side then fits with room to spare.
        if (width * pageHeight >= height * pageWidth) {
            height = std::max<std::int64_t>(1, height * pageWidth / width);
            width = pageWidth;
        } else {
            width = std::max<std::int64_t>(1, width * pageHeight / height);
            height = pageHeight;
        }
    }
    width = std::max<std::int64_t>(width, 1);
    height = std::max<std::int64_t>(height, 1);
    PagePlacement placement;
    placement.width = static_cast<int>(width);
    placement.height = static_cast<int>(height);
    placement.left = static_cast<int>((pageWidth - width) / 2);
    placement.top = 0;
    return placement;
}

}  // namespace brimlow::ui
