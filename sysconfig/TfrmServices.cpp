#include "sysconfig/TfrmServices.h"

#include "forms/services_form.h"
#include "sysconfig/service_text.h"
#include "ui/application.h"

namespace brimlow {

TfrmServices::TfrmServices() : TfrmServices(ProgramServiceFunctions()) {}

TfrmServices::TfrmServices(const ServiceFunctions& functions)
    : ui::Form(forms::ServicesFormLayout()), functions_(functions) {}

void TfrmServices::FormCreate() {
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
}

void TfrmServices::FormShow() { Click("Refresh1"); }

void TfrmServices::Refresh1Click() {
    ui::BusyCursor busy;
    ui::ListView list = ListView1();
    list.Clear();
    for (const ServiceEntry& service : ReadWin32Services(functions_))
        list.Add(service.displayName, {ServiceStateText(service.state), ServiceTypeText(service.type), service.serviceName});
}

}  // namespace brimlow
