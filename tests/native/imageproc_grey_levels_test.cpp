#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "imageproc/colour_models.h"
#include "imageproc/grey_levels.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::picture;

int y_of(std::uint32_t colour) {
    const int c = static_cast<int>(colour);
    return luma_y(red_of(c), green_of(c), blue_of(c));
}

// One pixel (a word, or an index into a palette whose entry 3 is the word)
// through grey (level kGrey) or the threshold at level.
constexpr int kGrey = -1000;

TEST(ImageprocGreyLevels, EachPixelByItsLuminance) {
    struct Case {
        int depth, level;
        std::uint32_t colour;
        int want;   // the word, or the index
    } cases[] = {
        {32, kGrey, 0x123456, y_of(0x123456) * 0x010101},
        {32, kGrey, 0xFF123456u, y_of(0x123456) * 0x010101},   // the top byte is no colour
        {32, kGrey, 0xFFFFFF, 0xFFFFFF},
        {32, kGrey, 0x000000, 0},
        {32, 128, 0x808080, 0xFFFFFF},   // Y 128: at the level is white
        {32, 128, 0x7F7F7F, 0},
        {32, 0, 0x000000, 0xFFFFFF},     // every Y is at least 0
        {32, -5, 0x000000, 0xFFFFFF},
        {32, 256, 0xFFFFFF, 0},          // no Y reaches 256
        {32, 77, 0xFF0000, 0},           // red: Y 76
        {32, 76, 0xFF0000, 0xFFFFFF},
        {8, kGrey, 0xFF0000, 76},
        {8, kGrey, 0x00FF00, y_of(0x00FF00)},
        {8, 76, 0xFF0000, 255},
        {8, 77, 0xFF0000, 0},
    };
    for (const Case& c : cases) {
        PixelImage image = picture(5, 2, c.depth, c.depth == 32 ? static_cast<int>(c.colour) : 3);
        std::uint32_t palette[256] = {};
        palette[3] = c.colour;
        if (c.level == kGrey)
            grey_pixels(view_of(image), palette);
        else
            threshold_pixels(view_of(image), c.level, palette);
        EXPECT_TRUE(kbxtest::changed(view_of(image), c.want).empty())
            << c.depth << "-bit " << std::hex << c.colour << " at " << std::dec << c.level;
    }
}

// Random rows of odd widths, every pixel against the scalar luminance; an
// 8-bit picture without a palette is taken as grey already.
TEST(ImageprocGreyLevels, WholePicturesMatchThePixelFormula) {
    std::mt19937 rng(19);
    for (int width : {1, 7, 33, 250}) {
        PixelImage image = picture(width, 3), grey8 = picture(width, 3, 8);
        PixelView view = view_of(image), view8 = view_of(grey8);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                store_inside(view, x, y, static_cast<int>(rng()));
                store_inside(view8, x, y, static_cast<int>(rng() & 0xFF));
            }
        PixelImage original = image, threshold = image, grey8_before = grey8;
        grey_pixels(view, nullptr);
        threshold_pixels(view_of(threshold), 100, nullptr);
        grey_pixels(view8, nullptr);
        EXPECT_TRUE(kbxtest::same_pixels(grey8, grey8_before)) << width;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const int level = y_of(static_cast<std::uint32_t>(get_pixel(view_of(original), x, y)));
                ASSERT_EQ(level * 0x010101, get_pixel(view, x, y)) << width;
                ASSERT_EQ(level >= 100 ? 0xFFFFFF : 0, get_pixel(view_of(threshold), x, y)) << width;
            }
    }
}

}  // namespace
