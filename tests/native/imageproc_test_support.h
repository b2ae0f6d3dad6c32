// Small helpers shared by the image-processing tests.
#ifndef KBX_IMAGEPROC_TEST_SUPPORT_H
#define KBX_IMAGEPROC_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "imageproc/pixel_view.h"
#include "imageproc/pixels.h"

namespace kbxtest {

using PointSet = std::set<std::pair<int, int>>;

// A picture of its own, every pixel filled with `fill`.
inline kbx::PixelImage picture(int width, int height, int depth = 32, int fill = 0) {
    kbx::PixelImage image;
    EXPECT_TRUE(kbx::make_pixel_image(width, height, depth, &image));
    kbx::PixelView view = kbx::view_of(image);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) kbx::store_inside(view, x, y, fill);
    return image;
}

// The positions whose pixel differs from `background`.
inline PointSet changed(const kbx::PixelView& view, int background = 0) {
    PointSet out;
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x)
            if (kbx::get_pixel(view, x, y) != background) out.insert({x, y});
    return out;
}

// Offsets relative to (cx, cy).
inline PointSet shifted(const PointSet& points, int cx, int cy) {
    PointSet out;
    for (const auto& p : points) out.insert({p.first + cx, p.second + cy});
    return out;
}

inline bool same_pixels(kbx::PixelImage& a, kbx::PixelImage& b) {
    if (a.width != b.width || a.height != b.height || a.depth != b.depth) return false;
    kbx::PixelView va = kbx::view_of(a), vb = kbx::view_of(b);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (kbx::get_pixel(va, x, y) != kbx::get_pixel(vb, x, y)) return false;
    return true;
}

// Fills every pixel with a value that depends on its position, so that any
// misplaced pixel shows.
inline void fill_distinct(kbx::PixelImage& image) {
    kbx::PixelView view = kbx::view_of(image);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            kbx::store_inside(view, x, y, image.depth == 32 ? (x * 7919 + y * 104729 + 1) & 0xFFFFFF : (x * 31 + y * 7) & 0xFF);
}

}  // namespace kbxtest

#endif
