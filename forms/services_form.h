// Layout of the services window TfrmServices: one list of the Win32 services.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

const ui::FormLayout& ServicesFormLayout();

// The list's columns, by their index.
inline constexpr int kServiceDisplayNameColumn = 0;
inline constexpr int kServiceStatusColumn = 1;
inline constexpr int kServiceTypeColumn = 2;
inline constexpr int kServiceNameColumn = 3;

}  // namespace brimlow::forms
