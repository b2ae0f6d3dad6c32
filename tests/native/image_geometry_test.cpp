// Zoom fitting, zoom steps, coordinates and the pixel layout of image windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/image_geometry.h"

namespace kbx {
namespace {

// A 1280 x 1024 screen with typical frame metrics.
const ScreenMetrics kScreen = {112, 27, 4, 19, 1280, 1024};

TEST(ImageDisplayLimits, ScreenLimitedAndFl) {
    DisplayLimits s = display_limits_from(1, kScreen);
    EXPECT_EQ(104, s.min_width);               // 112 - 2 * 4
    EXPECT_EQ(27 - 8 - 19, s.min_height);      // the horizontal frame serves for both
    EXPECT_EQ(1280, s.max_width);
    EXPECT_EQ(1024 - 19, s.max_height);
    DisplayLimits fl = display_limits_from(0, kScreen);
    EXPECT_EQ(1, fl.min_width);
    EXPECT_EQ(1, fl.min_height);
    EXPECT_EQ(2560, fl.max_width);
    EXPECT_EQ(2048, fl.max_height);
}

TEST(ImageFitZoom, ZoomThatFitsIsKept) {
    DisplayLimits limits = display_limits_from(1, kScreen);
    ZoomFit fit;
    ASSERT_TRUE(fit_zoom(100, 320, 240, limits, &fit));
    EXPECT_EQ(100, fit.zoom);
    EXPECT_EQ(320, fit.client_width);
    EXPECT_EQ(240, fit.client_height);
    // Values whose floating form is inexact still stay what was asked.
    for (int z = 1; z <= 400; ++z) {
        ASSERT_TRUE(fit_zoom(z, 300, 300, limits, &fit)) << z;
        int expected = z;
        if (300 * z / 100 < 104) expected = (104 * 100 + 299) / 300;   // raised to the minimum width
        if (300 * z / 100 > 1005) expected = 1005 * 100 / 300;         // lowered to the maximum height
        EXPECT_EQ(expected, fit.zoom) << z;
    }
}

TEST(ImageFitZoom, LargerThanScreenGetsLargestZoomThatFits) {
    DisplayLimits limits = display_limits_from(1, kScreen);
    ZoomFit fit;
    ASSERT_TRUE(fit_zoom(100, 2000, 1000, limits, &fit));
    EXPECT_EQ(64, fit.zoom);   // 1280 / 2000
    EXPECT_EQ(1280, fit.client_width);
    EXPECT_EQ(640, fit.client_height);
    ASSERT_TRUE(fit_zoom(400, 1280, 1005, limits, &fit));   // just fills the screen at 100
    EXPECT_EQ(100, fit.zoom);
    EXPECT_LE(fit.client_width, limits.max_width);
    EXPECT_LE(fit.client_height, limits.max_height);
}

TEST(ImageFitZoom, TinyPictureIsRaisedToTheMinimum) {
    DisplayLimits limits = display_limits_from(1, kScreen);
    ZoomFit fit;
    ASSERT_TRUE(fit_zoom(100, 1, 1, limits, &fit));
    EXPECT_EQ(10400, fit.zoom);
    EXPECT_EQ(104, fit.client_width);
    EXPECT_GE(fit.client_height, limits.min_height);
    // A zoom of 0 or below ends at a zoom that fits.
    ASSERT_TRUE(fit_zoom(0, 320, 240, limits, &fit));
    EXPECT_GE(fit.client_width, limits.min_width);
    ASSERT_TRUE(fit_zoom(-50, 320, 240, limits, &fit));
    EXPECT_GE(fit.zoom, 1);
}

TEST(ImageFitZoom, NoZoomFits) {
    DisplayLimits limits = display_limits_from(1, kScreen);
    ZoomFit fit = {7, 7, 7};
    EXPECT_FALSE(fit_zoom(100, 1, 2000, limits, &fit));
    EXPECT_EQ(7, fit.zoom);   // untouched on failure
    EXPECT_FALSE(fit_zoom(100, 1000000, 1, limits, &fit));
    // The FL bounds allow it.
    EXPECT_TRUE(fit_zoom(100, 1, 2000, display_limits_from(0, kScreen), &fit));
    EXPECT_EQ(100, fit.zoom);
}

TEST(ImageFitZoom, ExtremeRequestsDoNotOverflow) {
    DisplayLimits limits = display_limits_from(0, kScreen);
    ZoomFit fit;
    ASSERT_TRUE(fit_zoom(0x7FFFFFFF, 1000, 3, limits, &fit));
    EXPECT_EQ(256, fit.zoom);
    EXPECT_EQ(2560, fit.client_width);
    EXPECT_FALSE(fit_zoom(0x7FFFFFFF, 0x7FFFFFFF / 4, 3, limits, &fit));
    ASSERT_TRUE(fit_zoom(-0x7FFFFFFF - 1, 5, 5, limits, &fit));
    EXPECT_GE(fit.zoom, 1);
}

TEST(ImageZoomSteps, FromHundred) {
    EXPECT_EQ(111, zoom_step_up(100));
    EXPECT_EQ(90, zoom_step_down(100));
    EXPECT_EQ(123, zoom_step_up(111));
    // Small zooms stay put.
    for (int z = 1; z <= 4; ++z) EXPECT_EQ(z, zoom_step_up(z));
    for (int z = 1; z <= 5; ++z) EXPECT_EQ(z, zoom_step_down(z));
    EXPECT_EQ(6, zoom_step_up(5));
}

TEST(ImageCoordinates, ClientToPicture) {
    EXPECT_EQ(5, client_to_picture(10, 200));
    EXPECT_EQ(33, client_to_picture(10, 30));
    EXPECT_EQ(0xFFFF, client_to_picture(0xFFFF, 100));
    EXPECT_EQ(1, client_to_picture(0x10001u, 100));   // only the low word counts
}

TEST(ImagePixelLayout, RowsAndOffsets) {
    EXPECT_EQ(4u, image_row_bytes(8, 3));
    EXPECT_EQ(4u, image_row_bytes(8, 4));
    EXPECT_EQ(8u, image_row_bytes(8, 5));
    EXPECT_EQ(12u, image_row_bytes(32, 3));
    EXPECT_EQ(4u, pixel_offset(8, 3, 0, 1));   // pixel (0, 1) of a 3-wide 8-bit picture
    EXPECT_EQ(4u * 7 + 8, pixel_offset(32, 7, 2, 1));
    EXPECT_EQ(8u, image_buffer_bytes(8, 3, 2));
    EXPECT_EQ(0u, image_buffer_bytes(32, 3, 0));
}

TEST(ImagePixelLayout, CopyRectPadsOutsideWithZero) {
    // 3 x 2 picture, words 1..6.
    const std::uint32_t pixels[] = {1, 2, 3, 4, 5, 6};
    std::vector<std::uint32_t> out(4 * 3, 99);
    copy_rect_32(pixels, 3, 2, -1, 0, 4, 3, out.data());
    const std::uint32_t expected[] = {0, 1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(expected[i], out[i]) << i;

    // 8-bit rows are padded to 4 bytes; padding never leaks into the copy.
    const unsigned char bytes[] = {1, 2, 3, 77, 4, 5, 6, 77};
    unsigned char out8[8];
    copy_rect_8(bytes, 3, 2, 1, 0, 4, 2, out8);
    const unsigned char expected8[] = {2, 3, 0, 0, 5, 6, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(expected8[i], out8[i]) << i;

    // Coordinates near the int limits are outside, not wrapped.
    std::uint32_t far[2] = {9, 9};
    copy_rect_32(pixels, 3, 2, 0x7FFFFFFF, 0, 2, 1, far);
    EXPECT_EQ(0u, far[0]);
    EXPECT_EQ(0u, far[1]);
}

}  // namespace
}  // namespace kbx
