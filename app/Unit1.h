// The main window TForm1: menu bar, tool bar and the summary sheet.
#pragma once

#include "app/summary_export.h"
#include "app/summary_text.h"
#include "ui/form.h"

#include <string>
#include <vector>

namespace brimlow {

class TForm1 : public ui::Form {
public:
    // `params`: the command-line parameters after the program name.
    explicit TForm1(std::vector<std::string> params);

    // The summary refresh behind "Main System Info" (F5).
    void Refresh1Click();

    // The 28 rows as they stand: labels from Desc<n>, values from Info<n>.
    std::vector<SummaryRow> SummaryRows() const;

    // Writes the unattended report; false when the file cannot be created or fully written.
    bool WriteAutoReport(const std::string& fileName) const;

    const std::string& versionText() const { return versionText_; }

    // The Administrator window's user name and password, passed on by the credentialed WMI rows.
    void SetAdministratorCredentials(std::string user, std::string password);

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize() override;

private:
    void ransparentBackground1Click();
    void StaticText3Click();

    std::vector<std::string> params_;
    std::string versionText_;
    // Administrator credentials for the WMI rows; set by the Administrator window, never stored.
    std::string adminUser_;
    std::string adminPassword_;
};

}  // namespace brimlow
