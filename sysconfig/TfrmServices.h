// The services window TfrmServices: the Win32 services with their state and type, refilled on
// every showing.
#pragma once

#include "sysconfig/services.h"
#include "ui/form.h"
#include "ui/list_view.h"

namespace brimlow {

class TfrmServices : public ui::Form {
public:
    // Through the program's own binding of the service functions.
    TfrmServices();
    // `functions` must outlive the window (tests bind them from a library of their choice).
    explicit TfrmServices(const ServiceFunctions& functions);

    void Refresh1Click();

    ui::ListView ListView1() const { return ui::ListView(Control("ListView1")); }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    const ServiceFunctions& functions_;
};

}  // namespace brimlow
