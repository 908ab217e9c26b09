// Screen readers ask a control for its name. An edit or a static showing a value has no name of
// its own, and the row's caption beside it is another control (an edit, not a static, on most of
// our windows), so the system cannot find it. A control given a label here answers with the
// system's own accessible object for it, whose name is the label's text and whose value is the
// control's text: "Memory (RAM)", "16384 MB".
#pragma once

#include <windows.h>

namespace brimlow::ui {

// Makes `control` take its accessible name from `label`'s text, read each time it is asked for.
// Both windows must live as long as each other (siblings of one form). Without the system's
// accessibility library (Windows 95 as shipped) the control is left as it was.
void NameControlByLabel(HWND control, HWND label);

}  // namespace brimlow::ui
