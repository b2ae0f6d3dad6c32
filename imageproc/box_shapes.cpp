#include "imageproc/plotters.h"
#include "imageproc/shapes.h"

namespace kbx {

namespace {

struct Corners {
    long long left, top, right, bottom;
};

Corners sorted(int x1, int y1, int x2, int y2) {
    Corners c;
    c.left = x1 < x2 ? x1 : x2;
    c.right = x1 < x2 ? x2 : x1;
    c.top = y1 < y2 ? y1 : y2;
    c.bottom = y1 < y2 ? y2 : y1;
    return c;
}

// Runs plot.span over the part of rows top..bottom, columns left..right,
// that lies inside the picture.
template <typename Plot>
void clipped_rows(const PixelView& view, long long left, long long top, long long right, long long bottom,
                  const Plot& plot) {
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > view.width - 1) right = view.width - 1;
    if (bottom > view.height - 1) bottom = view.height - 1;
    if (left > right) return;
    for (long long y = top; y <= bottom; ++y) plot.span(static_cast<int>(y), static_cast<int>(left), static_cast<int>(right));
}

}  // namespace

void draw_box(const PixelView& view, int colour, int x1, int y1, int x2, int y2) {
    draw_line(view, colour, x1, y1, x2, y1);
    draw_line(view, colour, x2, y1, x2, y2);
    draw_line(view, colour, x2, y2, x1, y2);
    draw_line(view, colour, x1, y2, x1, y1);
}

void fill_box(const PixelView& view, int colour, int x1, int y1, int x2, int y2) {
    draw_box(view, colour, x1, y1, x2, y2);
    Corners c = sorted(x1, y1, x2, y2);
    // Inner rows exist only with a column and a row between the edges.
    if (c.right - c.left < 2 || c.bottom - c.top < 2) return;
    pen_position.x = static_cast<int>(c.right - 1);
    pen_position.y = static_cast<int>(c.bottom - 1);
    if (!view_usable(view)) return;
    clipped_rows(view, c.left + 1, c.top + 1, c.right - 1, c.bottom - 1, ColourPlot{view, colour});
}

void xor_fill_box(const PixelView& view, int x1, int y1, int x2, int y2) {
    Corners c = sorted(x1, y1, x2, y2);
    pen_position.x = static_cast<int>(c.right);
    pen_position.y = static_cast<int>(c.bottom);
    if (!view_usable(view)) return;
    clipped_rows(view, c.left, c.top, c.right, c.bottom, InvertPlot{view});
}

void xor_box(const PixelView& view, int x1, int y1, int x2, int y2) {
    Corners c = sorted(x1, y1, x2, y2);
    int l = static_cast<int>(c.left), t = static_cast<int>(c.top);
    int r = static_cast<int>(c.right), b = static_cast<int>(c.bottom);
    xor_line(view, l, t, r, t);
    if (b != t) xor_line(view, l, b, r, b);
    if (c.bottom - c.top > 1) {
        xor_line(view, l, t + 1, l, b - 1);
        // A box one column wide has a single side; inverting it twice
        // would hide it.
        if (r != l) xor_line(view, r, t + 1, r, b - 1);
    }
}

void placement_corners(int mx, int my, int w, int h, int* left, int* top, int* right, int* bottom) {
    auto clamp_int = [](long long v) {
        return static_cast<int>(v < -2147483647LL ? -2147483647LL : (v > 2147483647LL ? 2147483647LL : v));
    };
    long long l = static_cast<long long>(mx) - w / 2;
    long long t = static_cast<long long>(my) - h / 2;
    *left = clamp_int(l);
    *top = clamp_int(t);
    *right = clamp_int(l + w - 1);
    *bottom = clamp_int(t + h - 1);
}

void xor_placement(const PixelView& view, int mx, int my, int w, int h) {
    int l, t, r, b;
    placement_corners(mx, my, w, h, &l, &t, &r, &b);
    xor_box(view, l, t, r, b);
    if (w >= 9 && h >= 9) {
        xor_line(view, l + 1, t + 1, r - 1, b - 1);
        xor_line(view, r - 1, t + 1, l + 1, b - 1);
    }
}

}  // namespace kbx
