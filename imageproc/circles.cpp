#include <cmath>

#include "imageproc/plotters.h"
#include "imageproc/shapes.h"

namespace kbx {

namespace {

// Integer circle steps: lim = 5r/7, i = 0, a = r, e = r, and at every step
// e = r*r - i*i - a*a + a. Arithmetic is 64-bit so that no radius or centre
// can overflow.
//
// A huge circle has millions of steps of which only a few can reach the
// picture, so the walks below jump over the others. While the walk is well
// inside its octant (i <= a - 2) each step lowers a by at most one and a is
// the unique value with a(a-1) < r*r - i*i <= a(a+1); the state at such an i
// therefore follows from i alone, and a jump lands exactly where the full
// walk would have been. The last few steps are always walked, so the pen
// position ends where it always did.

// a at step i, from r*r - i*i (0 <= i < r).
long long radius_at(long long r, long long i) {
    const long long rest = (r - i) * (r + i);
    long long a = static_cast<long long>(std::sqrt(static_cast<double>(rest)));
    while (a * (a + 1) < rest) ++a;
    while (a > 0 && a * (a - 1) >= rest) --a;
    return a;
}

// The furthest step a jump may land on: up to one past the last i with
// i <= a - 2, and never past lim. 0 (no jump) for r < 2.
long long furthest_jump(long long r, long long lim) {
    if (r < 2) return 0;
    long long lo = 0, hi = lim;   // i = 0 always qualifies: 0 <= r - 2
    while (lo < hi) {
        long long mid = lo + (hi - lo + 1) / 2;
        if (mid <= radius_at(r, mid) - 2) lo = mid;
        else hi = mid - 1;
    }
    return lo + 1 < lim ? lo + 1 : lim;
}

// The steps i that may put something inside the picture, as ranges; the
// walk visits these and jumps over the rest.
struct StepRanges {
    long long lo[8], hi[8];
    int count = 0;

    void add(long long from, long long to) {
        if (from < 0) from = 0;
        if (from <= to) lo[count] = from, hi[count] = to, ++count;
    }
    // Steps whose offset from the centre (i, or a via a_range) lands a
    // coordinate c + offset or c - offset in 0..size-1.
    void add_offsets(long long c, long long size) {
        add(c - (size - 1), c);
        add(-c, size - 1 - c);
    }
    // The smallest needed step at or after i; end when there is none.
    long long next(long long i, long long end) const {
        long long best = end;
        for (int k = 0; k < count; ++k)
            if (hi[k] >= i && (lo[k] > i ? lo[k] : i) < best) best = lo[k] > i ? lo[k] : i;
        return best;
    }
};

// The steps at which a lies in from..to, found in the part of the walk
// that jumps may reach (the rest is walked anyway).
void add_radius_range(StepRanges* ranges, long long r, long long reach, long long from, long long to) {
    if (from < 0) from = 0;
    if (from > to || r < 2) return;
    // a falls as i grows: first the step where a <= to, then the last with a >= from.
    long long lo = 0, hi = reach + 1;
    while (lo < hi) {
        long long mid = lo + (hi - lo) / 2;
        if (radius_at(r, mid) <= to) hi = mid;
        else lo = mid + 1;
    }
    long long first = lo;
    lo = first, hi = reach;
    if (first > reach || radius_at(r, first) < from) return;
    while (lo < hi) {
        long long mid = lo + (hi - lo + 1) / 2;
        if (radius_at(r, mid) >= from) lo = mid;
        else hi = mid - 1;
    }
    ranges->add(first, lo);
}

// Moves the walk to the next needed step when that lies ahead.
void skip_ahead(const StepRanges& ranges, long long r, long long lim, long long reach, long long* i, long long* a,
                long long* e) {
    long long to = ranges.next(*i, lim);
    if (to > reach) to = reach;
    if (to <= *i) return;
    *i = to;
    *a = radius_at(r, to);
    *e = (r - *a) * (r + *a) - to * to + *a;
}

template <typename Point>
void circle_points(const PixelView& view, long long cx, long long cy, long long r, const Point& point) {
    const long long lim = 5 * r / 7;
    const long long reach = furthest_jump(r, lim);
    StepRanges ranges;
    ranges.add_offsets(cx, view.width);    // the points at cx +- i
    ranges.add_offsets(cy, view.height);   // the points at cy +- i
    long long i = 0, a = r, e = r;
    for (;;) {
        skip_ahead(ranges, r, lim, reach, &i, &a, &e);
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
void circle_spans(const PixelView& view, long long cx, long long cy, long long r, const Span& span) {
    const long long lim = 5 * r / 7;
    const long long reach = furthest_jump(r, lim);
    StepRanges ranges;
    ranges.add_offsets(cy, view.height);   // the rows cy +- i
    // The rows cy +- a.
    add_radius_range(&ranges, r, reach, cy - (view.height - 1), cy);
    add_radius_range(&ranges, r, reach, -cy, view.height - 1 - cy);
    long long i = 0, a = r, e = r;
    bool stepped;
    for (;;) {
        skip_ahead(ranges, r, lim, reach, &i, &a, &e);
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
    circle_points(view, cx, cy, r, [&](long long x, long long y) {
        pen_position.x = static_cast<int>(x);
        pen_position.y = static_cast<int>(y);
        if (usable && inside64(view, x, y)) store_inside(view, static_cast<int>(x), static_cast<int>(y), colour);
    });
}

void xor_circle(const PixelView& view, int cx, int cy, int r) {
    bool usable = view_usable(view);
    circle_points(view, cx, cy, r, [&](long long x, long long y) {
        pen_position.x = static_cast<int>(x);
        pen_position.y = static_cast<int>(y);
        if (usable && inside64(view, x, y)) invert_inside(view, static_cast<int>(x), static_cast<int>(y));
    });
}

void fill_circle(const PixelView& view, int colour, int cx, int cy, int r) {
    if (view_usable(view)) {
        ColourPlot plot{view, colour};
        circle_spans(view, cx, cy, r, [&](long long y, long long from, long long to) { clipped_span(view, plot, y, from, to); });
    }
    draw_circle(view, colour, cx, cy, r);
}

void xor_fill_circle(const PixelView& view, int cx, int cy, int r) {
    bool usable = view_usable(view);
    InvertPlot plot{view};
    circle_spans(view, cx, cy, r, [&](long long y, long long from, long long to) {
        pen_position.x = static_cast<int>(to);
        pen_position.y = static_cast<int>(y);
        if (usable) clipped_span(view, plot, y, from, to);
    });
}

}  // namespace kbx
