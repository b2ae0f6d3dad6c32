// Opening, selecting, finding and closing numbered text windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/textwin/session.h"
#include "textwin/win_text_window.h"

using namespace textwin_test;
using kbx::text_windows;

namespace {

class TextWindowTable : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { close_all_text_windows(); }
};

int open_window(int n, int x, int y, int w, int h) {
    int result = -1;
    on_user_thread([&] { result = KBX_OpenTextWindow(n, x, y, w, h); });
    return result;
}

int select_window(int n) {
    int result = -1;
    on_user_thread([&] { result = KBX_SelectTextWindow(n); });
    return result;
}

int close_window(int n) {
    int result = -1;
    on_user_thread([&] { result = KBX_CloseTextWindow(n); });
    return result;
}

SIZE client_of(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return SIZE{r.right, r.bottom};
}

int text_windows_on_screen() {
    return static_cast<int>(kbxtest::top_level_windows(GetCurrentProcessId(), L"kbx_twi").size());
}

bool snap_table_holds(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    for (int i = 0; i < kbx::snap_table.count; ++i) {
        const kbx::Rect& s = kbx::snap_table.rects[i];
        if (s.left == r.left && s.top == r.top && s.right == r.right && s.bottom == r.bottom) return true;
    }
    return false;
}

}  // namespace

TEST_F(TextWindowTable, OpensWithTheExactClientAreaAtTheOrigin) {
    ASSERT_EQ(open_window(0, 0, 0, 152, 154), 0);
    const kbx::TextWindowRecord& r = text_windows[0];
    ASSERT_EQ(r.in_use, 1);
    RECT outer = kbxtest::window_rect(r.window);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    SIZE client = client_of(r.window);
    EXPECT_EQ(client.cx, 152);
    EXPECT_EQ(client.cy, 154);
    EXPECT_EQ(r.client_width, 152);
    EXPECT_EQ(r.client_height, 154);

    EXPECT_EQ(kbxtest::window_text(r.window), L"TextWindow 0");
    EXPECT_EQ(kbxtest::class_name(r.window), L"kbx_twi");
    EXPECT_EQ(GetWindow(r.window, GW_OWNER), kbx::control.window);
    LONG style = GetWindowLongW(r.window, GWL_STYLE);
    LONG wanted = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_TRUE(snap_table_holds(r.window));

    EXPECT_EQ(kbx::current_text_window, 0);
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, 0);
    SIZE cell = oem_cell();
    EXPECT_EQ(r.char_width, cell.cx);
    EXPECT_EQ(r.char_height, cell.cy);
    EXPECT_EQ(r.text_color, 0xFFFFFF);
    EXPECT_EQ(r.back_color, 0x000000);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(r.text_color_stack[i], 0xFFFFFF);
        EXPECT_EQ(r.back_color_stack[i], 0x000000);
    }
    EXPECT_EQ(r.log_state, 0);
    EXPECT_EQ(back_pixel(0, 0, 0), 0x000000);
    EXPECT_EQ(back_pixel(0, 151, 153), 0x000000);
    on_user_thread([&] {
        EXPECT_EQ(GetTextColor(r.memory_dc), RGB(255, 255, 255));
        EXPECT_EQ(GetBkColor(r.memory_dc), RGB(0, 0, 0));
        EXPECT_EQ(GetBkMode(r.memory_dc), OPAQUE);
        EXPECT_EQ(GetCurrentObject(r.memory_dc, OBJ_FONT), GetStockObject(OEM_FIXED_FONT));
        EXPECT_EQ(GetCurrentObject(r.memory_dc, OBJ_BRUSH), GetStockObject(BLACK_BRUSH));
        EXPECT_EQ(GetCurrentObject(r.memory_dc, OBJ_BITMAP), r.back_buffer);
    });
}

TEST_F(TextWindowTable, ReopeningAnOpenNumberOnlyMakesItCurrent) {
    ASSERT_EQ(open_window(1, 10, 20, 200, 100), 0);
    ASSERT_EQ(open_window(2, 300, 20, 200, 100), 0);
    EXPECT_EQ(kbx::current_text_window, 2);
    HWND first = text_windows[1].window;
    RECT before = kbxtest::window_rect(first);

    EXPECT_EQ(open_window(1, 400, 400, 50, 50), 1);
    EXPECT_EQ(kbx::current_text_window, 1);
    EXPECT_EQ(text_windows[1].window, first);
    RECT after = kbxtest::window_rect(first);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(text_windows_on_screen(), 2);
}

TEST_F(TextWindowTable, NegativeSizeGivesTheDefaultClientArea) {
    ASSERT_EQ(open_window(3, 40, 50, -1, -1), 0);
    SIZE client = client_of(text_windows[3].window);
    EXPECT_EQ(client.cx, 400);
    EXPECT_EQ(client.cy, 300);
    RECT outer = kbxtest::window_rect(text_windows[3].window);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 50);
}

TEST_F(TextWindowTable, NegativeCoordinatesAreLeftToThePlatform) {
    int screen_cx = GetSystemMetrics(SM_CXSCREEN);
    int screen_cy = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(open_window(4, -1, -1, 200, 80), 0);
    ASSERT_EQ(open_window(5, -1, 60, 200, 80), 0);
    ASSERT_EQ(open_window(6, 70, -5, 200, 80), 0);
    for (int n = 4; n <= 6; ++n) {
        HWND w = text_windows[n].window;
        SCOPED_TRACE(n);
        // A given y must not be taken for a show command.
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_FALSE(IsIconic(w));
        EXPECT_FALSE(IsZoomed(w));
        SIZE client = client_of(w);
        EXPECT_EQ(client.cx, 200);
        EXPECT_EQ(client.cy, 80);
        RECT outer = kbxtest::window_rect(w);
        EXPECT_GE(outer.left, 0);
        EXPECT_LT(outer.left, screen_cx);
        EXPECT_GE(outer.top, 0);
        EXPECT_LT(outer.top, screen_cy);
    }
    EXPECT_EQ(kbxtest::window_rect(text_windows[5].window).top, 60);
    EXPECT_EQ(kbxtest::window_rect(text_windows[6].window).left, 70);
}

TEST_F(TextWindowTable, OutOfRangeNumbersAreRefused) {
    EXPECT_EQ(open_window(-1, 0, 0, 100, 100), 2);
    EXPECT_EQ(open_window(256, 0, 0, 100, 100), 2);
    EXPECT_EQ(text_windows_on_screen(), 0);
    EXPECT_EQ(select_window(-1), 1);
    EXPECT_EQ(select_window(256), 1);
    EXPECT_EQ(close_window(-1), 1);
    EXPECT_EQ(close_window(256), 1);
    EXPECT_EQ(select_window(12), 1);   // in range but closed
    EXPECT_EQ(close_window(12), 1);
    EXPECT_EQ(kbx::current_text_window, 0);
}

TEST_F(TextWindowTable, SelectMakesAnOpenWindowCurrent) {
    ASSERT_EQ(open_window(7, 0, 0, 100, 100), 0);
    ASSERT_EQ(open_window(8, 150, 0, 100, 100), 0);
    EXPECT_EQ(select_window(7), 0);
    EXPECT_EQ(kbx::current_text_window, 7);
    EXPECT_EQ(select_window(9), 1);
    EXPECT_EQ(kbx::current_text_window, 7);
}

TEST_F(TextWindowTable, ClosingTheCurrentWindowMakesTheLowestOpenOneCurrent) {
    ASSERT_EQ(open_window(3, 0, 0, 100, 100), 0);
    ASSERT_EQ(open_window(5, 150, 0, 100, 100), 0);
    ASSERT_EQ(open_window(9, 300, 0, 100, 100), 0);
    ASSERT_EQ(select_window(5), 0);
    HWND five = text_windows[5].window;

    EXPECT_EQ(close_window(5), 0);
    EXPECT_EQ(text_windows[5].in_use, 0);
    EXPECT_FALSE(IsWindow(five));
    EXPECT_EQ(KBX_FindTextWindow(five), -1);
    EXPECT_EQ(kbx::current_text_window, 3);

    EXPECT_EQ(close_window(9), 0);   // not current: the current one stays
    EXPECT_EQ(kbx::current_text_window, 3);

    EXPECT_EQ(close_window(3), 0);   // the last one: the index stays on it
    EXPECT_EQ(kbx::current_text_window, 3);
    EXPECT_EQ(close_window(3), 1);
    EXPECT_EQ(text_windows_on_screen(), 0);

    // With the current window closed, clearing and colours are ignored.
    on_user_thread([] {
        KBX_ClearTextWindow();
        KBX_PushColor(0x123456, 0x654321);
        KBX_PopColor();
    });
    EXPECT_EQ(text_windows[3].text_color, 0xFFFFFF);
}

TEST_F(TextWindowTable, ClosingEndsALineInputWaitingInThatWindowOnly) {
    ASSERT_EQ(open_window(2, 0, 0, 100, 100), 0);
    ASSERT_EQ(open_window(4, 150, 0, 100, 100), 0);
    kbx::input_active = 4 + 1;
    EXPECT_EQ(close_window(2), 0);
    EXPECT_EQ(kbx::input_active, 5);
    EXPECT_EQ(close_window(4), 0);
    EXPECT_EQ(kbx::input_active, 0);
}

TEST_F(TextWindowTable, ClosingAWindowClosesItsLog) {
    ASSERT_EQ(open_window(0, 0, 0, 100, 100), 0);
    std::wstring path = kbxtest::join_path(kbxtest::make_temp_dir(L"twlog"), L"closed.log");
    on_user_thread([&] {
        kbx::TextWindowRecord& r = text_windows[0];
        r.log_file = _wfopen(path.c_str(), L"wt");
        r.log_state = 1;
        std::fputs("kept\n", r.log_file);
    });
    ASSERT_NE(text_windows[0].log_file, nullptr);
    EXPECT_EQ(close_window(0), 0);
    EXPECT_EQ(text_windows[0].log_file, nullptr);
    EXPECT_EQ(text_windows[0].log_state, 0);
    std::string contents;
    ASSERT_TRUE(kbxtest::read_file(path, &contents));
    EXPECT_EQ(contents, "kept\r\n");
}

TEST_F(TextWindowTable, ReopeningAClosedNumberStartsAfresh) {
    ASSERT_EQ(open_window(0, 0, 0, 200, 100), 0);
    on_user_thread([] {
        KBX_PushColor(0x000080, 0x00FF00);
        kbx::advance_line(text_windows[0]);
        text_windows[0].cursor_x = 30;
    });
    ASSERT_EQ(close_window(0), 0);
    ASSERT_EQ(open_window(0, 0, 0, 200, 100), 0);
    const kbx::TextWindowRecord& r = text_windows[0];
    EXPECT_EQ(r.text_color, 0xFFFFFF);
    EXPECT_EQ(r.back_color, 0x000000);
    EXPECT_EQ(r.text_color_stack[0], 0xFFFFFF);
    EXPECT_EQ(r.back_color_stack[0], 0x000000);
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, 0);
    EXPECT_EQ(r.log_state, 0);
}

TEST_F(TextWindowTable, FindTextWindowMapsHandlesToNumbers) {
    ASSERT_EQ(open_window(7, 0, 0, 100, 100), 0);
    ASSERT_EQ(open_window(8, 150, 0, 100, 100), 0);
    EXPECT_EQ(KBX_FindTextWindow(text_windows[7].window), 7);
    EXPECT_EQ(KBX_FindTextWindow(text_windows[8].window), 8);
    EXPECT_EQ(KBX_FindTextWindow(nullptr), -1);
    EXPECT_EQ(KBX_FindTextWindow(kbx::control.window), -1);
}

TEST_F(TextWindowTable, EnsureOpensACentredWindowZero) {
    on_user_thread([] { KBX_EnsureTextWindow(); });
    ASSERT_EQ(text_windows[0].in_use, 1);
    EXPECT_EQ(kbx::current_text_window, 0);
    SIZE client = client_of(text_windows[0].window);
    EXPECT_EQ(client.cx, 400);
    EXPECT_EQ(client.cy, 300);
    RECT outer = kbxtest::window_rect(text_windows[0].window);
    EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 200);
    EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 150);

    // Again: window 0 is open and current, nothing new appears.
    on_user_thread([] { KBX_EnsureTextWindow(); });
    EXPECT_EQ(text_windows_on_screen(), 1);
}

TEST_F(TextWindowTable, EnsureKeepsAnOpenCurrentWindow) {
    ASSERT_EQ(open_window(3, 0, 0, 100, 100), 0);
    on_user_thread([] { KBX_EnsureTextWindow(); });
    EXPECT_EQ(text_windows[0].in_use, 0);
    EXPECT_EQ(kbx::current_text_window, 3);
    EXPECT_EQ(text_windows_on_screen(), 1);
}

TEST_F(TextWindowTable, TheCloseButtonClosesTheSlot) {
    ASSERT_EQ(open_window(6, 0, 0, 100, 100), 0);
    ASSERT_EQ(open_window(7, 150, 0, 100, 100), 0);
    HWND w = text_windows[6].window;
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(text_windows[6].in_use, 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(kbx::current_text_window, 7);
}

TEST_F(TextWindowTable, TheBackBufferFollowsTheClientAreaTheWindowReallyGot) {
    // Far beyond the screen, and below the smallest frame: the platform
    // bounds the window, and the back buffer must cover what is shown.
    ASSERT_EQ(open_window(10, 0, 0, 20000, 20000), 0);
    ASSERT_EQ(open_window(11, 0, 0, 1, 1), 0);
    for (int n = 10; n <= 11; ++n) {
        SCOPED_TRACE(n);
        const kbx::TextWindowRecord& r = text_windows[n];
        SIZE client = client_of(r.window);
        EXPECT_EQ(r.client_width, client.cx);
        EXPECT_EQ(r.client_height, client.cy);
        BITMAP bm = {};
        GetObjectW(r.back_buffer, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, client.cx);
        EXPECT_EQ(bm.bmHeight, client.cy);
    }
}

// The 9005 request of the control window opens a default window while the
// user program idles before its main routine.
namespace {
void no_setup() {}
void idle_main() {
    while (::exit_state == 0) wait_100ms();
}
}  // namespace

TEST(TextWindowRequest, OpensADefaultWindowAndOnlyRaisesAnOpenOne) {
    HWND opened = nullptr;
    int windows_after_second_post = -1;
    int current = -1;
    kbxtest::run_framework_with(no_setup, idle_main, [&] {
        kbxtest::wait_for_control_window();
        kbx::post_open_text_window(7);
        opened = kbxtest::wait_for_window(L"kbx_twi", L"TextWindow 7", 5000, GetCurrentProcessId());
        current = kbx::current_text_window;
        kbx::post_open_text_window(7);
        windows_after_second_post = text_windows_on_screen();
        if (opened) {
            SIZE client = client_of(opened);
            EXPECT_EQ(client.cx, 400);
            EXPECT_EQ(client.cy, 300);
            EXPECT_TRUE(IsWindowVisible(opened));
        }
    });
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(current, 7);
    EXPECT_EQ(windows_after_second_post, 1);
}

// Outside a framework run the window class is not registered, so the
// platform refuses the window: the open must say so and hold nothing.
TEST(TextWindowOutsideRun, ARefusedWindowLeavesTheSlotFree) {
    kbx::reset_shared_state();
    EXPECT_EQ(KBX_OpenTextWindow(4, 0, 0, 100, 100), 2);
    EXPECT_EQ(text_windows[4].in_use, 0);
    EXPECT_EQ(text_windows[4].memory_dc, nullptr);
    EXPECT_EQ(kbx::current_text_window, 0);
    EXPECT_EQ(KBX_SelectTextWindow(4), 1);
}
