// How platform-free code reaches an image window's pixels without knowing
// about windows: the image window layer installs a function that describes
// window n's buffer as a view. Until one is installed no window has pixels.
#ifndef KBX_IMAGEPROC_IMAGE_SOURCE_H
#define KBX_IMAGEPROC_IMAGE_SOURCE_H

#include "imageproc/pixel_view.h"

namespace kbx {

// Stands for the current image window.
constexpr int kCurrentImageWindow = -1;

// Fills *out with window n's view (width, height, depth, pixels, row bytes)
// and returns true, or returns false when n is out of range or not in use.
// The image window layer's source is, in outline:
//   if (n == kCurrentImageWindow) n = current_image;
//   if (!valid_window_number(n) || !image_windows[n].in_use) return false;
//   *out = make_pixel_view(image_pixels8[n], image_windows[n].width,
//                          image_windows[n].height, image_windows[n].depth);
typedef bool (*ImageViewSource)(int n, PixelView* out);

void set_image_view_source(ImageViewSource source);
// The view of window n (or the current one); an empty view and false when
// there is none, so that the pixel primitives then touch nothing.
bool image_view(int n, PixelView* out);

}  // namespace kbx

#endif
