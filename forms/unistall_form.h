// Layout of the installed applications window TfrmUnistall: the tool bar, the list of Uninstall
// entries with its popup menu, and the status bar.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

const ui::FormLayout& UnistallFormLayout();

// The list's columns, by their index.
inline constexpr int kNameColumn = 0;
inline constexpr int kVersionColumn = 1;
inline constexpr int kHelpLinkColumn = 2;
inline constexpr int kHelpTelephoneColumn = 3;
inline constexpr int kInstallLocationColumn = 4;
inline constexpr int kInstallSourceColumn = 5;
inline constexpr int kPublisherColumn = 6;
inline constexpr int kReadmeColumn = 7;
inline constexpr int kUninstallColumn = 8;
inline constexpr int kKeyNameColumn = 9;

// Every second row of the list windows.
inline constexpr ui::Colour kListStripe = 0xF7DDCE;

}  // namespace brimlow::forms
