// The four fixed scalings: new sizes and the two ways of resampling
// (picking the nearest source pixel, or averaging the source area).
#ifndef KBX_IMAGEPROC_SCALING_H
#define KBX_IMAGEPROC_SCALING_H

#include "imageproc/pixel_view.h"

namespace kbx {

// The factors of the four scale commands, in thousandths.
constexpr int kScaleFactors[4] = {500, 707, 1414, 2000};

// (size * factor + 500) / 1000, rounding half up; at least 1.
int scaled_size(int size, int factor);

// Stretches src over the whole of dst (depths must match; else nothing).
// Nearest: each destination pixel takes the source pixel under its centre;
// 8-bit indices are copied unchanged.
void scale_nearest(const PixelView& src, const PixelView& dst);
// Area average: each destination pixel is the average of the source area it
// covers, weighted by overlap, per colour byte (at depth 8 the indices are
// averaged, which suits grey-ramp palettes).
void scale_average(const PixelView& src, const PixelView& dst);

// Into a new picture of the scaled size.
bool scaled_nearest(const PixelView& src, int factor, PixelImage* out);
bool scaled_average(const PixelView& src, int factor, PixelImage* out);

}  // namespace kbx

#endif
