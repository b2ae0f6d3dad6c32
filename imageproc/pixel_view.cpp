#include "imageproc/pixel_view.h"

#include <new>

namespace kbx {

PixelView make_pixel_view(void* pixels, int width, int height, int depth) {
    PixelView view;
    view.width = width;
    view.height = height;
    view.depth = depth;
    view.pixels = static_cast<unsigned char*>(pixels);
    view.stride = window_row_bytes(width, depth);
    return view;
}

bool view_usable(const PixelView& view) {
    return view.pixels != nullptr && (view.depth == 8 || view.depth == 32) && view.width > 0 && view.height > 0;
}

std::size_t window_buffer_bytes(int width, int height, int depth) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<std::size_t>(window_row_bytes(width, depth)) * static_cast<std::size_t>(height);
}

bool make_pixel_image(int width, int height, int depth, PixelImage* out) {
    out->width = 0;
    out->height = 0;
    out->words.clear();
    if (width <= 0 || height <= 0 || (depth != 8 && depth != 32)) return false;
    // Keep the byte count inside what a row stride (an int) can address.
    if (width > (1 << 28) / 4) return false;
    std::size_t bytes = window_buffer_bytes(width, height, depth);
    try {
        out->words.assign(bytes / 4, 0u);
    } catch (const std::bad_alloc&) {
        return false;
    }
    out->width = width;
    out->height = height;
    out->depth = depth;
    return true;
}

PixelView view_of(PixelImage& image) {
    return make_pixel_view(image.words.empty() ? nullptr : image.words.data(), image.width, image.height, image.depth);
}

}  // namespace kbx
