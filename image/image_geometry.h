// Sizes, zoom and pixel addressing of image windows: plain arithmetic, no
// platform calls. The Win32 layer passes the system metrics in as numbers.
#ifndef KBX_IMAGE_GEOMETRY_H
#define KBX_IMAGE_GEOMETRY_H

#include <cstddef>
#include <cstdint>

namespace kbx {

// Client-area bounds an image window must keep.
struct DisplayLimits {
    int min_width, min_height;
    int max_width, max_height;
};

// The system metrics display_limits needs, read by the caller.
struct ScreenMetrics {
    int cx_min, cy_min;       // smallest window
    int cx_frame;             // sizing frame width
    int cy_caption;
    int cx_screen, cy_screen;
};

// Mode 1: bounds from the screen; mode 0 (the FL windows): 1 x 1 up to
// twice the screen.
DisplayLimits display_limits_from(int screen_limited, const ScreenMetrics& m);

struct ZoomFit {
    int zoom;
    int client_width, client_height;
};

// The zoom nearest to requested at which a width x height picture fits the
// limits: lowered when too large, raised to reach the minimum. False when no
// zoom fits (the minimum-reaching zoom overshoots the maximum).
// width and height must be at least 1.
bool fit_zoom(int requested, int width, int height, const DisplayLimits& limits, ZoomFit* out);

// One zoom step: about 10/9 larger or 9/10 smaller, rounded.
inline int zoom_step_up(int zoom) { return (10 * zoom + 4) / 9; }
inline int zoom_step_down(int zoom) { return (9 * zoom + 5) / 10; }

// A number typed at a prompt, read as atoi reads it (leading blanks, a
// sign, digits; anything else ends it, no digits give 0), but clamped to
// the int range instead of overflowing.
int parse_prompt_number(const char* text);

// A mouse coordinate (the low 16 bits, unsigned) as a picture coordinate.
inline int client_to_picture(unsigned coordinate, int zoom) {
    if (zoom < 1) zoom = 1;
    return static_cast<int>((coordinate & 0xFFFFu) * 100u / static_cast<unsigned>(zoom));
}

// Bytes per row of a picture: width words at depth 32, width rounded up to
// a multiple of 4 bytes at depth 8.
inline std::size_t image_row_bytes(int depth, int width) {
    std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    return depth == 8 ? (w + 3) & ~static_cast<std::size_t>(3) : w * 4;
}
inline std::size_t image_buffer_bytes(int depth, int width, int height) {
    return image_row_bytes(depth, width) * (height > 0 ? static_cast<std::size_t>(height) : 0);
}
// Byte offset of pixel (x, y) from the start of the pixels (x, y inside).
inline std::size_t pixel_offset(int depth, int width, int x, int y) {
    std::size_t bytes_per_pixel = depth == 8 ? 1 : 4;
    return static_cast<std::size_t>(y) * image_row_bytes(depth, width) + static_cast<std::size_t>(x) * bytes_per_pixel;
}

// Copies a w x h rectangle with top-left (x0, y0) out of a picture into a
// packed buffer (w words or w bytes per row); pixels outside give 0.
void copy_rect_32(const std::uint32_t* pixels, int width, int height, int x0, int y0, int w, int h,
                  std::uint32_t* dest);
void copy_rect_8(const unsigned char* pixels, int width, int height, int x0, int y0, int w, int h,
                 unsigned char* dest);

}  // namespace kbx

#endif
