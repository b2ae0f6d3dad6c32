#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <random>
#include <vector>

#include "imageproc/pixels.h"
#include "imageproc/shapes.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::changed;
using kbxtest::picture;
using kbxtest::PointSet;
using kbxtest::shifted;

// The stepping rule written out plainly, unclipped, for comparison.
PointSet reference_line(int x1, int y1, int x2, int y2) {
    PointSet out;
    if (x1 == x2) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) out.insert({x1, y});
        return out;
    }
    if (y1 == y2) {
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) out.insert({x, y1});
        return out;
    }
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    int dx = x2 - x1, dy = std::abs(y2 - y1), sy = y2 > y1 ? 1 : -1, x = x1, y = y1;
    out.insert({x, y});
    if (dx >= dy) {
        int e = (dx + 1) / 2;
        while (x != x2) {
            e -= dy;
            ++x;
            if (e <= 0) {
                e += dx;
                y += sy;
            }
            out.insert({x, y});
        }
    } else {
        int e = (dy + 1) / 2;
        while (y != y2) {
            e -= dx;
            y += sy;
            if (e <= 0) {
                e += dy;
                ++x;
            }
            out.insert({x, y});
        }
    }
    return out;
}

PointSet inside_only(const PointSet& points, int w, int h) {
    PointSet out;
    for (const auto& p : points)
        if (p.first >= 0 && p.second >= 0 && p.first < w && p.second < h) out.insert(p);
    return out;
}

PointSet line_pixels(int w, int h, int x1, int y1, int x2, int y2) {
    PixelImage image = picture(w, h);
    draw_line(view_of(image), 1, x1, y1, x2, y2);
    return changed(view_of(image));
}

TEST(ImageprocShapes, LineFromOriginToFiveTwo) {
    PointSet expected = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}};
    EXPECT_EQ(line_pixels(8, 4, 0, 0, 5, 2), expected);
    EXPECT_EQ(line_pixels(8, 4, 5, 2, 0, 0), expected);
    EXPECT_EQ(pen_position.x, 0);
    EXPECT_EQ(pen_position.y, 0);
    EXPECT_EQ(line_pixels(8, 4, 3, 3, 3, 3), (PointSet{{3, 3}}));
}

TEST(ImageprocShapes, LinesMatchTheRuleInBothDirections) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-5, 24);
    for (int i = 0; i < 400; ++i) {
        int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        PointSet expected = inside_only(reference_line(x1, y1, x2, y2), 20, 15);
        ASSERT_EQ(line_pixels(20, 15, x1, y1, x2, y2), expected) << x1 << "," << y1 << " " << x2 << "," << y2;
        ASSERT_EQ(line_pixels(20, 15, x2, y2, x1, y1), expected) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
}

TEST(ImageprocShapes, FarAwayEndsAreClippedWithoutChangingThePixels) {
    // The same line drawn into a big picture and into a small one that sees
    // only a part of it: the small one must show exactly that part.
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-300, 500);
    for (int i = 0; i < 60; ++i) {
        int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        PixelImage big = picture(1000, 1000);
        draw_line(view_of(big), 1, x1 + 400, y1 + 400, x2 + 400, y2 + 400);
        PointSet expected;
        for (int y = 400; y < 420; ++y)
            for (int x = 400; x < 430; ++x)
                if (get_pixel(view_of(big), x, y) != 0) expected.insert({x - 400, y - 400});
        ASSERT_EQ(line_pixels(30, 20, x1, y1, x2, y2), expected) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
    // Ends at the limits of int draw the crossing pixels and return at once.
    PointSet diagonal = line_pixels(10, 10, -2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647);
    EXPECT_EQ(diagonal.size(), 10u);
    EXPECT_EQ(pen_position.x, 2147483647);
    EXPECT_EQ(line_pixels(10, 10, -2147483647 - 1, 3, 2147483647, 3).size(), 10u);
}

TEST(ImageprocShapes, XorLineInvertsTheSamePixels) {
    PixelImage image = picture(12, 12, 8, 10);
    xor_line(view_of(image), 11, 1, 2, 9);
    EXPECT_EQ(changed(view_of(image), 10), reference_line(2, 9, 11, 1));
    EXPECT_EQ(get_pixel(view_of(image), 2, 9), 245);
    EXPECT_EQ(pen_position.x, 2);
    EXPECT_EQ(pen_position.y, 9);
    xor_line(view_of(image), 2, 9, 11, 1);
    EXPECT_TRUE(changed(view_of(image), 10).empty());
}

TEST(ImageprocShapes, CirclePixelSets) {
    auto circle = [](int r) {
        PixelImage image = picture(21, 21);
        draw_circle(view_of(image), 0xFFFFFF, 10, 10, r);
        return shifted(changed(view_of(image)), -10, -10);
    };
    EXPECT_EQ(circle(0), (PointSet{{0, 0}}));
    EXPECT_EQ(circle(1), (PointSet{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}));
    PointSet r3 = {{3, 0}, {-3, 0}, {3, 1}, {3, -1}, {-3, 1}, {-3, -1}, {2, 2}, {2, -2},
                   {-2, 2}, {-2, -2}, {1, 3}, {1, -3}, {-1, 3}, {-1, -3}, {0, 3}, {0, -3}};
    EXPECT_EQ(circle(3), r3);
}

TEST(ImageprocShapes, XorCircleTwiceRestoresAndRadiusZeroChangesNothing) {
    for (int r = 0; r < 40; ++r) {
        PixelImage image = picture(50, 50);
        kbxtest::fill_distinct(image);
        PixelImage start = image;
        xor_circle(view_of(image), 25, 25, r);
        if (r >= 1) {
            // Each outline pixel inverted exactly once: the changed set is
            // the outline.
            PixelImage outline = picture(50, 50);
            draw_circle(view_of(outline), 1, 25, 25, r);
            PointSet differs;
            for (int y = 0; y < 50; ++y)
                for (int x = 0; x < 50; ++x)
                    if (get_pixel(view_of(image), x, y) != get_pixel(view_of(start), x, y)) differs.insert({x, y});
            ASSERT_EQ(differs, changed(view_of(outline))) << r;
        } else {
            ASSERT_TRUE(kbxtest::same_pixels(image, start));
        }
        xor_circle(view_of(image), 25, 25, r);
        ASSERT_TRUE(kbxtest::same_pixels(image, start)) << r;
    }
}

TEST(ImageprocShapes, DiscsCoverEveryRowOnceAndIncludeTheOutline) {
    for (int r = 1; r < 40; ++r) {
        PixelImage filled = picture(90, 90);
        fill_circle(view_of(filled), 1, 45, 45, r);
        PixelImage inverted = picture(90, 90, 8, 0);
        xor_fill_circle(view_of(inverted), 45, 45, r);
        PointSet disc = changed(view_of(filled));
        // Every pixel of the disc inverted once: 0 became 255, none went back.
        ASSERT_EQ(changed(view_of(inverted)), disc) << r;
        ASSERT_TRUE(changed(view_of(inverted), 255).size() == 90u * 90u - disc.size()) << r;
        PixelImage outline = picture(90, 90);
        draw_circle(view_of(outline), 1, 45, 45, r);
        for (const auto& p : changed(view_of(outline))) ASSERT_TRUE(disc.count(p)) << r;
        // Rows from cy - r to cy + r, each a single unbroken run.
        int top = 90, bottom = -1;
        for (const auto& p : disc) {
            top = std::min(top, p.second);
            bottom = std::max(bottom, p.second);
        }
        EXPECT_EQ(top, 45 - r);
        EXPECT_EQ(bottom, 45 + r);
    }
}

TEST(ImageprocShapes, DiscOfRadiusZero) {
    PixelImage image = picture(5, 5);
    fill_circle(view_of(image), 7, 2, 2, 0);
    EXPECT_EQ(changed(view_of(image)), (PointSet{{2, 2}}));
    PixelImage x = picture(5, 5);
    xor_fill_circle(view_of(x), 2, 2, 0);
    EXPECT_TRUE(changed(view_of(x)).empty());
}

TEST(ImageprocShapes, CirclePartlyOutsideDrawsItsInsidePart) {
    PixelImage whole = picture(40, 40);
    draw_circle(view_of(whole), 1, 20, 20, 9);
    PixelImage part = picture(15, 40);   // sees columns 0..14 of the circle shifted left by 11
    draw_circle(view_of(part), 1, 9, 20, 9);
    PointSet expected;
    for (const auto& p : changed(view_of(whole)))
        if (p.first - 11 >= 0 && p.first - 11 < 15) expected.insert({p.first - 11, p.second});
    EXPECT_EQ(changed(view_of(part)), expected);
    PixelImage disc = picture(15, 40);
    fill_circle(view_of(disc), 1, -3, -3, 12);   // mostly outside the top-left
    EXPECT_EQ(get_pixel(view_of(disc), 0, 0), 1);
    EXPECT_EQ(get_pixel(view_of(disc), 8, 8), 0);
}

// The circle steps walked in full, as the drawing did before it learnt to
// skip the steps that cannot reach the picture. Points and the pen position
// are reproduced exactly by the faster walk for every circle.
struct WalkedCircle {
    std::vector<std::pair<long long, long long>> points;   // those in rows 0..h-1, and the last
    std::vector<std::array<long long, 3>> spans;           // row, from, to: likewise
};

WalkedCircle walk_circle_in_full(long long cx, long long cy, long long r, long long h) {
    // Every step's (i, a) and whether a fell at it.
    struct Step { long long i, a; bool fell; };
    std::vector<Step> steps;
    const long long lim = 5 * r / 7;
    for (long long i = 0, a = r, e = r;;) {
        e -= 2 * i + 1;
        const bool fell = e <= 0;
        steps.push_back({i, a, fell});
        if (fell) e += 2 * a - 2, a -= 1;
        if (++i > lim || i > a) break;
    }
    WalkedCircle out;
    auto keep = [&](auto* list, auto item, long long row) {
        if (!list->empty() && list->back().outside) list->pop_back();   // no longer the last
        list->push_back({item, row < 0 || row >= h});
    };
    struct KeptPoint { std::pair<long long, long long> p; bool outside; };
    struct KeptSpan { std::array<long long, 3> s; bool outside; };
    std::vector<KeptPoint> points;
    std::vector<KeptSpan> spans;
    // The eight octants in drawing order: x sign, y sign, and whether a runs along x.
    const int octants[8][3] = {{-1, 1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, -1, 0},
                               {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}, {-1, -1, 1}};
    for (const Step& st : steps) {
        for (int k = 0; k < 8; ++k) {
            if (k >= 2 && k < 6 && (st.i == 0 || st.i == st.a)) continue;
            const long long dx = octants[k][2] ? st.a : st.i, dy = octants[k][2] ? st.i : st.a;
            const long long y = cy + octants[k][1] * dy;
            keep(&points, std::make_pair(cx + octants[k][0] * dx, y), y);
        }
        if (st.a != st.i) {
            keep(&spans, std::array<long long, 3>{cy + st.i, cx - st.a, cx + st.a}, cy + st.i);
            if (st.i != 0) keep(&spans, std::array<long long, 3>{cy - st.i, cx - st.a, cx + st.a}, cy - st.i);
        }
        if (st.fell)
            for (long long y : {cy + st.a, cy - st.a}) keep(&spans, std::array<long long, 3>{y, cx - st.i, cx + st.i}, y);
    }
    const Step& last = steps.back();
    if (!last.fell)
        for (long long y : {cy + last.a, cy - last.a}) keep(&spans, std::array<long long, 3>{y, cx - last.i, cx + last.i}, y);
    for (auto& k : points) out.points.push_back(k.p);
    for (auto& k : spans) out.spans.push_back(k.s);
    return out;
}

TEST(ImageprocShapes, CirclesMatchTheFullWalkAndSkipWhatMissesThePicture) {
    const int W = 37, H = 23;
    struct Case { int cx, cy, r; };
    std::vector<Case> cases = {
        {18, 11, 0}, {18, 11, 1}, {18, 11, 2}, {18, 11, 9}, {18, 11, 40}, {5, 5, -3},           // small, whole
        {-4, 11, 9}, {40, 11, 9}, {18, -6, 9}, {18, 28, 9}, {-5, -5, 12}, {41, 26, 14},         // partly inside
        {-100, -100, 20}, {200, 11, 30}, {18, 11, 3000},                                        // missing it
        {-2990, 11, 3000}, {18, 3010, 3000}, {-70000, -70000, 98995}, {12, -199990, 200000},    // huge, crossing
        {-120000, 11, 120020}, {18, 11, 500000}, {50000, 50000, 70700}, {-3, 30, 400000},
    };
    auto same_run = [&](const Case& c, const WalkedCircle& walk, int which) {
        PixelImage got = picture(W, H), want = picture(W, H);
        kbxtest::fill_distinct(got);
        kbxtest::fill_distinct(want);
        PixelView g = view_of(got), w = view_of(want);
        auto want_point = [&](int colour) {
            for (auto& p : walk.points)
                if (p.first >= 0 && p.first < W && p.second >= 0 && p.second < H) {
                    int x = static_cast<int>(p.first), y = static_cast<int>(p.second);
                    store_inside(w, x, y, colour < 0 ? ~get_pixel(w, x, y) & 0xFFFFFF : colour);
                }
        };
        auto want_spans = [&](int colour) {
            for (auto& s : walk.spans) {
                if (s[0] < 0 || s[0] >= H) continue;
                for (long long x = std::max(0LL, std::min(s[1], s[2])); x <= std::min<long long>(W - 1, std::max(s[1], s[2])); ++x)
                    store_inside(w, static_cast<int>(x), static_cast<int>(s[0]),
                                 colour < 0 ? ~get_pixel(w, static_cast<int>(x), static_cast<int>(s[0])) & 0xFFFFFF : colour);
            }
        };
        PenPosition pen{};
        switch (which) {
            case 0: draw_circle(g, 0x123456, c.cx, c.cy, c.r); want_point(0x123456);
                    pen = {static_cast<int>(walk.points.back().first), static_cast<int>(walk.points.back().second)}; break;
            case 1: xor_circle(g, c.cx, c.cy, c.r); want_point(-1);
                    pen = {static_cast<int>(walk.points.back().first), static_cast<int>(walk.points.back().second)}; break;
            case 2: fill_circle(g, 0x654321, c.cx, c.cy, c.r); want_spans(0x654321); want_point(0x654321);
                    pen = {static_cast<int>(walk.points.back().first), static_cast<int>(walk.points.back().second)}; break;
            default: xor_fill_circle(g, c.cx, c.cy, c.r); want_spans(-1);
                     pen = {static_cast<int>(walk.spans.back()[2]), static_cast<int>(walk.spans.back()[0])}; break;
        }
        EXPECT_TRUE(kbxtest::same_pixels(got, want)) << c.cx << "," << c.cy << " r " << c.r << " kind " << which;
        EXPECT_EQ(pen_position.x, pen.x) << c.cx << "," << c.cy << " r " << c.r << " kind " << which;
        EXPECT_EQ(pen_position.y, pen.y) << c.cx << "," << c.cy << " r " << c.r << " kind " << which;
    };
    for (int r = 2; r <= 60; ++r)   // every ending of the walk, seen from all sides
        for (int cx : {-r, -r / 2, 0, W / 2, W + r / 3})
            for (int cy : {-r, 1 - r / 2, H / 2, H + r / 2}) cases.push_back({cx, cy, r});
    for (const Case& c : cases) {
        WalkedCircle walk = walk_circle_in_full(c.cx, c.cy, c.r, H);
        for (int which = 0; which < 4; ++which) same_run(c, walk, which);
    }

    // The largest radius: drawn at once, however far the centre. A circle
    // round the picture leaves it alone, its disc covers it; one whose
    // right edge runs down column 5 is straight there.
    const int big = std::numeric_limits<int>::max();
    PixelImage ring = picture(W, H), disc = picture(W, H), edge = picture(W, H), edge_disc = picture(W, H);
    draw_circle(view_of(ring), 1, 10, 10, big);
    xor_circle(view_of(ring), -big, big, big);
    fill_circle(view_of(disc), 1, 10, 10, big);
    draw_circle(view_of(edge), 1, 5 - big, 11, big);
    fill_circle(view_of(edge_disc), 1, 5 - big, 11, big);
    EXPECT_TRUE(changed(view_of(ring)).empty());
    EXPECT_EQ(changed(view_of(disc)).size(), static_cast<size_t>(W * H));
    PointSet column, left_part;
    for (int y = 0; y < H; ++y) {
        column.insert({5, y});
        for (int x = 0; x <= 5; ++x) left_part.insert({x, y});
    }
    EXPECT_EQ(changed(view_of(edge)), column);
    EXPECT_EQ(changed(view_of(edge_disc)), left_part);
}

TEST(ImageprocShapes, BoxesOutlineFillAndInvert) {
    PixelImage image = picture(10, 10);
    draw_box(view_of(image), 1, 7, 6, 2, 1);
    PointSet outline;
    for (int x = 2; x <= 7; ++x) outline.insert({x, 1}), outline.insert({x, 6});
    for (int y = 1; y <= 6; ++y) outline.insert({2, y}), outline.insert({7, y});
    EXPECT_EQ(changed(view_of(image)), outline);
    EXPECT_EQ(pen_position.x, 7);   // the left edge ends at the first corner
    EXPECT_EQ(pen_position.y, 6);

    PixelImage filled = picture(10, 10);
    fill_box(view_of(filled), 1, 2, 1, 7, 6);
    EXPECT_EQ(changed(view_of(filled)).size(), 36u);
    // One column wide: the same column draw_box gives, nothing beside it.
    PixelImage column = picture(10, 10), column_box = picture(10, 10);
    fill_box(view_of(column), 1, 4, 2, 4, 8);
    draw_box(view_of(column_box), 1, 4, 2, 4, 8);
    EXPECT_EQ(changed(view_of(column)), changed(view_of(column_box)));
    EXPECT_EQ(changed(view_of(column)).size(), 7u);

    PixelImage x = picture(10, 10, 8, 0);
    xor_fill_box(view_of(x), 7, 6, 2, 1);
    EXPECT_EQ(changed(view_of(x)).size(), 36u);
    EXPECT_EQ(get_pixel(view_of(x), 2, 1), 255);
    xor_fill_box(view_of(x), 2, 1, 7, 6);
    EXPECT_TRUE(changed(view_of(x)).empty());
}

TEST(ImageprocShapes, RubberBandBoxInvertsItsOutlineOnce) {
    for (auto c : {std::make_pair(2, 1), std::make_pair(2, 2), std::make_pair(5, 1), std::make_pair(5, 2),
                   std::make_pair(5, 3), std::make_pair(5, 8), std::make_pair(2, 8)}) {
        // Corners (2..c.first, 1..c.second) given in reverse order.
        PixelImage band = picture(10, 10, 8, 0), outline = picture(10, 10);
        xor_box(view_of(band), c.first, c.second, 2, 1);
        draw_box(view_of(outline), 1, 2, 1, c.first, c.second);
        EXPECT_EQ(changed(view_of(band)), changed(view_of(outline))) << c.first << "," << c.second;
        EXPECT_TRUE(changed(view_of(band), 255).size() == 100u - changed(view_of(outline)).size());
        xor_box(view_of(band), 2, 1, c.first, c.second);
        EXPECT_TRUE(changed(view_of(band)).empty());
    }
}

TEST(ImageprocShapes, PlacementBandIsCentredAndGetsDiagonalsFromNine) {
    int l, t, r, b;
    placement_corners(20, 20, 9, 10, &l, &t, &r, &b);
    EXPECT_EQ(l, 16);
    EXPECT_EQ(t, 15);
    EXPECT_EQ(r, 24);
    EXPECT_EQ(b, 24);
    PixelImage small = picture(40, 40, 8, 0), big = picture(40, 40, 8, 0);
    xor_placement(view_of(small), 20, 20, 8, 10);
    EXPECT_EQ(get_pixel(view_of(small), 17, 16), 0);   // no diagonal below 9
    xor_placement(view_of(big), 20, 20, 9, 10);
    EXPECT_EQ(get_pixel(view_of(big), 17, 16), 255);   // diagonal starts inset by one
    EXPECT_EQ(get_pixel(view_of(big), 23, 16), 255);
    xor_placement(view_of(big), 20, 20, 9, 10);
    EXPECT_TRUE(changed(view_of(big)).empty());
}

TEST(ImageprocShapes, RoundedDistance) {
    EXPECT_EQ(rounded_distance(0, 0, 3, 4), 5);
    EXPECT_EQ(rounded_distance(5, 5, 5, 5), 0);
    EXPECT_EQ(rounded_distance(0, 0, 1, 1), 1);    // 1.414 + 0.5
    EXPECT_EQ(rounded_distance(0, 0, 2, 2), 3);    // 2.83 + 0.5
    EXPECT_EQ(rounded_distance(0, 0, -7, 0), 7);
}

}  // namespace
