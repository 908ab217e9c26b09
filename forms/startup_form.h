// Layout of the startup entries window TfrmStartup: the list of what Windows starts by itself and
// the status bar with its count.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

const ui::FormLayout& StartupFormLayout();

}  // namespace brimlow::forms
