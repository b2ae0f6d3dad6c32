// Edge snapping of real windows: the moving notice with and without Ctrl.
#include <gtest/gtest.h>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "tests/support/driver.h"
#include "tests/support/session.h"
#include "textwin/win_snapping.h"

using namespace kbxtest;

namespace {

void no_setup() {}
void idle_main() {
    while (exit_state == 0) wait_100ms();
}


RECT moved(RECT r, int left, int top) {
    int w = r.right - r.left, h = r.bottom - r.top;
    return RECT{left, top, left + w, top + h};
}

}  // namespace

TEST(Snapping, ScreenEdgeOnlyWithCtrl) {
    RECT without = {}, near5 = {}, far8 = {}, original = {};
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        // The user-program thread builds the table before its idle loop.
        ASSERT_TRUE(wait_user_thread_pumps());
        original = window_rect(w);

        set_ctrl(false);
        without = moved(original, 5, 300);
        kbx::snap_moving_window(&without, w);

        set_ctrl(true);
        near5 = moved(original, 5, 300);
        kbx::snap_moving_window(&near5, w);
        far8 = moved(original, 8, 300);
        kbx::snap_moving_window(&far8, w);
        set_ctrl(false);
    });
    EXPECT_EQ(without.left, 5);
    EXPECT_EQ(near5.left, 0);
    EXPECT_EQ(near5.right - near5.left, original.right - original.left);
    EXPECT_EQ(far8.left, 8);
}

TEST(Snapping, NeverToItsOwnOldPlace) {
    RECT proposed = {}, original = {};
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        ASSERT_TRUE(wait_user_thread_pumps());   // the user-program thread's table is built
        // Bottom on the snap table's lower screen edge (where the window
        // starts unless that runs past the work area). SetWindowPos returns
        // once the control window has handled the move.
        RECT start = window_rect(w);
        const int edge = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION);
        SetWindowPos(w, nullptr, start.left, edge - (start.bottom - start.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        kbx::refresh_snap_table();   // holds the window's own rectangle
        original = window_rect(w);
        set_ctrl(true);
        // The bottom snaps back to the screen's edge; the window's own old
        // left edge, 4 pixels away, must not pull it back.
        proposed = moved(original, original.left + 4, original.top + 3);
        kbx::snap_moving_window(&proposed, w);
        set_ctrl(false);
    });
    EXPECT_EQ(proposed.top, original.top);
    EXPECT_EQ(proposed.left, original.left + 4);
}
