// The report printed for a clicked pixel, in every colour model.
#ifndef KBX_IMAGEPROC_PIXEL_REPORT_H
#define KBX_IMAGEPROC_PIXEL_REPORT_H

#include <cstddef>

namespace kbx {

// Enough for the longest report (coordinates and five model lines).
constexpr int kPixelReportSize = 256;

// Formats the lines printed for pixel (x, y) of value p in a picture of the
// given depth: the coordinates, then at depth 32 RGB, HSV, YCrCb, Yuv and
// YIQ (signed colour differences, no offset), at depth 8 the palette index.
// The text ends with an empty line. Returns the length written.
int format_pixel_report(int x, int y, int depth, int p, char* out, std::size_t size);

}  // namespace kbx

#endif
