#include "imageproc/patterns.h"

#include <cmath>
#include <new>
#include <vector>

#include "imageproc/colour_models.h"
#include "imageproc/pixels.h"

namespace kbx {

namespace {

// Writes a row of colours the way set_pixel would, left to right.
// The width is a local so that the stores cannot change it: the loops are
// then block copies.
inline void put_row(const PixelView& view, int y, const int* colours) {
    const int width = view.width;
    if (view.depth == 32) {
        std::uint32_t* row = row32(view, y);
        for (int x = 0; x < width; ++x) row[x] = static_cast<std::uint32_t>(colours[x]);
    } else {
        unsigned char* row = row8(view, y);
        for (int x = 0; x < width; ++x) row[x] = static_cast<unsigned char>(colours[x]);
    }
}

// Every pattern ends as its last set_pixel would leave the pen.
inline void pen_at_last_pixel(const PixelView& view) {
    pen_position.x = view.width - 1;
    pen_position.y = view.height - 1;
}

inline int clamp_byte(int v) { return v < 0 ? 0 : (v >= 255 ? 255 : v); }

struct DiscCoefficients {
    int r1, r2, g1, g2, b1, b2;   // k1 (vertical), k2 (horizontal) per channel
};

void pattern_disc(const PixelView& view, const DiscCoefficients& k) {
    if (!view_usable(view)) return;
    const int w = view.width, h = view.height;
    std::vector<int> a_of, colours;
    try {
        a_of.resize(static_cast<std::size_t>(w));
        colours.resize(static_cast<std::size_t>(w));
    } catch (const std::bad_alloc&) {
        return;
    }
    // a and b each lie in -127..127, so a row takes at most 255 colours:
    // work them out once per row and look them up per pixel.
    for (int x = 0; x < w; ++x) a_of[x] = static_cast<int>((static_cast<long long>(x) - w / 2) * 255 / w);
    int by_a[255];
    for (int y = 0; y < h; ++y) {
        const int b = -static_cast<int>((static_cast<long long>(y) - h / 2) * 255 / h);
        for (int a = -127; a <= 127; ++a) {
            const int lum = static_cast<int>(std::sqrt(5.0 * (a * a + b * b)));
            const int base = 65536 * lum + 32768;
            const int r = clamp_byte((k.r1 * b + k.r2 * a + base) / 65536);
            const int g = clamp_byte((k.g1 * b + k.g2 * a + base) / 65536);
            const int bl = clamp_byte((k.b1 * b + k.b2 * a + base) / 65536);
            by_a[a + 127] = (r << 16) + (g << 8) + bl;
        }
        for (int x = 0; x < w; ++x) colours[x] = by_a[a_of[x] + 127];
        put_row(view, y, colours.data());
    }
    pen_at_last_pixel(view);
}

}  // namespace

void pattern_rgb(const PixelView& view) {
    if (!view_usable(view)) return;
    const int w = view.width, h = view.height;
    std::vector<int> red, blue, colours;
    try {
        red.resize(static_cast<std::size_t>(w));
        blue.resize(static_cast<std::size_t>(w) + h);
        colours.resize(static_cast<std::size_t>(w));
    } catch (const std::bad_alloc&) {
        return;
    }
    // Red depends on x alone and blue on x + y alone.
    const long long diagonal = static_cast<long long>(w) + h;
    for (int x = 0; x < w; ++x) red[x] = static_cast<int>(static_cast<long long>(x) * 255 / w) << 16;
    for (long long d = 0; d < diagonal; ++d) blue[d] = 255 - static_cast<int>(d * 255 / diagonal);
    for (int y = 0; y < h; ++y) {
        const int g = static_cast<int>(static_cast<long long>(y) * 255 / h) << 8;
        const int* b = blue.data() + y;
        for (int x = 0; x < w; ++x) colours[x] = red[x] + g + b[x];
        put_row(view, y, colours.data());
    }
    pen_at_last_pixel(view);
}

void pattern_hsv(const PixelView& view) {
    if (!view_usable(view)) return;
    const int w = view.width, h = view.height;
    std::vector<int> hue, colours;
    try {
        hue.resize(static_cast<std::size_t>(w));
        colours.resize(static_cast<std::size_t>(w));
    } catch (const std::bad_alloc&) {
        return;
    }
    for (int x = 0; x < w; ++x) hue[x] = static_cast<int>(static_cast<long long>(x) * 359 / w);
    const int m = h / 2;
    int by_hue[359];
    for (int y = 0; y < h; ++y) {
        int s = 255, v = 255;
        if (m == 0) {
            // One row: no halves to fade; show the saturated middle row.
        } else if (y < m) {
            s = static_cast<int>(static_cast<long long>(y) * 255 / m);
        } else {
            v = 255 - static_cast<int>(static_cast<long long>(y - m) * 255 / m);
        }
        // The hue takes at most 359 values: convert each once per row.
        for (int hh = 0; hh < 359; ++hh) by_hue[hh] = hsv_to_rgb(v, s, hh);
        for (int x = 0; x < w; ++x) colours[x] = by_hue[hue[x]];
        put_row(view, y, colours.data());
    }
    pen_at_last_pixel(view);
}

void pattern_ycrcb(const PixelView& view) {
    pattern_disc(view, DiscCoefficients{91881, 0, -46793, -22544, 0, 116130});
}

void pattern_yuv(const PixelView& view) {
    pattern_disc(view, DiscCoefficients{74711, 0, -38076, -25952, 0, 132973});
}

void pattern_yiq(const PixelView& view) {
    pattern_disc(view, DiscCoefficients{62187, 42998, -17334, -44872, -73859, 118292});
}

void pattern_grey(const PixelView& view) {
    if (!view_usable(view)) return;
    const int w = view.width, h = view.height;
    std::vector<int> upper, lower;
    try {
        upper.resize(static_cast<std::size_t>(w));
        lower.resize(static_cast<std::size_t>(w));
    } catch (const std::bad_alloc&) {
        return;
    }
    for (int x = 0; x < w; ++x) {
        const int g = static_cast<int>(static_cast<long long>(x) * 255 / w);
        upper[x] = g * 0x010101;
        lower[x] = (255 - g) * 0x010101;
    }
    // Row by row, the same pixels as a line down each column: rows above
    // h / 2 take the rising ramp, the rest the falling one.
    for (int y = 0; y < h; ++y) put_row(view, y, y < h / 2 ? upper.data() : lower.data());
    pen_at_last_pixel(view);
}

void grey_ramp_palette(unsigned char entries[256 * 4]) {
    for (int i = 0; i < 256; ++i) {
        entries[i * 4 + 0] = static_cast<unsigned char>(i);
        entries[i * 4 + 1] = static_cast<unsigned char>(i);
        entries[i * 4 + 2] = static_cast<unsigned char>(i);
        entries[i * 4 + 3] = 0;
    }
}

}  // namespace kbx
