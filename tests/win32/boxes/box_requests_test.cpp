// Requests 9006 and 9007: the control window has the user-program thread
// replace the input box or the button box while it idles before the main
// routine.
#include <gtest/gtest.h>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_boxes.h"
#include "tests/support/driver.h"

using kbx::button_box;
using kbx::input_box;

namespace {

void boxes_setup() {
    KBX_OpenInputBox(50, 60, 3);
    KBX_SetInputBoxInt(0, 5);
    KBX_OpenButtonBox(300, 300, 2, 2);
}
void never_started() {}

TEST(BoxRequests, ReplaceTheBoxesAtTheScreenCorner) {
    int code = kbxtest::run_framework_with(boxes_setup, never_started, [] {
        kbxtest::wait_for_control_window();
        // Setup runs on the user-program thread, alongside start-up.
        ASSERT_TRUE(kbxtest::wait_until([] { return button_box.window != nullptr; }));
        ASSERT_NE(input_box.window, nullptr);
        HWND old_input = input_box.window;
        HWND old_buttons = button_box.window;

        kbx::post_open_input_box(5);
        EXPECT_FALSE(IsWindow(old_input));
        ASSERT_NE(input_box.window, nullptr);
        EXPECT_EQ(input_box.item_count, 5);
        RECT r = kbxtest::window_rect(input_box.window);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(kbxtest::window_text(input_box.edit[0]), L"0");
        EXPECT_STREQ(input_box.item_text[0], "0");

        kbx::post_open_input_box(0);
        EXPECT_EQ(input_box.item_count, 1);
        kbx::post_open_input_box(99);
        EXPECT_EQ(input_box.item_count, 30);

        kbx::post_open_button_box(3, 2);
        EXPECT_FALSE(IsWindow(old_buttons));
        ASSERT_NE(button_box.window, nullptr);
        EXPECT_EQ(button_box.button_count, 6);
        r = kbxtest::window_rect(button_box.window);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);

        // Too many buttons: the old box goes and no new one comes.
        HWND replaced = button_box.window;
        kbx::post_open_button_box(16, 17);
        EXPECT_FALSE(IsWindow(replaced));
        EXPECT_EQ(button_box.window, nullptr);
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
