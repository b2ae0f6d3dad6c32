#include "imageproc/image_source.h"

namespace kbx {

namespace {
ImageViewSource view_source = nullptr;
}  // namespace

void set_image_view_source(ImageViewSource source) { view_source = source; }

bool image_view(int n, PixelView* out) {
    *out = PixelView{0, 0, 32, nullptr, 0};
    if (view_source == nullptr) return false;
    PixelView view = *out;
    if (!view_source(n, &view) || !view_usable(view)) return false;
    *out = view;
    return true;
}

}  // namespace kbx
