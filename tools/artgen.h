// Procedural artwork: the program icon, the toolbar strip, the banner and the
// digit strip of the processor window's counters. Everything is drawn from vector shapes at build time so the
// repository carries no binary pictures and the output is byte-for-byte
// reproducible. Standard library only: this runs on the build host.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace brimlow::artgen {

inline constexpr int kToolbarCount = 14;
inline constexpr int kToolbarCell = 32;
inline constexpr int kBannerWidth = 512;
inline constexpr int kBannerHeight = 17;
inline constexpr std::array<int, 3> kIconSizes{16, 32, 48};
inline constexpr int kDigitCount = 10;
inline constexpr int kDigitWidth = 13;
inline constexpr int kDigitHeight = 22;
inline constexpr int kAppToolCount = 7;
inline constexpr int kAppToolCell = 24;

// The toolbar image list is built with ImageList_AddMasked(..., RGB(255,0,255)).
inline constexpr std::uint8_t kKeyR = 255, kKeyG = 0, kKeyB = 255;

// ---------------------------------------------------------------------------
// Colour and shapes
// ---------------------------------------------------------------------------

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;  // straight (not premultiplied), 0..1
};

constexpr Rgba rgb(int r, int g, int b, double a = 1.0) {
    return {r / 255.0, g / 255.0, b / 255.0, a};
}

inline Rgba mix(const Rgba& p, const Rgba& q, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t,
            p.a + (q.a - p.a) * t};
}

// Shapes are signed distance functions in drawing units: negative inside.
// Combining them with min/max keeps edges exact enough for 8x8 supersampling,
// and "inset" gives a crisp inner outline for any shape, polygons included.
using Sdf = std::function<double(double, double)>;
using Paint = std::function<Rgba(double, double)>;

struct Pt {
    double x, y;
};

namespace shape {

// Plain sqrt is correctly rounded everywhere, unlike hypot, which keeps the
// output identical across C libraries.
inline double len(double x, double y) { return std::sqrt(x * x + y * y); }

inline Sdf circle(double cx, double cy, double r) {
    return [=](double x, double y) { return len(x - cx, y - cy) - r; };
}

inline Sdf rrect(double x0, double y0, double x1, double y1, double radius = 0) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](double x, double y) {
        const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        const double outside = len(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

// First-order distance to an ellipse; accurate near its edge, which is all
// that strokes and fills look at.
inline Sdf ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        const double f = u * u + v * v - 1;
        const double gx = 2 * u / rx, gy = 2 * v / ry;
        const double g = len(gx, gy);
        return g > 1e-9 ? f / g : -std::min(rx, ry);
    };
}

inline Sdf polygon(std::vector<Pt> v) {
    return [v = std::move(v)](double x, double y) {
        double d = (x - v[0].x) * (x - v[0].x) + (y - v[0].y) * (y - v[0].y);
        double sign = 1;
        for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            const double ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
            const double wx = x - v[i].x, wy = y - v[i].y;
            const double t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0);
            const double bx = wx - ex * t, by = wy - ey * t;
            d = std::min(d, bx * bx + by * by);
            const bool c1 = y >= v[i].y, c2 = y < v[j].y, c3 = ex * wy > ey * wx;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
        }
        return sign * std::sqrt(d);
    };
}

// A stroke of width w with round ends.
inline Sdf line(double ax, double ay, double bx, double by, double w) {
    return [=](double x, double y) {
        const double ex = bx - ax, ey = by - ay, px = x - ax, py = y - ay;
        const double len2 = ex * ex + ey * ey;
        const double t = len2 > 0 ? std::clamp((px * ex + py * ey) / len2, 0.0, 1.0) : 0.0;
        return len(px - ex * t, py - ey * t) - w / 2;
    };
}

inline Sdf polyline(const std::vector<Pt>& pts, double w) {
    std::vector<Sdf> parts;
    for (std::size_t i = 1; i < pts.size(); ++i)
        parts.push_back(line(pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y, w));
    return [parts = std::move(parts)](double x, double y) {
        double d = 1e9;
        for (const auto& p : parts) d = std::min(d, p(x, y));
        return d;
    };
}

inline Sdf unite(Sdf a, Sdf b) {
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}
inline Sdf intersect(Sdf a, Sdf b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}
inline Sdf subtract(Sdf a, Sdf b) {
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}
inline Sdf inset(Sdf a, double d) {
    return [=](double x, double y) { return a(x, y) + d; };
}
inline Sdf ring(Sdf a, double w) {
    return [=](double x, double y) { return std::abs(a(x, y)) - w / 2; };
}

}  // namespace shape

namespace paint {

using shape::len;

inline Paint solid(Rgba c) {
    return [=](double, double) { return c; };
}

// Linear gradient from c0 at (x0,y0) to c1 at (x1,y1).
inline Paint linear(double x0, double y0, Rgba c0, double x1, double y1, Rgba c1) {
    const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    return [=](double x, double y) { return mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / len2); };
}

inline Paint vertical(double y0, Rgba c0, double y1, Rgba c1) {
    return linear(0, y0, c0, 0, y1, c1);
}

inline Paint radial(double cx, double cy, double r, Rgba inner, Rgba outer) {
    return [=](double x, double y) { return mix(inner, outer, len(x - cx, y - cy) / r); };
}

}  // namespace paint

// ---------------------------------------------------------------------------
// Canvas: premultiplied RGBA in doubles, shapes composited with source-over.
// ---------------------------------------------------------------------------

class Canvas {
public:
    // `scale` is pixels per drawing unit, so one drawing can serve several sizes.
    Canvas(int width, int height, double scale = 1.0)
        : w_(width), h_(height), scale_(scale), px_(static_cast<std::size_t>(width) * height * 4, 0.0) {}

    int width() const { return w_; }
    int height() const { return h_; }
    double scale() const { return scale_; }
    // One device pixel in drawing units; outlines are sized in device pixels
    // so that the small icon keeps visible edges.
    double pixel() const { return 1.0 / scale_; }

    void fill(const Sdf& s, const Paint& p, double opacity = 1.0) {
        constexpr int kSub = 8;
        constexpr double kSamples = kSub * kSub;
        const double unit = 1.0 / scale_;
        // A pixel whose centre lies well clear of the edge cannot be touched.
        const double reach = 1.5 * unit;
        for (int py = 0; py < h_; ++py) {
            for (int px = 0; px < w_; ++px) {
                if (s((px + 0.5) * unit, (py + 0.5) * unit) > reach) continue;
                double r = 0, g = 0, b = 0, a = 0;
                for (int sy = 0; sy < kSub; ++sy) {
                    for (int sx = 0; sx < kSub; ++sx) {
                        const double x = (px + (sx + 0.5) / kSub) * unit;
                        const double y = (py + (sy + 0.5) / kSub) * unit;
                        if (s(x, y) >= 0) continue;
                        const Rgba c = p(x, y);
                        r += c.r * c.a;
                        g += c.g * c.a;
                        b += c.b * c.a;
                        a += c.a;
                    }
                }
                if (a <= 0) continue;
                const double k = opacity / kSamples;
                double* d = &px_[(static_cast<std::size_t>(py) * w_ + px) * 4];
                const double sa = a * k;
                d[0] = r * k + d[0] * (1 - sa);
                d[1] = g * k + d[1] * (1 - sa);
                d[2] = b * k + d[2] * (1 - sa);
                d[3] = sa + d[3] * (1 - sa);
            }
        }
    }

    // Outline of `width` device pixels drawn inside the shape, then the body.
    void outlined(const Sdf& s, const Paint& body, Rgba ink, double width = 1.2) {
        fill(s, paint::solid(ink));
        fill(shape::inset(s, width * pixel()), body);
    }

    // Premultiplied components of one pixel.
    std::array<double, 4> at(int x, int y) const {
        const double* d = &px_[(static_cast<std::size_t>(y) * w_ + x) * 4];
        return {d[0], d[1], d[2], d[3]};
    }

private:
    int w_, h_;
    double scale_;
    std::vector<double> px_;
};

inline std::uint8_t to_byte(double v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5);
}

// ---------------------------------------------------------------------------
// Palette: navy ink and the summary sheet's light blue and pale yellow, with
// warm and green accents used sparingly.
// ---------------------------------------------------------------------------

namespace pal {
inline constexpr Rgba ink = rgb(0x1B, 0x2A, 0x55);
inline constexpr Rgba navy = rgb(0x1F, 0x3A, 0x7A);
inline constexpr Rgba blue_dark = rgb(0x2A, 0x58, 0xB5);
inline constexpr Rgba blue = rgb(0x46, 0x82, 0xDE);
inline constexpr Rgba blue_light = rgb(0x9D, 0xC1, 0xF3);
inline constexpr Rgba sky = rgb(0xCE, 0xDD, 0xF7);
inline constexpr Rgba pale = rgb(0xFF, 0xFF, 0xE6);
inline constexpr Rgba white = rgb(0xFF, 0xFF, 0xFF);
inline constexpr Rgba gold_light = rgb(0xFF, 0xE3, 0x8A);
inline constexpr Rgba gold = rgb(0xF0, 0xB8, 0x3A);
inline constexpr Rgba gold_dark = rgb(0xB9, 0x80, 0x18);
inline constexpr Rgba green_light = rgb(0x7F, 0xCB, 0x8E);
inline constexpr Rgba green = rgb(0x2F, 0x95, 0x55);
inline constexpr Rgba green_dark = rgb(0x1D, 0x60, 0x37);
inline constexpr Rgba silver_light = rgb(0xF1, 0xF4, 0xF8);
inline constexpr Rgba silver = rgb(0xC4, 0xCC, 0xD8);
inline constexpr Rgba steel = rgb(0x80, 0x8B, 0x9E);
inline constexpr Rgba slate = rgb(0x45, 0x4F, 0x63);
inline constexpr Rgba slate_dark = rgb(0x2A, 0x31, 0x40);
inline constexpr Rgba red_light = rgb(0xF2, 0x7A, 0x6E);
inline constexpr Rgba red = rgb(0xD6, 0x3B, 0x34);
inline constexpr Rgba red_dark = rgb(0x8E, 0x1F, 0x1B);
inline constexpr Rgba tan_light = rgb(0xF9, 0xE0, 0xA6);
inline constexpr Rgba tan = rgb(0xE7, 0xB9, 0x68);
inline constexpr Rgba tan_dark = rgb(0xC9, 0x95, 0x45);
inline constexpr Rgba brown = rgb(0x6A, 0x46, 0x18);
}  // namespace pal

// ---------------------------------------------------------------------------
// Toolbar pictures, each on a 32 x 32 canvas in pixel units.
// ---------------------------------------------------------------------------

namespace pictures {

using namespace shape;
namespace p = paint;

inline Paint blue_body(double y0, double y1) { return p::vertical(y0, pal::blue_light, y1, pal::blue); }
inline Paint silver_body(double y0, double y1) { return p::vertical(y0, pal::silver_light, y1, pal::silver); }
inline Paint slate_body(double y0, double y1) { return p::vertical(y0, pal::slate, y1, pal::slate_dark); }

// A flat monitor: dark bezel, blue screen with a soft glare, silver stand.
inline void monitor(Canvas& c, double x0, double y0, double x1, double y1, double bezel,
                    double stand_h, double radius) {
    const double cx = (x0 + x1) / 2, w = x1 - x0;
    const double neck = w * 0.12, base = w * 0.3;
    c.outlined(polygon({{cx - neck, y1 - 1}, {cx + neck, y1 - 1}, {cx + neck * 1.3, y1 + stand_h},
                        {cx - neck * 1.3, y1 + stand_h}}),
               silver_body(y1, y1 + stand_h), pal::ink);
    c.outlined(rrect(cx - base, y1 + stand_h - 1.2 * c.pixel(), cx + base, y1 + stand_h + 2.5 * c.pixel(),
                     1.2 * c.pixel()),
               silver_body(y1 + stand_h, y1 + stand_h + 2.5 * c.pixel()), pal::ink, 1.0);
    c.outlined(rrect(x0, y0, x1, y1, radius), slate_body(y0, y1), pal::ink);
    const double sx0 = x0 + bezel, sy0 = y0 + bezel, sx1 = x1 - bezel, sy1 = y1 - bezel;
    const Sdf screen = rrect(sx0, sy0, sx1, sy1, 0.4 * c.pixel());
    c.fill(screen, p::linear(sx0, sy0, pal::blue_light, sx1, sy1, pal::blue_dark));
    const double sh = sy1 - sy0;
    c.fill(intersect(screen, polygon({{sx0, sy0}, {sx0 + (sx1 - sx0) * 0.6, sy0}, {sx0 + (sx1 - sx0) * 0.25, sy1},
                                      {sx0, sy1}})),
           p::vertical(sy0, rgb(255, 255, 255, 0.45), sy0 + sh, rgb(255, 255, 255, 0.05)));
}

inline void personal(Canvas& c) {
    const Sdf shoulders = intersect(ellipse(16, 31, 12, 12.5), rrect(0, 0, 32, 29.5));
    c.outlined(shoulders, blue_body(18, 30), pal::ink);
    // Shirt collar.
    c.outlined(polygon({{12.2, 19.2}, {19.8, 19.2}, {16, 25.5}}), p::solid(pal::pale), pal::ink, 1.0);
    c.outlined(circle(16, 11, 6.6), p::radial(14, 9, 8, pal::sky, pal::blue), pal::ink);
}

inline void memory(Canvas& c) {
    // Module board with the key notch in its edge connector.
    const Sdf board = subtract(rrect(1.5, 8, 30.5, 24, 1), rrect(18.8, 21.5, 21.2, 26, 0.6));
    c.outlined(board, p::vertical(8, pal::green_light, 24, pal::green), pal::green_dark);
    for (int i = 0; i < 4; ++i) {
        const double x = 3.5 + i * 6.5;
        c.outlined(rrect(x, 10.5, x + 5.5, 18, 0.5), slate_body(10.5, 18), pal::slate_dark, 1.0);
    }
    for (double x = 3.2; x < 29; x += 2.2) {
        if (x > 17.8 && x < 21.5) continue;
        c.fill(rrect(x, 20.2, x + 1.3, 23.2, 0.3), p::vertical(20, pal::gold_light, 23.5, pal::gold));
    }
}

inline void display(Canvas& c) { monitor(c, 2, 3.5, 30, 23.5, 2.6, 4.5, 2); }

inline void disk(Canvas& c) {
    c.outlined(rrect(4.5, 2, 27.5, 30, 2.5), silver_body(2, 30), pal::ink);
    c.outlined(circle(16, 13.5, 9.6), p::radial(13, 10, 12, pal::white, pal::blue_light), pal::steel, 1.0);
    c.fill(ring(circle(16, 13.5, 6.2), 0.8), p::solid(rgb(255, 255, 255, 0.6)));
    c.outlined(circle(16, 13.5, 2.4), silver_body(11, 16), pal::slate, 1.0);
    // Head arm swinging over the platter from its pivot.
    c.fill(polygon({{21.6, 26.2}, {24.4, 24.8}, {19.2, 16.2}, {17.8, 16.8}}), p::solid(pal::slate));
    c.fill(circle(18.5, 16.5, 1.1), p::solid(pal::slate_dark));
    c.outlined(circle(23, 25.5, 2.6), silver_body(23, 28), pal::slate, 1.0);
    c.fill(circle(8.5, 26.5, 1.3), p::radial(8, 26, 1.5, pal::green_light, pal::green));
    c.fill(circle(8, 5, 0.9), p::solid(pal::steel));
    c.fill(circle(24, 5, 0.9), p::solid(pal::steel));
}

inline void cddvd(Canvas& c) {
    const Sdf disc = subtract(circle(16, 16, 14), circle(16, 16, 2.4));
    // A diagonal rainbow sheen across the silver.
    const Paint sheen = [](double x, double y) {
        const double t = ((x - 16) - (y - 16)) / 40.0 + 0.5;
        static const std::array<Rgba, 6> stops{pal::silver, pal::sky, rgb(0xF6, 0xD6, 0xF0), pal::pale,
                                               rgb(0xCD, 0xF0, 0xD8), pal::blue_light};
        const double f = std::clamp(t, 0.0, 1.0) * (stops.size() - 1);
        const auto i = std::min(static_cast<std::size_t>(f), stops.size() - 2);
        return mix(stops[i], stops[i + 1], f - static_cast<double>(i));
    };
    c.outlined(disc, sheen, pal::ink);
    c.fill(ring(circle(16, 16, 9.5), 0.7), p::solid(rgb(255, 255, 255, 0.7)));
    c.outlined(subtract(circle(16, 16, 5.4), circle(16, 16, 2.4)), p::solid(rgb(0xE9, 0xEF, 0xF8)), pal::steel,
               1.0);
    c.fill(ring(circle(16, 16, 2.4), 1.0), p::solid(pal::ink));
}

inline void cpu(Canvas& c) {
    for (int i = 0; i < 4; ++i) {
        const double t = 10.6 + i * 3.6;
        const Paint pin = p::solid(pal::gold);
        c.outlined(rrect(t - 1, 2.5, t + 1, 9, 0.4), pin, pal::gold_dark, 0.8);
        c.outlined(rrect(t - 1, 23, t + 1, 29.5, 0.4), pin, pal::gold_dark, 0.8);
        c.outlined(rrect(2.5, t - 1, 9, t + 1, 0.4), pin, pal::gold_dark, 0.8);
        c.outlined(rrect(23, t - 1, 29.5, t + 1, 0.4), pin, pal::gold_dark, 0.8);
    }
    c.outlined(rrect(6.5, 6.5, 25.5, 25.5, 2), slate_body(6.5, 25.5), pal::ink);
    c.outlined(rrect(10.5, 10.5, 21.5, 21.5, 1), p::linear(10, 10, pal::silver_light, 22, 22, pal::silver),
               pal::slate_dark, 1.0);
    c.fill(circle(9.2, 9.2, 0.9), p::solid(pal::silver));
}

inline void internet(Canvas& c) {
    const Sdf globe = circle(16, 16, 14);
    c.outlined(globe, p::radial(11, 10, 20, pal::blue_light, pal::blue_dark), pal::ink);
    const Sdf inside = inset(globe, 1.2);
    const Paint grid = p::solid(rgb(0xE6, 0xF0, 0xFF, 0.85));
    const double w = 1.0;
    Sdf lines = line(2, 16, 30, 16, w);
    lines = unite(lines, line(2, 9.5, 30, 9.5, w));
    lines = unite(lines, line(2, 22.5, 30, 22.5, w));
    lines = unite(lines, line(16, 2, 16, 30, w));
    lines = unite(lines, ring(ellipse(16, 16, 6.5, 14), w));
    lines = unite(lines, ring(ellipse(16, 16, 11.5, 14), w));
    c.fill(intersect(lines, inside), grid);
    c.fill(intersect(circle(11, 10, 6), inside), p::radial(11, 10, 6, rgb(255, 255, 255, 0.35), rgb(255, 255, 255, 0)));
}

inline void programs(Canvas& c) {
    // Isometric carton: back corner (16,3), front edge x=16.
    c.outlined(polygon({{16, 3}, {30, 9.5}, {30, 23}, {16, 29.5}, {2, 23}, {2, 9.5}}), p::solid(pal::tan), pal::brown);
    const double in = 1.2;
    c.fill(polygon({{2 + in, 9.5 + in * 0.5}, {16, 16}, {16, 29.5 - in}, {2 + in, 23 - in * 0.2}}),
           p::vertical(10, pal::tan, 29, pal::tan_dark));
    c.fill(polygon({{16, 16}, {30 - in, 9.5 + in * 0.5}, {30 - in, 23 - in * 0.2}, {16, 29.5 - in}}),
           p::vertical(10, pal::tan_dark, 29, rgb(0xB4, 0x7E, 0x33)));
    c.fill(polygon({{16, 3 + in}, {30 - in * 1.7, 9.5}, {16, 16 - in * 0.4}, {2 + in * 1.7, 9.5}}),
           p::vertical(3, pal::tan_light, 16, pal::tan));
    // Front edges drawn over the faces.
    c.fill(line(16, 16, 16, 29, 1.1), p::solid(pal::brown));
    c.fill(line(2.5, 9.7, 16, 16, 1.1), p::solid(pal::brown));
    c.fill(line(16, 16, 29.5, 9.7, 1.1), p::solid(pal::brown));
    // Tape over the lid and down the right face.
    const double ox = 1.5, oy = -0.7;
    c.fill(polygon({{9 - ox, 6.25 - oy}, {9 + ox, 6.25 + oy}, {23 + ox, 12.75 + oy}, {23 - ox, 12.75 - oy}}),
           p::solid(rgb(0xFF, 0xF3, 0xCF, 0.9)));
    c.fill(polygon({{23 - ox, 12.75 - oy}, {23 + ox, 12.75 + oy}, {23 + ox, 20.5 + oy}, {23 - ox, 20.5 - oy}}),
           p::solid(rgb(0xF4, 0xE2, 0xB5, 0.9)));
}

inline void network(Canvas& c) {
    const Paint cable = p::solid(pal::ink);
    c.fill(polyline({{16, 12}, {16, 16.5}}, 1.5), cable);
    c.fill(polyline({{7, 20}, {7, 16.5}, {25, 16.5}, {25, 20}}, 1.5), cable);
    auto small = [&](double cx, double top) {
        const double w = 6.5, h = 8.5;
        c.outlined(rrect(cx - 1.3, top + h - 0.5, cx + 1.3, top + h + 1.5), silver_body(top + h, top + h + 2), pal::ink, 1.0);
        c.outlined(rrect(cx - 3.8, top + h + 1, cx + 3.8, top + h + 3, 0.8), silver_body(top + h, top + h + 3), pal::ink,
                   1.0);
        c.outlined(rrect(cx - w, top, cx + w, top + h, 1.2), slate_body(top, top + h), pal::ink, 1.0);
        c.fill(rrect(cx - w + 1.8, top + 1.8, cx + w - 1.8, top + h - 1.8, 0.3),
               p::linear(cx - w, top, pal::blue_light, cx + w, top + h, pal::blue_dark));
    };
    small(16, 1);
    small(7, 19.5);
    small(25, 19.5);
    c.outlined(circle(16, 16.5, 2), p::radial(15.5, 16, 2, pal::gold_light, pal::gold), pal::ink, 1.0);
}

inline void printer(Canvas& c) {
    c.outlined(rrect(8.5, 2, 23.5, 14), p::solid(pal::white), pal::ink, 1.0);
    c.outlined(rrect(2.5, 11, 29.5, 24.5, 2.5), silver_body(11, 24.5), pal::ink);
    c.fill(rrect(7.5, 13.6, 24.5, 15.2, 0.6), p::solid(pal::slate));
    c.fill(circle(25.5, 18, 1.3), p::radial(25, 17.5, 1.5, pal::green_light, pal::green));
    c.fill(rrect(6, 20.5, 26, 22.4, 0.6), p::solid(pal::slate_dark));
    c.outlined(rrect(8, 21, 24, 30), p::vertical(21, pal::white, 30, pal::pale), pal::ink, 1.0);
    c.fill(line(10.5, 24.5, 21.5, 24.5, 1.0), p::solid(pal::blue_light));
    c.fill(line(10.5, 27, 18.5, 27, 1.0), p::solid(pal::blue_light));
}

inline void sound(Canvas& c) {
    c.outlined(polygon({{9, 12}, {17.5, 4.5}, {17.5, 27.5}, {9, 20}}), blue_body(5, 27), pal::ink);
    c.outlined(rrect(3, 11, 10.5, 21, 1), slate_body(11, 21), pal::ink);
    const Sdf wedge = polygon({{15, 16}, {33, 1}, {33, 31}});
    const Sdf waves = unite(ring(circle(15, 16, 7.5), 1.9), ring(circle(15, 16, 12.5), 1.9));
    c.fill(intersect(waves, intersect(wedge, rrect(20, 0, 32, 32))), p::vertical(4, pal::blue, 28, pal::navy));
}

inline void usb(Canvas& c) {
    Sdf s = line(16, 8, 16, 25, 2.6);
    s = unite(s, polygon({{16, 1.5}, {21, 9.5}, {11, 9.5}}));
    s = unite(s, circle(16, 26.5, 3.6));
    s = unite(s, polyline({{16, 21.5}, {8.5, 16.5}, {8.5, 13}}, 2.4));
    s = unite(s, circle(8.5, 11.5, 2.9));
    s = unite(s, polyline({{16, 18.5}, {23.5, 13.5}, {23.5, 10.5}}, 2.4));
    s = unite(s, rrect(20.8, 6.3, 26.2, 11.7, 0.5));
    c.fill(s, p::vertical(2, pal::blue, 30, pal::navy));
}

inline void datetime(Canvas& c) {
    c.outlined(rrect(1.5, 3.5, 23, 25, 1.8), p::solid(pal::white), pal::ink);
    c.fill(rrect(2.7, 4.7, 21.8, 9.5, 0.8), p::vertical(4, pal::red_light, 10, pal::red));
    for (double x : {7.0, 17.5}) c.outlined(rrect(x - 1.1, 1.2, x + 1.1, 6.8, 1.1), silver_body(1, 7), pal::ink, 1.0);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 5; ++col) {
            const double x = 4.2 + col * 3.6, y = 11.5 + row * 3.8;
            c.fill(rrect(x, y, x + 2.3, y + 2.3, 0.3), p::solid(pal::blue_light));
        }
    const double cx = 21.5, cy = 21.5;
    c.outlined(circle(cx, cy, 9.8), p::vertical(12, pal::blue, 31, pal::blue_dark), pal::ink);
    c.fill(circle(cx, cy, 7.2), p::radial(cx - 2, cy - 2, 9, pal::white, pal::pale));
    for (auto [dx, dy] : std::array<std::pair<double, double>, 4>{{{0, -5.6}, {5.6, 0}, {0, 5.6}, {-5.6, 0}}})
        c.fill(circle(cx + dx, cy + dy, 0.8), p::solid(pal::navy));
    c.fill(line(cx, cy, cx, cy - 4.6, 1.5), p::solid(pal::ink));
    c.fill(line(cx, cy, cx + 3.4, cy + 1.6, 1.5), p::solid(pal::ink));
    c.fill(circle(cx, cy, 1.1), p::solid(pal::red));
}

inline void exit_door(Canvas& c) {
    // Doorway with the door swung open towards the viewer.
    c.outlined(rrect(3, 2.5, 19, 29.5, 0.8), p::solid(pal::slate_dark), pal::ink);
    c.fill(rrect(4.2, 3.7, 17.8, 28.3), p::vertical(3, pal::slate, 28, pal::slate_dark));
    c.outlined(polygon({{3, 2.5}, {11.5, 5.5}, {11.5, 30.5}, {3, 29.5}}), p::vertical(3, pal::tan, 30, pal::tan_dark),
               pal::brown);
    c.fill(circle(9.6, 17.5, 1.1), p::solid(pal::gold_dark));
    c.outlined(polygon({{12, 13}, {21, 13}, {21, 7.5}, {30.5, 16}, {21, 24.5}, {21, 19}, {12, 19}}),
               p::vertical(7, pal::red_light, 25, pal::red), pal::red_dark);
}

using Drawer = void (*)(Canvas&);

// Toolbar order: the button hints are Personal Info, Memory Info, Display Info,
// Disk Info, CD/DVD Info, CPU Info, Internet, Installed Programs, Network,
// Printers, Sound, USB, Date and Time, Exit.
inline constexpr std::array<Drawer, kToolbarCount> kToolbar{
    personal, memory, display, disk, cddvd, cpu, internet, programs, network, printer, sound, usb, datetime, exit_door,
};

// Program icon, drawn on a 48-unit grid at any size: a monitor with an
// information badge.
inline void program_icon(Canvas& c) {
    const bool tiny = c.width() < 24;
    monitor(c, 1.5, 4, 46.5, 35, tiny ? 4.5 : 3.6, 6, 3.5);
    if (tiny) {
        // At 16 pixels the letter is placed on whole pixels (3 units each) so
        // it stays a crisp dot and stem instead of a grey smudge.
        c.outlined(circle(34.5, 34.5, 13.5), p::radial(31, 30, 20, pal::gold_light, pal::gold), pal::ink, 1.0);
        c.fill(rrect(33, 24, 36, 27), p::solid(pal::navy));
        c.fill(rrect(33, 30, 36, 42), p::solid(pal::navy));
        return;
    }
    const double bx = 35, by = 33, br = 11.5;
    c.outlined(circle(bx, by, br), p::radial(bx - 3, by - 4, br * 1.6, pal::gold_light, pal::gold), pal::ink, 1.3);
    c.fill(circle(bx, by - 5.2, 1.9), p::solid(pal::navy));
    c.fill(rrect(bx - 1.8, by - 2, bx + 1.8, by + 7, 0.8), p::solid(pal::navy));
}

// The installed applications window's tool bar, drawn on the same 32-unit grid and shown at
// 24 pixels: uninstall, delete entry, open location, open source, view help, website, exit.
inline void minus_badge(Canvas& c) {
    c.outlined(circle(23.5, 23.5, 7.5), p::vertical(16, pal::red_light, 31, pal::red), pal::red_dark, 1.0);
    c.fill(rrect(19, 22, 28, 25, 0.8), p::solid(pal::white));
}

inline void uninstall(Canvas& c) {
    programs(c);
    minus_badge(c);
}

inline void delete_entry(Canvas& c) {
    const Sdf cross = unite(line(7, 7, 25, 25, 6.5), line(25, 7, 7, 25, 6.5));
    c.outlined(cross, p::vertical(5, pal::red_light, 27, pal::red), pal::red_dark, 1.4);
}

inline void folder(Canvas& c) {
    c.outlined(polygon({{2, 7}, {12, 7}, {15, 10}, {29, 10}, {29, 27}, {2, 27}}), p::vertical(7, pal::tan, 27, pal::tan_dark),
               pal::brown);
    c.outlined(polygon({{2, 27}, {6, 14}, {31, 14}, {28, 27}}), p::vertical(14, pal::tan_light, 27, pal::tan), pal::brown);
}

inline void help(Canvas& c) {
    c.outlined(circle(16, 16, 14), p::radial(12, 11, 20, pal::blue_light, pal::blue_dark), pal::ink);
    const Paint mark = p::solid(pal::white);
    c.fill(polyline({{11, 12.5}, {12.2, 8.8}, {16, 7.2}, {19.8, 8.8}, {21, 12.3}, {19, 15.2}, {16, 17.3}, {16, 20}}, 3.4),
           mark);
    c.fill(circle(16, 24.5, 2.1), mark);
}

inline constexpr std::array<Drawer, kAppToolCount> kAppTools{
    uninstall, delete_entry, folder, cddvd, help, internet, exit_door,
};

}  // namespace pictures

// ---------------------------------------------------------------------------
// Raster results
// ---------------------------------------------------------------------------

// Rows top-down, 3 or 4 bytes per pixel in R,G,B(,A) order.
struct Image {
    int width = 0, height = 0, channels = 0;
    std::vector<std::uint8_t> pixels;
    const std::uint8_t* at(int x, int y) const {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * channels];
    }
};

// The masked image list sees only "key or not", so soft edges are settled
// here: mostly covered pixels are blended onto a light face colour, faint ones
// become the key.
inline Image render_toolbar() {
    constexpr int cell = kToolbarCell;
    const Rgba face = rgb(0xF4, 0xF6, 0xFA);
    Image img{cell * kToolbarCount, cell, 3, {}};
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height * 3);
    for (int i = 0; i < kToolbarCount; ++i) {
        Canvas c(cell, cell);
        pictures::kToolbar[static_cast<std::size_t>(i)](c);
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                const auto [r, g, b, a] = c.at(x, y);
                std::uint8_t* d = &img.pixels[(static_cast<std::size_t>(y) * img.width + i * cell + x) * 3];
                if (a < 0.4) {
                    d[0] = kKeyR, d[1] = kKeyG, d[2] = kKeyB;
                    continue;
                }
                d[0] = to_byte(r + face.r * (1 - a));
                d[1] = to_byte(g + face.g * (1 - a));
                d[2] = to_byte(b + face.b * (1 - a));
                // Keep drawn pixels from turning transparent by accident.
                if (d[0] == kKeyR && d[1] == kKeyG && d[2] == kKeyB) d[1] = 1;
            }
    }
    return img;
}

// The same settling for any strip of pictures drawn on the 32-unit grid at `cell` pixels.
template <std::size_t N>
inline Image render_strip(const std::array<pictures::Drawer, N>& drawers, int cell) {
    const Rgba face = rgb(0xF4, 0xF6, 0xFA);
    const int count = static_cast<int>(N);
    Image img{cell * count, cell, 3, {}};
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height * 3);
    for (int i = 0; i < count; ++i) {
        Canvas c(cell, cell, cell / 32.0);
        drawers[static_cast<std::size_t>(i)](c);
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                const auto [r, g, b, a] = c.at(x, y);
                std::uint8_t* d = &img.pixels[(static_cast<std::size_t>(y) * img.width + i * cell + x) * 3];
                if (a < 0.4) {
                    d[0] = kKeyR, d[1] = kKeyG, d[2] = kKeyB;
                    continue;
                }
                d[0] = to_byte(r + face.r * (1 - a));
                d[1] = to_byte(g + face.g * (1 - a));
                d[2] = to_byte(b + face.b * (1 - a));
                if (d[0] == kKeyR && d[1] == kKeyG && d[2] == kKeyB) d[1] = 1;
            }
    }
    return img;
}

inline Image render_apptools() { return render_strip(pictures::kAppTools, kAppToolCell); }

inline Image render_icon(int size) {
    Canvas c(size, size, size / 48.0);
    pictures::program_icon(c);
    Image img{size, size, 4, {}};
    img.pixels.resize(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const auto [r, g, b, a] = c.at(x, y);
            std::uint8_t* d = &img.pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            const std::uint8_t alpha = to_byte(a);
            if (alpha == 0) {
                d[0] = d[1] = d[2] = d[3] = 0;
                continue;
            }
            d[0] = to_byte(r / a);
            d[1] = to_byte(g / a);
            d[2] = to_byte(b / a);
            d[3] = alpha;
        }
    return img;
}

// A glassy strip from navy on the left to the sheet's light blue on the right.
// It has no vertical detail beyond its height and only slow change across, so
// stretching it to any window width keeps it smooth.
inline Image render_banner() {
    Image img{kBannerWidth, kBannerHeight, 3, {}};
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height * 3);
    const std::array<Rgba, 4> stops{pal::navy, pal::blue_dark, pal::blue, pal::sky};
    for (int x = 0; x < img.width; ++x) {
        const double t = (x + 0.5) / img.width;
        // Ease so the dark end is short and most of the width is mid blue.
        const double f = std::sqrt(t) * (stops.size() - 1);
        const auto i = std::min(static_cast<std::size_t>(f), stops.size() - 2);
        const Rgba base = mix(stops[i], stops[i + 1], f - static_cast<double>(i));
        for (int y = 0; y < img.height; ++y) {
            const double v = (y + 0.5) / img.height;
            Rgba c = base;
            if (y == 0) {
                c = mix(base, pal::white, 0.55);
            } else if (y == img.height - 1) {
                c = mix(base, pal::ink, 0.45);
            } else if (v < 0.5) {
                c = mix(base, pal::white, 0.32 - 0.22 * (v / 0.5));
            } else {
                c = mix(base, pal::ink, 0.18 * (v - 0.5) / 0.5);
            }
            std::uint8_t* d = &img.pixels[(static_cast<std::size_t>(y) * img.width + x) * 3];
            d[0] = to_byte(c.r);
            d[1] = to_byte(c.g);
            d[2] = to_byte(c.b);
        }
    }
    return img;
}

// Seven-segment digits 0-9, side by side, lit segments bright green over the
// faint outline of the unlit ones, on black: the counters sit on black panels
// and the digits are drawn without a mask. Segment bits: a top, b upper right,
// c lower right, d bottom, e lower left, f upper left, g middle.
inline constexpr std::array<std::uint8_t, kDigitCount> kDigitSegments{
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F,
};

namespace pictures {

// One segment: a bar with pointed ends from (x0,y0) to (x1,y1), horizontal or
// vertical, `t` thick.
inline Sdf segment(double x0, double y0, double x1, double y1, double t) {
    const double h = t / 2;
    if (y0 == y1)
        return polygon({{x0, y0}, {x0 + h, y0 - h}, {x1 - h, y0 - h}, {x1, y0}, {x1 - h, y0 + h}, {x0 + h, y0 + h}});
    return polygon({{x0, y0}, {x0 + h, y0 + h}, {x0 + h, y1 - h}, {x0, y1}, {x0 - h, y1 - h}, {x0 - h, y0 + h}});
}

inline void digit(Canvas& c, std::uint8_t lit) {
    constexpr double t = 2.2, gap = 0.45;
    constexpr double left = 1.5 + t / 2, right = kDigitWidth - 1.5 - t / 2;
    constexpr double top = 1.5 + t / 2, bottom = kDigitHeight - 1.5 - t / 2, middle = kDigitHeight / 2.0;
    const std::array<Sdf, 7> segments{
        segment(left + gap, top, right - gap, top, t),        // a
        segment(right, top + gap, right, middle - gap, t),    // b
        segment(right, middle + gap, right, bottom - gap, t), // c
        segment(left + gap, bottom, right - gap, bottom, t),  // d
        segment(left, middle + gap, left, bottom - gap, t),   // e
        segment(left, top + gap, left, middle - gap, t),      // f
        segment(left + gap, middle, right - gap, middle, t),  // g
    };
    const Paint unlit = paint::solid(rgb(0x0E, 0x2C, 0x16));
    const Paint glow = paint::vertical(0, rgb(0x8C, 0xFF, 0xA0), kDigitHeight, rgb(0x2E, 0xE0, 0x5A));
    for (std::size_t i = 0; i < segments.size(); ++i) c.fill(segments[i], (lit >> i) & 1 ? glow : unlit);
}

}  // namespace pictures

inline Image render_digits() {
    Image img{kDigitWidth * kDigitCount, kDigitHeight, 3, {}};
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height * 3);
    for (int i = 0; i < kDigitCount; ++i) {
        Canvas c(kDigitWidth, kDigitHeight);
        pictures::digit(c, kDigitSegments[static_cast<std::size_t>(i)]);
        for (int y = 0; y < kDigitHeight; ++y)
            for (int x = 0; x < kDigitWidth; ++x) {
                // Premultiplied colour over black is the colour itself.
                const auto [r, g, b, a] = c.at(x, y);
                std::uint8_t* d = &img.pixels[(static_cast<std::size_t>(y) * img.width + i * kDigitWidth + x) * 3];
                d[0] = to_byte(r);
                d[1] = to_byte(g);
                d[2] = to_byte(b);
            }
    }
    return img;
}

// ---------------------------------------------------------------------------
// File formats, written byte by byte in little-endian order.
// ---------------------------------------------------------------------------

namespace detail {

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kPelsPerMetre = 2835;  // 72 dpi

// BITMAPINFOHEADER; `height` is the signed field as stored.
inline void put_info_header(std::vector<std::uint8_t>& out, int width, int height, int bits,
                            std::uint32_t image_size) {
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, 0);  // BI_RGB
    put32(out, image_size);
    put32(out, kPelsPerMetre);
    put32(out, kPelsPerMetre);
    put32(out, 0);
    put32(out, 0);
}

}  // namespace detail

// 24-bit bottom-up BMP with BITMAPFILEHEADER + BITMAPINFOHEADER.
inline std::vector<std::uint8_t> encode_bmp24(const Image& img) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(img.width) * 3 + 3) & ~3u;
    const std::uint32_t image_size = stride * static_cast<std::uint32_t>(img.height);
    const std::uint32_t offset = detail::kFileHeaderSize + detail::kInfoHeaderSize;
    std::vector<std::uint8_t> out;
    out.reserve(offset + image_size);
    out.push_back('B');
    out.push_back('M');
    detail::put32(out, offset + image_size);
    detail::put32(out, 0);
    detail::put32(out, offset);
    detail::put_info_header(out, img.width, img.height, 24, image_size);
    for (int y = img.height - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        for (int x = 0; x < img.width; ++x) {
            const std::uint8_t* s = img.at(x, y);
            out.push_back(s[2]);
            out.push_back(s[1]);
            out.push_back(s[0]);
        }
        out.resize(row_start + stride, 0);
    }
    return out;
}

// Icon directory with one 32-bit DIB per size. Each DIB stores twice its
// height (colour rows then the AND mask), which is what the resource compiler
// and LoadImage expect; the mask marks fully transparent pixels for drawing
// paths that ignore alpha.
inline std::vector<std::uint8_t> encode_ico(const std::vector<Image>& images) {
    constexpr std::uint32_t kDirHeader = 6, kDirEntry = 16;
    std::vector<std::vector<std::uint8_t>> dibs;
    for (const Image& img : images) {
        const auto w = static_cast<std::uint32_t>(img.width), h = static_cast<std::uint32_t>(img.height);
        const std::uint32_t mask_stride = ((w + 31) / 32) * 4;
        std::vector<std::uint8_t> dib;
        detail::put_info_header(dib, img.width, img.height * 2, 32, w * h * 4 + mask_stride * h);
        for (int y = img.height - 1; y >= 0; --y)
            for (int x = 0; x < img.width; ++x) {
                const std::uint8_t* s = img.at(x, y);
                dib.insert(dib.end(), {s[2], s[1], s[0], s[3]});
            }
        for (int y = img.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(mask_stride, 0);
            for (int x = 0; x < img.width; ++x)
                if (img.at(x, y)[3] == 0) row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            dib.insert(dib.end(), row.begin(), row.end());
        }
        dibs.push_back(std::move(dib));
    }
    std::vector<std::uint8_t> out;
    detail::put16(out, 0);
    detail::put16(out, 1);  // icon, not cursor
    detail::put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = kDirHeader + kDirEntry * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A dimension of 256 is stored as 0.
        out.push_back(static_cast<std::uint8_t>(images[i].width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(images[i].height & 0xFF));
        out.push_back(0);  // no palette
        out.push_back(0);
        detail::put16(out, 1);
        detail::put16(out, 32);
        detail::put32(out, static_cast<std::uint32_t>(dibs[i].size()));
        detail::put32(out, offset);
        offset += static_cast<std::uint32_t>(dibs[i].size());
    }
    for (const auto& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

inline std::vector<std::uint8_t> toolbar_bmp() { return encode_bmp24(render_toolbar()); }
inline std::vector<std::uint8_t> banner_bmp() { return encode_bmp24(render_banner()); }
inline std::vector<std::uint8_t> digits_bmp() { return encode_bmp24(render_digits()); }
inline std::vector<std::uint8_t> apptools_bmp() { return encode_bmp24(render_apptools()); }
inline std::vector<std::uint8_t> icon_ico() {
    std::vector<Image> images;
    for (int size : kIconSizes) images.push_back(render_icon(size));
    return encode_ico(images);
}

struct OutputFile {
    const char* name;
    std::vector<std::uint8_t> (*make)();
};

inline constexpr std::array<OutputFile, 5> kOutputs{{
    {"brimlow.ico", icon_ico},
    {"toolbar.bmp", toolbar_bmp},
    {"banner.bmp", banner_bmp},
    {"digits.bmp", digits_bmp},
    {"apptools.bmp", apptools_bmp},
}};

// Writes every picture into `dir`, creating it if needed. On failure returns
// false with `error` naming the file.
inline bool write_all(const std::filesystem::path& dir, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    for (const auto& file : kOutputs) {
        const std::vector<std::uint8_t> bytes = file.make();
        const std::filesystem::path path = dir / file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

}  // namespace brimlow::artgen
