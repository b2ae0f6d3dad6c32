#include "imageproc/grey_levels.h"

#include <vector>

#include "imageproc/colour_models.h"

namespace kbx {

namespace {

// level < 0 means grey: each Y is kept; else Y >= level gives 255, else 0.
inline int level_of(int y, int level) { return level < 0 ? y : (y >= level ? 255 : 0); }

void map_levels(const PixelView& view, int level, const std::uint32_t* palette) {
    if (!view_usable(view)) return;
    if (view.depth == 8) {
        // One Y per palette entry, then a table lookup per pixel.
        std::uint32_t ramp[256];
        if (palette == nullptr) {
            for (int i = 0; i < 256; ++i) ramp[i] = static_cast<std::uint32_t>(i) * 0x010101u;
            palette = ramp;
        }
        int y[256];
        luma_row(palette, 256, kModelYCrCb, y, nullptr, nullptr);
        unsigned char index[256];
        for (int i = 0; i < 256; ++i) index[i] = static_cast<unsigned char>(level_of(y[i], level));
        for (int row = 0; row < view.height; ++row) {
            unsigned char* p = row8(view, row);
            for (int x = 0; x < view.width; ++x) p[x] = index[p[x]];
        }
        return;
    }
    std::vector<int> y(static_cast<std::size_t>(view.width));
    for (int row = 0; row < view.height; ++row) {
        std::uint32_t* p = row32(view, row);
        luma_row(p, view.width, kModelYCrCb, y.data(), nullptr, nullptr);
        if (level < 0) {
            for (int x = 0; x < view.width; ++x) p[x] = static_cast<std::uint32_t>(y[x]) * 0x010101u;
        } else {
            for (int x = 0; x < view.width; ++x) p[x] = y[x] >= level ? 0xFFFFFFu : 0u;
        }
    }
}

}  // namespace

void grey_pixels(const PixelView& view, const std::uint32_t* palette) { map_levels(view, -1, palette); }

void threshold_pixels(const PixelView& view, int level, const std::uint32_t* palette) {
    // Every Y is at least 0: a level below it makes every pixel white.
    map_levels(view, level < 0 ? 0 : level, palette);
}

}  // namespace kbx
