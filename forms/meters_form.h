// Layout of the CPU meters window TfrmMeters: the load bar, its label and the history chart.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

const ui::FormLayout& MetersFormLayout();

// The history chart, in pixels: one pixel per percent, ten pixels per sample.
inline constexpr int kChartWidth = 421;
inline constexpr int kChartHeight = 100;

}  // namespace brimlow::forms
