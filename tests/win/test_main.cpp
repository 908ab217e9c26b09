// Windows tests run under Wine (or Windows) with COM and the common controls set up as the program
// sets them up, and the default error handler and the message boxes recording instead of showing a box.
#include "tests/win/win_test_support.h"

#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace brimlow::testing {

std::vector<std::string>& ReportedErrors() {
    static std::vector<std::string> errors;
    return errors;
}

std::vector<std::string>& ShownMessages() {
    static std::vector<std::string> messages;
    return messages;
}

}  // namespace brimlow::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    brimlow::ui::Application::Instance().SetErrorReporter(
        [](const std::string& text) { brimlow::testing::ReportedErrors().push_back(text); });
    brimlow::ui::Application::Instance().SetMessageReporter(
        [](const std::string& text) { brimlow::testing::ShownMessages().push_back(text); });
    const int rc = RUN_ALL_TESTS();
    ::CoUninitialize();
    return rc;
}
