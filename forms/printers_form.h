// Layout of the printers window TfrmPrinters: the printer selector, the chosen printer's rows,
// its paper bins and the menu.
#pragma once

#include "forms/memory_form.h"
#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& PrintersFormLayout();
// The rows from the selector down to the paper bins, in order.
std::span<const DetailRow> PrintersRows();

}  // namespace brimlow::forms
