#include <gtest/gtest.h>

#include <string>

#include "imageproc/pixels.h"
#include "imageproc/pointing.h"
#include "imageproc/shapes.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::changed;
using kbxtest::picture;
using kbxtest::PointSet;

// The picture starts with distinct pixels, so any band left over shows.
struct Fixture {
    PixelImage image = picture(40, 30);
    PixelImage start;
    PixelView view;
    Fixture() {
        kbxtest::fill_distinct(image);
        start = image;
        view = view_of(image);
    }
    bool clean() { return kbxtest::same_pixels(image, start); }
    PointSet differing() {
        PointSet out;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                if (get_pixel(view, x, y) != get_pixel(view_of(start), x, y)) out.insert({x, y});
        return out;
    }
};

PointSet outline_of(void (*draw)(PixelImage&)) {
    PixelImage img = picture(40, 30);
    draw(img);
    return changed(view_of(img));
}

TEST(ImageprocPointing, BoxThroughItsWholeLoop) {
    Fixture f;
    PointingLoop loop;
    EXPECT_FALSE(pointing_begin(&loop, kPickBox, f.view, 5, 5));
    EXPECT_STREQ(pointing_prompt(loop), "Click the first point");
    EXPECT_FALSE(pointing_move(&loop, f.view, 9, 9));   // no band before the first point
    EXPECT_TRUE(f.clean());
    EXPECT_TRUE(pointing_click(&loop, f.view, 20, 15));
    EXPECT_STREQ(pointing_prompt(loop), "Click the second point");
    EXPECT_EQ(f.differing(), (PointSet{{20, 15}}));   // a single inverted pixel
    EXPECT_TRUE(pointing_move(&loop, f.view, 10, 5));
    EXPECT_EQ(f.differing(), outline_of([](PixelImage& i) { draw_box(view_of(i), 1, 10, 5, 20, 15); }));
    EXPECT_TRUE(pointing_move(&loop, f.view, 25, 20));
    EXPECT_EQ(f.differing(), outline_of([](PixelImage& i) { draw_box(view_of(i), 1, 20, 15, 25, 20); }));
    EXPECT_FALSE(pointing_finished(loop));
    EXPECT_TRUE(pointing_click(&loop, f.view, 12, 3));
    EXPECT_TRUE(f.clean());   // no band is left
    ASSERT_TRUE(pointing_finished(loop));
    EXPECT_EQ(pointing_result(loop), 0);
    // Sorted: x-min, y-min, x-max, y-max.
    EXPECT_EQ(loop.x1, 12);
    EXPECT_EQ(loop.y1, 3);
    EXPECT_EQ(loop.x2, 20);
    EXPECT_EQ(loop.y2, 15);
    // Events after the end change nothing.
    EXPECT_FALSE(pointing_click(&loop, f.view, 1, 1));
    EXPECT_FALSE(pointing_cancel(&loop, f.view));
    EXPECT_EQ(pointing_result(loop), 0);
}

TEST(ImageprocPointing, CancelBeforeAndAfterTheFirstPoint) {
    Fixture f;
    PointingLoop loop;
    pointing_begin(&loop, kPickBox, f.view, 0, 0);
    pointing_cancel(&loop, f.view);
    EXPECT_TRUE(pointing_finished(loop));
    EXPECT_EQ(pointing_result(loop), 1);

    pointing_begin(&loop, kPickLine, f.view, 0, 0);
    pointing_click(&loop, f.view, 3, 4);
    pointing_move(&loop, f.view, 30, 20);
    EXPECT_FALSE(f.clean());
    EXPECT_TRUE(pointing_cancel(&loop, f.view));   // steps back to the first point
    EXPECT_TRUE(f.clean());
    EXPECT_FALSE(pointing_finished(loop));
    EXPECT_STREQ(pointing_prompt(loop), "Click the first point");
    pointing_click(&loop, f.view, 30, 2);
    pointing_click(&loop, f.view, 1, 25);
    EXPECT_TRUE(f.clean());
    // A line keeps its points in the order clicked.
    EXPECT_EQ(loop.x1, 30);
    EXPECT_EQ(loop.y1, 2);
    EXPECT_EQ(loop.x2, 1);
    EXPECT_EQ(loop.y2, 25);
}

TEST(ImageprocPointing, StopWhileDraggingKeepsThePointsAsTheyStand) {
    Fixture f;
    PointingLoop loop;
    pointing_begin(&loop, kPickBox, f.view, 0, 0);
    pointing_click(&loop, f.view, 20, 20);
    pointing_move(&loop, f.view, 5, 6);
    EXPECT_TRUE(pointing_stop(&loop, f.view));
    EXPECT_TRUE(f.clean());
    EXPECT_EQ(pointing_result(loop), 0);
    // Not sorted: the first point, then the last pointer position.
    EXPECT_EQ(loop.x1, 20);
    EXPECT_EQ(loop.y1, 20);
    EXPECT_EQ(loop.x2, 5);
    EXPECT_EQ(loop.y2, 6);
    // The tool then draws with them.
    apply_drawing_tool(kToolBox, loop, f.view, 0xFFFFFF);
    EXPECT_EQ(get_pixel(f.view, 5, 6), 0xFFFFFF);
    EXPECT_EQ(get_pixel(f.view, 20, 20), 0xFFFFFF);
    EXPECT_TRUE(loop.stopped);
    // Stopped before any point: zeros.
    pointing_begin(&loop, kPickCircle, f.view, 7, 7);
    EXPECT_FALSE(loop.stopped);
    pointing_stop(&loop, f.view);
    EXPECT_EQ(loop.x1 | loop.y1 | loop.r, 0);
    // A stop after the loop ended (clicked) changes nothing.
    pointing_begin(&loop, kPickPoint, f.view, 0, 0);
    pointing_click(&loop, f.view, 3, 4);
    EXPECT_FALSE(pointing_stop(&loop, f.view));
    EXPECT_FALSE(loop.stopped);
}

TEST(ImageprocPointing, CircleRadiusAndTheRadiusZeroBand) {
    Fixture f;
    PointingLoop loop;
    pointing_begin(&loop, kPickCircle, f.view, 0, 0);
    pointing_click(&loop, f.view, 20, 15);
    EXPECT_TRUE(f.clean());   // a circle of radius 0 shows nothing
    pointing_move(&loop, f.view, 23, 19);
    EXPECT_EQ(loop.r, 5);
    EXPECT_EQ(f.differing(), outline_of([](PixelImage& i) { draw_circle(view_of(i), 1, 20, 15, 5); }));
    pointing_click(&loop, f.view, 21, 16);   // 1.41 + 0.5
    EXPECT_TRUE(f.clean());
    EXPECT_EQ(loop.x1, 20);
    EXPECT_EQ(loop.y1, 15);
    EXPECT_EQ(loop.r, 1);
    // Both clicks on one pixel: "Fill XOR" changes nothing, "Fill" sets one pixel.
    pointing_begin(&loop, kPickCircle, f.view, 0, 0);
    pointing_click(&loop, f.view, 8, 8);
    pointing_click(&loop, f.view, 8, 8);
    apply_drawing_tool(kToolXorCircle, loop, f.view, 0);
    EXPECT_TRUE(f.clean());
    apply_drawing_tool(kToolFillCircle, loop, f.view, 0x00FF00);
    EXPECT_EQ(f.differing(), (PointSet{{8, 8}}));
}

TEST(ImageprocPointing, GuideLinesFollowThePointer) {
    Fixture f;
    PointingLoop loop;
    EXPECT_TRUE(pointing_begin(&loop, kPickRow, f.view, 3, 7));
    EXPECT_STREQ(pointing_prompt(loop), "Click a point");
    PointSet row7, row9;
    for (int x = 0; x < 40; ++x) row7.insert({x, 7}), row9.insert({x, 9});
    EXPECT_EQ(f.differing(), row7);
    pointing_move(&loop, f.view, 11, 9);
    EXPECT_EQ(f.differing(), row9);
    pointing_click(&loop, f.view, 11, 9);
    EXPECT_TRUE(f.clean());
    EXPECT_EQ(loop.x1, 11);
    EXPECT_EQ(loop.y1, 9);
    apply_drawing_tool(kToolHorizontalLine, loop, f.view, 0x123);
    PointSet drawn;
    for (int x = 0; x < 40; ++x) drawn.insert({x, 9});
    EXPECT_EQ(f.differing(), drawn);

    Fixture g;
    pointing_begin(&loop, kPickColumn, g.view, 200, 200);   // last pointer outside: nothing shows
    EXPECT_TRUE(g.clean());
    pointing_move(&loop, g.view, 4, 4);
    EXPECT_EQ(g.differing().size(), 30u);
    pointing_cancel(&loop, g.view);
    EXPECT_TRUE(g.clean());
    EXPECT_EQ(pointing_result(loop), 1);
}

TEST(ImageprocPointing, PlacementBandAndPointClicks) {
    Fixture f;
    PointingLoop loop;
    pointing_begin(&loop, kPickPlacement, f.view, 20, 15, 10, 9);
    PointSet first = f.differing();
    EXPECT_TRUE(first.count({15, 11}));   // corner (20 - 5, 15 - 4)
    EXPECT_TRUE(first.count({16, 12}));   // diagonal, inset by one
    pointing_move(&loop, f.view, 21, 15);
    EXPECT_TRUE(f.differing().count({16, 11}));
    EXPECT_FALSE(f.differing().count({15, 11}));
    pointing_click(&loop, f.view, 22, 16);
    EXPECT_TRUE(f.clean());
    EXPECT_EQ(loop.x1, 22);
    EXPECT_EQ(loop.y1, 16);

    pointing_begin(&loop, kPickPoint, f.view, 0, 0);
    EXPECT_TRUE(f.clean());
    pointing_click(&loop, f.view, 4, 5);
    EXPECT_EQ(pointing_result(loop), 0);
    EXPECT_EQ(loop.x1, 4);
    apply_drawing_tool(kToolPaint, loop, f.view, 0xABCDEF);
    EXPECT_EQ(get_pixel(f.view, 4, 5), 0xABCDEF);
}

}  // namespace
