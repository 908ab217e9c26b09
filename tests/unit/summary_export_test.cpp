// The export forms byte for byte, on a table of rows whose values carry what a careless writer
// would quote or escape.
#include "app/summary_export.h"
#include "app/summary_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace brimlow {
namespace {

const std::vector<SummaryRow> kRows = {
    {"Windows", "Windows 7 Professional, Version 6.1.7601, Service Pack 1,  64 Bit."},
    {"Memory (RAM)", ""},
    {"Ports", "COM1 \"LPT1\""},
    {"Motherboard", "Maker <b> & Sons"},
    {"A label of twenty ch", "x"},
};

TEST(ClipboardText, LabelPaddedToTwentyThenATab) {
    EXPECT_EQ(ClipboardText(kRows),
              "Windows:            \tWindows 7 Professional, Version 6.1.7601, Service Pack 1,  64 Bit.\r\n"
              "Memory (RAM):       \t\r\n"
              "Ports:              \tCOM1 \"LPT1\"\r\n"
              "Motherboard:        \tMaker <b> & Sons\r\n"
              "A label of twenty ch: \tx\r\n");
    // Every real label leaves the tab in column 21.
    for (const char* label : kSummaryLabels) EXPECT_EQ(ClipboardLine({label, "v"}).find('\t'), 20u) << label;
    // "Windows" and ": " are nine characters; eleven blanks follow.
    EXPECT_EQ(ClipboardLine({"Windows", ""}), "Windows:" + std::string(12, ' ') + "\t");
}

TEST(TextFileText, LabelColonValue) {
    const std::string expected =
        "Windows: Windows 7 Professional, Version 6.1.7601, Service Pack 1,  64 Bit.\r\n"
        "Memory (RAM): \r\n"
        "Ports: COM1 \"LPT1\"\r\n"
        "Motherboard: Maker <b> & Sons\r\n"
        "A label of twenty ch: x\r\n";
    EXPECT_EQ(TextFileText(kRows), expected);
    EXPECT_EQ(AutoReportText(kRows), expected);
}

TEST(CsvText, QuotedAsWrittenWithoutEscaping) {
    EXPECT_EQ(CsvText(kRows),
              "\"Windows\",\"Windows 7 Professional, Version 6.1.7601, Service Pack 1,  64 Bit.\"\r\n"
              "\"Memory (RAM)\",\"\"\r\n"
              "\"Ports\",\"COM1 \"LPT1\"\"\r\n"
              "\"Motherboard\",\"Maker <b> & Sons\"\r\n"
              "\"A label of twenty ch\",\"x\"\r\n");
}

std::string RowTable(const std::string& label, const std::string& value) {
    return "<table border=\"1\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\" bordercolorlight=\"#FFFFFF\" "
           "bordercolordark=\"#FFFFFF\">\r\n"
           "        <tr>\r\n"
           "                <td width=\"150\" bordercolor=\"#000000\" bgcolor=\"#A6CAF0\"><b>" +
           label +
           "</b></td>\r\n"
           "                <td width=\"18\" bordercolorlight=\"#FFFFFF\" bordercolordark=\"#FFFFFF\"></td>\r\n"
           "                <td bordercolorlight=\"#000000\" bordercolordark=\"#000000\" bgcolor=\"#FFFFE1\"><b>" +
           value +
           "</b></td>\r\n"
           "                <br>\r\n"
           "        </tr>\r\n"
           "</table>\r\n";
}

TEST(HtmlPageText, WholePage) {
    const std::vector<SummaryRow> rows(kRows.begin() + 1, kRows.begin() + 4);
    const HtmlPageFacts facts{"Jo Bloggs", "24/12/2009 17:05:09", "https://www.example.org/product/",
                              "https://www.example.org"};
    const std::string expected =
        "<html>\r\n"
        "<head>\r\n"
        "<meta http-equiv=\"Content-Language\" content=\"en-gb\">\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
        "<title>Brimlow for PC:Jo Bloggs</title>\r\n"
        "</head>\r\n"
        "<body>\r\n"
        "<h1 align=\"center\"><span style=\"font-weight: 400\"><font face=\"Georgia\">Brimlow</font><small>---"
        "24/12/2009 17:05:09</small></span></h1>\r\n"
        "<hr>\r\n"
        "<br>\r\n" +
        RowTable("Memory (RAM)", "") + RowTable("Ports", "COM1 \"LPT1\"") +
        RowTable("Motherboard", "Maker <b> & Sons") +
        "<h2><a href=\"https://www.example.org/product/\">Brimlow</a></h2>\r\n"
        "<a href=\"https://www.example.org/\">https://www.example.org</a>\r\n"
        "</body>\r\n"
        "</html>\r\n";
    EXPECT_EQ(HtmlPageText(rows, facts), expected);
}

TEST(HtmlPageText, NoOwnerEndsTheTitleAfterTheColon) {
    const std::string page = HtmlPageText(kRows, {"", "d", "p", "s"});
    EXPECT_NE(page.find("\r\n<title>Brimlow for PC:</title>\r\n"), std::string::npos);
}

TEST(ExportForms, TwentyEightRecordsInRowOrder) {
    std::vector<SummaryRow> rows;
    for (int n = 0; n < kSummaryRowCount; ++n) rows.push_back({kSummaryLabels[n], n % 2 ? "" : "v"});
    const auto count = [](const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    for (const std::string& text : {ClipboardText(rows), TextFileText(rows), CsvText(rows)}) {
        EXPECT_EQ(count(text, "\r\n"), 28u);
        EXPECT_EQ(count(text, "\n"), 28u);
        // Row order: each label after the one before.
        std::size_t at = 0;
        for (const char* label : kSummaryLabels) {
            const auto next = text.find(label, at);
            ASSERT_NE(next, std::string::npos) << label;
            at = next;
        }
    }
    const std::string page = HtmlPageText(rows, {"", "d", "p", "s"});
    EXPECT_EQ(count(page, "<table "), 28u);
    EXPECT_EQ(count(page, "\r\n"), 10u + 28u * 8u + 4u);
    EXPECT_EQ(count(page, "\n"), count(page, "\r\n"));
}

}  // namespace
}  // namespace brimlow
