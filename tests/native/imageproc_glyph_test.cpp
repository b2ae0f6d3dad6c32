#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "imageproc/bitmap_font.h"
#include "imageproc/glyph_text.h"
#include "imageproc/pixels.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::changed;
using kbxtest::picture;
using kbxtest::PointSet;

const unsigned char* glyph(char c) { return kBitmapFont[static_cast<unsigned char>(c) - kFirstGlyph]; }

PointSet glyph_pixels(char c, int left, int bottom) {
    PointSet out;
    for (int r = 0; r < kGlyphHeight; ++r)
        for (int k = 0; k < kGlyphWidth; ++k)
            if (glyph(c)[r] & (0x80 >> k)) out.insert({left + k, bottom - 14 + r});
    return out;
}

TEST(ImageprocGlyphs, GivenRowsOfTheFont) {
    const unsigned char a[14] = {0, 0, 0x18, 0x3C, 0x66, 0x66, 0x66, 0x7E, 0x66, 0x66, 0x66, 0, 0, 0};
    const unsigned char zero[14] = {0, 0, 0x1E, 0x33, 0x37, 0x37, 0x33, 0x3B, 0x3B, 0x33, 0x1E, 0, 0, 0};
    const unsigned char g[14] = {0, 0, 0, 0, 0x3E, 0x66, 0x66, 0x66, 0x66, 0x66, 0x3E, 0x06, 0x06, 0x7C};
    const unsigned char x[14] = {0, 0, 0, 0, 0x66, 0x66, 0x3C, 0x18, 0x3C, 0x66, 0x66, 0, 0, 0};
    const unsigned char under[14] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF};
    const unsigned char bar[14] = {0, 0, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18};
    EXPECT_EQ(0, std::memcmp(glyph('A'), a, 14));
    EXPECT_EQ(0, std::memcmp(glyph('0'), zero, 14));
    EXPECT_EQ(0, std::memcmp(glyph('g'), g, 14));
    EXPECT_EQ(0, std::memcmp(glyph('x'), x, 14));
    EXPECT_EQ(0, std::memcmp(glyph('_'), under, 14));
    EXPECT_EQ(0, std::memcmp(glyph('|'), bar, 14));
}

TEST(ImageprocGlyphs, DesignKeepsItsRows) {
    const unsigned char blank[14] = {};
    EXPECT_EQ(0, std::memcmp(kBitmapFont[0], blank, 14));      // space
    EXPECT_EQ(0, std::memcmp(kBitmapFont[95], blank, 14));     // 0x7F
    std::set<std::string> designs;
    for (int c = 0x21; c < 0x7F; ++c) {
        const unsigned char* g = kBitmapFont[c - kFirstGlyph];
        int top = 14, bottom = -1;
        for (int r = 0; r < 14; ++r)
            if (g[r]) top = std::min(top, r), bottom = std::max(bottom, r);
        ASSERT_LE(top, bottom) << "blank glyph " << static_cast<char>(c);
        EXPECT_TRUE(designs.insert(std::string(reinterpret_cast<const char*>(g), 14)).second)
            << "duplicate glyph " << static_cast<char>(c);
        const bool capital = c >= 'A' && c <= 'Z', digit = c >= '0' && c <= '9';
        if (capital || digit) {
            EXPECT_EQ(top, 2) << static_cast<char>(c);
            EXPECT_EQ(bottom, c == 'Q' ? 12 : 10) << static_cast<char>(c);
        }
        if (c >= 'a' && c <= 'z') {
            EXPECT_GE(top, 1) << static_cast<char>(c);
            EXPECT_GE(bottom, 10) << static_cast<char>(c);   // on the base line or below it
            const bool ascender = std::strchr("bdfhijklt", c) != nullptr;
            const bool descender = std::strchr("gjpqy", c) != nullptr;
            EXPECT_EQ(top < 4, ascender) << static_cast<char>(c);
            EXPECT_EQ(bottom == 13, descender) << static_cast<char>(c);
        }
    }
}

TEST(ImageprocGlyphs, PlacementAndNewLine) {
    PixelImage image = picture(40, 40);
    PixelView view = view_of(image);
    TextCursor cursor = {10, 20, 10};
    draw_glyph_string(view, &cursor, 0xFFFFFF, utf8_char_size, "AB\nC");
    PointSet expected = glyph_pixels('A', 10, 20);
    for (const auto& p : glyph_pixels('B', 18, 20)) expected.insert(p);
    for (const auto& p : glyph_pixels('C', 10, 36)) expected.insert(p);
    EXPECT_EQ(changed(view), expected);
    // 'A' in columns 10..17, rows 6..19; 'C' in rows 22..35.
    for (const auto& p : glyph_pixels('A', 10, 20)) EXPECT_TRUE(p.first >= 10 && p.first <= 17 && p.second >= 6 && p.second <= 19);
    for (const auto& p : glyph_pixels('C', 10, 36)) EXPECT_TRUE(p.second >= 22 && p.second <= 35);
    EXPECT_EQ(cursor.x, 18);
    EXPECT_EQ(cursor.y, 36);
    // The pen ends on the last set pixel of the last glyph drawn.
    EXPECT_EQ(PointSet({{pen_position.x, pen_position.y}}).size(), 1u);
    EXPECT_TRUE(glyph_pixels('C', 10, 36).count({pen_position.x, pen_position.y}));
}

TEST(ImageprocGlyphs, BackgroundShowsThrough) {
    PixelImage image = picture(8, 14, 32, 0x112233);
    TextCursor cursor = {0, 14, 0};
    put_glyph(view_of(image), &cursor, 0xFF0000, 'x');
    EXPECT_EQ(get_pixel(view_of(image), 0, 0), 0x112233);
    EXPECT_EQ(get_pixel(view_of(image), 1, 4), 0xFF0000);   // 0x66 on row 4: column 1 set
    EXPECT_EQ(get_pixel(view_of(image), 3, 4), 0x112233);
}

TEST(ImageprocGlyphs, WrapsWhenTheNextCharacterWouldNotFit) {
    PixelImage image = picture(20, 60);
    TextCursor cursor = {0, 14, 0};
    put_glyph(view_of(image), &cursor, 1, 'A');
    EXPECT_EQ(cursor.x, 8);
    put_glyph(view_of(image), &cursor, 1, 'A');
    // x = 16 exceeds 20 - 8: the third character starts a new line.
    EXPECT_EQ(cursor.x, 0);
    EXPECT_EQ(cursor.y, 30);
    put_glyph(view_of(image), &cursor, 1, 'A');
    EXPECT_TRUE(changed(view_of(image)).count({1, 16 + 4}));   // 'A' row 4 column 1 on the second line
    // A cursor already near the right edge draws a cut glyph, then wraps.
    TextCursor edge = {15, 50, 3};
    put_glyph(view_of(image), &edge, 1, 'H');
    EXPECT_EQ(edge.x, 3);
    EXPECT_EQ(edge.y, 66);
}

TEST(ImageprocGlyphs, CodesOutsideTheFont) {
    PixelImage image = picture(40, 20);
    TextCursor cursor = {5, 16, 2};
    put_glyph(view_of(image), &cursor, 1, 0xE9);
    put_glyph(view_of(image), &cursor, 1, '\t');
    EXPECT_EQ(cursor.x, 5);
    EXPECT_EQ(cursor.y, 16);
    put_glyph(view_of(image), &cursor, 1, 0x7F);
    put_glyph(view_of(image), &cursor, 1, ' ');
    EXPECT_EQ(cursor.x, 21);
    EXPECT_TRUE(changed(view_of(image)).empty());
}

TEST(ImageprocGlyphs, CursorAtTheLimitsOfInt) {
    PixelImage image = picture(16, 16);
    TextCursor cursor = {2147483647 - 2, -2147483647, 4};
    put_glyph(view_of(image), &cursor, 1, 'W');
    EXPECT_EQ(cursor.x, 4);                     // wrapped to the margin
    EXPECT_EQ(cursor.y, -2147483647 + 16);
    TextCursor low = {0, 2147483647 - 3, 0};
    put_glyph(view_of(image), &low, 1, '\n');
    EXPECT_EQ(low.y, 2147483647);               // held at the largest int
    EXPECT_TRUE(changed(view_of(image)).empty());
}

TEST(ImageprocGlyphs, FormattedTextIsDrawnWhole) {
    PixelImage image = picture(100, 20);
    TextCursor cursor = {0, 16, 0};
    draw_glyph_text(view_of(image), &cursor, 1, utf8_char_size, "%d-%s", 42, "ok");
    EXPECT_EQ(cursor.x, 40);   // five characters
    // Longer than the 4096-byte buffer: every character still advances.
    std::string long_text(5000, '.');
    PixelImage wide = picture(100000, 20);
    TextCursor far = {0, 16, 0};
    draw_glyph_text(view_of(wide), &far, 1, utf8_char_size, "%s!", long_text.c_str());
    EXPECT_EQ(far.x, 5001 * 8);
    EXPECT_EQ(get_pixel(view_of(wide), 5000 * 8 + 3, 12), 1);   // the '!' at the very end
}

}  // namespace
