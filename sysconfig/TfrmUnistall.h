// The installed applications window TfrmUnistall: one row per Uninstall entry with a display
// name, and the actions on the selected row (open its links and folders through the shell, run
// its uninstaller, delete a stray entry), sorting and printing.
#pragma once

#include "platform/launcher.h"
#include "platform/list_report_win.h"
#include "ui/form.h"
#include "ui/list_view.h"

#include <optional>
#include <string>

namespace brimlow {

class TfrmUnistall : public ui::Form {
public:
    // Starts programs through the shell and prints through the system's print dialog.
    TfrmUnistall();
    // Both must outlive the window (tests record what would have been started or printed).
    TfrmUnistall(Launcher& launcher, win::PrintDialog& printDialog);

    void Refresh1Click();
    void Print1Click();
    void Sort1Click();
    void oolbar1Click();
    void BrowseHelpLink1Click();
    void OpenInstallLocation1Click();
    void OpenInstallSource1Click();
    void ViewReadme1Click();
    void Uninstall1Click();
    void DeleteEntry1Click();

    ui::ListView ListView1() const { return ui::ListView(Control("ListView1")); }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    // The selected row's text in `column`; nullopt when no row is selected.
    std::optional<std::string> SelectedCell(int column) const;
    void OpenSelected(int column);

    win::SystemPrintDialog systemPrintDialog_;
    Launcher& launcher_;
    win::PrintDialog& printDialog_;
};

}  // namespace brimlow
