// Print-the-window-image: a picture of a form's client area, drawn the way the screen shows it, on
// one printed page. "Print" asks for the printer with the print dialog; "Quick Print" takes the
// default printer without asking.
#pragma once

#include "ui/bitmap.h"
#include "ui/form.h"

#include <windows.h>

#include <memory>
#include <string>

namespace brimlow::ui {

// The form's client area and every visible control in it, painted into a new picture of the
// client's size. Works on a hidden form too: nothing is read from the screen.
std::unique_ptr<Bitmap> FormImage(const Form& form);

enum class PrinterChoice {
    AskUser,         // the print dialog, with the default printer chosen
    DefaultPrinter,  // no dialog
};

// Prints the picture of `form` as PrintImage places it, the form's caption naming the job. Returns
// false when the user cancelled the print dialog. Throws std::runtime_error when there is no
// printer to print on, and win::PlatformError when the printer refuses the job.
bool PrintFormImage(const Form& form, PrinterChoice choice);

// One page with `image` on it, at its screen size (`screenDpi`) or shrunk to the printable area
// (PlaceOnPage), on the printer of the device context `printer`, which the caller keeps. A
// non-empty `outputFile` sends the job to that file instead of the printer's port. Returns false
// when the user declined a question of the printer's own (the file to print to).
bool PrintImage(HDC printer, const Bitmap& image, int screenDpi, const std::string& documentName,
                const std::string& outputFile = {});

}  // namespace brimlow::ui
