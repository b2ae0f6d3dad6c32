// The whole-picture operations against the formulas of the implementations
// they replaced (the colour models verbatim, the area average written out
// pixel by pixel): the faster code must give the same results on every
// colour and on random pictures of many sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "imageproc/colour_models.h"
#include "imageproc/pixels.h"
#include "imageproc/scaling.h"
#include "imageproc/transforms.h"
#include "tests/native/imageproc_test_support.h"

namespace reference {

using namespace kbx;

inline Hsv rgb_to_hsv(int colour) {
    int r = red_of(colour), g = green_of(colour), b = blue_of(colour);
    int max = r > g ? r : g;
    if (b > max) max = b;
    int min = r < g ? r : g;
    if (b < min) min = b;
    int d = max - min;
    Hsv out = {0, d, max};
    if (d == 0) return out;
    // The order of the tests settles ties: yellow is 60, magenta 300, cyan 180.
    if (max == r && min == b)
        out.h = (g - b) * 60 / d;
    else if (max == g && min == b)
        out.h = (g - r) * 60 / d + 60;
    else if (max == g && min == r)
        out.h = (b - r) * 60 / d + 120;
    else if (max == b && min == r)
        out.h = (b - g) * 60 / d + 180;
    else if (max == b && min == g)
        out.h = (r - g) * 60 / d + 240;
    else
        out.h = (r - b) * 60 / d + 300;
    return out;
}

// C++ integer division truncates toward zero, which these values rely on.
inline int fixed_point(int a, int b, int c, int r, int g, int bl) {
    return (a * r + b * g + c * bl + 32768) / 65536;
}


// Along one axis destination pixel i covers [i * S, (i + 1) * S) and source
// pixel j covers [j * D, (j + 1) * D) in units of 1 / (S * D): the weight
// of j in i is their overlap.
long long overlap(long long i, long long j, long long s, long long d) {
    const long long lo = std::max(i * s, j * d), hi = std::min((i + 1) * s, (j + 1) * d);
    return hi > lo ? hi - lo : 0;
}

// The previous scale_average summed these weights separably in exact
// integers and rounded (sum + total / 2) / total; here the sums are taken
// pixel by pixel and divided plainly.
void scale_average(const PixelView& src, const PixelView& dst) {
    const long long sw = src.width, sh = src.height, dw = dst.width, dh = dst.height;
    const std::uint64_t total = static_cast<std::uint64_t>(sw * sh);
    for (long long y = 0; y < dh; ++y)
        for (long long x = 0; x < dw; ++x) {
            std::uint64_t sums[3] = {0, 0, 0};
            for (long long j = y * sh / dh; j <= ((y + 1) * sh - 1) / dh; ++j)
                for (long long i = x * sw / dw; i <= ((x + 1) * sw - 1) / dw; ++i) {
                    const std::uint64_t w = static_cast<std::uint64_t>(overlap(y, j, sh, dh) * overlap(x, i, sw, dw));
                    const int p = get_pixel(src, static_cast<int>(i), static_cast<int>(j));
                    for (int c = 0; c < 3; ++c) sums[c] += w * ((p >> (8 * c)) & 0xFF);
                }
            int value = 0;
            for (int c = 0; c < 3; ++c) value |= static_cast<int>((sums[c] + total / 2) / total) << (8 * c);
            store_inside(dst, static_cast<int>(x), static_cast<int>(y), src.depth == 8 ? value & 0xFF : value);
        }
}

}  // namespace reference

namespace {

using namespace kbx;
using kbxtest::picture;

// Random pixels, the byte above red included (it must not leak into
// results that recombine the colour bytes).
PixelImage random_picture(std::mt19937& rng, int w, int h, int depth) {
    PixelImage image = picture(w, h, depth);
    PixelView view = view_of(image);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) store_inside(view, x, y, static_cast<int>(rng()));
    return image;
}

// Every byte of the buffers, row padding included.
bool same_buffers(const PixelImage& a, const PixelImage& b) { return a.words == b.words; }

}  // namespace

TEST(ImageprocIdentity, AverageScalingMatchesTheReference) {
    std::mt19937 rng(13);
    struct Size {
        int sw, sh, dw, dh;
    };
    std::vector<Size> sizes;
    for (int round = 0; round < 120; ++round) {
        const int sw = 1 + static_cast<int>(rng() % 70), sh = 1 + static_cast<int>(rng() % 50);
        for (int f : kScaleFactors) sizes.push_back({sw, sh, scaled_size(sw, f), scaled_size(sh, f)});
        sizes.push_back({sw, sh, 1 + static_cast<int>(rng() % 90), 1 + static_cast<int>(rng() % 90)});
        // Exact halves and doubles along one axis only.
        sizes.push_back({2 * sw, sh, sw, 2 * sh});
    }
    sizes.push_back({640, 480, 320, 240});
    sizes.push_back({333, 211, 666, 422});
    for (int depth : {32, 8})
        for (const Size& s : sizes) {
            PixelImage src = random_picture(rng, s.sw, s.sh, depth);
            PixelImage want = random_picture(rng, s.dw, s.dh, depth), got = want;
            reference::scale_average(view_of(src), view_of(want));
            scale_average(view_of(src), view_of(got));
            ASSERT_TRUE(same_buffers(got, want)) << depth << "-bit " << s.sw << "x" << s.sh << " -> " << s.dw << "x" << s.dh;
        }
}

// Every green and blue with 32 reds spread over the range (every pattern of
// the low three bits among them; 0, 128 and 255 included), a row of 65536
// (one red byte) at a time, through the row pass and the scalar calls,
// against the previous formulas: two million colours, few enough for the
// sanitized debug build.
TEST(ImageprocIdentity, ColourModelsMatchTheReferenceForEveryGreenAndBlue) {
    std::vector<std::uint32_t> row(65536);
    std::vector<int> a(row.size()), b(row.size()), c(row.size()), y_only(row.size());
    const int n = static_cast<int>(row.size());
    struct Model {
        LumaModel model;
        Coefficients k1, k2;
    };
    const Model models[] = {{kModelYCrCb, {32768, -27460, -5308}, {-11076, -21692, 32768}},
                            {kModelYuv, {-9634, -18940, 28574}, {40305, -33751, -6554}},
                            {kModelYiq, {39053, -18022, -21037}, {13533, -32565, 19032}}};
    for (int step = 0; step < 32; ++step) {
        const int red = 8 * step + step % 8;
        // A different top byte in every row: it is not part of the colour.
        for (int i = 0; i < n; ++i) row[i] = (static_cast<std::uint32_t>(red * 7) << 24) | (red << 16) | i;
        for (int i = 0; i < n; ++i) {
            const Hsv want = reference::rgb_to_hsv(static_cast<int>(row[i]));
            const Hsv got = rgb_to_hsv(static_cast<int>(row[i]));
            if (got.h != want.h || got.s != want.s || got.v != want.v || hue_of(static_cast<int>(row[i])) != want.h)
                FAIL() << "HSV of " << std::hex << row[i];
        }
        // The luminance alone, as grey levels take it.
        luma_row(row.data(), n, kModelYCrCb, y_only.data(), nullptr, nullptr);
        for (const Model& m : models) {
            luma_row(row.data(), n, m.model, a.data(), b.data(), c.data());
            for (int i = 0; i < n; ++i) {
                const int r = red, g = i >> 8, bl = i & 0xFF;
                if (a[i] != reference::fixed_point(19595, 38470, 7471, r, g, bl) || y_only[i] != a[i] ||
                    b[i] != reference::fixed_point(m.k1.r, m.k1.g, m.k1.b, r, g, bl) ||
                    c[i] != reference::fixed_point(m.k2.r, m.k2.g, m.k2.b, r, g, bl))
                    FAIL() << "model " << m.model << " of " << std::hex << row[i];
            }
        }
    }
    // The scalar calls are the same formulas; spot checks of each.
    for (int colour : {0x000000, 0xFFFFFF, 0x123456, 0xFF00FF, 0x80FF00, 0x00FFFF, 0x010203})
        for (const Model& m : models) {
            const int r = red_of(colour), g = green_of(colour), bl = blue_of(colour);
            EXPECT_EQ(apply(m.k1, r, g, bl), reference::fixed_point(m.k1.r, m.k1.g, m.k1.b, r, g, bl));
        }
    EXPECT_EQ(chroma_cr(0, 255, 0), reference::fixed_point(32768, -27460, -5308, 0, 255, 0));
    EXPECT_EQ(chroma_q(255, 0, 255), reference::fixed_point(13533, -32565, 19032, 255, 0, 255));
}

// The quarter turns, vertical flip and invert against their definitions,
// pixel by pixel, on sizes around the 4 x 4 blocks and the tiles.
TEST(ImageprocIdentity, TurnsFlipAndInvertMatchTheirDefinitions) {
    std::mt19937 rng(4);
    for (int depth : {32, 8})
        for (int round = 0; round < 60; ++round) {
            const int w = 1 + static_cast<int>(rng() % 75), h = 1 + static_cast<int>(rng() % 75);
            PixelImage src = random_picture(rng, w, h, depth), right, left;
            PixelView s = view_of(src);
            ASSERT_TRUE(rotated_right(s, &right));
            ASSERT_TRUE(rotated_left(s, &left));
            PixelImage flipped = src, inverted = src;
            mirror_vertical(view_of(flipped));
            invert_pixels(view_of(inverted));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const int p = get_pixel(s, x, y);
                    ASSERT_EQ(get_pixel(view_of(right), h - 1 - y, x), p) << w << "x" << h;
                    ASSERT_EQ(get_pixel(view_of(left), y, w - 1 - x), p) << w << "x" << h;
                    ASSERT_EQ(get_pixel(view_of(flipped), x, h - 1 - y), p) << w << "x" << h;
                    ASSERT_EQ(get_pixel(view_of(inverted), x, y), p ^ (depth == 32 ? 0xFFFFFF : 0xFF)) << w << "x" << h;
                }
        }
}
