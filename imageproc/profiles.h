// Line profiles (channel values along a picture row, plotted upward) and
// the Cb-Cr plots (pixels as points in the colour-difference plane).
#ifndef KBX_IMAGEPROC_PROFILES_H
#define KBX_IMAGEPROC_PROFILES_H

#include <cstddef>
#include <cstdint>

#include "imageproc/glyph_text.h"
#include "imageproc/pixel_view.h"

namespace kbx {

// Channel selector bits: the first value bit set, in this order, decides.
enum ProfileSelector {
    kChannelRed = 0x0001,
    kChannelGreen = 0x0002,
    kChannelBlue = 0x0004,
    kChannelHue = 0x0008,
    kChannelSaturation = 0x0010,
    kChannelValue = 0x0020,
    kChannelLuma = 0x0100,
    kChannelCr = 0x0200,     // Cr + 128
    kChannelCb = 0x0400,     // Cb + 128
    kChannelByte = 0x1000,   // the element itself; the elements are bytes
    kDrawDots = 0x0040,      // one dot per element (wins over the curve)
    kDrawCurve = 0x0080,     // a connected curve
};

// Profile windows are this high; row 127 stands for 0, row 0 for the divisor.
constexpr int kProfileHeight = 128;
constexpr int kCrCbSize = 256;

// The value element i gives under the selector and the divisor it is
// scaled by (255, or 359 for the hue).
int profile_value(const void* elements, int i, int selector, int* divisor);

// For element i: y = 127 - v * 127 / divisor at x = x0 + i, as dots or as a
// curve from the previous point (the first point is a dot either way).
void plot_profile(const PixelView& view, const void* elements, int x0, int count, int selector, int colour);

// The row tools of an image window's information menu.
enum ProfileTool { kProfileRgb, kProfileHsv, kProfileYcrcb, kProfileCrcb, kProfileLumi };

// Source depth the tool reads (32, or 8 for the luminance profile).
int profile_source_depth(ProfileTool tool);
// Size of the result window for a source row of the given width.
void profile_window_size(ProfileTool tool, int source_width, int* width, int* height);
// "RGB(Y=%d)" and its kin, with the clicked row. Returns the length.
int format_profile_title(ProfileTool tool, int row, char* out, std::size_t size);
// Draws the tool's curves and labels into the (black, freshly made) result
// window from the count elements of one source row: 32-bit words, or bytes
// for the luminance profile. Labels move the text cursor and leave
// *text_colour at the colour of the last label, as the bitmap text does.
void draw_profile(const PixelView& view, ProfileTool tool, const void* row, int count, TextCursor* cursor,
                  int* text_colour);

// Point of a pixel in the Cb-Cr plane: x = Cb + 128, y = 128 - Cr.
void crcb_point(int pixel, int* x, int* y);
// Axes and the "Cr" and "Cb" labels.
void draw_crcb_axes(const PixelView& view, TextCursor* cursor, int* text_colour);
// Axes, then the pixels in order as one path, its colour alternating
// between white and magenta from point to point.
void plot_crcb_path(const PixelView& view, const std::uint32_t* pixels, int count, TextCursor* cursor,
                    int* text_colour);
// Axes, then each row of a rows x columns rectangle as its own white path.
void plot_crcb_area(const PixelView& view, const std::uint32_t* pixels, int rows, int columns, TextCursor* cursor,
                    int* text_colour);

}  // namespace kbx

#endif
