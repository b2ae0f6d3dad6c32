// The six test patterns. Each overwrites every pixel of the picture; on an
// 8-bit picture the low (blue) byte of each colour is stored as the index.
#ifndef KBX_IMAGEPROC_PATTERNS_H
#define KBX_IMAGEPROC_PATTERNS_H

#include "imageproc/pixel_view.h"

namespace kbx {

// Red grows to the right, green downward, blue falls along the diagonal.
void pattern_rgb(const PixelView& view);
// Hue across; the upper half fades from white to full saturation, the lower
// half from full saturation to black. A picture one pixel high has no
// halves and shows the fully saturated hue ramp (its middle row).
void pattern_hsv(const PixelView& view);
// Colour discs centred in the picture, luminance growing outward.
void pattern_ycrcb(const PixelView& view);
void pattern_yuv(const PixelView& view);
void pattern_yiq(const PixelView& view);
// Upper half a black-to-white ramp from left to right, lower half the
// reverse. An 8-bit picture also needs the grey-ramp palette, which the
// caller sets (grey_ramp_palette).
void pattern_grey(const PixelView& view);

// 256 palette entries of blue, green, red, reserved with entry i = (i, i, i).
void grey_ramp_palette(unsigned char entries[256 * 4]);

}  // namespace kbx

#endif
