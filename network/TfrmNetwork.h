// The network window TfrmNetwork: names, addresses, rights, adapters, shares and mapped drives of
// this computer, and the way to the adapters, user list and computers windows. Refilled each time
// it is shown.
#pragma once

#include "platform/launcher.h"
#include "ui/form.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace brimlow {

class TfrmNetwork : public ui::Form {
public:
    // The windows its buttons open; a button whose window is not given stays disabled.
    struct Windows {
        ui::Form* adapters = nullptr;
        ui::Form* userList = nullptr;
        ui::Form* computers = nullptr;
    };
    // The system's dialog that connects a drive letter to a network share.
    using ConnectionDialog = std::function<void(HWND owner)>;

    explicit TfrmNetwork(Windows windows);
    TfrmNetwork(Windows windows, Launcher& launcher, ConnectionDialog connectionDialog);

    void Refresh1Click();
    void Print1Click();
    void Button2Click();
    void Button5Click();
    void Label3Click();

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    // Sets a value and paints it at once, so the user sees the facts arrive.
    void ShowValue(const char* name, const std::string& text);

    Windows windows_;
    Launcher& launcher_;
    ConnectionDialog connectionDialog_;
};

}  // namespace brimlow
