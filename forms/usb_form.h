// Layout of the USB window TfrmUSB: the host controller and storage lines, the "USB Drives"
// button and the tree of HID devices.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

const ui::FormLayout& UsbFormLayout();

}  // namespace brimlow::forms
