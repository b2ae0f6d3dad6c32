#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "imageproc/paint_fill.h"
#include "imageproc/pixels.h"
#include "imageproc/shapes.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::changed;
using kbxtest::picture;

// Plain breadth-first flood fill of the 4-connected region, for comparison.
void reference_fill(const PixelView& view, int colour, int x, int y) {
    if (!inside(view, x, y)) return;
    const int target = load_inside(view, x, y), fill = stored_value(view, colour);
    if (target == fill) return;
    std::deque<std::pair<int, int>> queue = {{x, y}};
    store_inside(view, x, y, fill);
    while (!queue.empty()) {
        auto p = queue.front();
        queue.pop_front();
        const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            int nx = p.first + dx[k], ny = p.second + dy[k];
            if (inside(view, nx, ny) && load_inside(view, nx, ny) == target) {
                store_inside(view, nx, ny, fill);
                queue.push_back({nx, ny});
            }
        }
    }
}

// The scan written out pixel by pixel with an unbounded stack: where it
// ends (the last run it fills) shows the order in which seeds were taken.
std::pair<int, int> scan_fill_end(const PixelView& view, int colour, int x, int y) {
    const int target = probe_pixel(view, x, y), fill = stored_value(view, colour);
    std::vector<std::pair<int, int>> stack;
    std::pair<int, int> last = {-1, -1};
    for (;;) {
        while (probe_pixel(view, x - 1, y) == target) --x;
        const int x0 = x;
        bool up_open = true, down_open = true;
        for (; probe_pixel(view, x, y) == target; ++x) {
            const int up = probe_pixel(view, x, y - 1), down = probe_pixel(view, x, y + 1);
            if (up_open && up == target) stack.push_back({x, y - 1}), up_open = false;
            else if (!up_open && up != target) up_open = true;
            if (down_open && down == target) stack.push_back({x, y + 1}), down_open = false;
            else if (!down_open && down != target) down_open = true;
        }
        for (int i = x0; i < x; ++i) store_inside(view, i, y, fill);
        last = {x - 1, y};
        bool found = false;
        while (!stack.empty()) {
            auto s = stack.back();
            stack.pop_back();
            if (probe_pixel(view, s.first, s.second) == target) {
                x = s.first;
                y = s.second;
                found = true;
                break;
            }
        }
        if (!found) return last;
    }
}

TEST(ImageprocFill, SeedsAreTakenInScanOrder) {
    std::mt19937 rng(99);
    for (int round = 0; round < 300; ++round) {
        const int w = 2 + static_cast<int>(rng() % 30), h = 2 + static_cast<int>(rng() % 20);
        PixelImage image = picture(w, h, 8);
        PixelView view = view_of(image);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) store_inside(view, x, y, rng() % 4 == 0 ? 1 : 0);
        const int x = static_cast<int>(rng() % w), y = static_cast<int>(rng() % h);
        if (load_inside(view, x, y) != 0) continue;
        PixelImage copy = image;
        const auto expected = scan_fill_end(view_of(copy), 2, x, y);
        paint_fill(view, 2, x, y);
        ASSERT_TRUE(kbxtest::same_pixels(image, copy)) << round;
        ASSERT_EQ(pen_position.x, expected.first) << round;
        ASSERT_EQ(pen_position.y, expected.second) << round;
    }
}

TEST(ImageprocFill, StopsAtACircleOutline) {
    PixelImage image = picture(41, 41);
    PixelView view = view_of(image);
    draw_circle(view, 0xFF0000, 20, 20, 15);
    const auto outline = changed(view);
    paint_fill(view, 0x00FF00, 20, 20);
    int inside_count = 0;
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x < 41; ++x) {
            const int p = get_pixel(view, x, y);
            const int dx = x - 20, dy = y - 20;
            if (outline.count({x, y})) {
                EXPECT_EQ(p, 0xFF0000);   // the outline is kept
            } else if (dx * dx + dy * dy < 13 * 13) {
                EXPECT_EQ(p, 0x00FF00) << x << "," << y;   // well inside: filled
                ++inside_count;
            } else if (dx * dx + dy * dy > 16 * 16) {
                EXPECT_EQ(p, 0) << x << "," << y;   // outside: untouched
            }
        }
    }
    EXPECT_GT(inside_count, 500);
    // Nothing leaked through the diagonal steps of the outline.
    EXPECT_EQ(get_pixel(view, 0, 0), 0);
    EXPECT_EQ(get_pixel(view, 20, 40), 0);
}

TEST(ImageprocFill, SameColourOrOutsideDoesNothing) {
    PixelImage image = picture(5, 5, 32, 0x00FF00);
    paint_fill(view_of(image), 0x00FF00, 2, 2);
    paint_fill(view_of(image), 0x123456, -1, 2);
    paint_fill(view_of(image), 0x123456, 2, 5);
    EXPECT_TRUE(changed(view_of(image), 0x00FF00).empty());
}

TEST(ImageprocFill, EightBitComparesTheStoredIndex) {
    // Index 255 and the colour 0xFFFFFF store the same byte: nothing to do,
    // and above all no endless refilling of the same pixels.
    PixelImage image = picture(6, 4, 8, 255);
    paint_fill(view_of(image), 0xFFFFFF, 1, 1);
    EXPECT_TRUE(changed(view_of(image), 255).empty());
    paint_fill(view_of(image), 0x123407, 1, 1);
    EXPECT_TRUE(changed(view_of(image), 7).empty());
}

TEST(ImageprocFill, WordsWithTheTopByteSetAreOrdinaryColours) {
    // 0xFFFFFFFF reads as -1, the value probing gives outside the picture;
    // the fill must still stay inside and fill the region.
    PixelImage image = picture(7, 5, 32, static_cast<int>(0xFFFFFFFFu));
    draw_line(view_of(image), 0, 3, 0, 3, 4);
    paint_fill(view_of(image), 0x0000FF, 0, 0);
    EXPECT_EQ(get_pixel(view_of(image), 2, 4), 0x0000FF);
    EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view_of(image), 4, 4)), 0xFFFFFFFFu);
}

TEST(ImageprocFill, DiagonalNeighboursAreNotConnected) {
    PixelImage image = picture(4, 4, 8, 9);
    PixelView view = view_of(image);
    store_inside(view, 1, 1, 0);
    store_inside(view, 2, 2, 0);
    paint_fill(view, 5, 1, 1);
    EXPECT_EQ(get_pixel(view, 1, 1), 5);
    EXPECT_EQ(get_pixel(view, 2, 2), 0);
}

// A lattice maze: every even row is open, odd rows are open at every other
// column. The scan pushes a seed for each opening and keeps hundreds of
// thousands pending, far beyond the fixed seed storage.
TEST(ImageprocFill, LargeRaggedMazeIsFilledCompletely) {
    const int size = 1201;
    for (int depth : {32, 8}) {
        PixelImage image = picture(size, size, depth, 0x000001);
        PixelView view = view_of(image);
        for (int y = 1; y < size; y += 2)
            for (int x = 1; x < size; x += 2) store_inside(view, x, y, 0x000002);   // walls
        const long long spilled = paint_fill(view, 0x000003, size / 2, size / 2 + 1).spilled;
        EXPECT_GT(spilled, 10 * kLocalFillSeeds) << depth;
        long long open = 0, walls = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int p = load_inside(view, x, y);
                if (y % 2 == 1 && x % 2 == 1) {
                    ASSERT_EQ(p, 2) << x << "," << y;
                    ++walls;
                } else {
                    ASSERT_EQ(p, 3) << x << "," << y;
                    ++open;
                }
            }
        }
        EXPECT_EQ(open + walls, static_cast<long long>(size) * size);
    }
}

// A random perfect maze of 1 x 1 corridors: ragged, with long dead ends.
TEST(ImageprocFill, RandomMazeMatchesAPlainFloodFill) {
    const int cells = 520, size = 2 * cells + 1;   // 1041 x 1041 pixels
    PixelImage image = picture(size, size, 32, 0x404040);
    PixelView view = view_of(image);
    std::mt19937 rng(3);
    std::vector<char> seen(static_cast<size_t>(cells) * cells, 0);
    std::vector<std::pair<int, int>> stack = {{0, 0}};
    seen[0] = 1;
    store_inside(view, 1, 1, 0);
    while (!stack.empty()) {
        auto c = stack.back();
        int options[4], n = 0;
        const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            int nx = c.first + dx[k], ny = c.second + dy[k];
            if (nx >= 0 && ny >= 0 && nx < cells && ny < cells && !seen[ny * cells + nx]) options[n++] = k;
        }
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        int k = options[rng() % n];
        int nx = c.first + dx[k], ny = c.second + dy[k];
        seen[ny * cells + nx] = 1;
        store_inside(view, 2 * c.first + 1 + dx[k], 2 * c.second + 1 + dy[k], 0);
        store_inside(view, 2 * nx + 1, 2 * ny + 1, 0);
        stack.push_back({nx, ny});
    }
    PixelImage expected = image;
    reference_fill(view_of(expected), 0xFFFF00, 1, 1);
    paint_fill(view, 0xFFFF00, 1, 1);
    EXPECT_TRUE(kbxtest::same_pixels(image, expected));
    EXPECT_EQ(get_pixel(view, 2 * cells - 1, 2 * cells - 1), 0xFFFF00);   // the far corner cell
}

// Random pictures of few colours, seeds anywhere and above all on the edges:
// the fill must agree with the plain flood fill and stay inside.
TEST(ImageprocFill, RandomPicturesAndEdgeSeedsAgreeWithAPlainFill) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 600; ++round) {
        const int depth = round % 2 ? 8 : 32;
        const int w = 1 + static_cast<int>(rng() % 23), h = 1 + static_cast<int>(rng() % 17);
        const int colours = 2 + static_cast<int>(rng() % 2);
        PixelImage image = picture(w, h, depth);
        PixelView view = view_of(image);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) store_inside(view, x, y, static_cast<int>(rng() % colours));
        int x, y;
        switch (rng() % 5) {
            case 0: x = 0; y = static_cast<int>(rng() % h); break;
            case 1: x = w - 1; y = static_cast<int>(rng() % h); break;
            case 2: x = static_cast<int>(rng() % w); y = 0; break;
            case 3: x = static_cast<int>(rng() % w); y = h - 1; break;
            default: x = static_cast<int>(rng() % w); y = static_cast<int>(rng() % h); break;
        }
        const int fill = static_cast<int>(rng() % (colours + 1));
        PixelImage expected = image;
        reference_fill(view_of(expected), fill, x, y);
        // The count is the region's area: every pixel the plain fill changed.
        long long area = 0;
        for (int yy = 0; yy < h; ++yy)
            for (int xx = 0; xx < w; ++xx) area += load_inside(view, xx, yy) != load_inside(view_of(expected), xx, yy);
        EXPECT_EQ(area, paint_fill(view, fill, x, y).filled) << "round " << round;
        ASSERT_TRUE(kbxtest::same_pixels(image, expected)) << "round " << round;
    }
    // Seeds just outside every edge change nothing.
    PixelImage image = picture(9, 6);
    for (auto s : {std::make_pair(-1, 0), std::make_pair(9, 0), std::make_pair(0, -1), std::make_pair(0, 6)})
        paint_fill(view_of(image), 1, s.first, s.second);
    EXPECT_TRUE(changed(view_of(image)).empty());
}

// The count of pixels filled, for regions of known area and for the fills
// that change nothing.
TEST(ImageprocFill, CountsThePixelsFilled) {
    struct Case {
        const char* name;
        int depth, background, colour, x, y;
        long long area;
    } cases[] = {
        {"whole picture", 32, 0, 0x00FF00, 3, 2, 9 * 6 - 5},   // the wall column of five below
        {"the wall", 8, 0, 4, 4, 3, 5},
        {"same colour", 32, 0, 0, 1, 1, 0},
        {"same stored index", 8, 7, 0x123407, 1, 1, 0},
        {"outside", 32, 0, 0x00FF00, 9, 0, 0},
    };
    for (const Case& c : cases) {
        PixelImage image = picture(9, 6, c.depth, c.background);
        // A wall from (4, 1) to (4, 5): the open row 0 joins both sides.
        draw_line(view_of(image), 1, 4, 1, 4, 5);
        EXPECT_EQ(c.area, paint_fill(view_of(image), c.colour, c.x, c.y).filled) << c.name;
    }
}

TEST(ImageprocFill, ThePenEndsOnTheLastRunFilled) {
    PixelImage image = picture(6, 1);
    pen_position = {-9, -9};
    paint_fill(view_of(image), 4, 2, 0);
    EXPECT_EQ(pen_position.x, 5);
    EXPECT_EQ(pen_position.y, 0);
}

}  // namespace
