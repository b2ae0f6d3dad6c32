// The drawing tools' pointing loops driven with posted mouse messages, as a
// user drives them: prompts, rubber bands that come and go, cancel, Stop,
// and what is drawn at the end.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_menus.h"
#include "image/win_image_window.h"
#include "image/pointer_events.h"
#include "imageproc/pixels.h"
#include "imageproc/shapes.h"
#include "kbx_image.h"
#include "tests/support/driver.h"
#include "tests/support/tool_session.h"

using namespace tool_test;
using namespace kbx;

namespace {

std::string depth_status() { return std::to_string(screen_depth) + "-bit color"; }

class PointingLoops : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_tools(); }

    // Window 0, 64 x 48 at zoom 200 (so mouse positions are halved), with
    // distinct pixels; returns them.
    PixelImage open_picture(int depth = 32) {
        on_user_thread([depth] {
            ASSERT_EQ(0, depth == 8 ? KBX_CreateImage8(0, "P", 0, 0, 64, 48, 200)
                                    : KBX_CreateImage(0, "P", 0, 0, 64, 48, 200));
            EXPECT_EQ(200, image_windows[0].zoom);
        });
        fill_distinct(0);
        return snapshot(0);
    }
};

PixelImage with_box_band(const PixelImage& start, int x1, int y1, int x2, int y2) {
    PixelImage expected = start;
    xor_box(view_of(expected), x1, y1, x2, y2);
    return expected;
}

TEST_F(PointingLoops, BoxToolThroughItsWholeLoop) {
    const PixelImage start = open_picture();
    ASSERT_EQ(64, start.width);
    post_command(0, kCmdDrawBox);
    ASSERT_TRUE(wait_pointing(true));
    EXPECT_TRUE(wait_status("Click the first point"));
    EXPECT_EQ(0, pointer_events.pointing_window);

    // A move before the first point shows nothing.
    post_move(0, 30, 30);
    post_click(0, 10, 8);
    ASSERT_TRUE(wait_status("Click the second point"));
    EXPECT_TRUE(wait_picture(0, with_box_band(start, 10, 8, 10, 8)));   // one inverted pixel

    post_move(0, 40, 30);
    EXPECT_TRUE(wait_picture(0, with_box_band(start, 10, 8, 40, 30)));
    post_move(0, 3, 2);   // dragged back past the first point
    EXPECT_TRUE(wait_picture(0, with_box_band(start, 10, 8, 3, 2)));

    // A right click steps back to the first point and takes the band away.
    post_right_click(0);
    ASSERT_TRUE(wait_status("Click the first point"));
    EXPECT_TRUE(wait_picture(0, start));
    EXPECT_TRUE(drawing_tool_mode != 0);

    post_click(0, 50, 40);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_move(0, 20, 12);
    EXPECT_TRUE(wait_picture(0, with_box_band(start, 50, 40, 20, 12)));
    post_click(0, 22, 14);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());

    PixelImage expected = start;
    draw_box(view_of(expected), 0xFF0000, 22, 14, 50, 40);
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));   // the box, and no band
    EXPECT_EQ(depth_status(), status_text());
    EXPECT_EQ(-1, pointer_events.pointing_window);
    EXPECT_EQ(0, current_image);
}

TEST_F(PointingLoops, RightClickBeforeTheFirstPointEndsTheToolWithoutDrawing) {
    const PixelImage start = open_picture();
    post_command(0, kCmdDrawLine);
    ASSERT_TRUE(wait_status("Click the first point"));
    post_right_click(0);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    EXPECT_TRUE(same_pixels(start, snapshot(0)));
    EXPECT_EQ(depth_status(), status_text());
}

TEST_F(PointingLoops, LineToolDrawsBetweenTheClickedPoints) {
    const PixelImage start = open_picture(8);
    on_user_thread([] { draw_color = 0x123456; });   // index 0x56 at depth 8
    post_command(0, kCmdDrawLine);
    ASSERT_TRUE(wait_status("Click the first point"));
    post_click(0, 5, 40);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_move(0, 60, 1);
    PixelImage band = start;
    xor_line(view_of(band), 5, 40, 60, 1);
    EXPECT_TRUE(wait_picture(0, band));
    post_click(0, 60, 2);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    PixelImage expected = start;
    draw_line(view_of(expected), 0x56, 5, 40, 60, 2);
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));
}

TEST_F(PointingLoops, StopWhileDraggingDrawsToTheLastPointerPosition) {
    const PixelImage start = open_picture();
    post_command(0, kCmdFillBox);
    ASSERT_TRUE(wait_status("Click the first point"));
    post_click(0, 30, 20);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_move(0, 12, 6);
    ASSERT_TRUE(wait_picture(0, with_box_band(start, 30, 20, 12, 6)));
    // Stop, as the control window's key gives it.
    PostMessageW(control.window, WM_KEYDOWN, 'C', 0);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    PixelImage expected = start;
    fill_box(view_of(expected), 0xFF0000, 30, 20, 12, 6);
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));
    ::stop_request = 0;
}

TEST_F(PointingLoops, AStopRequestedBeforeTheToolIsForgotten) {
    const PixelImage start = open_picture();
    ::stop_request = 1;
    post_command(0, kCmdDrawCircle);
    ASSERT_TRUE(wait_status("Click the first point"));
    // The loop forgets the stop before it shows its prompt.
    EXPECT_TRUE(kbxtest::wait_until([] { return ::stop_request == 0; }, 5000));
    post_click(0, 32, 24);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_move(0, 35, 28);   // radius 5
    PixelImage band = start;
    xor_circle(view_of(band), 32, 24, 5);
    EXPECT_TRUE(wait_picture(0, band));
    post_click(0, 32, 31);   // radius 7
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    PixelImage expected = start;
    draw_circle(view_of(expected), 0xFF0000, 32, 24, 7);
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));
}

TEST_F(PointingLoops, RowGuideFollowsThePointerAndTheLineSpansThePicture) {
    const PixelImage start = open_picture();
    post_command(0, kCmdDrawLineHorz);
    ASSERT_TRUE(wait_status("Click a point"));
    post_move(0, 7, 17);
    PixelImage guide = start;
    xor_line(view_of(guide), 0, 17, 63, 17);
    EXPECT_TRUE(wait_picture(0, guide));
    post_move(0, 9, 30);
    guide = start;
    xor_line(view_of(guide), 0, 30, 63, 30);
    EXPECT_TRUE(wait_picture(0, guide));
    post_click(0, 9, 31);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    PixelImage expected = start;
    draw_line(view_of(expected), 0xFF0000, 0, 31, 63, 31);
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));

    // The next column tool starts its guide at the last pointer position.
    post_command(0, kCmdDrawLineVert);
    ASSERT_TRUE(wait_status("Click a point"));
    PixelImage column_guide = expected;
    xor_line(view_of(column_guide), 9, 0, 9, 47);
    EXPECT_TRUE(wait_picture(0, column_guide));
    post_right_click(0);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));
}

TEST_F(PointingLoops, PaintFillsTheClickedRegion) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Fill", 0, 0, 60, 40, 100));
        PixelView view = make_pixel_view(image_pixels8[0], 60, 40, 32);
        draw_box(view, 0x00FF00, 10, 5, 40, 30);
    });
    const PixelImage start = snapshot(0);
    post_command(0, kCmdPaint);
    ASSERT_TRUE(wait_status("Click a point"));
    post_click(0, 20, 20);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    PixelImage expected = start;
    fill_box(view_of(expected), 0xFF0000, 11, 6, 39, 29);
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));
}

TEST_F(PointingLoops, OtherWindowsAndCommandsCannotDisturbARunningLoop) {
    const PixelImage start = open_picture();
    on_user_thread([] { ASSERT_EQ(0, KBX_CreateImage(1, "Other", 300, 0, 40, 30, 100)); });
    post_command(0, kCmdDrawLine);
    ASSERT_TRUE(wait_status("Click the first point"));
    post_click(0, 4, 4);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_move(0, 20, 4);
    PixelImage band = start;
    xor_line(view_of(band), 4, 4, 20, 4);
    ASSERT_TRUE(wait_picture(0, band));
    // A click, a right click and a key in another window, and commands that
    // would change the picture or start a second loop: nothing happens.
    post_click(1, 5, 5);
    post_right_click(1);
    PostMessageW(image_windows[0].window, WM_KEYDOWN, 'C', 0);
    post_command(0, kCmdInvert);
    post_command(0, kCmdRotateRight);
    post_command(0, kCmdDrawBox);
    post_command(0, kCmdPastePlaced);
    post_move(0, 20, 5);   // the loop still answers
    xor_line(view_of(band), 4, 4, 20, 4);
    xor_line(view_of(band), 4, 4, 20, 5);
    EXPECT_TRUE(wait_picture(0, band));
    EXPECT_EQ("Click the second point", status_text());
    EXPECT_EQ(0, ::stop_request.load());
    post_click(0, 20, 6);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    PixelImage expected = start;
    draw_line(view_of(expected), 0xFF0000, 4, 4, 20, 6);
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));
    EXPECT_EQ(64, image_windows[0].width);
}

TEST_F(PointingLoops, ClosingThePointingWindowEndsTheLoop) {
    open_picture();
    post_command(0, kCmdDrawBox);
    ASSERT_TRUE(wait_status("Click the first point"));
    post_click(0, 4, 4);
    ASSERT_TRUE(wait_status("Click the second point"));
    PostMessageW(image_windows[0].window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    EXPECT_FALSE(image_windows[0].in_use);
    EXPECT_EQ(depth_status(), status_text());
}

TEST_F(PointingLoops, PasteIsPlacedWhereTheUserClicks) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(1, "Clip", 300, 0, 12, 10, 100));
        PixelView view = make_pixel_view(image_pixels8[1], 12, 10, 32);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) plot_pixel(view, x, y, 0x0000FF + x * 0x100 + y * 0x10000);
        copy_image_to_clipboard(1);
    });
    PixelImage clip = snapshot(1);
    const PixelImage start = open_picture();
    post_command(0, kCmdPastePlaced);
    ASSERT_TRUE(wait_status("Click a point"));
    post_move(0, 30, 20);
    PixelImage band = start;
    xor_placement(view_of(band), 30, 20, 12, 10);
    EXPECT_TRUE(wait_picture(0, band));
    post_click(0, 40, 25);
    ASSERT_TRUE(wait_pointing(false));
    ASSERT_TRUE(wait_idle());
    PixelImage expected = start;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) plot_pixel(view_of(expected), 34 + x, 20 + y, get_pixel(view_of(clip), x, y));
    EXPECT_TRUE(same_pixels(expected, snapshot(0)));
}

}  // namespace
