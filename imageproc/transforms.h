// Whole-picture operations that keep or exchange the size: invert, the
// mirrors, the quarter turns and copies of a rectangle (clipping).
#ifndef KBX_IMAGEPROC_TRANSFORMS_H
#define KBX_IMAGEPROC_TRANSFORMS_H

#include <cstddef>

#include "imageproc/pixel_view.h"

namespace kbx {

// A view of a packed buffer: rows of exactly width pixels.
PixelView packed_view(void* pixels, int width, int height, int depth);

// Each colour byte c becomes 255 - c (the byte above red is kept); at depth
// 8 each index i becomes 255 - i and the palette is left alone.
void invert_pixels(const PixelView& view);
// Pixel (x, y) becomes the old (W - 1 - x, y).
void mirror_horizontal(const PixelView& view);
// Pixel (x, y) becomes the old (x, H - 1 - y).
void mirror_vertical(const PixelView& view);

// Quarter turns from src into dst, which must be src.height wide,
// src.width high and of the same depth (else result 1, nothing written).
// Clockwise: new (x', y') = old (y', H - 1 - x'), the top-left pixel ends at
// the top right. Counter-clockwise: new (x', y') = old (W - 1 - y', x').
int rotate_right(const PixelView& src, const PixelView& dst);
int rotate_left(const PixelView& src, const PixelView& dst);
// The same into a new picture of the exchanged size.
bool rotated_right(const PixelView& src, PixelImage* out);
bool rotated_left(const PixelView& src, PixelImage* out);

// Copies the dst-sized rectangle whose top-left is (x0, y0) of src into
// dst; source pixels outside the picture give 0. Depths must match.
void copy_rect(const PixelView& src, int x0, int y0, const PixelView& dst);
// "(%d,%d)-(%d,%d)" with the corners; the clip window's and the area
// plot's title. Returns the length.
int format_corner_title(const char* prefix, int x_min, int y_min, int x_max, int y_max, char* out, std::size_t size);

}  // namespace kbx

#endif
