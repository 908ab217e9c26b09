#include "sysconfig/TfrmPersonal.h"

#include "app/product.h"
#include "forms/info_forms.h"
#include "platform/wmiquery.h"
#include "storage/smartapi_win.h"
#include "sysconfig/personal_facts.h"
#include "sysconfig/personal_text.h"
#include "ui/application.h"
#include "ui/print_form.h"

#include <windows.h>

namespace brimlow {
namespace {

// The locale's first date and time separators.
char LocaleSeparator(LCTYPE type, char fallback) {
    char text[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 1) return text[0];
    return fallback;
}

}  // namespace

TfrmPersonal::TfrmPersonal() : TfrmPersonal(SystemLauncher()) {}

TfrmPersonal::TfrmPersonal(Launcher& launcher) : ui::Form(forms::PersonalFormLayout()), launcher_(launcher) {}

void TfrmPersonal::FormCreate() {
    OnClick("QuickPrint1", [this] { QuickPrint1Click(); });
    OnClick("Close1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Label3", [this] { Label3Click(); });
}

void TfrmPersonal::ShowValue(const char* name, const std::string& text) {
    SetText(name, text);
    UpdateWindow(Control(name));
}

void TfrmPersonal::Refresh1Click() {
    ui::BusyCursor busy;
    ui::Application::Instance().ProcessMessages();

    ShowValue("Info1", CurrentVersionText("RegisteredOwner"));
    ShowValue("Info2", CurrentVersionText("RegisteredOrganization"));
    ShowValue("Info3", CurrentVersionText("InstallationType"));
    ShowValue("Info4", CurrentVersionText("CurrentBuildNumber"));
    ShowValue("Info6", ProductIdText());
    std::string diskSerial;
    try {
        diskSerial = storage::FirstDiskSerial();
    } catch (...) {
        // A drive that cannot be asked leaves the row empty; the other facts still come.
    }
    ShowValue("Info21", diskSerial);
    ShowValue("Edit5", WmiLastValue(".", "Win32_BIOS", "SerialNumber"));

    ShowValue("Info12", DefaultPrinterText());
    ShowValue("Edit1", CurrentVersionText("SystemRoot"));
    // A copy without "InstallDate" shows an empty date; the rest of the facts still come.
    const std::optional<std::uint32_t> installed = InstallDateSeconds();
    ShowValue("Edit12", installed ? InstallDateText(*installed, LocaleSeparator(LOCALE_SDATE, '/'),
                                               LocaleSeparator(LOCALE_STIME, ':'))
                             : std::string());
    ShowValue("Edit13", CurrentVersionText("BuildLab"));
    ShowValue("Edit7", DotNetRootText());
    ShowValue("Edit16", SystemLanguageText());
}

void TfrmPersonal::QuickPrint1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::DefaultPrinter); }

void TfrmPersonal::Label3Click() { launcher_.ShellOpen("open", kProductPage, "", "", ShowCommand::Normal); }

}  // namespace brimlow
