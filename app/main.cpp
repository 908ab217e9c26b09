// Program entry: COM as a single-threaded apartment for the whole run, the common controls, the
// windows, and the message loop.
#include "app/Unit1.h"
#include "app/product.h"
#include "app/summary_text.h"
#include "ui/application.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        brimlow::TForm1 form1(brimlow::SplitCommandLine(::GetCommandLineA()));
        auto& app = brimlow::ui::Application::Instance();
        app.SetTitle(brimlow::kProductName);
        app.Guard([&] { form1.Create(); });
        exitCode = form1.hwnd() ? app.Run(form1) : 1;
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    return exitCode;
}
