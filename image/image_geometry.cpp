#include "image/image_geometry.h"

namespace kbx {

DisplayLimits display_limits_from(int screen_limited, const ScreenMetrics& m) {
    DisplayLimits limits;
    if (screen_limited) {
        // The horizontal frame width serves for both directions.
        limits.min_width = m.cx_min - 2 * m.cx_frame;
        limits.min_height = m.cy_min - 2 * m.cx_frame - m.cy_caption;
        limits.max_width = m.cx_screen;
        limits.max_height = m.cy_screen - m.cy_caption;
    } else {
        limits.min_width = 1;
        limits.min_height = 1;
        limits.max_width = 2 * m.cx_screen;
        limits.max_height = 2 * m.cy_screen;
    }
    return limits;
}

namespace {

// The largest zoom (floored) one axis allows: the request when it fits,
// else what reaches the maximum; a scaled size below one pixel counts as
// one pixel. Exact integer form of min(z * size / 100, max) * 100 / size.
std::int64_t axis_zoom(std::int64_t requested, std::int64_t size, std::int64_t max_client) {
    std::int64_t scaled100 = requested * size;   // scaled size times 100
    std::int64_t zoom = requested;
    if (scaled100 > max_client * 100) {
        scaled100 = max_client * 100;
        zoom = max_client * 100 / size;
    }
    if (scaled100 < 100) zoom = 100 / size;
    return zoom;
}

// Coordinates taken wide, so x0 + col cannot overflow near the int limits.
bool inside(std::int64_t x, std::int64_t y, int width, int height) {
    return x >= 0 && y >= 0 && x < width && y < height;
}

std::int64_t ceil_div(std::int64_t a, std::int64_t b) {   // b > 0
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

}  // namespace

bool fit_zoom(int requested, int width, int height, const DisplayLimits& limits, ZoomFit* out) {
    if (width < 1 || height < 1) return false;
    const std::int64_t w = width, h = height;
    std::int64_t zx = axis_zoom(requested, w, limits.max_width);
    std::int64_t zy = axis_zoom(requested, h, limits.max_height);
    std::int64_t zoom = zx < zy ? zx : zy;
    std::int64_t cw = w * zoom / 100;
    std::int64_t ch = h * zoom / 100;
    if (cw < limits.min_width || ch < limits.min_height) {
        std::int64_t c = ceil_div(static_cast<std::int64_t>(limits.min_width) * 100, w);
        std::int64_t d = ceil_div(static_cast<std::int64_t>(limits.min_height) * 100, h);
        zoom = c > d ? c : d;
        cw = w * zoom / 100;
        ch = h * zoom / 100;
        if (cw > limits.max_width || ch > limits.max_height) return false;
    }
    // Beyond int the window could not exist anyway.
    if (zoom < 1 || zoom > 0x7FFFFFFF || cw > 0x7FFFFFFF || ch > 0x7FFFFFFF) return false;
    out->zoom = static_cast<int>(zoom);
    out->client_width = static_cast<int>(cw);
    out->client_height = static_cast<int>(ch);
    return true;
}

int parse_prompt_number(const char* text) {
    if (!text) return 0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    std::int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > 0x80000000LL) value = 0x80000000LL;   // stays clamped
    }
    if (negative) value = -value;
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
    return static_cast<int>(value);
}

void copy_rect_32(const std::uint32_t* pixels, int width, int height, int x0, int y0, int w, int h,
                  std::uint32_t* dest) {
    for (int row = 0; row < h; ++row) {
        std::int64_t y = static_cast<std::int64_t>(y0) + row;
        for (int col = 0; col < w; ++col) {
            std::int64_t x = static_cast<std::int64_t>(x0) + col;
            *dest++ = inside(x, y, width, height)
                          ? pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                   static_cast<std::size_t>(x)]
                          : 0u;
        }
    }
}

void copy_rect_8(const unsigned char* pixels, int width, int height, int x0, int y0, int w, int h,
                 unsigned char* dest) {
    const std::size_t stride = image_row_bytes(8, width);
    for (int row = 0; row < h; ++row) {
        std::int64_t y = static_cast<std::int64_t>(y0) + row;
        for (int col = 0; col < w; ++col) {
            std::int64_t x = static_cast<std::int64_t>(x0) + col;
            *dest++ = inside(x, y, width, height)
                          ? pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)]
                          : 0;
        }
    }
}

}  // namespace kbx
