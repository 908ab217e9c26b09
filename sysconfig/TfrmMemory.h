// The memory window TfrmMemory: the memory status and system figures of this process, the load
// gauge and the installed modules WMI lists. Made hidden at start; every showing refills it.
#pragma once

#include "platform/launcher.h"
#include "ui/form.h"
#include "ui/list_view.h"

namespace brimlow {

class TfrmMemory : public ui::Form {
public:
    TfrmMemory();
    explicit TfrmMemory(Launcher& launcher);

    void Refresh1Click();
    void Print1Click();

    ui::ListView ListView1() const { return ui::ListView(Control("ListView1")); }
    // What the gauge shows, 0 to 100.
    int memoryLoad() const { return load_; }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void PaintGauge(HDC dc) const;

    Launcher& launcher_;
    int load_ = 0;
};

}  // namespace brimlow
