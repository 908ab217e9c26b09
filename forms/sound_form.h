// Layout of the sound window TfrmSound: the sound hardware rows, the sound tests, the event
// sounds, the tone box and the menu.
#pragma once

#include "forms/memory_form.h"
#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& SoundFormLayout();
std::span<const DetailRow> SoundRows();

}  // namespace brimlow::forms
