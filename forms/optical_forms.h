// Layouts of the CD/DVD window TfrmCDDVD (the optical drive's identity, WMI facts, capabilities
// and the tray actions) and of the USB drives window TfrmUSBDrives (the grid of USB disks).
#pragma once

#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& CdDvdFormLayout();
const ui::FormLayout& UsbDrivesFormLayout();

// The grid's headers, in column order.
std::span<const char* const> UsbDriveHeaders();
// Data rows are this high, so that several capability lines fit.
inline constexpr int kUsbDriveRowHeight = 50;

}  // namespace brimlow::forms
