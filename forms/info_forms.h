// Layouts of the personal information (TfrmPersonal), BIOS (TfrmBiosInfo) and date and time
// (TfrmDateTime) windows: a column of fixed captions beside a column of values.
#pragma once

#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

struct InfoRow {
    const char* caption;  // the caption box's name
    const char* text;     // its fixed text
    const char* value;    // the value box's name
};

std::span<const InfoRow> PersonalRows();
std::span<const InfoRow> BiosRows();
std::span<const InfoRow> DateTimeRows();

const ui::FormLayout& PersonalFormLayout();
const ui::FormLayout& BiosFormLayout();
const ui::FormLayout& DateTimeFormLayout();

}  // namespace brimlow::forms
