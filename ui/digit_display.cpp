#include "ui/digit_display.h"

#include "ui/application.h"

#include <algorithm>

namespace brimlow::ui {

DigitDisplay::DigitDisplay(Form& form, std::string paintBox, int digitStrip)
    : form_(form), paintBox_(std::move(paintBox)) {
    const HINSTANCE instance = Application::Instance().instance();
    const win::GdiObject strip(
        ::LoadImageA(instance, MAKEINTRESOURCEA(digitStrip), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (strip) {
        images_ = ImageList_Create(kDigitImageWidth, kDigitImageHeight, ILC_COLOR24, 10, 0);
        // The image list copies the pictures; the strip goes with `strip`.
        if (images_) ImageList_Add(images_, static_cast<HBITMAP>(strip.get()), nullptr);
    }
    form_.OnPaint(paintBox_, [this](HDC dc) { Paint(dc); });
}

DigitDisplay::~DigitDisplay() {
    // The paint box may outlive this display; it must not call back into it.
    try {
        form_.OnPaint(paintBox_, nullptr);
    } catch (...) {
    }
    if (images_) ImageList_Destroy(images_);
}

void DigitDisplay::Show(std::string_view digits, int cells) {
    shown_.assign(digits.substr(0, static_cast<std::size_t>(std::max(cells, 0))));
    form_.Invalidate(paintBox_);
}

void DigitDisplay::Paint(HDC dc) const {
    if (!images_) return;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const char c = shown_[i];
        if (c < '0' || c > '9') continue;
        ImageList_Draw(images_, c - '0', dc, form_.Scale(kDigitCellPitch * static_cast<int>(i)), 0, ILD_NORMAL);
    }
}

}  // namespace brimlow::ui
