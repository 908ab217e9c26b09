#include "app/TAboutBox.h"

#include "app/product.h"
#include "forms/about_forms.h"

namespace brimlow {

TAboutBox::TAboutBox(std::string versionText, Launcher& launcher)
    : ui::Form(forms::AboutFormLayout()), versionText_(std::move(versionText)), launcher_(launcher) {}

void TAboutBox::FormCreate() {
    OnClick("Label1", [this] { launcher_.ShellOpen("open", kHomePage, "", "", ShowCommand::Normal); });
    OnClick("Label4", [this] { launcher_.ShellOpen("open", kContactPage, "", "", ShowCommand::Normal); });
}

void TAboutBox::FormShow() { SetText("Version", "Version " + versionText_); }

}  // namespace brimlow
