#include "network/TfrmInternet.h"

#include "forms/internet_form.h"
#include "network/internet_text.h"
#include "platform/win_file.h"
#include "platform/win_registry.h"
#include "ui/application.h"
#include "ui/list_view.h"

#include <windows.h>

namespace brimlow {
namespace {

constexpr const char* kMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kExplorerKey = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kRegistrationKey = "SOFTWARE\\Microsoft\\Internet Explorer\\Registration";

std::string RegistryText(HKEY root, const char* path, const char* name) {
    win::RegKey key = win::OpenKeyForRead(root, path);
    return key ? win::ReadStringValue(key.get(), name).value_or(std::string()) : std::string();
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TfrmInternet::TfrmInternet(InternetSources sources)
    : ui::Form(forms::InternetFormLayout()), sources_(std::move(sources)) {}

void TfrmInternet::FormCreate() {
    OnClick("SaveIEFavourites1", [this] { SaveIEFavourites1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
}

void TfrmInternet::FormShow() { Click("Refresh1"); }

void TfrmInternet::Refresh1Click() {
    ui::BusyCursor busy;
    SetText("Edit4", RegistryText(HKEY_LOCAL_MACHINE, kRegistrationKey, "ProductID"));
    SetText("Edit6", RegistryText(HKEY_CURRENT_USER, kMainKey, "Start Page"));
    SetText("Edit7", RegistryText(HKEY_CURRENT_USER, kMainKey, "Search Page"));
    SetText("Edit11", RegistryText(HKEY_CURRENT_USER, kExplorerKey, "Download Directory"));
    SetText("Edit12", RegistryText(HKEY_CURRENT_USER, kMainKey, "Local Page"));

    const std::optional<bool> offline = InternetOffline();
    SetText("Edit5", offline ? InternetStatusText(*offline) : "");

    // Without a folder to scan the list keeps what it showed.
    if (const auto folder = sources_.favouritesFolder ? sources_.favouritesFolder() : std::nullopt;
        folder && IsFolder(*folder)) {
        ClearItems("ListBox2");
        for (const std::string& address : ScanFavourites(*folder)) AddItem("ListBox2", address);
    }

    ClearItems("ListBox1");
    if (const auto typed = ReadTypedUrls(HKEY_CURRENT_USER))
        for (const std::string& url : *typed) AddItem("ListBox1", url);

    FillFlags();

    SetText("Edit15", FlashText(ProgIdRegistered(sources_.flashProgId)));

    ui::ListView browsers(Control("ListView1"));
    browsers.Clear();
    for (const BrowserRow& row : ReadBrowserRows(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, sources_.browserFiles))
        browsers.Add(row.name, {row.version});
}

void TfrmInternet::FillFlags() {
    CheckListClear("CheckListBox1");
    const IeFlags flags = ReadIeFlags(HKEY_CURRENT_USER);
    const auto names = IeFlagNames();
    for (std::size_t i = 0; i < names.size(); ++i) CheckListAdd("CheckListBox1", names[i], flags.on[i]);
    // One message for the missing key, not one for each of the settings it would have held.
    if (!flags.keyOpened) ui::Application::Instance().ShowMessage(kFlagsKeyMissing);
}

void TfrmInternet::SaveIEFavourites1Click() {
    const auto choice = sources_.saveDialog({hwnd(), "Text File|*.txt", "TXT"});
    if (!choice) return;
    win::ReplaceFileContents(choice->fileName, FavouritesFileText(Items("ListBox2")));
}

}  // namespace brimlow
