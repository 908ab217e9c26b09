// The application object: message loop, application-wide cursor and the default error handler.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace brimlow::ui {

class Form;

class Application {
public:
    static Application& Instance();

    // Runs the message loop with `mainForm` shown; returns the exit code when the loop ends
    // (the main form closed, or Terminate was called).
    int Run(Form& mainForm);
    // Ends the message loop after the current message.
    void Terminate(int exitCode = 0);
    bool terminating() const { return quitPosted_; }

    // The cursor every window of the program shows, like a screen-wide override.
    enum class Cursor { Default, HourGlass };
    void SetCursor(Cursor cursor);
    Cursor cursor() const { return cursor_; }
    // Used by forms when the system asks which cursor to show; false when there is no override.
    bool ApplyCursorOverride() const;

    // The program's name, the caption of its message boxes. The program sets it at start.
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::string& title() const { return title_; }

    // The default error handler: shows the text of an exception that escaped a handler in an
    // error box; the program goes on. Tests replace the box with a recorder.
    void HandleException(std::exception_ptr error);
    void SetErrorReporter(std::function<void(const std::string&)> reporter);

    // A message the program names: a modal box with an information icon and an OK button over
    // the active window. Tests replace the box with a recorder.
    void ShowMessage(const std::string& text);
    void SetMessageReporter(std::function<void(const std::string&)> reporter);

    // A question the program names: a modal box with an information icon and the buttons OK and
    // Cancel. True for OK; Cancel and closing the box give false. Tests replace the box with an
    // answerer.
    bool AskOkCancel(const std::string& text);
    void SetQuestionAnswerer(std::function<bool(const std::string&)> answerer);

    // Lets the messages waiting in the queue be handled now, keyboard shortcuts included.
    void ProcessMessages();

    // Runs an event handler under the default error handler.
    template <typename F>
    void Guard(F&& handler) {
        try {
            handler();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }

    // One iteration of message dispatching with the forms' keyboard shortcuts. False on WM_QUIT.
    bool PumpOne(MSG& msg);

    HINSTANCE instance() const;

    void AddForm(Form* form);
    void RemoveForm(Form* form);

private:
    Application() = default;
    Form* FormOf(HWND window) const;

    Cursor cursor_ = Cursor::Default;
    std::string title_;
    std::function<void(const std::string&)> errorReporter_;
    std::function<void(const std::string&)> messageReporter_;
    std::function<bool(const std::string&)> questionAnswerer_;
    std::vector<Form*> forms_;
    bool quitPosted_ = false;
    int exitCode_ = 0;
};

// Sets the hourglass for the lifetime of the object and restores the default cursor after it.
class BusyCursor {
public:
    BusyCursor() { Application::Instance().SetCursor(Application::Cursor::HourGlass); }
    ~BusyCursor() { Application::Instance().SetCursor(Application::Cursor::Default); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace brimlow::ui
