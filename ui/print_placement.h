// Where the picture of a window lands on a printed page. Portable arithmetic, so the rule can be
// checked without a printer.
#pragma once

namespace brimlow::ui {

struct PagePlacement {
    int left = 0, top = 0, width = 0, height = 0;  // printer pixels
    friend bool operator==(const PagePlacement&, const PagePlacement&) = default;
};

// The picture keeps the size it has on the screen: `imageWidth` x `imageHeight` screen pixels at
// `screenDpi` become as many inches at the printer's resolution. A picture larger than the printable
// area (`pageWidth` x `pageHeight` printer pixels) is shrunk to fit it, keeping its proportions. It
// sits at the top of the page, centred across it. Any size or resolution that is not positive gives
// an empty placement: there is nothing to print.
PagePlacement PlaceOnPage(int imageWidth, int imageHeight, int screenDpi, int printerDpiX, int printerDpiY,
                          int pageWidth, int pageHeight);

}  // namespace brimlow::ui
