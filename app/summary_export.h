// The forms in which the summary leaves the program: clipboard text, the text file (which the
// unattended report shares), the CSV file and the HTML page. Labels and values are written as
// they stand - nothing is quoted or escaped - and every line ends with CR LF.
#pragma once

#include <span>
#include <string>

namespace brimlow {

struct SummaryRow {
    std::string label;
    std::string value;
};

// "label: " padded with blanks to 20 characters, a tab, the value.
std::string ClipboardLine(const SummaryRow& row);
std::string ClipboardText(std::span<const SummaryRow> rows);

// "label: value" - the text file and the unattended report.
std::string TextFileText(std::span<const SummaryRow> rows);
std::string AutoReportText(std::span<const SummaryRow> rows);

// "label","value" with the quotes as they are: a quote or comma inside a value stays as it is.
std::string CsvText(std::span<const SummaryRow> rows);

struct HtmlPageFacts {
    std::string ownerText;    // the registered owner as the personal window shows it; may be empty
    std::string dateText;     // the local date and time in the user's formats
    std::string productPage;  // the product's own page
    std::string siteAddress;  // the home page, without the trailing "/"
};

// One small table per row under a heading with the date, then the product and home page links.
std::string HtmlPageText(std::span<const SummaryRow> rows, const HtmlPageFacts& facts);

}  // namespace brimlow
