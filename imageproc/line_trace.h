// The pixels of a straight line, walked with integer error steps and
// clipped to the picture: only pixels inside are handed on, and a line
// with far-away ends costs no more than the picture's width or height.
// Internal to the shape code.
#ifndef KBX_IMAGEPROC_LINE_TRACE_H
#define KBX_IMAGEPROC_LINE_TRACE_H

#include "imageproc/pixel_view.h"

namespace kbx {

// Plot must offer pixel(x, y) and span(y, x_from, x_to) (x_from <= x_to),
// both called with coordinates inside the picture only.
//
// The pixels are those of the stepping rule: vertical and horizontal lines
// are plain runs; otherwise the ends are ordered so that x grows, and along
// the major axis the error e starts at (major + 1) / 2, loses the minor
// extent each step and, once at or below 0, gains the major extent back
// while the minor coordinate steps. So both directions give the same pixels.
template <typename Plot>
void trace_line(const PixelView& view, int x1, int y1, int x2, int y2, const Plot& plot) {
    const long long w = view.width, h = view.height;
    if (x1 == x2) {
        if (x1 < 0 || x1 >= w) return;
        long long lo = y1 < y2 ? y1 : y2, hi = y1 < y2 ? y2 : y1;
        if (lo < 0) lo = 0;
        if (hi > h - 1) hi = h - 1;
        for (long long y = lo; y <= hi; ++y) plot.pixel(x1, static_cast<int>(y));
        return;
    }
    if (y1 == y2) {
        if (y1 < 0 || y1 >= h) return;
        long long lo = x1 < x2 ? x1 : x2, hi = x1 < x2 ? x2 : x1;
        if (lo < 0) lo = 0;
        if (hi > w - 1) hi = w - 1;
        if (lo <= hi) plot.span(y1, static_cast<int>(lo), static_cast<int>(hi));
        return;
    }
    long long ax = x1, ay = y1, bx = x2, by = y2;
    if (ax > bx) {
        long long t = ax; ax = bx; bx = t;
        t = ay; ay = by; by = t;
    }
    const unsigned long long dx = static_cast<unsigned long long>(bx - ax);
    const unsigned long long dy = static_cast<unsigned long long>(by > ay ? by - ay : ay - by);
    const long long sy = by > ay ? 1 : -1;
    if (dx >= dy) {
        // Step k moves x to ax + k; only the k that land inside are walked.
        long long klo = ax < 0 ? -ax : 0;
        long long khi = w - 1 - ax;
        if (khi > static_cast<long long>(dx)) khi = static_cast<long long>(dx);
        if (klo > khi) return;
        // Minor steps taken after k major steps, and the error they leave:
        // m = floor((k*dy - e0 + dx) / dx), e = dx - remainder. The
        // numerator stays below 2^64 because k, dx and dy are below 2^32.
        const unsigned long long e0 = (dx + 1) / 2;
        unsigned long long num = static_cast<unsigned long long>(klo) * dy + dx - e0;
        long long y = ay + sy * static_cast<long long>(num / dx);
        long long e = static_cast<long long>(dx - num % dx);
        for (long long x = ax + klo; x <= ax + khi; ++x) {
            if (y >= 0 && y < h) {
                plot.pixel(static_cast<int>(x), static_cast<int>(y));
            } else if ((sy > 0) == (y >= h)) {
                return;   // left the picture for good
            }
            e -= static_cast<long long>(dy);
            if (e <= 0) {
                e += static_cast<long long>(dx);
                y += sy;
            }
        }
        return;
    }
    // y-major: step k moves y to ay + sy*k; x grows by the minor steps.
    long long klo, khi;
    if (sy > 0) {
        klo = ay < 0 ? -ay : 0;
        khi = h - 1 - ay;
    } else {
        klo = ay - (h - 1) > 0 ? ay - (h - 1) : 0;
        khi = ay;
    }
    if (khi > static_cast<long long>(dy)) khi = static_cast<long long>(dy);
    if (klo > khi) return;
    const unsigned long long e0 = (dy + 1) / 2;
    unsigned long long num = static_cast<unsigned long long>(klo) * dx + dy - e0;
    long long x = ax + static_cast<long long>(num / dy);
    long long e = static_cast<long long>(dy - num % dy);
    for (long long k = klo; k <= khi; ++k) {
        if (x >= w) return;
        if (x >= 0) plot.pixel(static_cast<int>(x), static_cast<int>(ay + sy * k));
        e -= static_cast<long long>(dx);
        if (e <= 0) {
            e += static_cast<long long>(dy);
            x += 1;
        }
    }
}

}  // namespace kbx

#endif
