// The internet window TfrmInternet: the online state, the browser's pages and settings, the
// typed addresses and favourites, Flash and the browsers with their versions. Made hidden at
// start and refilled each time it is shown; the favourites can be saved as a text file.
#pragma once

#include "network/internet_facts.h"
#include "ui/dialogs.h"
#include "ui/form.h"

#include <functional>
#include <optional>
#include <string>

namespace brimlow {

// Where the window's facts come from besides the registry: the system's unless a test hands in
// fixtures.
struct InternetSources {
    std::function<std::optional<std::string>()> favouritesFolder = FavouritesFolder;
    BrowserFiles browserFiles;
    const wchar_t* flashProgId = L"ShockwaveFlash.ShockwaveFlash";
    ui::SaveDialog saveDialog = ui::RunSaveDialog;
};

class TfrmInternet : public ui::Form {
public:
    explicit TfrmInternet(InternetSources sources = {});

    void Refresh1Click();
    void SaveIEFavourites1Click();

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void FillFlags();

    InternetSources sources_;
};

}  // namespace brimlow
