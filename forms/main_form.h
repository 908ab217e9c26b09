// Layout of the main window TForm1: menu bar, tool bar, banner, the 28 summary rows and the foot.
#pragma once

#include "ui/form_layout.h"

namespace brimlow::forms {

// Built once; the same description is used by the program and by the UI test driver.
const ui::FormLayout& MainFormLayout();

// Geometry of the summary sheet at 96 DPI.
inline constexpr int kRowTop = 90;
inline constexpr int kRowPitch = 26;
inline constexpr int kLabelLeft = 8;
inline constexpr int kLabelWidth = 170;
inline constexpr int kValueLeft = 186;
inline constexpr int kValueWidth = 440;
inline constexpr int kRowHeight = 21;
// The value column is this much narrower than the window.
inline constexpr int kValueWidthMargin = 250;
inline constexpr int kShownWidth = 690;

}  // namespace brimlow::forms
