// Layouts of the About box (TAboutBox), the Help window (TfrmHelp) and the Administrator window
// (TfrmAdmin).
#pragma once

#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

const ui::FormLayout& AboutFormLayout();
const ui::FormLayout& HelpFormLayout();
const ui::FormLayout& AdminFormLayout();

// The Help window's labels from top to bottom, with the top each sits at.
struct HelpLine {
    const char* name;
    int top;
    const char* text;
};
std::span<const HelpLine> HelpLines();

// The About box's texts that are ours to word.
inline constexpr const char* kAboutAuthor = "Written by the Brimlow developers";
inline constexpr const char* kAboutPlace = "Ashcombe, England";
inline constexpr const char* kAboutNotice =
    "Brimlow may be passed on freely, unchanged. To republish it anywhere else, please ask first at\r\n"
    "https://www.brimlow.org";

inline constexpr const char* kAdminNote =
    "If you have administrator access enter \r\nthe details here they will be stored \r\nand used when necessary.";

}  // namespace brimlow::forms
