// Layout of the device classes window TfrmDevices: the list of class drivers and the status bar.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

const ui::FormLayout& DevicesFormLayout();

}  // namespace brimlow::forms
