#include "sysconfig/TfrmStartup.h"

#include "forms/startup_form.h"
#include "sysconfig/startup_entries.h"
#include "ui/application.h"

namespace brimlow {

TfrmStartup::TfrmStartup() : ui::Form(forms::StartupFormLayout()) {}

void TfrmStartup::FormCreate() {
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
}

void TfrmStartup::Refresh1Click() {
    ui::BusyCursor busy;
    ui::ListView list = ListView1();
    list.Clear();
    ForEachStartupEntry([&](const StartupEntry& entry) {
        list.Add(entry.location, {entry.name, entry.path});
        // Rows appear as they are found; the window answers meanwhile.
        ui::Application::Instance().ProcessMessages();
    });
    SetText("StatusBar1", ui::CountText(list.Count()));
}

}  // namespace brimlow
