#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "imageproc/pixels.h"
#include "imageproc/scaling.h"
#include "imageproc/transforms.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::fill_distinct;
using kbxtest::picture;
using kbxtest::same_pixels;

TEST(ImageprocTransforms, RightTurnOfThreeByTwo) {
    PixelImage image = picture(3, 2);
    PixelView view = view_of(image);
    fill_distinct(image);
    PixelImage turned;
    ASSERT_TRUE(rotated_right(view, &turned));
    ASSERT_EQ(turned.width, 2);
    ASSERT_EQ(turned.height, 3);
    PixelView t = view_of(turned);
    // Top row: old (0, 1), old (0, 0); the old top-left ends at the top right.
    EXPECT_EQ(get_pixel(t, 0, 0), get_pixel(view, 0, 1));
    EXPECT_EQ(get_pixel(t, 1, 0), get_pixel(view, 0, 0));
    EXPECT_EQ(get_pixel(t, 0, 2), get_pixel(view, 2, 1));
    PixelImage left;
    ASSERT_TRUE(rotated_left(view, &left));
    // The old top-left ends at the bottom left.
    EXPECT_EQ(get_pixel(view_of(left), 0, 2), get_pixel(view, 0, 0));
    EXPECT_EQ(get_pixel(view_of(left), 1, 0), get_pixel(view, 2, 1));
}

TEST(ImageprocTransforms, FourTurnsAndOppositeTurnsGiveThePictureBack) {
    for (int depth : {32, 8}) {
        // Odd sizes exercise the padded 8-bit rows and the partial tiles.
        PixelImage start = picture(37, 70, depth);
        fill_distinct(start);
        PixelImage a = start, b;
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(rotated_right(view_of(a), &b));
            a = b;
        }
        EXPECT_TRUE(same_pixels(a, start)) << depth;
        PixelImage r, back;
        ASSERT_TRUE(rotated_right(view_of(start), &r));
        ASSERT_TRUE(rotated_left(view_of(r), &back));
        EXPECT_TRUE(same_pixels(back, start)) << depth;
        ASSERT_TRUE(rotated_left(view_of(start), &r));
        ASSERT_TRUE(rotated_left(view_of(r), &back));
        ASSERT_TRUE(rotated_right(view_of(start), &r));
        PixelImage twice;
        ASSERT_TRUE(rotated_right(view_of(r), &twice));
        EXPECT_TRUE(same_pixels(back, twice)) << depth;   // two left turns = two right turns
    }
}

TEST(ImageprocTransforms, TurnIntoWrongSizeIsRefused) {
    PixelImage src = picture(3, 2), dst = picture(3, 2, 32, 0x42);
    EXPECT_EQ(rotate_right(view_of(src), view_of(dst)), 1);
    EXPECT_EQ(rotate_left(view_of(src), view_of(dst)), 1);
    PixelImage eight = picture(2, 3, 8);
    EXPECT_EQ(rotate_right(view_of(src), view_of(eight)), 1);   // depths differ
    EXPECT_EQ(get_pixel(view_of(dst), 0, 0), 0x42);
}

TEST(ImageprocTransforms, TurnFromAPackedCopyIntoAWindowLayout) {
    // The rotation commands copy the picture packed (rows of exactly width
    // bytes) and write into the rebuilt window's padded rows.
    std::vector<unsigned char> packed = {1, 2, 3, 4, 5, 6};   // 3 x 2
    PixelView src = packed_view(packed.data(), 3, 2, 8);
    PixelImage dst = picture(2, 3, 8);
    ASSERT_EQ(rotate_right(src, view_of(dst)), 0);
    PixelView d = view_of(dst);
    EXPECT_EQ(get_pixel(d, 0, 0), 4);
    EXPECT_EQ(get_pixel(d, 1, 0), 1);
    EXPECT_EQ(get_pixel(d, 0, 2), 6);
    EXPECT_EQ(get_pixel(d, 1, 2), 3);
}

TEST(ImageprocTransforms, MirrorsMapPixelsAndUndoThemselves) {
    for (int depth : {32, 8}) {
        PixelImage start = picture(5, 3, depth);
        fill_distinct(start);
        PixelImage m = start;
        mirror_horizontal(view_of(m));
        EXPECT_EQ(get_pixel(view_of(m), 0, 1), get_pixel(view_of(start), 4, 1));
        EXPECT_EQ(get_pixel(view_of(m), 2, 2), get_pixel(view_of(start), 2, 2));
        mirror_horizontal(view_of(m));
        EXPECT_TRUE(same_pixels(m, start));
        mirror_vertical(view_of(m));
        EXPECT_EQ(get_pixel(view_of(m), 3, 0), get_pixel(view_of(start), 3, 2));
        EXPECT_EQ(get_pixel(view_of(m), 3, 1), get_pixel(view_of(start), 3, 1));
        mirror_vertical(view_of(m));
        EXPECT_TRUE(same_pixels(m, start));
    }
}

TEST(ImageprocTransforms, InvertFlipsColourBytesAndIndices) {
    PixelImage image = picture(2, 1, 32, static_cast<int>(0xAA102030u));
    invert_pixels(view_of(image));
    EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view_of(image), 1, 0)), 0xAAEFDFCFu);
    PixelImage index = picture(3, 1, 8, 200);
    view_of(index).pixels[3] = 0x11;   // padding stays
    invert_pixels(view_of(index));
    EXPECT_EQ(get_pixel(view_of(index), 2, 0), 55);
    EXPECT_EQ(view_of(index).pixels[3], 0x11);
}

TEST(ImageprocTransforms, ScaledSizesRoundHalfUp) {
    EXPECT_EQ(scaled_size(3, 500), 2);
    EXPECT_EQ(scaled_size(100, 1414), 141);
    EXPECT_EQ(scaled_size(50, 1414), 71);
    EXPECT_EQ(scaled_size(100, 707), 71);
    EXPECT_EQ(scaled_size(71, 1414), 100);
    EXPECT_EQ(scaled_size(50, 707), 35);
    EXPECT_EQ(scaled_size(35, 1414), 49);
    EXPECT_EQ(scaled_size(2, 707), 1);
    EXPECT_EQ(scaled_size(1, 1414), 1);
    EXPECT_EQ(scaled_size(1, 500), 1);
    EXPECT_EQ(scaled_size(1, 2000), 2);
    EXPECT_EQ(scaled_size(4096, 2000), 8192);
    PixelImage src = picture(100, 50), out;
    ASSERT_TRUE(scaled_nearest(view_of(src), 1414, &out));
    EXPECT_EQ(out.width, 141);
    EXPECT_EQ(out.height, 71);
}

TEST(ImageprocTransforms, NearestScalingPicksSourcePixels) {
    PixelImage src = picture(2, 2);
    PixelView s = view_of(src);
    store_inside(s, 0, 0, 1);
    store_inside(s, 1, 0, 2);
    store_inside(s, 0, 1, 3);
    store_inside(s, 1, 1, 4);
    PixelImage big;
    ASSERT_TRUE(scaled_nearest(s, 2000, &big));
    const int expected[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(get_pixel(view_of(big), x, y), expected[y][x]);
    PixelImage small;
    ASSERT_TRUE(scaled_nearest(view_of(big), 500, &small));
    EXPECT_TRUE(same_pixels(small, src));
    // 8-bit indices are copied unchanged.
    PixelImage index = picture(3, 3, 8, 77), index_big;
    ASSERT_TRUE(scaled_nearest(view_of(index), 1414, &index_big));
    EXPECT_TRUE(kbxtest::changed(view_of(index_big), 77).empty());
}

TEST(ImageprocTransforms, AverageScalingWeighsTheCoveredArea) {
    PixelImage src = picture(2, 2);
    PixelView s = view_of(src);
    store_inside(s, 0, 0, 0xFF0000);
    store_inside(s, 1, 0, 0x00FF00);
    store_inside(s, 0, 1, 0x0000FF);
    store_inside(s, 1, 1, 0xFFFFFF);
    PixelImage one = picture(1, 1);
    scale_average(s, view_of(one));
    EXPECT_EQ(get_pixel(view_of(one), 0, 0), 0x808080);   // 510 / 4 = 127.5, rounded up
    // 3 -> 2 columns: the middle source pixel is shared half and half.
    PixelImage row = picture(3, 1, 8);
    store_inside(view_of(row), 0, 0, 0);
    store_inside(view_of(row), 1, 0, 90);
    store_inside(view_of(row), 2, 0, 180);
    PixelImage half = picture(2, 1, 8);
    scale_average(view_of(row), view_of(half));
    EXPECT_EQ(get_pixel(view_of(half), 0, 0), 30);    // (0 * 2 + 90 * 1) / 3
    EXPECT_EQ(get_pixel(view_of(half), 1, 0), 150);   // (90 * 1 + 180 * 2) / 3
    // A flat picture stays flat at any factor.
    PixelImage flat = picture(13, 7, 32, 0x336699), scaled;
    for (int f : kScaleFactors) {
        ASSERT_TRUE(scaled_average(view_of(flat), f, &scaled));
        EXPECT_TRUE(kbxtest::changed(view_of(scaled), 0x336699).empty()) << f;
    }
}

// Area average the slow way: spread every source pixel over a fine grid of
// dst.width x dst.height cells, then average the src.width x src.height
// cells that each destination pixel covers.
int brute_average(const PixelView& src, int dw, int dh, int x, int y, int shift) {
    unsigned long long sum = 0, count = 0;
    for (long long fy = static_cast<long long>(y) * src.height; fy < static_cast<long long>(y + 1) * src.height; ++fy)
        for (long long fx = static_cast<long long>(x) * src.width; fx < static_cast<long long>(x + 1) * src.width; ++fx) {
            sum += (get_pixel(src, static_cast<int>(fx / dw), static_cast<int>(fy / dh)) >> shift) & 0xFF;
            ++count;
        }
    return static_cast<int>((sum + count / 2) / count);
}

TEST(ImageprocTransforms, AverageScalingMatchesABruteForceAverage) {
    std::mt19937 rng(5);
    for (int round = 0; round < 60; ++round) {
        const int depth = round % 3 ? 32 : 8;
        const int sw = 1 + static_cast<int>(rng() % 9), sh = 1 + static_cast<int>(rng() % 9);
        const int dw = 1 + static_cast<int>(rng() % 12), dh = 1 + static_cast<int>(rng() % 12);
        PixelImage src = picture(sw, sh, depth);
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) store_inside(view_of(src), x, y, static_cast<int>(rng() & 0xFFFFFF));
        PixelImage dst = picture(dw, dh, depth);
        scale_average(view_of(src), view_of(dst));
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x) {
                int expected = depth == 8 ? brute_average(view_of(src), dw, dh, x, y, 0)
                                          : (brute_average(view_of(src), dw, dh, x, y, 16) << 16) |
                                                (brute_average(view_of(src), dw, dh, x, y, 8) << 8) |
                                                brute_average(view_of(src), dw, dh, x, y, 0);
                ASSERT_EQ(get_pixel(view_of(dst), x, y), expected)
                    << sw << "x" << sh << " -> " << dw << "x" << dh << " at " << x << "," << y;
            }
    }
}

TEST(ImageprocTransforms, CopyRectGivesZeroOutside) {
    PixelImage src = picture(4, 3, 32, 0x111111);
    PixelImage dst = picture(3, 2, 32, 0x999999);
    copy_rect(view_of(src), -1, 2, view_of(dst));
    PixelView d = view_of(dst);
    EXPECT_EQ(get_pixel(d, 0, 0), 0);          // x = -1
    EXPECT_EQ(get_pixel(d, 1, 0), 0x111111);
    EXPECT_EQ(get_pixel(d, 2, 0), 0x111111);
    EXPECT_EQ(get_pixel(d, 1, 1), 0);          // y = 3
    copy_rect(view_of(src), 3, 0, view_of(dst));
    EXPECT_EQ(get_pixel(d, 0, 0), 0x111111);
    EXPECT_EQ(get_pixel(d, 1, 0), 0);
    copy_rect(view_of(src), 2147483647, -2147483647 - 1, view_of(dst));
    EXPECT_TRUE(kbxtest::changed(d).empty());
}

TEST(ImageprocTransforms, ClippingTitle) {
    char title[64];
    format_corner_title("", 4, 6, 4, 6, title, sizeof title);
    EXPECT_STREQ(title, "(4,6)-(4,6)");
    format_corner_title("CrCb", 1, 2, 30, 40, title, sizeof title);
    EXPECT_STREQ(title, "CrCb(1,2)-(30,40)");
}

}  // namespace
