// Print-the-window-image: the picture of a hidden form as its controls paint it, and the job on a
// printer of the test's own (Wine's PostScript driver, its port a file), read back from the
// PostScript it wrote.
#include "tests/win/win_test_support.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/print_form.h"
#include "ui/print_placement.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <regex>

namespace brimlow {
namespace {

constexpr ui::Colour kRed = ui::Rgb(255, 0, 0);
constexpr ui::Colour kPale = ui::Rgb(0xFF, 0xFF, 0xE6);

ui::FormLayout PictureFormLayout() {
    ui::FormLayout form;
    form.className = "TfrmPrintTest";
    form.caption = "Print test";
    form.clientWidth = 240;
    form.clientHeight = 160;
    form.backColour = ui::kWhite;
    form.border = ui::BorderStyle::Single;
    ui::ControlLayout panel;
    panel.name = "Panel1";
    panel.kind = ui::ControlKind::Panel;
    panel.rect = {10, 10, 60, 40};
    panel.backColour = ui::kBlack;
    ui::ControlLayout box;
    box.name = "PaintBox1";
    box.kind = ui::ControlKind::PaintBox;
    box.rect = {20, 10, 20, 15};
    box.parent = "Panel1";
    box.backColour = kRed;
    ui::ControlLayout edit;
    edit.name = "Edit1";
    edit.kind = ui::ControlKind::ReadOnlyEdit;
    edit.text = "WWWWWW";
    edit.rect = {100, 10, 120, 21};
    edit.backColour = kPale;
    edit.textColour = ui::kBlack;
    ui::ControlLayout hidden = edit;
    hidden.name = "Edit2";
    hidden.rect = {100, 100, 120, 21};
    hidden.backColour = kRed;
    hidden.visible = false;
    ui::ControlLayout list;
    list.name = "CheckList1";
    list.kind = ui::ControlKind::CheckList;
    list.rect = {10, 60, 80, 60};
    form.controls = {panel, box, edit, hidden, list};
    return form;
}

class PictureForm : public ui::Form {
public:
    PictureForm() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = PictureFormLayout();
        return layout;
    }
};

int CountColour(const ui::Bitmap& image, const RECT& area, ui::Colour colour) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += image.Pixel(x, y) == colour;
    return n;
}

class PrintForm : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        form.Create();
        form.CheckListAdd("CheckList1", "on", true);
        form.CheckListAdd("CheckList1", "off", false);
    }
    int S(int length) const { return form.Scale(length); }
    PictureForm form;
};

TEST_F(PrintForm, TheImageOfAHiddenFormIsWhatItsControlsPaint) {
    ASSERT_FALSE(form.Visible());
    const auto image = ui::FormImage(form);
    ASSERT_EQ(image->width(), S(240));
    ASSERT_EQ(image->height(), S(160));
    EXPECT_EQ(image->Pixel(S(230), S(150)), ui::kWhite) << "the form's own colour";
    EXPECT_EQ(image->Pixel(S(15), S(45)), ui::kBlack) << "the panel";
    // The paint box sits in the panel, placed relative to it.
    EXPECT_EQ(image->Pixel(S(10 + 20 + 10), S(10 + 10 + 7)), kRed);
    EXPECT_EQ(image->Pixel(S(10 + 18), S(10 + 10 + 7)), ui::kBlack);
    // The edit: its colour, its black text, its sunken frame in the system's colours.
    const RECT edit{S(100) + 3, S(10) + 3, S(220) - 3, S(31) - 3};
    EXPECT_GT(CountColour(*image, edit, kPale), 100);
    EXPECT_GT(CountColour(*image, edit, ui::kBlack), 20) << "the letters";
    EXPECT_NE(image->Pixel(S(100), S(20)), ui::kWhite) << "the frame";
    // A control that is not visible is not in the picture.
    EXPECT_EQ(CountColour(*image, {S(100), S(100), S(220), S(121)}, kRed), 0);
    // The check list: a tick in the first item's box, none in the second's.
    const HWND list = form.Control("CheckList1");
    RECT first{}, second{};
    ::SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    ::SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    POINT origin{0, 0};
    ::MapWindowPoints(list, form.hwnd(), &origin, 1);
    const auto box = [&](const RECT& item) {
        const int top = origin.y + item.top + (item.bottom - item.top - S(13)) / 2;
        return RECT{origin.x + S(2) + 2, top + 2, origin.x + S(2) + S(13) - 2, top + S(13) - 2};
    };
    EXPECT_GT(CountColour(*image, box(first), ui::kBlack), 5);
    EXPECT_EQ(CountColour(*image, box(second), ui::kBlack), 0);
    EXPECT_GT(CountColour(*image, box(second), ui::kWhite), 20);
}

TEST_F(PrintForm, WithoutAPrinterItSaysSo) {
    EXPECT_THROW(
        {
            try {
                ui::PrintFormImage(form, ui::PrinterChoice::DefaultPrinter);
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "There is no default printer to print on.");
                throw;
            }
        },
        std::runtime_error);
    // Nor is the dialog shown with nothing to offer.
    testing::DialogAnswerer cancel(IDCANCEL);
    try {
        ui::PrintFormImage(form, ui::PrinterChoice::AskUser);
        ADD_FAILURE() << "printed without a printer";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "There is no printer to print on.");
    }
    EXPECT_TRUE(cancel.titles().empty());
}

// The placement PostScript shows for the picture: "left top translate", "width height scale".
struct PrintedImage {
    int width = 0, height = 0;  // of the picture, in its own pixels
    ui::PagePlacement at;
};

std::optional<PrintedImage> ImageIn(const std::string& postscript) {
    static const std::regex image(
        R"((-?\d+) (-?\d+) translate\s+(\d+) (\d+) scale\s+<<\s+/ImageType 1\s+/Width (\d+)\s+/Height (\d+))");
    std::smatch m;
    if (!std::regex_search(postscript, m, image)) return std::nullopt;
    PrintedImage printed;
    printed.at = {std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4])};
    printed.width = std::stoi(m[5]);
    printed.height = std::stoi(m[6]);
    return printed;
}

// The printer's page as its device context describes it.
struct Page {
    int dpiX, dpiY, width, height;
};
Page PageOf(const char* printer) {
    const HDC dc = ::CreateDCA("WINSPOOL", printer, nullptr, nullptr);
    Page page{::GetDeviceCaps(dc, LOGPIXELSX), ::GetDeviceCaps(dc, LOGPIXELSY), ::GetDeviceCaps(dc, HORZRES),
              ::GetDeviceCaps(dc, VERTRES)};
    ::DeleteDC(dc);
    return page;
}

TEST_F(PrintForm, QuickPrintPutsThePictureOnTheDefaultPrinterAtItsScreenSize) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    ASSERT_TRUE(ui::PrintFormImage(form, ui::PrinterChoice::DefaultPrinter));
    const std::string postscript = printer.Printed();
    ASSERT_EQ(postscript.rfind("%!PS-Adobe", 0), 0u) << postscript.substr(0, 200);
    EXPECT_NE(postscript.find("%%Title: Print test"), std::string::npos) << "the job is named after the window";
    EXPECT_NE(postscript.find("%%Pages: 1"), std::string::npos);
    const auto printed = ImageIn(postscript);
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->width, S(240));
    EXPECT_EQ(printed->height, S(160));
    const Page page = PageOf(testing::TestPrinter::kName);
    EXPECT_EQ(printed->at, ui::PlaceOnPage(S(240), S(160), form.dpi(), page.dpiX, page.dpiY, page.width, page.height));
    // 240 x 160 pixels at 96 dpi are 2.5 x 1.67 inches on paper.
    EXPECT_EQ(printed->at.width * form.dpi(), S(240) * page.dpiX);
}

TEST_F(PrintForm, PrintAsksWithThePrintDialog) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    {
        testing::DialogAnswerer cancel(IDCANCEL);
        EXPECT_FALSE(ui::PrintFormImage(form, ui::PrinterChoice::AskUser));
        EXPECT_EQ(cancel.titles().size(), 1u);
    }
    EXPECT_EQ(printer.Printed(), "") << "cancelled: nothing printed";
    {
        testing::DialogAnswerer ok(IDOK);
        EXPECT_TRUE(ui::PrintFormImage(form, ui::PrinterChoice::AskUser));
        EXPECT_EQ(ok.titles().size(), 1u);
    }
    const auto printed = ImageIn(printer.Printed());
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->width, S(240));
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(PrintForm, AJobCanGoToAFileOfItsOwn) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    const std::string file = std::string(dir) + "brimlow-print-to-file.ps";
    ::DeleteFileA(file.c_str());
    const HDC dc = ::CreateDCA("WINSPOOL", testing::TestPrinter::kName, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    ui::Bitmap wide(3000, 100);  // 31 inches at 96 dpi: shrunk to the page's width
    EXPECT_TRUE(ui::PrintImage(dc, wide, 96, "wide", file));
    const int pageWidth = ::GetDeviceCaps(dc, HORZRES);
    ::DeleteDC(dc);
    std::ifstream in(file, std::ios::binary);
    const std::string postscript((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    ::DeleteFileA(file.c_str());
    EXPECT_EQ(printer.Printed(), "") << "not on the printer's port";
    const auto printed = ImageIn(postscript);
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->at.left, 0);
    EXPECT_EQ(printed->at.width, pageWidth);
    EXPECT_NEAR(printed->at.height, pageWidth / 30, 1);
}

}  // namespace
}  // namespace brimlow
