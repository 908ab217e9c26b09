// The personal information window TfrmPersonal: registration and installation facts of the
// Windows copy and a few machine identifiers. Whoever shows it asks for the refresh.
#pragma once

#include "platform/launcher.h"
#include "ui/form.h"

#include <string>

namespace brimlow {

class TfrmPersonal : public ui::Form {
public:
    TfrmPersonal();
    explicit TfrmPersonal(Launcher& launcher);

    void Refresh1Click();
    void QuickPrint1Click();
    void Label3Click();

    // The owner as the last refresh found it; the summary's HTML export names it.
    std::string RegisteredOwner() const { return Text("Info1"); }

protected:
    void FormCreate() override;

private:
    // Sets a value and paints it at once, so the user sees the facts arrive.
    void ShowValue(const char* name, const std::string& text);

    Launcher& launcher_;
};

}  // namespace brimlow
