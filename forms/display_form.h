// Layout of the display window TfrmDisplay: the adapter selector, the rows of facts, the state
// flags and the menu.
#pragma once

#include "forms/memory_form.h"
#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& DisplayFormLayout();
std::span<const DetailRow> DisplayRows();
// The state flags' items, bit 0x1 first.
std::span<const char* const> DisplayStateFlagNames();

}  // namespace brimlow::forms
