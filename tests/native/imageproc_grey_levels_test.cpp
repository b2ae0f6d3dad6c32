#include <gtest/gtest.h>

#include <cstdint>

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
        {32, 128, 0x808080, 0xFFFFFF},   // Y 128: at the level is white
        {32, 128, 0x7F7F7F, 0},
        {32, 0, 0x000000, 0xFFFFFF},     // every Y is at least 0
        {32, 256, 0xFFFFFF, 0},          // no Y reaches 256
        {32, 77, 0xFF0000, 0},           // red: Y 76
        {32, 76, 0xFF0000, 0xFFFFFF},
        {8, kGrey, 0xFF0000, 76},
        {8, 76, 0xFF0000, 255},
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

}  // namespace
