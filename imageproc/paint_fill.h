// Scan-line seed fill of a 4-connected region.
#ifndef KBX_IMAGEPROC_PAINT_FILL_H
#define KBX_IMAGEPROC_PAINT_FILL_H

#include "imageproc/pixel_view.h"

namespace kbx {

// Seeds kept in the fill's own fixed storage before it spills to the heap.
constexpr int kLocalFillSeeds = 4000;

// Fills the 4-connected region of pixels equal to pixel (x, y) with the
// colour (its low byte at depth 8). Nothing happens outside the picture or
// when the pixel already holds the colour. Every pixel of the region is
// filled, however many seeds are pending.
struct FillCount {
    long long filled;    // pixels filled: the region's area, or 0
    long long spilled;   // seeds that went to the heap (0 for most fills)
};
FillCount paint_fill(const PixelView& view, int colour, int x, int y);

}  // namespace kbx

#endif
