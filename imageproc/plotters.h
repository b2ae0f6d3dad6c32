// The two ways shapes touch a pixel: store a colour, or invert it.
// Internal to the shape code; coordinates are inside the picture.
#ifndef KBX_IMAGEPROC_PLOTTERS_H
#define KBX_IMAGEPROC_PLOTTERS_H

#include <cstring>

#include "imageproc/pixels.h"

namespace kbx {

struct ColourPlot {
    const PixelView& view;
    int colour;
    void pixel(int x, int y) const { store_inside(view, x, y, colour); }
    void span(int y, int x0, int x1) const {
        if (view.depth == 32) {
            std::uint32_t* row = row32(view, y);
            for (int x = x0; x <= x1; ++x) row[x] = static_cast<std::uint32_t>(colour);
        } else {
            std::memset(row8(view, y) + x0, colour & 0xFF, static_cast<std::size_t>(x1 - x0 + 1));
        }
    }
};

struct InvertPlot {
    const PixelView& view;
    void pixel(int x, int y) const { invert_inside(view, x, y); }
    void span(int y, int x0, int x1) const {
        if (view.depth == 32) {
            std::uint32_t* row = row32(view, y);
            for (int x = x0; x <= x1; ++x) row[x] ^= 0xFFFFFFu;
        } else {
            unsigned char* row = row8(view, y);
            for (int x = x0; x <= x1; ++x) row[x] = static_cast<unsigned char>(~row[x]);
        }
    }
};

}  // namespace kbx

#endif
