#include "ui/bitmap.h"

#include <stdexcept>
#include <string>

namespace brimlow::ui {

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top-down, as Pixel reads them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_ = ::CreateCompatibleDC(nullptr);
    if (!bitmap_ || !dc_) {
        if (dc_) ::DeleteDC(dc_);
        throw std::runtime_error("Not enough memory for a picture of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels.");
    }
    bits_ = static_cast<const std::uint32_t*>(bits);
    previous_ = ::SelectObject(dc_, bitmap_.get());
}

Bitmap::~Bitmap() {
    ::SelectObject(dc_, previous_);
    ::DeleteDC(dc_);
}

void Bitmap::Fill(const RECT& area, Colour colour) {
    const win::GdiObject brush(::CreateSolidBrush(colour));
    ::FillRect(dc_, &area, static_cast<HBRUSH>(brush.get()));
}

void Bitmap::Line(int x0, int y0, int x1, int y1, Colour colour) {
    const win::GdiObject pen(::CreatePen(PS_SOLID, 1, colour));
    const HGDIOBJ old = ::SelectObject(dc_, pen.get());
    ::MoveToEx(dc_, x0, y0, nullptr);
    ::LineTo(dc_, x1, y1);
    ::SelectObject(dc_, old);
}

void Bitmap::Copy(const RECT& from, int x, int y) {
    ::BitBlt(dc_, x, y, from.right - from.left, from.bottom - from.top, dc_, from.left, from.top, SRCCOPY);
}

Colour Bitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
    // Drawing calls may still be queued; the bits are only current after a flush.
    ::GdiFlush();
    const std::uint32_t p = bits_[static_cast<std::size_t>(y) * width_ + x];  // 0xXXRRGGBB
    return Rgb(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p));
}

void Bitmap::DrawTo(HDC dc, const RECT& target) const {
    const int w = target.right - target.left, h = target.bottom - target.top;
    if (w == width_ && h == height_) {
        ::BitBlt(dc, target.left, target.top, w, h, dc_, 0, 0, SRCCOPY);
        return;
    }
    // Charts are thin lines: keep them crisp rather than smooth.
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, target.left, target.top, w, h, dc_, 0, 0, width_, height_, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
}

}  // namespace brimlow::ui
