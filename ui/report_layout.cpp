#include "ui/report_layout.h"

#include <algorithm>
#include <cmath>

namespace brimlow::ui {
namespace {

constexpr double kMmPerInch = 25.4;

int WholePixels(int millimetres) {
    return static_cast<int>(std::floor(millimetres * kReportPixelsPerInch / kMmPerInch));
}

int ToDevice(int paperOrigin, int marginMm, int length, int dpi) {
    return paperOrigin + static_cast<int>(std::lround(marginMm * dpi / kMmPerInch +
                                                      static_cast<double>(length) * dpi / kReportPixelsPerInch));
}

Font ScaledFont(const Font& font, const Font& fallback, int dpi) {
    Font scaled = font.face ? font : fallback;
    if (font.face && font.pixelHeight == 0) scaled.pixelHeight = fallback.pixelHeight;
    scaled.pixelHeight = DeviceLength(scaled.pixelHeight, dpi);
    return scaled;
}

ReportBox Intersect(const ReportBox& a, const ReportBox& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Empty(const ReportBox& box) { return box.right <= box.left || box.bottom <= box.top; }

void DrawLabel(const BandedReport& report, const ReportLabel& label, int bandTop, const ReportBox& bandBox,
               const ReportFacts& facts, ReportSurface& surface) {
    const ReportDevice device = surface.Device();
    const std::string& text = label.content == ReportContent::DateTime ? facts.dateTime : label.text;
    surface.SelectFont(ScaledFont(label.font, report.defaultFont, device.dpiY));

    ReportBox box{DeviceX(report, device, label.rect.left), DeviceY(report, device, bandTop + label.rect.top),
                  DeviceX(report, device, label.rect.left + label.rect.width),
                  DeviceY(report, device, bandTop + label.rect.top + label.rect.height)};
    if (label.autoSize) {
        const int width = surface.TextWidth(text);
        switch (label.align) {
        case TextAlign::Left: box.right = box.left + width; break;
        case TextAlign::Right: box.left = box.right - width; break;
        case TextAlign::Centre: {
            const int centre = (box.left + box.right) / 2;
            box.left = centre - width / 2;
            box.right = box.left + width;
            break;
        }
        }
        box.bottom = box.top + surface.LineHeight();
    }
    // A label that grows with its text may grow into the margins, not off the paper.
    ReportBox room = bandBox;
    if (label.autoSize) {
        room.left = device.paperLeft;
        room.right = device.paperLeft +
                     static_cast<int>(std::lround(report.paper.widthMm * device.dpiX / kMmPerInch));
    }
    const ReportBox clip = Intersect(box, room);
    if (Empty(clip)) return;
    if (label.backColour != kDefaultColour) surface.Fill(clip, label.backColour);

    std::vector<std::string> lines;
    if (label.wordWrap)
        lines = WrapText(text, box.right - box.left, [&](std::string_view part) { return surface.TextWidth(part); });
    else if (!text.empty())
        lines.push_back(text);
    const int lineHeight = std::max(surface.LineHeight(), 1);
    int y = box.top;
    for (const std::string& line : lines) {
        if (y >= clip.bottom) break;
        const int width = surface.TextWidth(line);
        int x = box.left;
        if (label.align == TextAlign::Right) x = box.right - width;
        if (label.align == TextAlign::Centre) x = box.left + (box.right - box.left - width) / 2;
        surface.Text(clip, x, y, line, label.textColour);
        y += lineHeight;
    }
}

}  // namespace

ReportLabel* BandedReport::FindLabel(std::string_view labelName) {
    for (ReportBand& band : bands)
        for (ReportLabel& label : band.labels)
            if (label.name == labelName) return &label;
    return nullptr;
}

const ReportLabel* BandedReport::FindLabel(std::string_view labelName) const {
    return const_cast<BandedReport*>(this)->FindLabel(labelName);
}

int BandedReport::ContentWidth() const { return WholePixels(paper.widthMm - 2 * marginMm); }
int BandedReport::ContentHeight() const { return WholePixels(paper.heightMm - 2 * marginMm); }

std::vector<ReportPage> PaginateReport(const BandedReport& report) {
    std::vector<ReportPage> pages(1);
    const int pageHeight = report.ContentHeight();
    int top = 0;
    for (std::size_t i = 0; i < report.bands.size(); ++i) {
        const int height = report.bands[i].height;
        if (!pages.back().empty() && top + height > pageHeight) {
            pages.emplace_back();
            top = 0;
        }
        pages.back().push_back({i, top});
        top += height;
    }
    return pages;
}

int DeviceX(const BandedReport& report, const ReportDevice& device, int x) {
    return ToDevice(device.paperLeft, report.marginMm, x, device.dpiX);
}

int DeviceY(const BandedReport& report, const ReportDevice& device, int y) {
    return ToDevice(device.paperTop, report.marginMm, y, device.dpiY);
}

int DeviceLength(int length, int dpi) {
    if (length <= 0) return 0;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(length) * dpi / kReportPixelsPerInch)));
}

std::vector<std::string> WrapText(std::string_view text, int width, const std::function<int(std::string_view)>& measure) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        if (!paragraph.empty() || end < text.size()) {
            std::string line;
            std::size_t pos = 0;
            const auto flush = [&] {
                lines.push_back(line);
                line.clear();
            };
            bool any = false;
            while (pos < paragraph.size()) {
                while (pos < paragraph.size() && paragraph[pos] == ' ') ++pos;
                if (pos >= paragraph.size()) break;
                std::size_t wordEnd = paragraph.find(' ', pos);
                if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
                std::string_view word = paragraph.substr(pos, wordEnd - pos);
                pos = wordEnd;
                const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
                if (measure(joined) <= width) {
                    line = joined;
                    continue;
                }
                if (!line.empty()) flush();
                // A word wider than the whole line goes across as many lines as it needs.
                while (!word.empty() && measure(word) > width) {
                    std::size_t fits = 1;
                    while (fits < word.size() && measure(word.substr(0, fits + 1)) <= width) ++fits;
                    lines.emplace_back(word.substr(0, fits));
                    word.remove_prefix(fits);
                }
                line = std::string(word);
                any = true;
            }
            if (!line.empty() || !any) flush();
        }
        if (end >= text.size()) break;
        start = end + 1;
    }
    return lines;
}

void DrawReportPage(const BandedReport& report, const ReportPage& page, const ReportFacts& facts,
                    ReportSurface& surface) {
    const ReportDevice device = surface.Device();
    const int thickness = DeviceLength(1, device.dpiY);
    for (const PlacedBand& placed : page) {
        const ReportBand& band = report.bands.at(placed.band);
        const ReportBox bandBox{DeviceX(report, device, 0), DeviceY(report, device, placed.top),
                                DeviceX(report, device, report.ContentWidth()),
                                DeviceY(report, device, placed.top + band.height)};
        if (band.backColour != kDefaultColour) surface.Fill(bandBox, band.backColour);
        for (const ReportRule& rule : band.rules) {
            const int right = rule.width > 0 ? rule.left + rule.width : report.ContentWidth();
            surface.Rule(DeviceX(report, device, rule.left), DeviceX(report, device, right),
                         DeviceY(report, device, placed.top + rule.top), thickness);
        }
        for (const ReportLabel& label : band.labels)
            if (label.visible) DrawLabel(report, label, placed.top, bandBox, facts, surface);
    }
}

}  // namespace brimlow::ui
