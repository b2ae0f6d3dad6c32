#include <gtest/gtest.h>

#include "imageproc/colour_models.h"
#include "imageproc/patterns.h"
#include "imageproc/pixels.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::picture;

int rgb(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

TEST(ImageprocPatterns, RgbValuesAtListedPixels) {
    PixelImage image = picture(256, 256, 32, 0x777777);
    PixelView view = view_of(image);
    pattern_rgb(view);
    EXPECT_EQ(get_pixel(view, 0, 0), rgb(0, 0, 255));
    EXPECT_EQ(get_pixel(view, 255, 255), rgb(254, 254, 1));
    EXPECT_EQ(get_pixel(view, 128, 128), rgb(127, 127, 128));
    EXPECT_EQ(pen_position.x, 255);
    EXPECT_EQ(pen_position.y, 255);
}

TEST(ImageprocPatterns, HsvValuesAtListedPixels) {
    PixelImage image = picture(256, 256);
    PixelView view = view_of(image);
    pattern_hsv(view);
    EXPECT_EQ(get_pixel(view, 0, 128), 0xFF0000);
    EXPECT_EQ(get_pixel(view, 128, 0), 0xFFFFFF);
    EXPECT_EQ(get_pixel(view, 128, 128), rgb(0, 255, 250));
    // The bottom row fades to v = 255 - 127 * 255 / 128 = 2.
    EXPECT_EQ(get_pixel(view, 0, 255), rgb(2, 0, 0));
}

TEST(ImageprocPatterns, HsvOnOneRowShowsTheSaturatedHueRamp) {
    PixelImage image = picture(360, 1);
    PixelView view = view_of(image);
    pattern_hsv(view);
    for (int x = 0; x < 360; x += 7) EXPECT_EQ(get_pixel(view, x, 0), hsv_to_rgb(255, 255, x * 359 / 360)) << x;
    // Two rows: the top row is white, the second the ramp.
    PixelImage two = picture(10, 2);
    pattern_hsv(view_of(two));
    EXPECT_EQ(get_pixel(view_of(two), 0, 0), 0xFFFFFF);
    EXPECT_EQ(get_pixel(view_of(two), 0, 1), 0xFF0000);
}

TEST(ImageprocPatterns, ColourDiscValuesAtListedPixels) {
    PixelImage image = picture(256, 256);
    PixelView view = view_of(image);
    pattern_ycrcb(view);
    EXPECT_EQ(get_pixel(view, 128, 128), 0);
    EXPECT_EQ(get_pixel(view, 0, 128), rgb(255, 255, 58));
    EXPECT_EQ(get_pixel(view, 128, 0), rgb(255, 192, 255));
    pattern_yuv(view);
    EXPECT_EQ(get_pixel(view, 0, 128), rgb(255, 255, 25));
    EXPECT_EQ(get_pixel(view, 128, 128), 0);
    pattern_yiq(view);
    EXPECT_EQ(get_pixel(view, 0, 128), rgb(200, 255, 54));
    EXPECT_EQ(get_pixel(view, 128, 128), 0);
}

TEST(ImageprocPatterns, EightBitPicturesTakeTheBlueByte) {
    using Pattern = void (*)(const PixelView&);
    for (Pattern pattern : {pattern_rgb, pattern_hsv, pattern_ycrcb, pattern_yuv, pattern_yiq, pattern_grey}) {
        PixelImage full = picture(37, 23);
        PixelImage index = picture(37, 23, 8);
        pattern(view_of(full));
        pattern(view_of(index));
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                ASSERT_EQ(get_pixel(view_of(index), x, y), get_pixel(view_of(full), x, y) & 0xFF) << x << "," << y;
    }
}

TEST(ImageprocPatterns, GreyRampsRiseAboveAndFallBelow) {
    PixelImage image = picture(256, 10, 32, 0x123456);
    PixelView view = view_of(image);
    pattern_grey(view);
    for (int x = 0; x < 256; x += 15) {
        const int g = x * 255 / 256;
        for (int y = 0; y < 5; ++y) EXPECT_EQ(get_pixel(view, x, y), g * 0x010101);
        for (int y = 5; y < 10; ++y) EXPECT_EQ(get_pixel(view, x, y), (255 - g) * 0x010101);
    }
    EXPECT_EQ(get_pixel(view, 255, 0), 254 * 0x010101);
    // One row high: the column's lines overlap there and the falling ramp,
    // drawn second, stays.
    PixelImage row = picture(4, 1);
    pattern_grey(view_of(row));
    EXPECT_EQ(get_pixel(view_of(row), 1, 0), (255 - 63) * 0x010101);
    unsigned char palette[256 * 4];
    grey_ramp_palette(palette);
    EXPECT_EQ(palette[200 * 4 + 0], 200);
    EXPECT_EQ(palette[200 * 4 + 1], 200);
    EXPECT_EQ(palette[200 * 4 + 2], 200);
    EXPECT_EQ(palette[200 * 4 + 3], 0);
}

TEST(ImageprocPatterns, EveryPixelIsOverwrittenOnOddSizes) {
    // A one-pixel picture and a narrow odd one: nothing left of the old fill.
    for (auto size : {std::make_pair(1, 1), std::make_pair(3, 7), std::make_pair(7, 3)}) {
        PixelImage image = picture(size.first, size.second, 32, 0x5A5A5A);
        pattern_rgb(view_of(image));
        for (int y = 0; y < size.second; ++y)
            for (int x = 0; x < size.first; ++x) {
                int expected = rgb(x * 255 / size.first, y * 255 / size.second,
                                   255 - (x + y) * 255 / (size.first + size.second));
                EXPECT_EQ(get_pixel(view_of(image), x, y), expected);
            }
    }
}

}  // namespace
