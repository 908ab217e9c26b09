#include "app/summary_print.h"

#include "app/product.h"

#include <utility>

namespace brimlow {
namespace {

using ui::BandedReport;
using ui::Font;
using ui::ReportBand;
using ui::ReportLabel;
using ui::TextAlign;

constexpr Font kArial13{"Arial", 13, false, false};

ReportLabel Label(std::string name, std::string text, ui::Rect rect, Font font) {
    ReportLabel label;
    label.name = std::move(name);
    label.text = std::move(text);
    label.rect = rect;
    label.font = font;
    return label;
}

// A label that takes its size from its text; `rect` gives the edge it keeps and its top.
ReportLabel AutoLabel(std::string name, std::string text, ui::Rect rect, Font font, TextAlign align) {
    ReportLabel label = Label(std::move(name), std::move(text), rect, font);
    label.autoSize = true;
    label.align = align;
    return label;
}

BandedReport FullSpecLayout() {
    BandedReport report;
    report.name = "TFullSpecReport";
    report.title = std::string(kProductName) + " Full Specification";
    report.paper = ui::kPaperA4;
    report.defaultFont = kArial13;
    const int width = report.ContentWidth();

    ReportBand title;
    title.name = "TitleBand1";
    title.height = 40;
    title.labels.push_back(AutoLabel("RptTitle", kProductName, {0, 4, width, 0}, {"Georgia", 27, false, false},
                                     TextAlign::Centre));
    ReportLabel printed = AutoLabel("RptDateTime", {}, {width / 2 + 90, 16, 0, 0}, {}, TextAlign::Left);
    printed.content = ui::ReportContent::DateTime;
    title.labels.push_back(printed);
    report.bands.push_back(std::move(title));

    ReportBand detail;
    detail.name = "DetailBand1";
    detail.height = 1003;
    detail.rules = {{0, 0, 0}, {701, 0, 0}, {797, 0, 0}};
    constexpr Font kField{"Arial", 16, true, false};
    for (int n = 1; n <= kSummaryRowCount; ++n) {
        const int top = kFullRowTop + kFullRowPitch * (n - 1);
        ReportLabel desc = Label("RptDesc" + std::to_string(n), kSummaryLabels[n - 1], {8, top, 150, 20}, kField);
        desc.backColour = ui::kSkyBlue;
        desc.wordWrap = true;
        ReportLabel info = Label("RptInfo" + std::to_string(n), {}, {176, top, 535, 20}, kField);
        info.backColour = ui::kTooltipBackColour;
        info.wordWrap = true;
        detail.labels.push_back(std::move(desc));
        detail.labels.push_back(std::move(info));
    }
    detail.labels.push_back(
        AutoLabel("RptFootName", kProductName, {0, 944, width, 0}, {"Georgia", 21, false, false}, TextAlign::Centre));
    detail.labels.push_back(AutoLabel("RptFootSite", kHomePageCaption, {0, 976, width, 0}, {}, TextAlign::Centre));
    report.bands.push_back(std::move(detail));
    return report;
}

BandedReport HardwareLayout() {
    BandedReport report;
    report.name = "THardwareReport";
    report.title = std::string(kProductName) + " Machine Specification";
    report.paper = ui::kPaperA5;
    report.defaultFont = kArial13;
    const int width = report.ContentWidth();

    ReportBand card;
    card.name = "TitleBand1";
    card.height = 715;
    card.rules = {{112, 0, 0}, {584, 0, 0}, {672, 24, 180}, {672, width - 24 - 180, 180}};
    card.labels.push_back(AutoLabel("RptLabel1", "Machine Specification", {0, 40, width, 0},
                                    {"Arial", 32, false, false}, TextAlign::Centre));
    static constexpr const char* kCaptions[kCardLineCount] = {
        "CPU", "Memory", "Audio", "Graphics", "Optical Drive(s)", "Hard Disk(s)", "USB", "Firewire", "Manufacturer",
        "Motherboard", "O.S."};
    for (int line = 1; line <= kCardLineCount; ++line) {
        const int top = kCardLineTop + kCardLinePitch * (line - 1);
        card.labels.push_back(AutoLabel(THardwareReport::CaptionName(line), kCaptions[line - 1],
                                        {0, top, kCardCaptionRight, 0}, {"Arial", 19, true, false}, TextAlign::Right));
        // The value sits on the caption's base line: its font is smaller by four pixels.
        card.labels.push_back(AutoLabel(THardwareReport::ValueName(line), kUnfilledValue,
                                        {kCardValueLeft, top + 3, 0, 0}, {"Arial", 15, false, false}, TextAlign::Left));
    }
    report.bands.push_back(std::move(card));
    return report;
}

}  // namespace

TFullSpecReport::TFullSpecReport() : report_(FullSpecLayout()) {}

void TFullSpecReport::Fill(const std::vector<SummaryRow>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        // Found by name: a row the layout has no field for is left out.
        ui::ReportLabel* info = report_.FindLabel("RptInfo" + n);
        if (!info) continue;
        info->text = rows[i].value;
        if (ui::ReportLabel* desc = report_.FindLabel("RptDesc" + n)) desc->text = rows[i].label;
    }
}

THardwareReport::THardwareReport() : report_(HardwareLayout()) {}

std::string THardwareReport::CaptionName(int line) { return "RptLabel" + std::to_string(line + 1); }
std::string THardwareReport::ValueName(int line) { return "RptLabel" + std::to_string(line + 12); }

void THardwareReport::Fill(const HardwareCardFacts& facts) {
    const auto set = [&](int line, const std::string& text) { report_.FindLabel(ValueName(line))->text = text; };
    set(11, facts.windowsName);
    set(1, facts.processor);
    set(2, facts.memory);
    set(3, facts.audio);
    set(4, facts.graphics);
    set(6, facts.hardDisks);
    set(5, facts.opticalDrives);
    set(7, facts.usb);
    for (const auto& [line, text] : {std::pair{8, &facts.firewire}, std::pair{9, &facts.manufacturer},
                                     std::pair{10, &facts.motherboard}}) {
        set(line, *text);
        const bool shown = !text->empty();
        report_.FindLabel(ValueName(line))->visible = shown;
        report_.FindLabel(CaptionName(line))->visible = shown;
    }
}

}  // namespace brimlow
