// Layout of the processor window TfrmCPU: the rows of facts, the usage gauge, the feature check
// list, the clock and counter digit displays and the menu.
#pragma once

#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& CpuFormLayout();

// A row of the window: a caption box showing a fixed text beside the value box, top to bottom.
struct CpuRow {
    const char* caption;  // the caption box's name
    const char* text;     // its fixed text
    const char* value;    // the value box's name
};
std::span<const CpuRow> CpuRows();

// The digit displays: cells of 16 pixels, five for the clock in MHz, sixteen for the counter.
inline constexpr int kClockCells = 5;
inline constexpr int kCounterCells = 16;

}  // namespace brimlow::forms
