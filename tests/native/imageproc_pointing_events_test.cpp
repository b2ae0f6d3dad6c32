#include <gtest/gtest.h>

#include "imageproc/pixels.h"
#include "imageproc/pointing_events.h"
#include "imageproc/shapes.h"
#include "imageproc_test_support.h"

namespace {

using namespace kbx;
using kbxtest::picture;

struct Pass {
    PixelImage image = picture(30, 20);
    PixelView view = view_of(image);
    PointingLoop loop;
    PointerEvents events = {};

    bool move(int x, int y) {
        events.move_flag = 1;
        events.move_x = x;
        events.move_y = y;
        return take_pointer_events(&loop, view, &events, false);
    }
    bool click(int x, int y) {
        events.click_flag = 1;
        events.click_x = x;
        events.click_y = y;
        return take_pointer_events(&loop, view, &events, false);
    }
    bool blank() { return kbxtest::changed(view).empty(); }
};

TEST(ImageprocPointingEvents, BeginForgetsStaleClicksButKeepsThePointer) {
    PointerEvents events = {};
    events.click_flag = 1;
    events.cancel_flag = 1;
    events.move_flag = 1;
    events.move_x = 7;
    events.move_y = 9;
    begin_pointer_events(&events, 4);
    EXPECT_EQ(4, events.pointing_window);
    EXPECT_EQ(0, events.click_flag);
    EXPECT_EQ(0, events.cancel_flag);
    EXPECT_EQ(1, events.move_flag);
    EXPECT_EQ(7, events.move_x);
    EXPECT_EQ(9, events.move_y);
    end_pointer_events(&events);
    EXPECT_EQ(-1, events.pointing_window);
    EXPECT_EQ(7, events.move_x);
}

TEST(ImageprocPointingEvents, FlagsAreTakenOnceAndCleared) {
    Pass p;
    pointing_begin(&p.loop, kPickLine, p.view, 0, 0);
    EXPECT_FALSE(p.move(3, 3));   // no band before the first point
    EXPECT_EQ(0, p.events.move_flag);
    EXPECT_TRUE(p.click(2, 2));
    EXPECT_EQ(0, p.events.click_flag);
    EXPECT_EQ(1, p.loop.stage);
    EXPECT_FALSE(take_pointer_events(&p.loop, p.view, &p.events, false));   // nothing new
    EXPECT_TRUE(p.move(10, 2));
    PixelImage band = picture(30, 20);
    xor_line(view_of(band), 2, 2, 10, 2);
    EXPECT_TRUE(kbxtest::same_pixels(band, p.image));
}

TEST(ImageprocPointingEvents, AMoveAndAClickInOnePassEndAtTheClick) {
    Pass p;
    pointing_begin(&p.loop, kPickBox, p.view, 0, 0);
    p.click(5, 5);
    p.events.move_flag = 1;
    p.events.move_x = 20;
    p.events.move_y = 15;
    p.events.click_flag = 1;
    p.events.click_x = 12;
    p.events.click_y = 9;
    EXPECT_TRUE(take_pointer_events(&p.loop, p.view, &p.events, false));
    ASSERT_TRUE(pointing_finished(p.loop));
    EXPECT_EQ(0, pointing_result(p.loop));
    EXPECT_EQ(12, p.loop.x2);
    EXPECT_EQ(9, p.loop.y2);
    EXPECT_TRUE(p.blank());   // the band went with the click
}

TEST(ImageprocPointingEvents, NothingIsTakenOnceTheLoopIsOver) {
    Pass p;
    pointing_begin(&p.loop, kPickPoint, p.view, 0, 0);
    p.events.click_flag = 1;
    p.events.click_x = 3;
    p.events.click_y = 4;
    p.events.cancel_flag = 1;
    take_pointer_events(&p.loop, p.view, &p.events, true);
    EXPECT_EQ(0, pointing_result(p.loop));
    EXPECT_EQ(3, p.loop.x1);
    EXPECT_EQ(1, p.events.cancel_flag);   // left for begin_pointer_events to forget
}

TEST(ImageprocPointingEvents, CancelStepsBackThenEnds) {
    Pass p;
    pointing_begin(&p.loop, kPickCircle, p.view, 0, 0);
    p.click(15, 10);
    p.move(18, 14);
    EXPECT_FALSE(p.blank());
    p.events.cancel_flag = 1;
    EXPECT_TRUE(take_pointer_events(&p.loop, p.view, &p.events, false));
    EXPECT_TRUE(p.blank());
    EXPECT_FALSE(pointing_finished(p.loop));
    EXPECT_STREQ("Click the first point", pointing_prompt(p.loop));
    p.events.cancel_flag = 1;
    take_pointer_events(&p.loop, p.view, &p.events, false);
    ASSERT_TRUE(pointing_finished(p.loop));
    EXPECT_EQ(1, pointing_result(p.loop));
}

TEST(ImageprocPointingEvents, StopEndsWithThePointsAsTheyStand) {
    Pass p;
    pointing_begin(&p.loop, kPickBox, p.view, 0, 0);
    p.click(20, 15);
    p.move(4, 3);
    // A move arriving with the stop is still taken, then the loop ends.
    p.events.move_flag = 1;
    p.events.move_x = 6;
    p.events.move_y = 2;
    EXPECT_TRUE(take_pointer_events(&p.loop, p.view, &p.events, true));
    ASSERT_TRUE(pointing_finished(p.loop));
    EXPECT_EQ(0, pointing_result(p.loop));
    // Unsorted: the first point, then the last pointer position.
    EXPECT_EQ(20, p.loop.x1);
    EXPECT_EQ(15, p.loop.y1);
    EXPECT_EQ(6, p.loop.x2);
    EXPECT_EQ(2, p.loop.y2);
    EXPECT_TRUE(p.blank());

    Pass q;
    pointing_begin(&q.loop, kPickRow, q.view, 0, 8);
    EXPECT_FALSE(q.blank());   // the guide line
    EXPECT_TRUE(take_pointer_events(&q.loop, q.view, &q.events, true));
    EXPECT_TRUE(q.blank());
    EXPECT_EQ(0, q.loop.x1);   // no point was taken
    EXPECT_EQ(0, q.loop.y1);
}

}  // namespace
