// The whole-picture operations against the implementations they replaced,
// kept here verbatim as the reference: the faster code must give the same
// pixels on random pictures of many sizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
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


struct AxisWeights {
    std::vector<int> first;     // per destination pixel: first source index
    std::vector<int> count;     // how many source pixels it covers
    std::vector<int> offset;    // where its weights start in weight
    std::vector<long long> weight;
};

bool axis_weights(int src_size, int dst_size, AxisWeights* out) {
    try {
        out->first.resize(static_cast<std::size_t>(dst_size));
        out->count.resize(static_cast<std::size_t>(dst_size));
        out->offset.resize(static_cast<std::size_t>(dst_size));
        out->weight.clear();
        const long long s = src_size, d = dst_size;
        for (int i = 0; i < dst_size; ++i) {
            const long long lo = i * s, hi = (i + 1) * s;
            const long long j0 = lo / d, j1 = (hi - 1) / d;
            out->first[i] = static_cast<int>(j0);
            out->count[i] = static_cast<int>(j1 - j0 + 1);
            out->offset[i] = static_cast<int>(out->weight.size());
            for (long long j = j0; j <= j1; ++j) {
                const long long a = j * d > lo ? j * d : lo;
                const long long b = (j + 1) * d < hi ? (j + 1) * d : hi;
                out->weight.push_back(b - a);
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void scale_average(const PixelView& src, const PixelView& dst) {
    if (!view_usable(src) || !view_usable(dst) || src.depth != dst.depth) return;
    AxisWeights wx, wy;
    if (!axis_weights(src.width, dst.width, &wx) || !axis_weights(src.height, dst.height, &wy)) return;
    const int channels = src.depth == 32 ? 3 : 1;
    const std::size_t row_len = static_cast<std::size_t>(dst.width) * channels;
    // Separable: each source row is first resampled across (sums weighted by
    // the column overlaps), then the few rows a destination row covers are
    // summed weighted by the row overlaps. The sums stay exact integers.
    int ring_rows = 1;
    for (int y = 0; y < dst.height; ++y) ring_rows = wy.count[y] > ring_rows ? wy.count[y] : ring_rows;
    std::vector<std::uint64_t> ring, acc;
    std::vector<int> ring_source;
    try {
        ring.resize(row_len * static_cast<std::size_t>(ring_rows));
        ring_source.assign(static_cast<std::size_t>(ring_rows), -1);
        acc.resize(row_len);
    } catch (const std::bad_alloc&) {
        return;
    }
    auto across = [&](int sy) -> const std::uint64_t* {
        std::uint64_t* out = ring.data() + row_len * static_cast<std::size_t>(sy % ring_rows);
        if (ring_source[sy % ring_rows] == sy) return out;
        ring_source[sy % ring_rows] = sy;
        for (int x = 0; x < dst.width; ++x) {
            const long long* k = wx.weight.data() + wx.offset[x];
            const int first = wx.first[x], count = wx.count[x];
            if (channels == 3) {
                const std::uint32_t* in = row32(src, sy) + first;
                std::uint64_t r = 0, g = 0, b = 0;
                for (int i = 0; i < count; ++i) {
                    const std::uint64_t w = static_cast<std::uint64_t>(k[i]);
                    r += w * ((in[i] >> 16) & 0xFF);
                    g += w * ((in[i] >> 8) & 0xFF);
                    b += w * (in[i] & 0xFF);
                }
                out[3 * x] = r;
                out[3 * x + 1] = g;
                out[3 * x + 2] = b;
            } else {
                const unsigned char* in = row8(src, sy) + first;
                std::uint64_t v = 0;
                for (int i = 0; i < count; ++i) v += static_cast<std::uint64_t>(k[i]) * in[i];
                out[x] = v;
            }
        }
        return out;
    };
    // Every destination pixel's weights add up to src.width * src.height;
    // the rounded quotient is found with a reciprocal and then corrected, so
    // it is exact without a division per value.
    const std::uint64_t total = static_cast<std::uint64_t>(src.width) * static_cast<std::uint64_t>(src.height);
    const double inverse = 1.0 / static_cast<double>(total);
    auto average = [&](std::uint64_t sum) -> unsigned {
        const std::uint64_t n = sum + total / 2;
        // Signed conversions are single instructions; the sums are far
        // below 2^63.
        std::uint64_t q = static_cast<std::uint64_t>(static_cast<long long>(static_cast<double>(static_cast<long long>(n)) * inverse));
        while (q > 0 && q * total > n) --q;
        while ((q + 1) * total <= n) ++q;
        return static_cast<unsigned>(q);
    };
    for (int y = 0; y < dst.height; ++y) {
        std::fill(acc.begin(), acc.end(), 0);
        for (int j = 0; j < wy.count[y]; ++j) {
            const std::uint64_t ky = static_cast<std::uint64_t>(wy.weight[wy.offset[y] + j]);
            const std::uint64_t* h = across(wy.first[y] + j);
            for (std::size_t i = 0; i < row_len; ++i) acc[i] += ky * h[i];
        }
        if (channels == 3) {
            std::uint32_t* out = row32(dst, y);
            for (int x = 0; x < dst.width; ++x)
                out[x] = (average(acc[3 * x]) << 16) | (average(acc[3 * x + 1]) << 8) | average(acc[3 * x + 2]);
        } else {
            unsigned char* out = row8(dst, y);
            for (int x = 0; x < dst.width; ++x) out[x] = static_cast<unsigned char>(average(acc[x]));
        }
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

// Every one of the 16.7 million colours, a row of 65536 (one red byte) at a
// time, through the row passes and the scalar calls, against the previous
// formulas.
TEST(ImageprocIdentity, ColourModelsMatchTheReferenceForEveryColour) {
    std::vector<std::uint32_t> row(65536);
    std::vector<int> a(row.size()), b(row.size()), c(row.size());
    const int n = static_cast<int>(row.size());
    struct Model {
        LumaModel model;
        Coefficients k1, k2;
    };
    const Model models[] = {{kModelYCrCb, {32768, -27460, -5308}, {-11076, -21692, 32768}},
                            {kModelYuv, {-9634, -18940, 28574}, {40305, -33751, -6554}},
                            {kModelYiq, {39053, -18022, -21037}, {13533, -32565, 19032}}};
    for (int red = 0; red < 256; ++red) {
        // A different top byte in every row: it is not part of the colour.
        for (int i = 0; i < n; ++i) row[i] = (static_cast<std::uint32_t>(red * 7) << 24) | (red << 16) | i;
        hsv_row(row.data(), n, a.data(), b.data(), c.data());
        for (int i = 0; i < n; ++i) {
            const Hsv want = reference::rgb_to_hsv(static_cast<int>(row[i]));
            if (a[i] != want.h || b[i] != want.s || c[i] != want.v || hue_of(static_cast<int>(row[i])) != want.h)
                FAIL() << "HSV of " << std::hex << row[i];
        }
        for (const Model& m : models) {
            luma_row(row.data(), n, m.model, a.data(), b.data(), c.data());
            for (int i = 0; i < n; ++i) {
                const int r = red, g = i >> 8, bl = i & 0xFF;
                if (a[i] != reference::fixed_point(19595, 38470, 7471, r, g, bl) ||
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
