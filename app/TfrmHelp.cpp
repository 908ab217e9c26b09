#include "app/TfrmHelp.h"

#include "forms/about_forms.h"

namespace brimlow {

TfrmHelp::TfrmHelp() : ui::Form(forms::HelpFormLayout()) {}

}  // namespace brimlow
