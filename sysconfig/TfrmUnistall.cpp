#include "sysconfig/TfrmUnistall.h"

#include "forms/unistall_form.h"
#include "platform/win_text.h"
#include "sysconfig/uninstall_entries.h"
#include "ui/application.h"

namespace brimlow {
namespace {

constexpr const char* kDeleteQuestion = "This option is to remove stray uninstall entries.\rAre you sure you wish to delete?";
constexpr const char* kNotDeleted = "Not deleted";
constexpr const char* kPrintTitle = "Installed Applications";

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace

TfrmUnistall::TfrmUnistall() : TfrmUnistall(SystemLauncher(), systemPrintDialog_) {}

TfrmUnistall::TfrmUnistall(Launcher& launcher, win::PrintDialog& printDialog)
    : ui::Form(forms::UnistallFormLayout()), launcher_(launcher), printDialog_(printDialog) {}

void TfrmUnistall::FormCreate() {
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Sort1", [this] { Sort1Click(); });
    OnClick("oolbar1", [this] { oolbar1Click(); });
    SetChecked("oolbar1", true);
    OnClick("BrowseHelpLink1", [this] { BrowseHelpLink1Click(); });
    OnClick("OpenInstallLocation1", [this] { OpenInstallLocation1Click(); });
    OnClick("OpenInstallSource1", [this] { OpenInstallSource1Click(); });
    OnClick("ViewReadme1", [this] { ViewReadme1Click(); });
    OnClick("Uninstall1", [this] { Uninstall1Click(); });
    OnClick("DeleteEntry1", [this] { DeleteEntry1Click(); });

    OnClick("ToolButton1", [this] { Uninstall1Click(); });
    OnClick("ToolButton2", [this] { DeleteEntry1Click(); });
    OnClick("ToolButton3", [this] { OpenInstallLocation1Click(); });
    OnClick("ToolButton4", [this] { OpenInstallSource1Click(); });
    OnClick("ToolButton5", [this] { BrowseHelpLink1Click(); });
    OnClick("ToolButton7", [this] { BrowseHelpLink1Click(); });
    OnClick("ToolButton9", [this] { Close(); });
}

void TfrmUnistall::FormShow() { Click("Refresh1"); }

void TfrmUnistall::Refresh1Click() {
    ui::BusyCursor busy;
    ui::ListView list = ListView1();
    list.Clear();
    for (const UninstallEntry& entry : ReadUninstallEntries())
        list.Add(entry.displayName, {entry.displayVersion, entry.helpLink, entry.helpTelephone, entry.installLocation,
                                     entry.installSource, entry.publisher, entry.readme, entry.uninstallString,
                                     entry.keyName});
    SetText("StatusBar1", ui::CountText(list.Count()));
    list.SortByCaption();
}

void TfrmUnistall::Print1Click() { win::PrintListReport(Control("ListView1"), kPrintTitle, printDialog_, hwnd()); }

void TfrmUnistall::Sort1Click() { ListView1().SortByCaption(); }

void TfrmUnistall::oolbar1Click() {
    const bool shown = !Checked("oolbar1");
    SetChecked("oolbar1", shown);
    SetToolBarVisible(shown);
}

std::optional<std::string> TfrmUnistall::SelectedCell(int column) const {
    const ui::ListView list = ListView1();
    const auto row = list.Selected();
    if (!row) return std::nullopt;
    return list.Cell(*row, column);
}

void TfrmUnistall::OpenSelected(int column) {
    const auto text = SelectedCell(column);
    if (!text || text->empty()) return;
    // The shell's answer is not reported: a link that opens nothing simply does nothing.
    launcher_.ShellOpen("open", *text, "", "", ShowCommand::Normal);
}

void TfrmUnistall::BrowseHelpLink1Click() { OpenSelected(forms::kHelpLinkColumn); }
void TfrmUnistall::OpenInstallLocation1Click() { OpenSelected(forms::kInstallLocationColumn); }
void TfrmUnistall::OpenInstallSource1Click() { OpenSelected(forms::kInstallSourceColumn); }
void TfrmUnistall::ViewReadme1Click() { OpenSelected(forms::kReadmeColumn); }

void TfrmUnistall::Uninstall1Click() {
    const auto command = SelectedCell(forms::kUninstallColumn);
    if (!command || command->empty()) return;
    // The uninstaller runs on by itself; the list usually still shows its entry after this refresh.
    launcher_.RunCommandLine(*command, ShowCommand::Show);
    ui::Application::Instance().ProcessMessages();
    Refresh1Click();
}

void TfrmUnistall::DeleteEntry1Click() {
    const auto name = SelectedCell(forms::kKeyNameColumn);
    if (!name || !UninstallKeyOpens()) return;
    ui::Application& app = ui::Application::Instance();
    if (!app.AskOkCancel(kDeleteQuestion)) {
        app.ShowMessage(kNotDeleted);
        return;
    }
    const LONG result = DeleteUninstallEntry(*name);
    Refresh1Click();
    if (result == ERROR_SUCCESS)
        app.ShowMessage(Quoted(*name) + " entry removed.");
    else
        app.ShowMessage(Quoted(*name) + " entry not removed: " + win::ErrorMessage(static_cast<DWORD>(result)));
}

}  // namespace brimlow
