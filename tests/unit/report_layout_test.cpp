// The banded report's arithmetic: paging, the mapping of report pixels onto a device, word wrap,
// and the two summary printouts laid out on a recording surface.
#include "app/summary_print.h"
#include "ui/report_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace brimlow {
namespace {

using ui::ReportBox;

// A surface whose font is fixed-pitch: each character half as wide as the font is high, lines two
// pixels higher than the font. It records what is drawn.
class RecordingSurface : public ui::ReportSurface {
public:
    struct TextOp {
        ReportBox clip;
        int x, y;
        std::string text;
        ui::Colour colour;
        ui::Font font;
    };
    struct RuleOp {
        int x0, x1, y, thickness;
    };
    struct FillOp {
        ReportBox box;
        ui::Colour colour;
    };

    explicit RecordingSurface(ui::ReportDevice device = {}) : device_(device) {}
    ui::ReportDevice Device() const override { return device_; }
    void SelectFont(const ui::Font& font) override { font_ = font; }
    int TextWidth(std::string_view text) override {
        return static_cast<int>(text.size()) * std::max(1, font_.pixelHeight / 2);
    }
    int LineHeight() override { return font_.pixelHeight + 2; }
    void Fill(const ReportBox& box, ui::Colour colour) override { fills.push_back({box, colour}); }
    void Text(const ReportBox& clip, int x, int y, std::string_view text, ui::Colour colour) override {
        texts.push_back({clip, x, y, std::string(text), colour, font_});
    }
    void Rule(int x0, int x1, int y, int thickness) override { rules.push_back({x0, x1, y, thickness}); }

    std::vector<const TextOp*> TextsOf(const std::string& text) const {
        std::vector<const TextOp*> found;
        for (const TextOp& op : texts)
            if (op.text == text) found.push_back(&op);
        return found;
    }
    std::optional<FillOp> FillOf(ui::Colour colour, int top) const {
        for (const FillOp& op : fills)
            if (op.colour == colour && op.box.top == top) return op;
        return std::nullopt;
    }

    std::vector<TextOp> texts;
    std::vector<RuleOp> rules;
    std::vector<FillOp> fills;

private:
    ui::ReportDevice device_;
    ui::Font font_;
};

void Draw(const ui::BandedReport& report, RecordingSurface& surface, const ui::ReportFacts& facts = {}) {
    const auto pages = ui::PaginateReport(report);
    ASSERT_EQ(pages.size(), 1u);
    ui::DrawReportPage(report, pages[0], facts, surface);
}

// Device position of a report pixel at `dpi` with 10 mm margins and the paper at the origin.
int At(int reportPixels, int dpi) { return static_cast<int>(std::lround(10 * dpi / 25.4 + reportPixels * dpi / 96.0)); }

TEST(ReportPaging, BandsStackDownThePageAndOverflowStartsANewOne) {
    ui::BandedReport report;
    report.paper = ui::kPaperA5;  // 718 report pixels between the margins
    ASSERT_EQ(report.ContentHeight(), 718);
    const struct {
        const char* name;
        std::vector<int> heights;
        std::vector<ui::ReportPage> pages;
    } cases[] = {
        {"no bands: one blank page", {}, {{}}},
        {"two that fit", {300, 418}, {{{0, 0}, {1, 300}}}},
        {"the third overflows", {300, 400, 100}, {{{0, 0}, {1, 300}}, {{2, 0}}}},
        {"taller than a page: a page of its own", {100, 900, 50}, {{{0, 0}}, {{1, 0}}, {{2, 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        report.bands.clear();
        for (int h : c.heights) report.bands.push_back({"", h, ui::kWhite, {}, {}});
        EXPECT_EQ(ui::PaginateReport(report), c.pages);
    }
}

TEST(ReportMapping, ReportPixelsScaleFromTheMarginsToTheDeviceResolution) {
    ui::BandedReport report;
    report.paper = ui::kPaperA4;
    EXPECT_EQ(report.ContentWidth(), 718);
    EXPECT_EQ(report.ContentHeight(), 1046);
    const struct {
        ui::ReportDevice device;
        int x, y;
        int expectedX, expectedY;
    } cases[] = {
        {{96, 96, 0, 0}, 0, 0, 38, 38},
        {{96, 96, 0, 0}, 176, 56, 214, 94},
        {{300, 300, 0, 0}, 176, 56, 668, 293},
        // A printer's origin is its printable corner: the paper starts at minus its offsets.
        {{300, 300, -50, -60}, 176, 56, 618, 233},
        {{600, 300, 0, 0}, 96, 96, 836, 418},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.device.dpiX) + " dpi, " + std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(ui::DeviceX(report, c.device, c.x), c.expectedX);
        EXPECT_EQ(ui::DeviceY(report, c.device, c.y), c.expectedY);
    }
    EXPECT_EQ(ui::DeviceLength(1, 300), 3);
    EXPECT_EQ(ui::DeviceLength(1, 72), 1) << "a thin line stays visible";
    EXPECT_EQ(ui::DeviceLength(0, 300), 0);
}

TEST(WrapText, BreaksAtBlanksWithinTheWidth) {
    const auto measure = [](std::string_view s) { return static_cast<int>(s.size()); };
    const struct {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"", 10, {}},
        {"short", 10, {"short"}},
        {"one two three", 7, {"one two", "three"}},
        {"one  two", 20, {"one two"}},
        {"exactly10c", 10, {"exactly10c"}},
        {"abcdefghijkl mn", 5, {"abcde", "fghij", "kl mn"}},
        {"first\r\nsecond", 20, {"first", "second"}},
        {"a\n\nb", 20, {"a", "", "b"}},
        {"wide", 0, {"w", "i", "d", "e"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" in " + std::to_string(c.width));
        EXPECT_EQ(ui::WrapText(c.text, c.width, measure), c.lines);
    }
}

TEST(FullSpecReport, TwentyEightRowsAtTheirPlacesAtScreenAndPrinterResolution) {
    TFullSpecReport full;
    std::vector<SummaryRow> rows;
    for (int n = 1; n <= kSummaryRowCount; ++n) rows.push_back({"Label " + std::to_string(n), "Value " + std::to_string(n)});
    full.Fill(rows);
    for (int dpi : {96, 300}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        RecordingSurface surface({dpi, dpi, 0, 0});
        Draw(full.report(), surface);
        for (int n = 1; n <= kSummaryRowCount; ++n) {
            SCOPED_TRACE("row " + std::to_string(n));
            // Below the 40-pixel title band.
            const int top = 40 + kFullRowTop + kFullRowPitch * (n - 1);
            const ReportBox desc{At(8, dpi), At(top, dpi), At(158, dpi), At(top + 20, dpi)};
            const ReportBox info{At(176, dpi), At(top, dpi), At(711, dpi), At(top + 20, dpi)};
            const auto descFill = surface.FillOf(ui::kSkyBlue, desc.top);
            ASSERT_TRUE(descFill);
            EXPECT_EQ(descFill->box, desc);
            const auto infoFill = surface.FillOf(ui::kTooltipBackColour, info.top);
            ASSERT_TRUE(infoFill);
            EXPECT_EQ(infoFill->box, info);
            const auto label = surface.TextsOf("Label " + std::to_string(n));
            const auto value = surface.TextsOf("Value " + std::to_string(n));
            ASSERT_EQ(label.size(), 1u);
            ASSERT_EQ(value.size(), 1u);
            EXPECT_EQ(label[0]->clip, desc);
            EXPECT_EQ(value[0]->clip, info);
            EXPECT_EQ(value[0]->x, info.left);
            EXPECT_EQ(value[0]->y, info.top);
            EXPECT_STREQ(value[0]->font.face, "Arial");
            EXPECT_TRUE(value[0]->font.bold);
            EXPECT_EQ(value[0]->font.pixelHeight, ui::DeviceLength(16, dpi));
        }
        // The rules: the detail band's top edge, 701 and 797, across the band.
        ASSERT_EQ(surface.rules.size(), 3u);
        const int ruleTops[] = {40, 40 + 701, 40 + 797};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(surface.rules[i].y, At(ruleTops[i], dpi));
            EXPECT_EQ(surface.rules[i].x0, At(0, dpi));
            EXPECT_EQ(surface.rules[i].x1, At(718, dpi));
            EXPECT_EQ(surface.rules[i].thickness, ui::DeviceLength(1, dpi));
        }
    }
}

TEST(FullSpecReport, TitleDateAndFoot) {
    TFullSpecReport full;
    RecordingSurface surface;
    Draw(full.report(), surface, {"10/12/2026 15:04:05"});
    const auto names = surface.TextsOf("Brimlow");
    ASSERT_EQ(names.size(), 2u);
    // The title in the title band, centred; the foot's name at 944 in the detail band.
    EXPECT_STREQ(names[0]->font.face, "Georgia");
    EXPECT_EQ(names[0]->font.pixelHeight, 27);
    const int centre = At(359, 96);
    EXPECT_LE(std::abs(names[0]->x + 7 * 13 / 2 - centre), 1);
    EXPECT_EQ(names[1]->font.pixelHeight, 21);
    EXPECT_EQ(names[1]->y, At(40 + 944, 96));
    const auto date = surface.TextsOf("10/12/2026 15:04:05");
    ASSERT_EQ(date.size(), 1u);
    EXPECT_GT(date[0]->x, names[0]->x + 7 * 13) << "right of the title";
    EXPECT_LT(date[0]->y, At(40, 96));
    const auto site = surface.TextsOf("https://www.brimlow.org");
    ASSERT_EQ(site.size(), 1u);
    EXPECT_EQ(site[0]->y, At(40 + 976, 96));
    EXPECT_EQ(site[0]->font.pixelHeight, 13) << "the report's default font";
}

TEST(FullSpecReport, ALongValueWrapsInsideItsFieldAndIsCutAtItsBottom) {
    TFullSpecReport full;
    // 535 pixels hold 66 characters of 8 pixels; three lines' worth of words.
    std::string value;
    for (int i = 0; i < 40; ++i) value += "word ";
    std::vector<SummaryRow> rows(kSummaryRowCount);
    rows[21].value = value;
    full.Fill(rows);
    RecordingSurface surface;
    Draw(full.report(), surface);
    const int top = At(40 + kFullRowTop + kFullRowPitch * 21, 96);
    const ReportBox field{At(176, 96), top, At(711, 96), At(40 + kFullRowTop + kFullRowPitch * 21 + 20, 96)};
    std::vector<const RecordingSurface::TextOp*> lines;
    for (const auto& op : surface.texts)
        if (op.clip == field) lines.push_back(&op);
    // Lines of 18 pixels: the second starts inside the 20-pixel field and is cut, the third is not drawn.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->y, top);
    EXPECT_EQ(lines[1]->y, top + 18);
    EXPECT_LE(surface.TextWidth(lines[0]->text), field.right - field.left);
    EXPECT_EQ(lines[0]->text.size(), 64u) << "thirteen words of five and their blanks";
}

TEST(FullSpecReport, FieldsAreFoundByNameAndExtraRowsAreLeftOut) {
    TFullSpecReport full;
    std::vector<SummaryRow> rows(kSummaryRowCount + 2, SummaryRow{"L", "V"});
    full.Fill(rows);
    EXPECT_EQ(full.report().FindLabel("RptInfo28")->text, "V");
    EXPECT_EQ(full.report().FindLabel("RptDesc1")->text, "L");
    EXPECT_EQ(full.report().FindLabel("RptInfo29"), nullptr);
}

HardwareCardFacts CardFacts() {
    return {"Windows XP", "Intel(R) Pentium(R) 4 CPU 2.80GHz", "512 MB", "Wine Audio Device", "Wine Adapter",
            "D: Wine CD_ROM", "80 GB  40 GB  ", "2", "Not Detected", "The Wine Project", "Intel Corporation Base Board"};
}

TEST(HardwareReport, CaptionsEndAtOneEdgeAndValuesStartAt168) {
    THardwareReport card;
    card.Fill(CardFacts());
    for (int dpi : {96, 300}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        RecordingSurface surface({dpi, dpi, 0, 0});
        Draw(card.report(), surface);
        const char* captions[] = {"CPU", "Memory", "Audio", "Graphics", "Optical Drive(s)", "Hard Disk(s)", "USB",
                                  "Firewire", "Manufacturer", "Motherboard", "O.S."};
        const HardwareCardFacts facts = CardFacts();
        const std::string values[] = {facts.processor, facts.memory,   facts.audio,        facts.graphics,
                                      facts.opticalDrives, facts.hardDisks, facts.usb, facts.firewire,
                                      facts.manufacturer, facts.motherboard, facts.windowsName};
        for (int line = 1; line <= kCardLineCount; ++line) {
            SCOPED_TRACE(captions[line - 1]);
            const auto caption = surface.TextsOf(captions[line - 1]);
            const auto value = surface.TextsOf(values[line - 1]);
            ASSERT_EQ(caption.size(), 1u);
            ASSERT_EQ(value.size(), 1u);
            surface.SelectFont(caption[0]->font);
            EXPECT_EQ(caption[0]->x + surface.TextWidth(captions[line - 1]), At(kCardCaptionRight, dpi));
            EXPECT_EQ(caption[0]->y, At(kCardLineTop + kCardLinePitch * (line - 1), dpi));
            EXPECT_TRUE(caption[0]->font.bold);
            EXPECT_EQ(caption[0]->font.pixelHeight, ui::DeviceLength(19, dpi));
            EXPECT_EQ(value[0]->x, At(kCardValueLeft, dpi));
            EXPECT_FALSE(value[0]->font.bold);
            EXPECT_EQ(value[0]->font.pixelHeight, ui::DeviceLength(15, dpi));
            // The value grows with its text: nothing of it is cut before the page's edge.
            surface.SelectFont(value[0]->font);
            EXPECT_GE(value[0]->clip.right - value[0]->clip.left,
                      std::min(surface.TextWidth(values[line - 1]), At(483, dpi) - value[0]->x));
        }
        ASSERT_EQ(surface.TextsOf("Machine Specification").size(), 1u);
        EXPECT_EQ(surface.TextsOf("Machine Specification")[0]->font.pixelHeight, ui::DeviceLength(32, dpi));
        // Rules across at 112 and 584, two short ones side by side at 672.
        ASSERT_EQ(surface.rules.size(), 4u);
        EXPECT_EQ(surface.rules[0].y, At(112, dpi));
        EXPECT_EQ(surface.rules[1].y, At(584, dpi));
        EXPECT_EQ(surface.rules[0].x1 - surface.rules[0].x0, At(483, dpi) - At(0, dpi));
        EXPECT_EQ(surface.rules[2].y, At(672, dpi));
        EXPECT_EQ(surface.rules[3].y, At(672, dpi));
        EXPECT_LT(surface.rules[2].x1, surface.rules[3].x0);
    }
}

TEST(HardwareReport, UnfilledValuesAreHyphensAndEmptyOptionalLinesVanish) {
    THardwareReport card;
    for (int line = 1; line <= kCardLineCount; ++line)
        EXPECT_EQ(card.report().FindLabel(THardwareReport::ValueName(line))->text, std::string(23, '-'));
    {
        RecordingSurface surface;
        Draw(card.report(), surface);
        EXPECT_EQ(surface.TextsOf(kUnfilledValue).size(), 11u);
    }

    // Without WMI: no manufacturer and no motherboard, while Firewire reads "Not Detected".
    HardwareCardFacts facts = CardFacts();
    facts.manufacturer.clear();
    facts.motherboard.clear();
    card.Fill(facts);
    {
        RecordingSurface surface;
        Draw(card.report(), surface);
        EXPECT_TRUE(surface.TextsOf("Manufacturer").empty());
        EXPECT_TRUE(surface.TextsOf("Motherboard").empty());
        EXPECT_EQ(surface.TextsOf("Firewire").size(), 1u);
        EXPECT_EQ(surface.TextsOf("Not Detected").size(), 1u);
        EXPECT_EQ(surface.TextsOf("O.S.").size(), 1u);
        // The lines keep their places: O.S. stays the eleventh.
        EXPECT_EQ(surface.TextsOf("O.S.")[0]->y, At(kCardLineTop + kCardLinePitch * 10, 96));
    }
    // A later print with the values back shows both lines again; an empty Firewire row goes.
    facts = CardFacts();
    facts.firewire.clear();
    card.Fill(facts);
    RecordingSurface surface;
    Draw(card.report(), surface);
    EXPECT_EQ(surface.TextsOf("Manufacturer").size(), 1u);
    EXPECT_EQ(surface.TextsOf("The Wine Project").size(), 1u);
    EXPECT_EQ(surface.TextsOf("Motherboard").size(), 1u);
    EXPECT_TRUE(surface.TextsOf("Firewire").empty());
}

}  // namespace
}  // namespace brimlow
