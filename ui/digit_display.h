// A row of digit cells on a paint box, drawn from a strip of ten digit pictures (0 to 9 from the
// left). The processor window's clock and counter displays are two of these.
#pragma once

#include "ui/form.h"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace brimlow::ui {

inline constexpr int kDigitImageWidth = 13;
inline constexpr int kDigitImageHeight = 22;
inline constexpr int kDigitCellPitch = 16;  // cell i starts at x = 16 * i

class DigitDisplay {
public:
    // `paintBox` names a PaintBox of `form`, which must have been created; `digitStrip` is the
    // bitmap resource of the ten pictures. Without the resource the cells stay blank.
    DigitDisplay(Form& form, std::string paintBox, int digitStrip);
    ~DigitDisplay();
    DigitDisplay(const DigitDisplay&) = delete;
    DigitDisplay& operator=(const DigitDisplay&) = delete;

    // Cell i shows the picture of character i of `digits`, for i = 0 to cells - 1. A cell past the
    // end of the text, or whose character is not a digit, stays blank.
    void Show(std::string_view digits, int cells);
    const std::string& shown() const { return shown_; }

private:
    void Paint(HDC dc) const;

    Form& form_;
    std::string paintBox_;
    HIMAGELIST images_ = nullptr;
    std::string shown_;
};

}  // namespace brimlow::ui
