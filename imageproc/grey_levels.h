// Grey levels and thresholds of a whole picture by luminance Y (the value
// of luma_y, 0..255).
//
// A 32-bit pixel becomes a grey word Y * 0x010101, or white or black. An
// 8-bit pixel's colour is its palette entry: its index becomes that
// colour's Y (or 255 and 0), so the picture looks the same under the grey
// ramp palette (entry i = i * 0x010101), which the caller then gives it.
#ifndef KBX_IMAGEPROC_GREY_LEVELS_H
#define KBX_IMAGEPROC_GREY_LEVELS_H

#include <cstdint>

#include "imageproc/pixel_view.h"

namespace kbx {

// palette: the 256 entries 0x00RRGGBB of an 8-bit picture (null: the grey
// ramp); unused at depth 32.
void grey_pixels(const PixelView& view, const std::uint32_t* palette);
// White (0xFFFFFF, index 255) where Y >= level, black (0) elsewhere.
void threshold_pixels(const PixelView& view, int level, const std::uint32_t* palette);

}  // namespace kbx

#endif
