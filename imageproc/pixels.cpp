#include "imageproc/pixels.h"

#include <algorithm>
#include <cstring>

namespace kbx {

namespace {
// A view without a buffer (a window that is gone) has no pixels inside.
inline bool reachable(const PixelView& view, int x, int y) { return view.pixels != nullptr && inside(view, x, y); }
}  // namespace

PenPosition pen_position = {0, 0};

void set_pixel(const PixelView& view, int x, int y, int colour) {
    pen_position.x = x;
    pen_position.y = y;
    plot_pixel(view, x, y, colour);
}

void plot_pixel(const PixelView& view, int x, int y, int colour) {
    if (reachable(view, x, y)) store_inside(view, x, y, colour);
}

int get_pixel(const PixelView& view, int x, int y) {
    return reachable(view, x, y) ? load_inside(view, x, y) : 0;
}

int probe_pixel(const PixelView& view, int x, int y) {
    return reachable(view, x, y) ? load_inside(view, x, y) : -1;
}

void xor_pixel(const PixelView& view, int x, int y) {
    if (reachable(view, x, y)) invert_inside(view, x, y);
}

void clear_pixels(const PixelView& view) {
    if (!view_usable(view)) return;
    for (int y = 0; y < view.height; ++y) std::memset(row8(view, y), 0, static_cast<std::size_t>(view.stride));
}

void clear_unused_bytes(const PixelView& view) {
    if (!view_usable(view) || view.depth != 32) return;
    for (int y = 0; y < view.height; ++y) {
        std::uint32_t* row = row32(view, y);
        for (int x = 0; x < view.width; ++x) row[x] &= 0x00FFFFFFu;
    }
}

void read_pixel_row(const PixelView& view, void* dest, int y, int count) {
    if (count <= 0 || dest == nullptr || !view_usable(view)) return;
    bool row_inside = static_cast<unsigned>(y) < static_cast<unsigned>(view.height);
    int have = row_inside ? (count < view.width ? count : view.width) : 0;
    if (view.depth == 32) {
        std::uint32_t* out = static_cast<std::uint32_t*>(dest);
        if (have > 0) std::memcpy(out, row32(view, y), static_cast<std::size_t>(have) * 4);
        for (int i = have; i < count; ++i) out[i] = 0;
    } else {
        unsigned char* out = static_cast<unsigned char*>(dest);
        if (have > 0) std::memcpy(out, row8(view, y), static_cast<std::size_t>(have));
        for (int i = have; i < count; ++i) out[i] = 0;
    }
}

void write_pixel_row(const PixelView& view, const void* src, int y, int count) {
    write_pixel_rect(view, src, 0, y, count, 1);
}

void write_pixel_rect(const PixelView& view, const void* src, int x0, int y0, int w, int h) {
    if (w <= 0 || h <= 0 || src == nullptr || !view_usable(view)) return;
    // The part of the rectangle inside the picture, in 64 bits: x0 + w may
    // pass INT_MAX.
    const long long left = x0 < 0 ? 0 : x0, top = y0 < 0 ? 0 : y0;
    const long long right = std::min<long long>(static_cast<long long>(x0) + w, view.width);
    const long long bottom = std::min<long long>(static_cast<long long>(y0) + h, view.height);
    if (left >= right || top >= bottom) return;
    const std::size_t element = view.depth == 32 ? 4 : 1;
    const unsigned char* bytes = static_cast<const unsigned char*>(src);
    for (long long y = top; y < bottom; ++y) {
        const unsigned char* from = bytes + (static_cast<std::size_t>(y - y0) * static_cast<std::size_t>(w) +
                                             static_cast<std::size_t>(left - x0)) * element;
        const int count = static_cast<int>(right - left), yy = static_cast<int>(y), xx = static_cast<int>(left);
        if (view.depth == 8) {
            std::memcpy(row8(view, yy) + xx, from, static_cast<std::size_t>(count));
            continue;
        }
        std::uint32_t* to = row32(view, yy) + xx;
        for (int i = 0; i < count; ++i) {
            std::uint32_t word;
            std::memcpy(&word, from + static_cast<std::size_t>(i) * 4, 4);   // src need not be aligned
            to[i] = word & 0x00FFFFFFu;
        }
    }
}

}  // namespace kbx
