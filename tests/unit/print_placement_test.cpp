// Where the picture of a window lands on the printed page.
#include "ui/print_placement.h"

#include <gtest/gtest.h>

namespace brimlow::ui {
namespace {

TEST(PlaceOnPage, KeepsTheScreenSizeShrinksToFitAndCentresAcross) {
    const struct {
        const char* name;
        int imageWidth, imageHeight, screenDpi, dpiX, dpiY, pageWidth, pageHeight;
        PagePlacement expected;
    } cases[] = {
        // 240 x 160 at 96 dpi: 2.5 x 1.67 inches, 750 x 500 at 300 dpi on a 2329-wide A4 page.
        {"at screen size", 240, 160, 96, 300, 300, 2329, 3358, {789, 0, 750, 500}},
        {"rounded to whole printer pixels", 200, 100, 96, 300, 300, 2329, 3358, {852, 0, 625, 313}},
        {"a larger screen resolution prints smaller", 240, 160, 120, 300, 300, 2329, 3358, {864, 0, 600, 400}},
        {"unequal printer resolutions", 96, 96, 96, 600, 300, 5000, 5000, {2200, 0, 600, 300}},
        // 800 x 622 at 96 dpi is 8.33 inches (2500 x 1944 dots): wider than the printable 7.76.
        {"too wide: the width fits, proportions kept", 800, 622, 96, 300, 300, 2329, 3358, {0, 0, 2329, 1811}},
        {"too tall: the height fits", 100, 2000, 96, 300, 300, 2329, 3358, {1080, 0, 168, 3358}},
        {"exactly the page", 2329, 3358, 300, 300, 300, 2329, 3358, {0, 0, 2329, 3358}},
        {"a sliver keeps one pixel", 10000, 1, 96, 300, 300, 100, 100, {0, 0, 100, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PagePlacement at =
            PlaceOnPage(c.imageWidth, c.imageHeight, c.screenDpi, c.dpiX, c.dpiY, c.pageWidth, c.pageHeight);
        EXPECT_EQ(at, c.expected) << at.left << "," << at.top << " " << at.width << "x" << at.height;
        EXPECT_LE(at.left + at.width, c.pageWidth);
        EXPECT_LE(at.top + at.height, c.pageHeight);
    }
}

TEST(PlaceOnPage, NothingToPrintGivesAnEmptyPlacement) {
    const PagePlacement empty{};
    EXPECT_EQ(PlaceOnPage(0, 100, 96, 300, 300, 2000, 3000), empty);
    EXPECT_EQ(PlaceOnPage(100, -1, 96, 300, 300, 2000, 3000), empty);
    EXPECT_EQ(PlaceOnPage(100, 100, 0, 300, 300, 2000, 3000), empty) << "no division by a zero resolution";
    EXPECT_EQ(PlaceOnPage(100, 100, 96, 0, 300, 2000, 3000), empty);
    EXPECT_EQ(PlaceOnPage(100, 100, 96, 300, 300, 0, 3000), empty);
}

TEST(PlaceOnPage, LargeFiguresDoNotOverflow) {
    // A 2400-dpi printer and a huge picture: the products exceed 32 bits.
    const PagePlacement at = PlaceOnPage(30000, 20000, 96, 2400, 2400, 19800, 28000);
    EXPECT_EQ(at.width, 19800);
    EXPECT_EQ(at.height, 13200);
    EXPECT_EQ(at.left, 0);
}

}  // namespace
}  // namespace brimlow::ui
