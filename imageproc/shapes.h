// Lines, rectangles and circles, drawn in a colour or by inverting pixels
// (rubber bands and XOR forms). Coordinates may lie outside the picture;
// only the pixels inside are touched.
#ifndef KBX_IMAGEPROC_SHAPES_H
#define KBX_IMAGEPROC_SHAPES_H

#include "imageproc/pixel_view.h"

namespace kbx {

// Both ends included; the pen position becomes (x2, y2).
void draw_line(const PixelView& view, int colour, int x1, int y1, int x2, int y2);
void xor_line(const PixelView& view, int x1, int y1, int x2, int y2);

// The four edges: top, right, bottom, left.
void draw_box(const PixelView& view, int colour, int x1, int y1, int x2, int y2);
// Every pixel of the rectangle.
void fill_box(const PixelView& view, int colour, int x1, int y1, int x2, int y2);
// Every pixel of the rectangle inverted once.
void xor_fill_box(const PixelView& view, int x1, int y1, int x2, int y2);
// Rubber-band rectangle outline, each pixel inverted once, so drawing it
// again removes it.
void xor_box(const PixelView& view, int x1, int y1, int x2, int y2);

// Circle outline with set_pixel; for r >= 1 no pixel is set twice.
void draw_circle(const PixelView& view, int colour, int cx, int cy, int r);
// The outline inverted (rubber band), recording each point as the pen.
void xor_circle(const PixelView& view, int cx, int cy, int r);
// Disc: one span per row, then the outline over it.
void fill_circle(const PixelView& view, int colour, int cx, int cy, int r);
// The disc's spans inverted: every pixel once for r >= 1, nothing for r = 0.
void xor_fill_circle(const PixelView& view, int cx, int cy, int r);

// The rubber band of a w x h placement centred on (mx, my): its outline and,
// when both sides are at least 9, its two diagonals inset by one pixel.
void xor_placement(const PixelView& view, int mx, int my, int w, int h);
// The corners of that placement rectangle.
void placement_corners(int mx, int my, int w, int h, int* left, int* top, int* right, int* bottom);

// Rounded distance from (x1, y1) to (x2, y2), the rubber-band circle's radius.
int rounded_distance(int x1, int y1, int x2, int y2);

}  // namespace kbx

#endif
