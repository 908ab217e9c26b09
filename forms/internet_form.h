// Layout of the internet window TfrmInternet: the rows of browser facts, the browser list, the
// typed addresses and favourites, the 18 settings in three columns, and the menu.
#pragma once

#include "forms/memory_form.h"
#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& InternetFormLayout();
std::span<const DetailRow> InternetRows();

}  // namespace brimlow::forms
