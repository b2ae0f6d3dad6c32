// The report that pixel inspection prints for a clicked pixel.
#ifndef KBX_IMAGEPROC_PIXEL_INSPECTION_H
#define KBX_IMAGEPROC_PIXEL_INSPECTION_H

#include <cstddef>

namespace kbx {

// Enough for the longest report (coordinates and five model lines).
constexpr int kInspectionReportSize = 256;

// Formats the lines printed for pixel (x, y) of value p in a picture of the
// given depth: the coordinates, then at depth 32 RGB, HSV, YCrCb, Yuv and
// YIQ (signed colour differences, no offset), at depth 8 the palette index.
// The text ends with an empty line. Returns the length written.
int format_pixel_report(int x, int y, int depth, int p, char* out, std::size_t size);

}  // namespace kbx

#endif
