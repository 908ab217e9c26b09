#include "ui/application.h"

#include "ui/form.h"

#include <algorithm>

namespace brimlow::ui {

Application& Application::Instance() {
    static Application app;
    return app;
}

HINSTANCE Application::instance() const { return ::GetModuleHandleA(nullptr); }

void Application::AddForm(Form* form) { forms_.push_back(form); }

void Application::RemoveForm(Form* form) { forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end()); }

Form* Application::FormOf(HWND window) const {
    const HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    for (Form* form : forms_)
        if (form->hwnd() == root) return form;
    return nullptr;
}

bool Application::PumpOne(MSG& msg) {
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) return false;
    Form* form = FormOf(msg.hwnd);
    if (form && form->TranslateShortcut(msg)) return true;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    return true;
}

int Application::Run(Form& mainForm) {
    mainForm.MakeMainForm();
    if (!quitPosted_) Guard([&] { mainForm.Show(); });
    MSG msg{};
    while (PumpOne(msg)) {
    }
    return quitPosted_ ? exitCode_ : static_cast<int>(msg.wParam);
}

void Application::Terminate(int exitCode) {
    if (quitPosted_) return;
    quitPosted_ = true;
    exitCode_ = exitCode;
    ::PostQuitMessage(exitCode);
}

void Application::SetCursor(Cursor cursor) {
    cursor_ = cursor;
    switch (cursor) {
    case Cursor::HourGlass: ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); break;
    case Cursor::Default: ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW)); break;
    }
}

bool Application::ApplyCursorOverride() const {
    switch (cursor_) {
    case Cursor::HourGlass: ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); return true;
    case Cursor::Default: return false;
    }
    return false;
}

void Application::SetErrorReporter(std::function<void(const std::string&)> reporter) {
    errorReporter_ = std::move(reporter);
}

void Application::HandleException(std::exception_ptr error) {
    std::string text = "Unknown error.";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    // A handler that failed half-way must not leave the hourglass behind.
    SetCursor(Cursor::Default);
    if (errorReporter_) {
        errorReporter_(text);
        return;
    }
    HWND owner = ::GetActiveWindow();
    ::MessageBoxA(owner, text.c_str(), title_.empty() ? nullptr : title_.c_str(), MB_OK | MB_ICONERROR);
}

void Application::SetMessageReporter(std::function<void(const std::string&)> reporter) {
    messageReporter_ = std::move(reporter);
}

void Application::ShowMessage(const std::string& text) {
    if (messageReporter_) {
        messageReporter_(text);
        return;
    }
    ::MessageBoxA(::GetActiveWindow(), text.c_str(), title_.empty() ? nullptr : title_.c_str(),
                  MB_OK | MB_ICONINFORMATION);
}

void Application::SetQuestionAnswerer(std::function<bool(const std::string&)> answerer) {
    questionAnswerer_ = std::move(answerer);
}

bool Application::AskOkCancel(const std::string& text) {
    if (questionAnswerer_) return questionAnswerer_(text);
    return ::MessageBoxA(::GetActiveWindow(), text.c_str(), title_.empty() ? nullptr : title_.c_str(),
                         MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

void Application::ProcessMessages() {
    MSG msg{};
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The loop that runs the program must still see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Form* form = FormOf(msg.hwnd);
        if (form && form->TranslateShortcut(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace brimlow::ui
