// The date and time window TfrmDateTime: the clock, the time zone with its daylight-saving rules,
// the up time and the time the system started. Its timer runs from creation, also while hidden.
#pragma once

#include "ui/form.h"

namespace brimlow {

class TfrmDateTime : public ui::Form {
public:
    TfrmDateTime();

    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormShow() override;
};

}  // namespace brimlow
