// The digit display on a real paint box with the program's own digit pictures: each cell shows
// the picture of its character, 16 pixels apart, and the cells without a digit stay blank.
#include "res/resource_ids.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"
#include "ui/digit_display.h"

#include <gtest/gtest.h>

#include <tuple>

namespace brimlow {
namespace {

ui::FormLayout DigitFormLayout() {
    ui::FormLayout form;
    form.className = "TfrmDigitTest";
    form.caption = "Digit test";
    form.clientWidth = 400;
    form.clientHeight = 80;
    for (const auto& [name, top, width] : {std::tuple{"PaintBox1", 5, 80}, std::tuple{"PaintBox2", 40, 322}}) {
        ui::ControlLayout box;
        box.name = name;
        box.kind = ui::ControlKind::PaintBox;
        box.rect = {5, top, width, 25};
        box.backColour = ui::kBlack;
        form.controls.push_back(box);
    }
    return form;
}

class DigitForm : public ui::Form {
public:
    DigitForm() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = DigitFormLayout();
        return layout;
    }
};

// The strip as the resource holds it, read back independently of the display.
std::unique_ptr<ui::Bitmap> Strip() {
    const win::GdiObject strip(::LoadImageA(ui::Application::Instance().instance(), MAKEINTRESOURCEA(IDB_DIGITS),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip) return nullptr;
    auto picture = std::make_unique<ui::Bitmap>(10 * ui::kDigitImageWidth, ui::kDigitImageHeight);
    HDC source = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(source, strip.get());
    ::BitBlt(picture->dc(), 0, 0, picture->width(), picture->height(), source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    return picture;
}

// Compares every cell with the picture of its expected character; ' ' means a blank cell.
void ExpectCells(const ui::Bitmap& painted, const ui::Bitmap& strip, const std::string& expected) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("cell " + std::to_string(i) + " '" + expected[i] + "'");
        int wrong = 0;
        for (int y = 0; y < ui::kDigitImageHeight; ++y)
            for (int x = 0; x < ui::kDigitImageWidth; ++x) {
                const ui::Colour want = expected[i] == ' ' ? ui::kBlack
                                                           : strip.Pixel((expected[i] - '0') * ui::kDigitImageWidth + x, y);
                wrong += painted.Pixel(ui::kDigitCellPitch * static_cast<int>(i) + x, y) != want;
            }
        EXPECT_EQ(wrong, 0);
    }
}

class DigitDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        strip = Strip();
        ASSERT_TRUE(strip) << "the test program carries the digit strip";
    }
    DigitForm form;
    std::unique_ptr<ui::Bitmap> strip;
};

TEST_F(DigitDisplayTest, EachCellShowsTheDigitOfItsCharacter) {
    ui::DigitDisplay clock(form, "PaintBox1", IDB_DIGITS);
    const struct {
        const char* text;
        int cells;
        const char* shown;  // ' ' for a blank cell
    } cases[] = {
        {"02992", 5, "02992"},
        {"123456", 5, "12345"},  // a longer text shows its first cells
        {"12", 5, "12   "},      // cells past the end stay blank
        {"1x3", 3, "1 3"},       // no picture for what is not a digit
        {"98765", 0, "     "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        clock.Show(c.text, c.cells);
        ExpectCells(*testing::PaintedClient(form.Control("PaintBox1")), *strip, c.shown);
    }
}

TEST_F(DigitDisplayTest, SixteenCellsOfACounter) {
    ui::DigitDisplay counter(form, "PaintBox2", IDB_DIGITS);
    counter.Show("0000000000001234", 16);
    EXPECT_EQ(counter.shown(), "0000000000001234");
    ExpectCells(*testing::PaintedClient(form.Control("PaintBox2")), *strip, "0000000000001234");
}

TEST_F(DigitDisplayTest, WithoutItsPicturesTheCellsStayBlank) {
    ui::DigitDisplay missing(form, "PaintBox1", 9999);
    missing.Show("12345", 5);
    ExpectCells(*testing::PaintedClient(form.Control("PaintBox1")), *strip, "     ");
}

}  // namespace
}  // namespace brimlow
