// The pixel primitives every drawing operation goes through, and the pen
// position that some of them record.
//
// A colour is a 0x00RRGGBB word; an 8-bit picture stores its low byte as the
// palette index. Writes outside the picture are dropped.
#ifndef KBX_IMAGEPROC_PIXELS_H
#define KBX_IMAGEPROC_PIXELS_H

#include "imageproc/pixel_view.h"

namespace kbx {

// The end of the last line, the last pixel set, or the last point of the
// circle rubber band; connected curves continue from here.
struct PenPosition {
    int x;
    int y;
};
extern PenPosition pen_position;

// Records (x, y) as the pen position, then stores the colour if inside.
void set_pixel(const PixelView& view, int x, int y, int colour);
// As set_pixel without touching the pen position.
void plot_pixel(const PixelView& view, int x, int y, int colour);
// The pixel value (word or index); 0 outside.
int get_pixel(const PixelView& view, int x, int y);
// As get_pixel but -1 outside.
int probe_pixel(const PixelView& view, int x, int y);
// Inverts the three colour bytes of a word (the top byte stays) or the
// index byte; a second call restores the pixel.
void xor_pixel(const PixelView& view, int x, int y);
// Every byte of the buffer to 0, row padding included.
void clear_pixels(const PixelView& view);
// At depth 32, the unused byte above red back to 0 in every pixel, after
// platform drawing (a decoder's alpha) may have set it; 8-bit: nothing.
void clear_unused_bytes(const PixelView& view);
// Element i = pixel (i, y) if inside, else 0: 32-bit words at depth 32,
// bytes at depth 8.
void read_pixel_row(const PixelView& view, void* dest, int y, int count);
// The reverse: pixel (i, y) = element i for the i inside; the rest skipped.
// At depth 32 the byte above red is stored as 0, as every colour is.
void write_pixel_row(const PixelView& view, const void* src, int y, int count);
// Rows of w elements packed in src written from (x0, y0), h rows; pixels
// outside the picture are skipped.
void write_pixel_rect(const PixelView& view, const void* src, int x0, int y0, int w, int h);

// A colour as the framework keeps it: the byte above red is no part of it.
inline int plain_colour(int colour) { return colour & 0xFFFFFF; }

// The value a colour becomes when stored in this picture.
inline int stored_value(const PixelView& view, int colour) {
    return view.depth == 8 ? (colour & 0xFF) : colour;
}

// Direct stores for coordinates already known to be inside.
inline void store_inside(const PixelView& view, int x, int y, int colour) {
    if (view.depth == 32)
        row32(view, y)[x] = static_cast<std::uint32_t>(colour);
    else
        row8(view, y)[x] = static_cast<unsigned char>(colour);
}
inline int load_inside(const PixelView& view, int x, int y) {
    if (view.depth == 32) return static_cast<int>(row32(view, y)[x]);
    return row8(view, y)[x];
}
inline void invert_inside(const PixelView& view, int x, int y) {
    if (view.depth == 32)
        row32(view, y)[x] ^= 0xFFFFFFu;
    else
        row8(view, y)[x] = static_cast<unsigned char>(~row8(view, y)[x]);
}

}  // namespace kbx

#endif
