#include "app/TfrmAdmin.h"

#include "forms/about_forms.h"

namespace brimlow {

TfrmAdmin::TfrmAdmin() : ui::Form(forms::AdminFormLayout()) {}

std::optional<AdministratorCredentials> TfrmAdmin::Ask() {
    if (ShowModal() != ui::ModalResult::Ok) return std::nullopt;
    return AdministratorCredentials{Text("Edit1"), Text("Edit2")};
}

}  // namespace brimlow
