// The display window TfrmDisplay: the display devices and registry adapter names, the selected
// adapter's details and state flags, and the screen's capabilities. Made hidden at start; every
// showing makes its working lists anew and refreshes.
#pragma once

#include "platform/launcher.h"
#include "ui/form.h"

#include <windows.h>

#include <string>
#include <vector>

namespace brimlow {

class TfrmDisplay : public ui::Form {
public:
    TfrmDisplay();
    explicit TfrmDisplay(Launcher& launcher, HKEY machine = HKEY_LOCAL_MACHINE);

    void Refresh1Click();
    void cbDisplayChange();
    void Print1Click();

    // The adapter selector's texts and selection.
    std::vector<std::string> AdapterTexts() const;
    void SelectAdapter(int index);

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    Launcher& launcher_;
    HKEY machine_;
    std::vector<std::string> registryAdapters_;
    std::vector<std::string> deviceNames_;
    std::vector<std::string> chips_;
    std::vector<std::string> dacs_;
    std::vector<std::string> memorySizes_;
};

}  // namespace brimlow
