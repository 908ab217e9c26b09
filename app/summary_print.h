// The two printed summaries as banded reports: the full report (all 28 rows on an A4 page) and the
// hardware card (eleven facts on an A5 page). Portable: the layouts and the filling are data and
// rules; the main window hands in the texts and shows the result in the print preview.
#pragma once

#include "app/summary_export.h"
#include "app/summary_text.h"
#include "ui/report_layout.h"

#include <string>
#include <vector>

namespace brimlow {

// What each value label of the hardware card holds until it is first filled.
inline constexpr const char* kUnfilledValue = "-----------------------";

// The full report: a title band and a detail band with the fields RptDesc<n> and RptInfo<n>.
class TFullSpecReport {
public:
    TFullSpecReport();
    ui::BandedReport& report() { return report_; }
    const ui::BandedReport& report() const { return report_; }
    // Each row whose fields the report has: its label into RptDesc<n>, its value into RptInfo<n>.
    void Fill(const std::vector<SummaryRow>& rows);

private:
    ui::BandedReport report_;
};

// The hardware card's facts, one per line.
struct HardwareCardFacts {
    std::string windowsName;  // the short Windows name
    std::string processor;
    std::string memory;
    std::string audio;
    std::string graphics;
    std::string opticalDrives;
    std::string hardDisks;
    std::string usb;
    // Lines that vanish, caption and value, while their text is empty.
    std::string firewire;
    std::string manufacturer;
    std::string motherboard;
};

class THardwareReport {
public:
    THardwareReport();
    ui::BandedReport& report() { return report_; }
    const ui::BandedReport& report() const { return report_; }
    void Fill(const HardwareCardFacts& facts);

    // Names of line n's caption and value label (n = 1..11).
    static std::string CaptionName(int line);
    static std::string ValueName(int line);

private:
    ui::BandedReport report_;
};

// Geometry both tests and layouts share, in report pixels.
inline constexpr int kFullRowTop = 16;
inline constexpr int kFullRowPitch = 32;
inline constexpr int kCardLineTop = 153;
inline constexpr int kCardLinePitch = 34;
inline constexpr int kCardValueLeft = 168;
inline constexpr int kCardCaptionRight = 160;
inline constexpr int kCardLineCount = 11;

}  // namespace brimlow
