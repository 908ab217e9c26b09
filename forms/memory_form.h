// Layout of the memory window TfrmMemory: the rows of figures, the load gauge, the module list
// with its total and the menu.
#pragma once

#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& MemoryFormLayout();

// A row of a details window: a caption box with a fixed text beside its value control.
struct DetailRow {
    const char* caption;
    const char* text;
    const char* value;
};
std::span<const DetailRow> MemoryRows();

// The shared look of the details windows' rows.
ui::ControlLayout DetailCaption(const char* name, const char* text, ui::Rect rect);
// `caption`: the row's caption control, which names the value to a screen reader.
ui::ControlLayout DetailValue(const char* name, ui::Rect rect, const char* caption);
ui::ControlLayout DetailHeading(const char* name, const char* text, ui::Rect rect);
ui::ControlLayout HomePageLink(const char* name, ui::Rect rect);

}  // namespace brimlow::forms
