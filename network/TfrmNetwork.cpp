#include "network/TfrmNetwork.h"

#include "app/product.h"
#include "forms/network_forms.h"
#include "network/network_facts.h"
#include "network/network_text.h"
#include "ui/application.h"
#include "ui/print_form.h"

#include <winnetwk.h>

namespace brimlow {
namespace {

constexpr const char* kConnectionsApplet = "rundll32.exe shell32.dll, Control_RunDLL NCPA.cpl";

void SystemConnectionDialog(HWND owner) { ::WNetConnectionDialog(owner, RESOURCETYPE_DISK); }

}  // namespace

TfrmNetwork::TfrmNetwork(Windows windows) : TfrmNetwork(windows, SystemLauncher(), SystemConnectionDialog) {}

TfrmNetwork::TfrmNetwork(Windows windows, Launcher& launcher, ConnectionDialog connectionDialog)
    : ui::Form(forms::NetworkFormLayout()),
      windows_(windows),
      launcher_(launcher),
      connectionDialog_(std::move(connectionDialog)) {}

void TfrmNetwork::FormCreate() {
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Button2", [this] { Button2Click(); });
    OnClick("Button5", [this] { Button5Click(); });
    OnClick("Label3", [this] { Label3Click(); });
    if (ui::Form* window = windows_.adapters) OnClick("Button1", [window] { window->Show(); });
    if (ui::Form* window = windows_.userList) OnClick("Button3", [window] { window->Show(); });
    if (ui::Form* window = windows_.computers) OnClick("Button4", [window] { window->Show(); });
}

void TfrmNetwork::FormShow() { Click("Refresh1"); }

void TfrmNetwork::ShowValue(const char* name, const std::string& text) {
    SetText(name, text);
    ::UpdateWindow(Control(name));
}

void TfrmNetwork::Refresh1Click() {
    ui::Application& application = ui::Application::Instance();
    {
        ui::BusyCursor busy;
        application.ProcessMessages();
        ShowValue("Edit2", ComputerNameText());
        ShowValue("Edit4", UserNameText());
        ShowValue("Edit12", HostAddressesText());
        ShowValue("Edit11", NetBiosAddressText());
        application.ProcessMessages();
        ShowValue("Edit14", UserIsAdministrator() ? kAdministratorText : kNotAdministratorText);
    }
    ShowValue("Edit13", NetworkPresent() ? kAttachedText : kNotAttachedText);

    const AdapterList adapters = AdapterDescriptions();
    SetLines("Memo1", adapters.descriptions);
    if (const auto message = AdapterQueryMessage(adapters.status)) application.ShowMessage(*message);

    ShowValue("Edit16", AccountDomainText().value_or(kDomainErrorText));

    ClearItems("ListBox1");
    const auto shares = ShareNames();
    if (!shares) {
        // No platform this program knows how to ask.
        Close();
        return;
    }
    for (const std::string& share : *shares) AddItem("ListBox1", share);

    SetLines("Memo3", NetworkDriveLines());
    ShowValue("Edit17", WorkgroupText());
    ShowValue("Edit15", ComputerDescriptionText());
}

void TfrmNetwork::Print1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::AskUser); }

void TfrmNetwork::Button2Click() { launcher_.RunCommandLine(kConnectionsApplet, ShowCommand::Normal); }

void TfrmNetwork::Button5Click() { connectionDialog_(hwnd()); }

void TfrmNetwork::Label3Click() { launcher_.ShellOpen("open", kHomePage, "", "", ShowCommand::Normal); }

}  // namespace brimlow
