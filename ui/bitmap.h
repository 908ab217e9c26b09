// A picture the program draws on and keeps: a 32-bit device-independent bitmap selected into a
// memory device context. Image controls hold one; tests read its pixels back.
#pragma once

#include "platform/win_handles.h"
#include "ui/form_layout.h"

#include <windows.h>

#include <cstdint>

namespace brimlow::ui {

class Bitmap {
public:
    // All black at first. Throws std::runtime_error when the system has no room for it.
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    HDC dc() const { return dc_; }

    void Fill(const RECT& area, Colour colour);
    // A one-pixel line from (x0, y0) towards (x1, y1); as with every line the system draws, the
    // end point itself is left out.
    void Line(int x0, int y0, int x1, int y1, Colour colour);
    // Copies `from` so that its top-left corner lands on (x, y); overlapping areas are fine.
    void Copy(const RECT& from, int x, int y);
    // 0x00BBGGRR; black outside the picture.
    Colour Pixel(int x, int y) const;

    // Draws the picture into `target` of another device context, stretched if the sizes differ.
    void DrawTo(HDC dc, const RECT& target) const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    win::GdiObject bitmap_;
    HGDIOBJ previous_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
};

}  // namespace brimlow::ui
