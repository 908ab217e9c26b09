#include "network/TfrmUserList.h"

#include "forms/network_forms.h"
#include "network/network_facts.h"
#include "ui/application.h"
#include "ui/print_form.h"

namespace brimlow {

TfrmUserList::TfrmUserList() : ui::Form(forms::UserListFormLayout()) {}

void TfrmUserList::FormCreate() {
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
}

void TfrmUserList::FormShow() { Click("Refresh1"); }

void TfrmUserList::Refresh1Click() {
    ui::BusyCursor busy;
    const std::string group = WorkgroupText();
    SetText("Edit2", group);
    // A workgroup's name is no server that answers, so the list is usually empty there.
    const std::vector<std::string> names = AccountNames(group);
    ClearItems("ListBox1");
    for (const std::string& name : names) AddItem("ListBox1", name);
}

void TfrmUserList::Print1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::DefaultPrinter); }

}  // namespace brimlow
