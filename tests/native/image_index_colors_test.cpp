// Palette images made from 32-bit pictures for the GIF files.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/index_colors.h"

namespace kbx {
namespace {

TEST(ImageIndexColors, ExactUpTo256Colours) {
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 256; ++i) pixels.push_back(static_cast<std::uint32_t>(i * 0x010203) | 0xFF000000u);
    pixels.push_back(0x020406);   // a repeat, top byte differs
    std::uint32_t palette[256];
    std::vector<unsigned char> indices(pixels.size());
    ASSERT_EQ(256, index_colors(pixels.data(), pixels.size(), palette, indices.data()));
    for (std::size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(pixels[i] & 0xFFFFFF, palette[indices[i]]) << i;
    EXPECT_EQ(0, index_colors(pixels.data(), 0, palette, indices.data()));
}

TEST(ImageIndexColors, ColourCubeBeyond256) {
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 300; ++i) pixels.push_back(static_cast<std::uint32_t>(i * 0x00A311));
    pixels.push_back(0xFF0000);
    pixels.push_back(0x33CC66);
    std::uint32_t palette[256];
    std::vector<unsigned char> indices(pixels.size());
    ASSERT_EQ(216, index_colors(pixels.data(), pixels.size(), palette, indices.data()));
    EXPECT_EQ(0xFF0000u, palette[indices[300]]);   // cube colours stay exact
    EXPECT_EQ(0x33CC66u, palette[indices[301]]);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        std::uint32_t got = palette[indices[i]], want = pixels[i];
        for (int shift = 0; shift < 24; shift += 8) {
            int d = static_cast<int>((got >> shift) & 255) - static_cast<int>((want >> shift) & 255);
            ASSERT_LE(d < 0 ? -d : d, 25) << i;   // the nearest cube level
        }
    }
}

}  // namespace
}  // namespace kbx
