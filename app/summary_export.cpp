#include "app/summary_export.h"

#include "app/product.h"

namespace brimlow {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kClipboardLabelWidth = 20;

template <typename LineOf>
std::string Lines(std::span<const SummaryRow> rows, LineOf lineOf) {
    std::string text;
    for (const SummaryRow& row : rows) {
        text += lineOf(row);
        text += kLineEnd;
    }
    return text;
}

void AddLine(std::string& page, const std::string& line) {
    page += line;
    page += kLineEnd;
}

}  // namespace

std::string ClipboardLine(const SummaryRow& row) {
    std::string line = row.label + ": ";
    if (line.size() < kClipboardLabelWidth) line.append(kClipboardLabelWidth - line.size(), ' ');
    return line + "\t" + row.value;
}

std::string ClipboardText(std::span<const SummaryRow> rows) { return Lines(rows, ClipboardLine); }

std::string TextFileText(std::span<const SummaryRow> rows) {
    return Lines(rows, [](const SummaryRow& row) { return row.label + ": " + row.value; });
}

std::string AutoReportText(std::span<const SummaryRow> rows) { return TextFileText(rows); }

std::string CsvText(std::span<const SummaryRow> rows) {
    return Lines(rows, [](const SummaryRow& row) { return "\"" + row.label + "\",\"" + row.value + "\""; });
}

std::string HtmlPageText(std::span<const SummaryRow> rows, const HtmlPageFacts& facts) {
    const std::string product = kProductName;
    const std::string cell(16, ' ');
    const std::string row(8, ' ');
    std::string page;
    AddLine(page, "<html>");
    AddLine(page, "<head>");
    AddLine(page, "<meta http-equiv=\"Content-Language\" content=\"en-gb\">");
    AddLine(page, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    AddLine(page, "<title>" + product + " for PC:" + facts.ownerText + "</title>");
    AddLine(page, "</head>");
    AddLine(page, "<body>");
    AddLine(page, "<h1 align=\"center\"><span style=\"font-weight: 400\"><font face=\"Georgia\">" + product +
                      "</font><small>---" + facts.dateText + "</small></span></h1>");
    AddLine(page, "<hr>");
    AddLine(page, "<br>");
    for (const SummaryRow& r : rows) {
        AddLine(page, "<table border=\"1\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\" "
                      "bordercolorlight=\"#FFFFFF\" bordercolordark=\"#FFFFFF\">");
        AddLine(page, row + "<tr>");
        AddLine(page, cell + "<td width=\"150\" bordercolor=\"#000000\" bgcolor=\"#A6CAF0\"><b>" + r.label + "</b></td>");
        AddLine(page, cell + "<td width=\"18\" bordercolorlight=\"#FFFFFF\" bordercolordark=\"#FFFFFF\"></td>");
        AddLine(page, cell + "<td bordercolorlight=\"#000000\" bordercolordark=\"#000000\" bgcolor=\"#FFFFE1\"><b>" +
                          r.value + "</b></td>");
        AddLine(page, cell + "<br>");
        AddLine(page, row + "</tr>");
        AddLine(page, "</table>");
    }
    AddLine(page, "<h2><a href=\"" + facts.productPage + "\">" + product + "</a></h2>");
    AddLine(page, "<a href=\"" + facts.siteAddress + "/\">" + facts.siteAddress + "</a>");
    AddLine(page, "</body>");
    AddLine(page, "</html>");
    return page;
}

}  // namespace brimlow
