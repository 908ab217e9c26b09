// Layout of the drive window TfrmDisk: the volume's facts, the used-space gauge, the file-system
// flags and the SMART section with its attribute table.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

const ui::FormLayout& DiskFormLayout();

}  // namespace brimlow::forms
