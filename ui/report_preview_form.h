// Layout of the print preview window: tool bar, the page and a status bar. Portable, so the UI
// test driver computes the same command identifiers.
#pragma once

#include "ui/form_layout.h"

#include <string>

namespace brimlow::ui {

const FormLayout& PreviewFormLayout();

// The status bar's text: "Page 1 of 2".
std::string PreviewPageText(int page, int pages);

}  // namespace brimlow::ui
