// A plain view of a picture's pixels, and a small owning picture for the
// operations that produce new pixels (rotations, scaling, clipping).
//
// Layout: rows top-down, `stride` bytes apart. Depth 32: one 0x00RRGGBB
// word per pixel. Depth 8: one palette index per pixel. A view made from an
// image window uses the window's own layout (32-bit rows of width words,
// 8-bit rows of (width + 3) & ~3 bytes); packed copies use other strides.
#ifndef KBX_IMAGEPROC_PIXEL_VIEW_H
#define KBX_IMAGEPROC_PIXEL_VIEW_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kbx {

struct PixelView {
    int width;
    int height;
    int depth;                // 8 or 32
    unsigned char* pixels;    // row 0 first
    int stride;               // bytes from one row to the next
};

// Row length of an image window's buffer: width words at depth 32,
// width rounded up to a multiple of 4 bytes at depth 8.
inline int window_row_bytes(int width, int depth) {
    return depth == 32 ? width * 4 : (width + 3) & ~3;
}

// A view over an image window's buffer, with the window's row layout.
PixelView make_pixel_view(void* pixels, int width, int height, int depth);

// True when the view can be drawn into: a buffer, a depth of 8 or 32,
// and a size of at least 1 x 1.
bool view_usable(const PixelView& view);

// Inside when 0 <= x < width and 0 <= y < height: the unsigned comparison
// of image windows, which also keeps a view with a nonsensical negative
// size from having any pixel inside.
inline bool inside(const PixelView& view, int x, int y) {
    return x >= 0 && y >= 0 && x < view.width && y < view.height;
}

inline std::uint32_t* row32(const PixelView& view, int y) {
    return reinterpret_cast<std::uint32_t*>(view.pixels + static_cast<std::ptrdiff_t>(y) * view.stride);
}
inline unsigned char* row8(const PixelView& view, int y) {
    return view.pixels + static_cast<std::ptrdiff_t>(y) * view.stride;
}

// A picture of its own, laid out like an image window's buffer. The words
// keep 32-bit rows aligned; 8-bit rows are a multiple of 4 bytes too.
struct PixelImage {
    int width = 0;
    int height = 0;
    int depth = 32;
    std::vector<std::uint32_t> words;
};

// All pixels zero. False (and an empty picture) when the size is below
// 1 x 1, the depth is neither 8 nor 32, or there is no memory.
bool make_pixel_image(int width, int height, int depth, PixelImage* out);
PixelView view_of(PixelImage& image);
// The number of bytes the image window buffer of this size holds.
std::size_t window_buffer_bytes(int width, int height, int depth);

}  // namespace kbx

#endif
