// The common save and open dialogs and the information box, as plain calls. Windows that use them keep the
// call behind a function object, so their handlers run in tests without anyone to answer.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace brimlow::ui {

struct SaveDialogRequest {
    HWND owner = nullptr;
    // Pairs of description and pattern separated by "|": "Text File (*.TXT)|*.txt|...".
    std::string filter;
    // Appended when the user types a name without an extension; no dot.
    std::string defaultExtension;
};

struct SaveChoice {
    std::string fileName;
    int typeIndex = 1;  // the chosen pair of the filter, counted from 1
};

// nullopt when the user cancels. Throws std::runtime_error when the dialog itself fails.
std::optional<SaveChoice> RunSaveDialog(const SaveDialogRequest& request);
using SaveDialog = std::function<std::optional<SaveChoice>(const SaveDialogRequest&)>;

// The open dialog for an existing file, asked the same way; the chosen file's name, nullopt when
// the user cancels. Throws std::runtime_error when the dialog itself fails.
std::optional<std::string> RunOpenDialog(const SaveDialogRequest& request);
using OpenDialog = std::function<std::optional<std::string>(const SaveDialogRequest&)>;

// A modal box with the information icon and an OK button.
void ShowInformation(HWND owner, const std::string& text, const std::string& caption);
using InformationBox = std::function<void(const std::string& text)>;

}  // namespace brimlow::ui
