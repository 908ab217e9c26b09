#include "ui/dialogs.h"

#include "platform/win_handles.h"
#include "platform/win_text.h"

#include <commdlg.h>

#include <stdexcept>
#include <vector>

namespace brimlow::ui {

namespace {

// The common dialogs are loaded when a dialog is first wanted, not at every start: the
// unattended report never shows one, and the library and those it pulls in cost its start-up.
struct CommonDialogs {
    using GetFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEA);
    using CommDlgExtendedErrorFn = DWORD(WINAPI*)();

    win::Library library{::LoadLibraryA("comdlg32.dll")};
    GetFileNameFn getSaveFileName = Entry<GetFileNameFn>("GetSaveFileNameA");
    GetFileNameFn getOpenFileName = Entry<GetFileNameFn>("GetOpenFileNameA");
    CommDlgExtendedErrorFn commDlgExtendedError = Entry<CommDlgExtendedErrorFn>("CommDlgExtendedError");

    template <typename Function>
    Function Entry(const char* name) const {
        return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library.get(), name)))
                       : nullptr;
    }
};

const CommonDialogs& Dialogs() {
    static const CommonDialogs dialogs;
    return dialogs;
}

// The save or the open dialog; nullopt when the user cancels.
std::optional<SaveChoice> RunFileDialog(const SaveDialogRequest& request, bool open) {
    const CommonDialogs& dialogs = Dialogs();
    const auto run = open ? dialogs.getOpenFileName : dialogs.getSaveFileName;
    if (!run || !dialogs.commDlgExtendedError) win::RaiseLastError();

    // The dialog wants the pairs separated by zero characters and two of them at the end.
    std::string filter = request.filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');

    std::vector<char> name(MAX_PATH * 4, '\0');
    OPENFILENAMEA dialog{};
    // Windows 9x and NT 4 refuse the record with the fields that Windows 2000 added.
    const bool before2000 = LOBYTE(LOWORD(::GetVersion())) < 5;
    dialog.lStructSize = before2000 ? OPENFILENAME_SIZE_VERSION_400A : sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (open) dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (run(&dialog)) return SaveChoice{name.data(), static_cast<int>(dialog.nFilterIndex)};
    if (const DWORD error = dialogs.commDlgExtendedError())
        throw std::runtime_error(std::string("The ") + (open ? "open" : "save") + " dialog failed (error " +
                                 std::to_string(error) + ").");
    return std::nullopt;
}

}  // namespace

std::optional<SaveChoice> RunSaveDialog(const SaveDialogRequest& request) { return RunFileDialog(request, false); }

std::optional<std::string> RunOpenDialog(const SaveDialogRequest& request) {
    auto choice = RunFileDialog(request, true);
    if (!choice) return std::nullopt;
    return std::move(choice->fileName);
}

void ShowInformation(HWND owner, const std::string& text, const std::string& caption) {
    ::MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace brimlow::ui
