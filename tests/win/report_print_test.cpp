// The banded report on real device contexts: both summaries drawn into an enhanced metafile at
// printer resolution and read back record by record, a page picture's colours, the preview window
// on a hidden window, and printing on a test printer. Then the main window's three print
// items.
#include "app/Unit1.h"
#include "forms/main_form.h"
#include "platform/windows_version_win.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"
#include "ui/report_preview.h"
#include "ui/report_preview_form.h"
#include "ui/report_render.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <regex>

namespace brimlow {
namespace {

// A report pixel's device position at `dpi`, with 10 mm margins and the paper's corner at 0.
int At(int reportPixels, int dpi) { return static_cast<int>(std::lround(10 * dpi / 25.4 + reportPixels * dpi / 96.0)); }

struct DrawnText {
    std::string text;
    int x, y;
};

// One record of an enhanced metafile: its text, if it draws one, with its reference point.
int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& out = *reinterpret_cast<std::vector<DrawnText>*>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        char ansi[512] = {};
        ::WideCharToMultiByte(CP_ACP, 0, chars, static_cast<int>(text->emrtext.nChars), ansi, sizeof ansi - 1, nullptr,
                              nullptr);
        out.push_back({ansi, text->emrtext.ptlReference.x, text->emrtext.ptlReference.y});
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(record) + text->emrtext.offString;
        out.push_back({std::string(chars, text->emrtext.nChars), text->emrtext.ptlReference.x,
                       text->emrtext.ptlReference.y});
    }
    return 1;
}

// The texts of an enhanced metafile with their reference points.
std::vector<DrawnText> MetafileTexts(HENHMETAFILE metafile) {
    std::vector<DrawnText> texts;
    ::EnumEnhMetaFile(nullptr, metafile, CollectText, &texts, nullptr);
    return texts;
}

// The report's one page drawn into a metafile as a 300-dpi device sees it.
std::vector<DrawnText> DrawnAt300Dpi(const ui::BandedReport& report) {
    const HDC dc = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(dc, nullptr);
    {
        ui::DcReportSurface surface(dc, {300, 300, 0, 0});
        ui::DrawReportPage(report, ui::PaginateReport(report).at(0), {"24/12/2026 17:05:09"}, surface);
    }
    const HENHMETAFILE metafile = ::CloseEnhMetaFile(dc);
    auto texts = MetafileTexts(metafile);
    ::DeleteEnhMetaFile(metafile);
    return texts;
}

const DrawnText* Find(const std::vector<DrawnText>& texts, const std::string& text) {
    for (const DrawnText& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

// Where asked to (BRIMLOW_REPORT_PICTURES names a folder), the picture is kept as a BMP file to look at.
void KeepPicture(const ui::Bitmap& picture, const char* name) {
    const char* folder = std::getenv("BRIMLOW_REPORT_PICTURES");
    if (!folder || !*folder) return;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width();
    info.biHeight = -picture.height();
    info.biPlanes = 1;
    info.biBitCount = 32;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + picture.width() * picture.height() * 4;
    std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(picture.Bits()), std::streamsize(picture.width()) * picture.height() * 4);
}

std::vector<SummaryRow> NumberedRows() {
    std::vector<SummaryRow> rows;
    for (int n = 1; n <= kSummaryRowCount; ++n) rows.push_back({kSummaryLabels[n - 1], "Value " + std::to_string(n)});
    return rows;
}

HardwareCardFacts CardFacts() {
    return {"Windows 2000 ", "Intel(R) Pentium(R) 4 CPU 2.80GHz", "512 MB", "Wine Audio Device", "Wine Adapter",
            "D: Wine CD_ROM", "80 GB  40 GB  ", "2", "Not Detected", "", ""};
}

TEST(ReportOnADevice, TheFullReportsTextsLandWhereTheLayoutPutsThem) {
    TFullSpecReport full;
    full.Fill(NumberedRows());
    const auto texts = DrawnAt300Dpi(full.report());
    for (int n = 1; n <= kSummaryRowCount; ++n) {
        SCOPED_TRACE("row " + std::to_string(n));
        const int top = At(40 + 16 + 32 * (n - 1), 300);
        const DrawnText* value = Find(texts, "Value " + std::to_string(n));
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->x, At(176, 300));
        EXPECT_EQ(value->y, top);
        // A label wider than its field wraps there: its first line starts the field.
        const auto label = std::find_if(texts.begin(), texts.end(), [&](const DrawnText& t) {
            return t.x == At(8, 300) && t.y == top;
        });
        ASSERT_NE(label, texts.end());
        EXPECT_EQ(std::string(kSummaryLabels[n - 1]).rfind(label->text, 0), 0u) << label->text;
    }
    const DrawnText* date = Find(texts, "24/12/2026 17:05:09");
    ASSERT_NE(date, nullptr);
    EXPECT_LT(date->y, At(40, 300)) << "in the title band";
    const DrawnText* site = Find(texts, "https://www.brimlow.org");
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->y, At(40 + 976, 300));
}

TEST(ReportOnADevice, TheHardwareCardsLinesAndTheVanishedOnes) {
    THardwareReport card;
    card.Fill(CardFacts());
    const auto texts = DrawnAt300Dpi(card.report());
    ASSERT_NE(Find(texts, "Machine Specification"), nullptr);
    const struct {
        int line;
        const char* caption;
        const char* value;
    } shown[] = {{1, "CPU", "Intel(R) Pentium(R) 4 CPU 2.80GHz"}, {6, "Hard Disk(s)", "80 GB  40 GB  "},
                 {8, "Firewire", "Not Detected"}, {11, "O.S.", "Windows 2000 "}};
    for (const auto& s : shown) {
        SCOPED_TRACE(s.caption);
        const DrawnText* caption = Find(texts, s.caption);
        const DrawnText* value = Find(texts, s.value);
        ASSERT_NE(caption, nullptr);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(caption->y, At(153 + 34 * (s.line - 1), 300));
        EXPECT_LT(caption->x, At(160, 300));
        EXPECT_EQ(value->x, At(168, 300));
    }
    EXPECT_EQ(Find(texts, "Manufacturer"), nullptr);
    EXPECT_EQ(Find(texts, "Motherboard"), nullptr);
}

TEST(ReportOnADevice, ThePagePictureHasTheFieldColoursAndTheRules) {
    TFullSpecReport full;
    full.Fill(NumberedRows());
    constexpr int dpi = 150;
    const auto picture = ui::RenderReportPage(full.report(), ui::PaginateReport(full.report()).at(0), {"now"}, dpi);
    KeepPicture(*picture, "full-spec");
    EXPECT_EQ(picture->width(), std::lround(210 * dpi / 25.4));
    EXPECT_EQ(picture->height(), std::lround(297 * dpi / 25.4));
    const int rowTop = At(40 + 16, dpi);
    EXPECT_EQ(picture->Pixel(At(9, dpi), rowTop + 1), ui::kSkyBlue) << "the label field";
    EXPECT_EQ(picture->Pixel(At(700, dpi), rowTop + 1), ::GetSysColor(COLOR_INFOBK)) << "the value field";
    EXPECT_EQ(picture->Pixel(At(2, dpi), At(40 + 701, dpi)), ui::kBlack) << "the rule at 701, in the margin's gap";
    EXPECT_EQ(picture->Pixel(At(2, dpi), At(40 + 705, dpi)), ui::kWhite);
    EXPECT_EQ(picture->Pixel(5, 5), ui::kWhite) << "the margin";

    THardwareReport card;
    card.Fill(CardFacts());
    const auto cardPicture = ui::RenderReportPage(card.report(), ui::PaginateReport(card.report()).at(0), {"now"}, dpi);
    KeepPicture(*cardPicture, "hardware-spec");
    EXPECT_EQ(cardPicture->width(), std::lround(148 * dpi / 25.4));
    EXPECT_EQ(cardPicture->Pixel(At(240, dpi), At(584, dpi)), ui::kBlack) << "the rule at 584";
}

// Three bands of which no two fit on one A5 page.
ui::BandedReport ThreePageReport() {
    ui::BandedReport report;
    report.name = "TThreePages";
    report.title = "Three pages";
    report.paper = ui::kPaperA5;
    report.defaultFont = {"Arial", 13, false, false};
    for (int i = 1; i <= 3; ++i) {
        ui::ReportBand band;
        band.height = 500;
        ui::ReportLabel label;
        label.name = "Page" + std::to_string(i);
        label.text = "Page text " + std::to_string(i);
        label.rect = {10, 10, 200, 20};
        band.labels.push_back(label);
        report.bands.push_back(band);
    }
    return report;
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override { testing::ReportedErrors().clear(); }
    testing::FixturePrintDialog dialog{"unused"};
};

TEST_F(Preview, OpensFittedOnTheFirstPageAndPagesThrough) {
    const ui::BandedReport report = ThreePageReport();
    ui::TfrmPrintPreview preview(report, dialog);
    preview.Create();
    EXPECT_FALSE(preview.Visible());
    EXPECT_EQ(preview.Caption(), "Print Preview - Three pages");
    EXPECT_EQ(preview.PageCount(), 3);
    EXPECT_TRUE(preview.FitsPage());
    const struct {
        const char* click;
        int page;
        bool first, last;
    } steps[] = {
        {nullptr, 0, true, false}, {"NextPage1", 1, false, false}, {"LastPage1", 2, false, true},
        {"PriorPage1", 1, false, false}, {"FirstPage1", 0, true, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.click ? step.click : "opened");
        if (step.click) preview.Click(step.click);
        EXPECT_EQ(preview.PageIndex(), step.page);
        EXPECT_EQ(preview.Text("StatusBar1"), ui::PreviewPageText(step.page + 1, 3));
        EXPECT_EQ(preview.Enabled("FirstPage1"), !step.first);
        EXPECT_EQ(preview.Enabled("PriorPage1"), !step.first);
        EXPECT_EQ(preview.Enabled("NextPage1"), !step.last);
        EXPECT_EQ(preview.Enabled("LastPage1"), !step.last);
    }
    EXPECT_EQ(ui::PreviewPageText(2, 3), "Page 2 of 3");
}

TEST_F(Preview, FitPageShowsTheWholeSheetAndOneHundredPercentItsPrintedSize) {
    TFullSpecReport full;
    full.Fill(NumberedRows());
    ui::TfrmPrintPreview preview(full.report(), dialog);
    preview.Create();
    ASSERT_EQ(preview.PageCount(), 1);
    EXPECT_FALSE(preview.Enabled("NextPage1"));
    EXPECT_TRUE(preview.Checked("FitPage1"));
    const HWND box = preview.Control("PaintBox1");
    RECT area{};
    ::GetClientRect(box, &area);
    const SIZE fitted = ui::PaperPixels(full.report(), preview.ShownDpi());
    EXPECT_LE(fitted.cx, area.right);
    EXPECT_LE(fitted.cy, area.bottom);
    EXPECT_GT(fitted.cy, area.bottom * 3 / 4) << "as large as fits";
    // The sheet in the middle of the grey desk.
    const auto painted = testing::PaintedClient(box);
    EXPECT_EQ(painted->Pixel(area.right / 2, area.bottom / 2 - fitted.cy / 2 + 3), ui::kWhite);
    EXPECT_EQ(painted->Pixel(2, 2), ui::Rgb(0x80, 0x80, 0x80));

    preview.Click("ActualSize1");
    EXPECT_FALSE(preview.FitsPage());
    EXPECT_TRUE(preview.Checked("ActualSize1"));
    EXPECT_EQ(preview.ShownDpi(), preview.dpi());
    // An A4 sheet at the screen's size is taller than the window: it scrolls.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(::GetScrollInfo(box, SB_VERT, &info));
    EXPECT_GT(info.nMax + 1, static_cast<int>(info.nPage));
    ::SendMessageA(box, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(::GetScrollPos(box, SB_VERT), 0);
    preview.Click("FitPage1");
    EXPECT_EQ(::GetScrollPos(box, SB_VERT), 0);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

// The test printer (Wine's PostScript driver, its port a file) goes again with each test.
int PagesIn(const std::string& postscript) {
    static const std::regex pages(R"(%%Pages: (\d+))");
    std::smatch m;
    return std::regex_search(postscript, m, pages) ? std::stoi(m[1]) : -1;
}

class PreviewOnAPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        ASSERT_TRUE(printer.installed());
        dialog.orientation = win::PaperOrientation::Portrait;
    }
    const testing::TestPrinter printer;
    testing::FixturePrintDialog dialog{testing::TestPrinter::kName};
};

TEST_F(PreviewOnAPrinter, PrintAsksTheDialogAndPrintsEveryPageUpright) {
    const ui::BandedReport report = ThreePageReport();
    ui::TfrmPrintPreview preview(report, dialog);
    preview.Create();
    preview.Click("Print1");
    EXPECT_EQ(dialog.shown, 1);
    const std::string output = printer.Printed();
    EXPECT_EQ(PagesIn(output), 3);
    EXPECT_NE(output.find("%%Title: Three pages"), std::string::npos);
    EXPECT_NE(output.find("%%Orientation: Portrait"), std::string::npos);

    printer.ForgetPrinted();
    dialog.cancel = true;
    preview.Click("Print1");
    EXPECT_EQ(dialog.shown, 2);
    EXPECT_EQ(printer.Printed(), "") << "cancelled: nothing printed";
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(PreviewOnAPrinter, TheFullReportPrintsOnOnePage) {
    TFullSpecReport full;
    full.Fill(NumberedRows());
    ui::TfrmPrintPreview preview(full.report(), dialog);
    preview.Create();
    preview.Click("Print1");
    const std::string output = printer.Printed();
    EXPECT_EQ(PagesIn(output), 1);
    EXPECT_NE(output.find("%%Title: Brimlow Full Specification"), std::string::npos);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

// The main window's print items run the preview modally: looked at from inside its loop, then closed.
struct SeenPreview {
    bool shown = false, mainDisabled = false;
    std::string status;
};
SeenPreview g_seen;
HWND g_mainWindow = nullptr;

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    const HWND preview = ::FindWindowA("TfrmPrintPreview", nullptr);
    g_seen.shown = preview && ::IsWindowVisible(preview) && ::GetWindow(preview, GW_OWNER) == g_mainWindow;
    g_seen.mainDisabled = !::IsWindowEnabled(g_mainWindow);
    if (!preview) return;
    const HWND status = ::GetDlgItem(preview, *ui::ControlIdOf(ui::PreviewFormLayout(), "StatusBar1"));
    char text[64] = {};
    ::GetWindowTextA(status, text, sizeof text);
    g_seen.status = text;
    ::PostMessageA(preview, WM_COMMAND, *ui::CommandIdOf(ui::PreviewFormLayout(), "Close1"), 0);
}

class MainWindowPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        form.Create();
        g_mainWindow = form.hwnd();
        g_seen = {};
    }
    void ChooseAndClose(const char* item) {
        ASSERT_TRUE(form.Enabled(item));
        ASSERT_NE(::SetTimer(nullptr, 0, 50, LookAndClose), 0u);
        ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::MainFormLayout(), item), 0);
        EXPECT_TRUE(g_seen.shown) << "the preview, owned by the main window";
        EXPECT_TRUE(g_seen.mainDisabled) << "modal";
        EXPECT_EQ(g_seen.status, "Page 1 of 1");
        EXPECT_EQ(::FindWindowA("TfrmPrintPreview", nullptr), nullptr) << "made for one showing";
        EXPECT_TRUE(::IsWindowEnabled(form.hwnd()));
        EXPECT_TRUE(testing::ReportedErrors().empty());
    }
    TForm1 form{{}};
};

TEST_F(MainWindowPrinting, PrintFullSpecRefreshesFillsTheReportAndPreviewsIt) {
    ChooseAndClose("Print1");
    const ui::BandedReport& report = form.FullSpecReport().report();
    EXPECT_FALSE(form.Text("Info28").empty()) << "refreshed first";
    for (int n = 1; n <= kSummaryRowCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(report.FindLabel("RptInfo" + std::to_string(n))->text, form.Text("Info" + std::to_string(n)));
        EXPECT_EQ(report.FindLabel("RptDesc" + std::to_string(n))->text, form.Text("Desc" + std::to_string(n)));
    }
}

TEST_F(MainWindowPrinting, PrintHardwareSpecFillsTheCardFromTheRows) {
    ChooseAndClose("PrintHardwareSpec1");
    const ui::BandedReport& report = form.HardwareReport().report();
    const auto value = [&](int line) { return report.FindLabel(THardwareReport::ValueName(line)); };
    const auto caption = [&](int line) { return report.FindLabel(THardwareReport::CaptionName(line)); };
    EXPECT_EQ(value(11)->text, ShortWindowsName());
    EXPECT_EQ(value(1)->text, form.Text("Info4"));
    EXPECT_EQ(value(2)->text, form.Text("Info3"));
    EXPECT_EQ(value(5)->text, form.Text("Info12"));
    EXPECT_EQ(value(7)->text, form.Text("Info17"));
    // Wine's WMI names a BIOS maker and a base board; the bus count reads a number or "Not Detected".
    for (const auto& [line, row] : {std::pair{8, "Info18"}, std::pair{9, "Info19"}, std::pair{10, "Info25"}}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(value(line)->text, form.Text(row));
        EXPECT_EQ(value(line)->visible, !form.Text(row).empty());
        EXPECT_EQ(caption(line)->visible, !form.Text(row).empty());
    }
    EXPECT_FALSE(form.Text("Info19").empty());
}

TEST_F(MainWindowPrinting, QuickPrintPrintsTheMaximisedWindowAndRestoresIt) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    ::ShowWindow(form.hwnd(), SW_MAXIMIZE);
    RECT screen{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    form.Click("QuickPrint1");
    const std::string postscript = printer.Printed();
    EXPECT_NE(postscript.find("%%Pages: 1"), std::string::npos);
    // The picture is of the maximised window: wider than the window's normal 720-pixel design size.
    static const std::regex image(R"(/ImageType 1\s+/Width (\d+)\s+/Height (\d+))");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(postscript, m, image));
    EXPECT_GT(std::stoi(m[1]), form.Scale(720));
    EXPECT_FALSE(::IsZoomed(form.hwnd())) << "normal afterwards, though maximised before";
    EXPECT_TRUE(form.ToolBarVisible());
    EXPECT_TRUE(testing::ReportedErrors().empty());
    form.Hide();
}

TEST_F(MainWindowPrinting, QuickPrintWithoutAPrinterSaysSoAndStillRestores) {
    ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(forms::MainFormLayout(), "QuickPrint1"), 0);
    ASSERT_EQ(testing::ReportedErrors().size(), 1u);
    EXPECT_EQ(testing::ReportedErrors()[0], "There is no default printer to print on.");
    EXPECT_FALSE(::IsZoomed(form.hwnd()));
    EXPECT_TRUE(form.ToolBarVisible());
    form.Hide();
}

}  // namespace
}  // namespace brimlow
