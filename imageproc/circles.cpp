#include "imageproc/plotters.h"
#include "imageproc/shapes.h"

namespace kbx {

namespace {

// Integer circle steps: lim = 5r/7, i = 0, a = r, e = r. Arithmetic is
// 64-bit so that no radius or centre can overflow.
template <typename Point>
void circle_points(long long cx, long long cy, long long r, const Point& point) {
    const long long lim = 5 * r / 7;
    long long i = 0, a = r, e = r;
    for (;;) {
        point(cx - i, cy + a);
        point(cx + i, cy - a);
        if (i != 0 && i != a) {
            point(cx + i, cy + a);
            point(cx - i, cy - a);
            point(cx + a, cy - i);
            point(cx - a, cy + i);
        }
        point(cx + a, cy + i);
        point(cx - a, cy - i);
        e -= 2 * i + 1;
        if (e <= 0) {
            e += 2 * a - 2;
            a -= 1;
        }
        i += 1;
        if (i > lim || i > a) break;
    }
}

// The same steps giving horizontal spans (row, from, to): every row of the
// disc once for r >= 1.
template <typename Span>
void circle_spans(long long cx, long long cy, long long r, const Span& span) {
    const long long lim = 5 * r / 7;
    long long i = 0, a = r, e = r;
    bool stepped;
    for (;;) {
        stepped = false;
        if (a != i) {
            span(cy + i, cx - a, cx + a);
            if (i != 0) span(cy - i, cx - a, cx + a);
        }
        e -= 2 * i + 1;
        if (e <= 0) {
            span(cy + a, cx - i, cx + i);
            span(cy - a, cx - i, cx + i);
            e += 2 * a - 2;
            a -= 1;
            stepped = true;
        }
        i += 1;
        if (i > lim || i > a) break;
    }
    if (!stepped) {
        long long last = i - 1;
        span(cy + a, cx - last, cx + last);
        span(cy - a, cx - last, cx + last);
    }
}

inline bool inside64(const PixelView& view, long long x, long long y) {
    return x >= 0 && y >= 0 && x < view.width && y < view.height;
}

// A span clipped to the picture; from and to in either order.
template <typename Plot>
void clipped_span(const PixelView& view, const Plot& plot, long long y, long long from, long long to) {
    if (y < 0 || y >= view.height) return;
    long long lo = from < to ? from : to, hi = from < to ? to : from;
    if (lo < 0) lo = 0;
    if (hi > view.width - 1) hi = view.width - 1;
    if (lo <= hi) plot.span(static_cast<int>(y), static_cast<int>(lo), static_cast<int>(hi));
}

}  // namespace

void draw_circle(const PixelView& view, int colour, int cx, int cy, int r) {
    bool usable = view_usable(view);
    circle_points(cx, cy, r, [&](long long x, long long y) {
        pen_position.x = static_cast<int>(x);
        pen_position.y = static_cast<int>(y);
        if (usable && inside64(view, x, y)) store_inside(view, static_cast<int>(x), static_cast<int>(y), colour);
    });
}

void xor_circle(const PixelView& view, int cx, int cy, int r) {
    bool usable = view_usable(view);
    circle_points(cx, cy, r, [&](long long x, long long y) {
        pen_position.x = static_cast<int>(x);
        pen_position.y = static_cast<int>(y);
        if (usable && inside64(view, x, y)) invert_inside(view, static_cast<int>(x), static_cast<int>(y));
    });
}

void fill_circle(const PixelView& view, int colour, int cx, int cy, int r) {
    if (view_usable(view)) {
        ColourPlot plot{view, colour};
        circle_spans(cx, cy, r, [&](long long y, long long from, long long to) { clipped_span(view, plot, y, from, to); });
    }
    draw_circle(view, colour, cx, cy, r);
}

void xor_fill_circle(const PixelView& view, int cx, int cy, int r) {
    bool usable = view_usable(view);
    InvertPlot plot{view};
    circle_spans(cx, cy, r, [&](long long y, long long from, long long to) {
        pen_position.x = static_cast<int>(to);
        pen_position.y = static_cast<int>(y);
        if (usable) clipped_span(view, plot, y, from, to);
    });
}

}  // namespace kbx
