// Picture comparison for the test helper: what counts as a difference at a
// tolerance, where the first one is, and the picture that marks them.
#include <gtest/gtest.h>

#include <vector>

#include "testing/picture_compare.h"

using kbxtest::compare_pictures;

TEST(PictureCompare, CountsChannelsBeyondTheTolerance) {
    const std::vector<unsigned> expected = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xFFFFFF, 0x000000};
    const struct {
        int index;          // the pixel changed
        unsigned actual;    // to this
        int tolerance;
        long count;
        int largest;
    } cases[] = {
        {-1, 0, 0, 0, 0},               // identical
        {3, 0xA0B0C3, 3, 0, 3},         // blue off by 3: within 3
        {3, 0xA0B0C3, 2, 1, 3},         // not within 2
        {1, 0x3F5060, 0, 1, 1},         // red, one below
        {5, 0x00FF00, 254, 1, 255},     // green, the whole range
        {4, 0xFEFEFE, 0, 1, 1},         // every channel off by 1: one pixel
    };
    for (const auto& c : cases) {
        std::vector<unsigned> actual = expected;
        if (c.index >= 0) actual[c.index] = c.actual;
        std::vector<unsigned> marks;
        const auto d = compare_pictures(actual.data(), expected.data(), 3, 2, c.tolerance, &marks);
        EXPECT_EQ(d.count, c.count) << c.index;
        EXPECT_EQ(d.largest, c.largest) << c.index;
        EXPECT_EQ(d.first_x, c.count ? c.index % 3 : -1);
        EXPECT_EQ(d.first_y, c.count ? c.index / 3 : -1);
        ASSERT_EQ(marks.size(), expected.size());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(marks[i] == 0xFF0000u, c.count && i == c.index) << c.index << " at " << i;
    }
}
