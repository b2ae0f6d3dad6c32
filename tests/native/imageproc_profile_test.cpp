#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imageproc/pixels.h"
#include "imageproc/profiles.h"
#include "imageproc/shapes.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::changed;
using kbxtest::picture;
using kbxtest::PointSet;

int plotted_row(int pixel, int selector) {
    std::uint32_t element = static_cast<std::uint32_t>(pixel);
    int divisor;
    int v = profile_value(&element, 0, selector, &divisor);
    return 127 - v * 127 / divisor;
}

// The rows of one column that hold the colour.
std::vector<int> rows_with(const PixelView& view, int x, int colour) {
    std::vector<int> rows;
    for (int y = 0; y < view.height; ++y)
        if (get_pixel(view, x, y) == colour) rows.push_back(y);
    return rows;
}

TEST(ImageprocProfile, ValuesMapToRows) {
    for (int sel : {kChannelRed, kChannelGreen, kChannelBlue, kChannelHue, kChannelSaturation, kChannelValue,
                    kChannelLuma})
        EXPECT_EQ(plotted_row(0x000000, sel), 127) << sel;
    EXPECT_EQ(plotted_row(0x000000, kChannelCr), 64);
    EXPECT_EQ(plotted_row(0x000000, kChannelCb), 64);
    EXPECT_EQ(plotted_row(0x800000, kChannelRed), 64);   // 127 - 128 * 127 / 255
    EXPECT_EQ(plotted_row(0x0000FF, kChannelHue), 43);   // 127 - 240 * 127 / 359
    EXPECT_EQ(plotted_row(0x808080, kChannelCr), 64);
    EXPECT_EQ(plotted_row(0x808080, kChannelCb), 64);
    EXPECT_EQ(plotted_row(0xFF0000, kChannelCr), 0);     // Cr + 128 = 256 still lands on row 0
    EXPECT_EQ(plotted_row(0x0000FF, kChannelCb), 0);
    // The first value bit in table order decides.
    EXPECT_EQ(plotted_row(0x00FF00, kChannelRed | kChannelGreen), 127);
    EXPECT_EQ(plotted_row(0x00FF00, kChannelGreen | kChannelHue), 0);
    unsigned char bytes[2] = {0, 200};
    int divisor;
    EXPECT_EQ(profile_value(bytes, 1, kChannelByte | kDrawCurve, &divisor), 200);
    EXPECT_EQ(divisor, 255);
}

TEST(ImageprocProfile, RgbOfAWhiteRowOnAWideWindow) {
    int w, h;
    profile_window_size(kProfileRgb, 300, &w, &h);
    EXPECT_EQ(w, 312);
    EXPECT_EQ(h, 128);
    profile_window_size(kProfileYcrcb, 300, &w, &h);
    EXPECT_EQ(w, 320);
    profile_window_size(kProfileCrcb, 300, &w, &h);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 256);
    char title[512];
    format_profile_title(kProfileRgb, 7, title, sizeof title);
    EXPECT_STREQ(title, "RGB(Y=7)");
    format_profile_title(kProfileLumi, 12, title, sizeof title);
    EXPECT_STREQ(title, "Luminance(Y=12)");
    format_profile_title(kProfileYcrcb, 0, title, sizeof title);
    EXPECT_STREQ(title, "YCrCb(Y=0)");

    std::vector<std::uint32_t> row(300, 0xFFFFFF);
    PixelImage image = picture(312, 128);
    PixelView view = view_of(image);
    TextCursor cursor = {0, 0, 0};
    int text_colour = 0;
    draw_profile(view, kProfileRgb, row.data(), 300, &cursor, &text_colour);
    // Three flat curves on row 0; blue was drawn last.
    for (int x = 12; x < 312; ++x) ASSERT_EQ(get_pixel(view, x, 0), 0x0000FF) << x;
    for (int x = 12; x < 312; ++x) ASSERT_EQ(rows_with(view, x, 0x0000FF), std::vector<int>{0}) << x;
    EXPECT_EQ(text_colour, 0x0000FF);   // the last label's colour stays
    EXPECT_EQ(cursor.left_margin, 2);
    EXPECT_EQ(cursor.x, 10);
    EXPECT_EQ(cursor.y, 104);
    // Labels: 'R' at (2, 40) is drawn on rows 26..39 in red.
    PointSet red;
    for (const auto& p : changed(view))
        if (get_pixel(view, p.first, p.second) == 0xFF0000) red.insert(p);
    ASSERT_FALSE(red.empty());
    for (const auto& p : red) EXPECT_TRUE(p.first >= 2 && p.first < 10 && p.second >= 26 && p.second <= 39);
}

TEST(ImageprocProfile, CurvesAreConnectedAndStartAfresh) {
    // A black pixel then a white one: the curve climbs from row 127 to row 0
    // as one steep line, stepping to the second column half way up.
    std::vector<std::uint32_t> row = {0x000000, 0xFFFFFF};
    PixelImage image = picture(14, 128);
    PixelView view = view_of(image);
    plot_profile(view, row.data(), 12, 2, kChannelRed | kDrawCurve, 0xFF0000);
    std::vector<int> lower, upper;
    for (int y = 64; y < 128; ++y) lower.push_back(y);
    for (int y = 0; y < 64; ++y) upper.push_back(y);
    EXPECT_EQ(rows_with(view, 12, 0xFF0000), lower);
    EXPECT_EQ(rows_with(view, 13, 0xFF0000), upper);
    // A second curve starts with a dot of its own, not a segment from the
    // end of the first.
    plot_profile(view, row.data(), 12, 1, kChannelGreen | kDrawCurve, 0x00FF00);
    EXPECT_EQ(changed(view).size(), 128u);
    EXPECT_EQ(get_pixel(view, 12, 127), 0x00FF00);
    // Dots only: no segment joins them, and the dot bit wins.
    PixelImage dots = picture(14, 128);
    plot_profile(view_of(dots), row.data(), 12, 2, kChannelRed | kDrawDots | kDrawCurve, 1);
    EXPECT_EQ(changed(view_of(dots)), (PointSet{{12, 127}, {13, 0}}));
    // Neither draw bit: nothing.
    PixelImage none = picture(14, 128);
    plot_profile(view_of(none), row.data(), 12, 2, kChannelRed, 1);
    EXPECT_TRUE(changed(view_of(none)).empty());
}

TEST(ImageprocProfile, HsvYcrcbAndLumiCurves) {
    std::vector<std::uint32_t> blue(5, 0x0000FF), grey(5, 0x808080);
    PixelImage image = picture(17, 128);
    TextCursor cursor = {0, 0, 0};
    int text_colour = 0;
    draw_profile(view_of(image), kProfileHsv, blue.data(), 5, &cursor, &text_colour);
    EXPECT_EQ(get_pixel(view_of(image), 14, 43), 0xFFFF00);   // hue of blue
    EXPECT_EQ(text_colour, 0x00FFFF);
    PixelImage y = picture(25, 128);
    draw_profile(view_of(y), kProfileYcrcb, grey.data(), 5, &cursor, &text_colour);
    // Cr and Cb of grey both sit on row 64; Cb was drawn after Cr.
    EXPECT_EQ(get_pixel(view_of(y), 22, 64), 0x8888FF);
    EXPECT_EQ(get_pixel(view_of(y), 22, 127 - 128 * 127 / 255), 0x8888FF);
    EXPECT_EQ(get_pixel(view_of(y), 22, 127 - 128 * 127 / 255 - 1), 0);
    EXPECT_EQ(text_colour, 0x8888FF);
    // Luminance of an 8-bit row: the index itself, whatever it stands for.
    std::vector<unsigned char> index = {0, 255, 128};
    PixelImage l = picture(15, 128);
    draw_profile(view_of(l), kProfileLumi, index.data(), 3, &cursor, &text_colour);
    EXPECT_EQ(get_pixel(view_of(l), 12, 127), 0xFFFFFF);
    EXPECT_EQ(get_pixel(view_of(l), 13, 0), 0xFFFFFF);
    EXPECT_EQ(get_pixel(view_of(l), 14, 64), 0xFFFFFF);
    EXPECT_EQ(text_colour, 0xFFFFFF);
    EXPECT_EQ(profile_source_depth(kProfileLumi), 8);
    EXPECT_EQ(profile_source_depth(kProfileRgb), 32);
}

TEST(ImageprocProfile, CrCbAxesLabelsAndPoints) {
    int x, y;
    crcb_point(0x808080, &x, &y);
    EXPECT_EQ(x, 128);
    EXPECT_EQ(y, 128);
    crcb_point(0x0000FF, &x, &y);
    EXPECT_EQ(x, 256);   // just outside the window
    crcb_point(0x00FF00, &x, &y);
    EXPECT_EQ(x, 128 - 83);
    EXPECT_EQ(y, 128 + 106);
    PixelImage image = picture(256, 256);
    PixelView view = view_of(image);
    TextCursor cursor = {0, 0, 0};
    int text_colour = 0;
    draw_crcb_axes(view, &cursor, &text_colour);
    EXPECT_EQ(get_pixel(view, 0, 128), 0x808080);
    EXPECT_EQ(get_pixel(view, 255, 128), 0x808080);
    EXPECT_EQ(get_pixel(view, 128, 0), 0x808080);
    EXPECT_EQ(text_colour, 0x8888FF);
    bool cr_label = false;
    for (const auto& p : changed(view))
        if (get_pixel(view, p.first, p.second) == 0xFF8888) cr_label = cr_label || (p.first >= 110 && p.second < 16);
    EXPECT_TRUE(cr_label);
}

TEST(ImageprocProfile, CrCbPathAlternatesColours) {
    for (int count : {4, 5}) {
        std::vector<std::uint32_t> row(count, 0x336699);
        PixelImage image = picture(256, 256);
        TextCursor cursor = {0, 0, 0};
        int text_colour = 0;
        plot_crcb_path(view_of(image), row.data(), count, &cursor, &text_colour);
        int x, y;
        crcb_point(0x336699, &x, &y);
        // The single point takes the colour of the last zero-length segment.
        EXPECT_EQ(get_pixel(view_of(image), x, y), count % 2 == 0 ? 0xFF00FF : 0xFFFFFF) << count;
    }
    // A grey pixel lands on the crossing of the axes.
    std::uint32_t grey = 0x808080;
    PixelImage image = picture(256, 256);
    TextCursor cursor = {0, 0, 0};
    int text_colour = 0;
    plot_crcb_path(view_of(image), &grey, 1, &cursor, &text_colour);
    EXPECT_EQ(get_pixel(view_of(image), 128, 128), 0xFFFFFF);
}

TEST(ImageprocProfile, PureBlueIsDroppedButItsSegmentsReachTheEdge) {
    std::vector<std::uint32_t> row = {0x808080, 0x0000FF};
    PixelImage image = picture(256, 256);
    TextCursor cursor = {0, 0, 0};
    int text_colour = 0;
    plot_crcb_path(view_of(image), row.data(), 2, &cursor, &text_colour);
    int x, y;
    crcb_point(0x0000FF, &x, &y);
    EXPECT_EQ(pen_position.x, 256);
    // The segment from the grey point (white, then magenta) runs to column 255.
    EXPECT_EQ(get_pixel(view_of(image), 255, y), 0xFF00FF);
}

TEST(ImageprocProfile, AreaPlotsEachRowAsItsOwnWhitePath) {
    PixelImage one = picture(256, 256);
    TextCursor cursor = {0, 0, 0};
    int text_colour = 0;
    std::uint32_t pixel = 0xC08040;
    plot_crcb_area(view_of(one), &pixel, 1, 1, &cursor, &text_colour);
    int x, y;
    crcb_point(0xC08040, &x, &y);
    EXPECT_EQ(get_pixel(view_of(one), x, y), 0xFFFFFF);
    // Two rows of two: red to green, then blue to grey; no segment from the
    // end of the first row to the start of the second.
    std::vector<std::uint32_t> area = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    PixelImage image = picture(256, 256);
    plot_crcb_area(view_of(image), area.data(), 2, 2, &cursor, &text_colour);
    PixelImage expected = picture(256, 256);
    draw_crcb_axes(view_of(expected), &cursor, &text_colour);
    int x1, y1, x2, y2;
    crcb_point(0xFF0000, &x1, &y1);
    crcb_point(0x00FF00, &x2, &y2);
    draw_line(view_of(expected), 0xFFFFFF, x1, y1, x2, y2);
    crcb_point(0x0000FF, &x1, &y1);
    crcb_point(0x808080, &x2, &y2);
    draw_line(view_of(expected), 0xFFFFFF, x1, y1, x2, y2);
    EXPECT_TRUE(kbxtest::same_pixels(image, expected));
}

}  // namespace
