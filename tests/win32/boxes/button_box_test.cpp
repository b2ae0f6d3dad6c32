// The button box: limits, layout and resizing, counting presses by clicks
// and digit keys, captions, hit-testing in gaps and margins, menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_boxes.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/boxes/box_session.h"

using namespace boxes_test;
using kbx::button_box;
using kbxtest::window_text;

namespace {

class ButtonBox : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_boxes(); }

    static void open(int x, int y, int nx, int ny) {
        on_user_thread([=] { KBX_OpenButtonBox(x, y, nx, ny); });
    }
    static int take(int k) {
        int v = -1;
        on_user_thread([&] { v = KBX_TakeButtonPress(k); });
        return v;
    }
};

// Rows of a rendered button that hold text-coloured pixels, as runs of
// consecutive rows ("bands"); the bevel along the edges is left out.
int text_bands(HWND button) {
    RECT r;
    GetClientRect(button, &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    int bands = 0;
    bool in_band = false;
    for (int y = 4; y < r.bottom - 4; ++y) {
        bool inked = false;
        for (int x = 4; x < r.right - 4 && !inked; ++x) inked = GetPixel(dc, x, y) == ink;
        if (inked && !in_band) ++bands;
        in_band = inked;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return bands;
}

TEST_F(ButtonBox, AtMostTwoHundredFiftySixButtons) {
    open(10, 20, 16, 16);
    ASSERT_NE(button_box.window, nullptr);
    EXPECT_EQ(button_box.button_count, 256);
    std::vector<HWND> buttons = kbxtest::child_windows(button_box.window, L"Button");
    EXPECT_EQ(buttons.size(), 256u);
    EXPECT_EQ(GetDlgCtrlID(button_box.button[255]), 3255);
    EXPECT_EQ(window_text(button_box.button[255]), L"255");
    EXPECT_EQ(window_text(button_box.button[17]), L"17");
    // Row by row: button 17 is in row 1, column 1.
    RECT b17 = child_rect(button_box.button[17]);
    EXPECT_EQ(b17.left, 4 + 102);
    EXPECT_EQ(b17.top, 4 + 30);
    EXPECT_EQ(kbxtest::class_name(button_box.window), L"kbx_bb");
    EXPECT_EQ(window_text(button_box.window), L"ButtonBox");
    EXPECT_EQ(GetWindow(button_box.window, GW_OWNER), kbx::control.window);

    // A second box is refused while one is open.
    HWND first = button_box.window;
    open(0, 0, 1, 1);
    EXPECT_EQ(button_box.window, first);
    EXPECT_EQ(button_box.button_count, 256);

    for (auto dims : {std::pair<int, int>{16, 17}, {0, 3}, {3, 0}, {-1, -1}, {257, 1}, {65536, 65536}}) {
        on_user_thread([&] {
            KBX_CloseButtonBox();
            KBX_OpenButtonBox(10, 20, dims.first, dims.second);
        });
        EXPECT_EQ(button_box.window, nullptr) << dims.first << " x " << dims.second;
    }
}

TEST_F(ButtonBox, OneButtonResizedToTheCalculatorsBox) {
    open(160, 120, 1, 1);
    ASSERT_NE(button_box.window, nullptr);
    // 106 x 34 asked for; the window may not be narrower than the system's
    // minimum tracking width.
    RECT frame = {0, 0, 106, 34};
    AdjustWindowRect(&frame, WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, FALSE);
    int frame_width = frame.right - frame.left - 106;
    int window_width = frame.right - frame.left;
    if (window_width < GetSystemMetrics(SM_CXMINTRACK)) window_width = GetSystemMetrics(SM_CXMINTRACK);
    SIZE client = kbxtest::client_size(button_box.window);
    EXPECT_EQ(client.cx, window_width - frame_width);
    EXPECT_EQ(client.cy, 34);
    // The open operation places the button by the start size all the same.
    RECT start = child_rect(button_box.button[0]);
    EXPECT_EQ(start.right - start.left, 98);
    on_user_thread([] { KBX_ResizeButtonBox(162, 34); });
    client = kbxtest::client_size(button_box.window);
    EXPECT_EQ(client.cx, 162);
    EXPECT_EQ(client.cy, 34);
    RECT r = kbxtest::window_rect(button_box.window);
    EXPECT_EQ(r.left, 160);
    EXPECT_EQ(r.top, 120);
    RECT b = child_rect(button_box.button[0]);
    EXPECT_EQ(b.left, 4);
    EXPECT_EQ(b.top, 4);
    EXPECT_EQ(b.right - b.left, 154);
    EXPECT_EQ(b.bottom - b.top, 26);

    // The size carries over to the next box.
    on_user_thread([] {
        KBX_CloseButtonBox();
        KBX_OpenButtonBox(160, 120, 2, 1);
    });
    EXPECT_EQ(kbxtest::client_size(button_box.window).cx, 2 * 158 + 4);

    // A larger window shares the room among the buttons.
    on_user_thread([] { KBX_ResizeButtonBox(300, 100); });
    RECT b1 = child_rect(button_box.button[1]);
    EXPECT_EQ(button_box.button_width, (300 - 12) / 2);
    EXPECT_EQ(button_box.button_height, 100 - 8);
    EXPECT_EQ(b1.left, 4 + (300 - 12) / 2 + 4);
    EXPECT_EQ(b1.bottom - b1.top, 92);
}

TEST_F(ButtonBox, ClicksAreCountedAndTaken) {
    open(200, 200, 4, 1);
    HWND b0 = button_box.button[0];
    SendMessageW(b0, BM_CLICK, 0, 0);
    SendMessageW(b0, BM_CLICK, 0, 0);
    settle();
    EXPECT_EQ(take(0), 2);
    EXPECT_EQ(take(0), 0);
    // After a click the focus is on the box, not on the button.
    EXPECT_EQ(user_focus(), button_box.window);

    kbxtest::post_click(button_box.button[2], 5, 5);
    settle();
    EXPECT_EQ(take(2), 1);
    EXPECT_EQ(take(1), 0);
    EXPECT_EQ(take(-1), 0);
    EXPECT_EQ(take(4), 0);
    EXPECT_EQ(user_focus(), button_box.window);
}

TEST_F(ButtonBox, DigitKeysOfBothKeyboardsCount) {
    open(200, 200, 4, 1);
    HWND box = button_box.window;
    kbxtest::post_key(box, '3');
    kbxtest::post_key(box, VK_NUMPAD3);
    kbxtest::post_key(box, VK_NUMPAD0);
    kbxtest::post_key(box, 'A');
    kbxtest::post_key(box, VK_RETURN);
    settle();
    EXPECT_EQ(take(3), 2);
    EXPECT_EQ(take(0), 1);
    EXPECT_EQ(take(1), 0);
    EXPECT_EQ(take(2), 0);

    // Digits keep working after a click, which leaves the focus on the box.
    SendMessageW(button_box.button[1], BM_CLICK, 0, 0);
    kbxtest::post_key(user_focus(), '1');
    settle();
    EXPECT_EQ(take(1), 2);
}

TEST_F(ButtonBox, ControlKeysGoToTheControlWindow) {
    open(200, 200, 1, 1);
    ASSERT_EQ(::stop_request, 0);
    kbxtest::post_key(button_box.window, 'C');   // Stop
    EXPECT_TRUE(kbxtest::wait_until([] { return ::stop_request == 1; }, 3000));
    ::stop_request = 0;
}

TEST_F(ButtonBox, CaptionsBreakAtLineFeeds) {
    open(200, 200, 2, 1);
    on_user_thread([] {
        KBX_ResizeButtonBox(300, 80);
        KBX_SetButtonBoxTitle(0, "Ab\nCd");
        KBX_SetButtonBoxTitle(1, "Ab Cd");
        KBX_SetButtonBoxTitle(2, "out of range");
        KBX_SetButtonBoxTitle(-1, "out of range");
    });
    EXPECT_EQ(window_text(button_box.button[0]), L"Ab\nCd");
    EXPECT_EQ(text_bands(button_box.button[0]), 2);
    EXPECT_EQ(text_bands(button_box.button[1]), 1);
}

TEST_F(ButtonBox, RightClicksInGapsAndMarginsPickTheNearestButton) {
    open(200, 200, 2, 3);
    HWND box = button_box.window;
    struct Case {
        int x, y, button;
    };
    // The 4-pixel gap just left of button 1, level with it; the right
    // margin level with the third row; the bottom-left corner margin.
    for (Case c : {Case{103, 10, 1}, Case{206, 70, 5}, Case{1, 96, 4}, Case{50, 31, 2}}) {
        HWND popup = open_popup(box, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(c.x, c.y));
        ASSERT_NE(popup, nullptr);
        std::vector<MenuItem> items = popup_items(popup);
        close_popup(box, popup);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].text, L"Rename");
        EXPECT_EQ(items[0].id, 1057u);
        EXPECT_EQ(button_box.rename_target, c.button) << c.x << "," << c.y;
    }
}

TEST_F(ButtonBox, DestroyFromTheFrameMenuAndCtrlQ) {
    open(200, 200, 1, 1);
    HWND box = button_box.window;
    RECT r = kbxtest::window_rect(box);
    HWND popup = open_popup(box, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 30, r.top + 5));
    ASSERT_NE(popup, nullptr);
    std::vector<MenuItem> items = popup_items(popup);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, L"&Destroy\tCtrl+Q");
    EXPECT_EQ(items[0].id, 1050u);
    choose_first_item(popup);
    settle();
    EXPECT_EQ(button_box.window, nullptr);
    EXPECT_FALSE(IsWindow(box));

    // Counters are cleared by the next opening, not by closing.
    open(200, 200, 1, 1);
    box = button_box.window;
    SendMessageW(button_box.button[0], BM_CLICK, 0, 0);
    settle();
    on_user_thread([] { KBX_CloseButtonBox(); });
    EXPECT_EQ(button_box.button_press_count[0], 1);
    open(200, 200, 1, 1);
    EXPECT_EQ(take(0), 0);

    // Ctrl+Q while the box has the focus: the key state has to be real.
    box = button_box.window;
    on_user_thread([] { SetForegroundWindow(button_box.window); SetFocus(button_box.window); });
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'Q';
    keys[2].ki.wVk = 'Q';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    EXPECT_TRUE(kbxtest::wait_until([] { return button_box.window == nullptr; }, 3000));
    EXPECT_FALSE(IsWindow(box));
}

TEST_F(ButtonBox, RecaptioningByDoubleClick) {
    open(200, 200, 2, 1);
    on_user_thread([] { KBX_EnsureTextWindow(); });
    HWND box = button_box.window;
    auto answer = [](const wchar_t* line) {
        ASSERT_TRUE(kbxtest::wait_until([] { return kbx::input_active != 0; }));
        HWND text = kbx::text_windows[kbx::input_active - 1].window;
        kbxtest::post_text(text, line);
        kbxtest::post_char(text, L'\r');
        ASSERT_TRUE(kbxtest::wait_until([] { return kbx::input_active == 0; }));
    };
    // In the gap between the two buttons, just left of button 1.
    PostMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(103, 10));
    answer(L"Calc");
    settle();
    EXPECT_EQ(window_text(button_box.button[1]), L"Calc");
    EXPECT_EQ(window_text(button_box.button[0]), L"0");

    PostMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(103, 10));
    answer(L"");
    settle();
    EXPECT_EQ(window_text(button_box.button[1]), L"Calc");

    HWND popup = open_popup(box, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));
    ASSERT_NE(popup, nullptr);
    choose_first_item(popup);
    answer(L"Go");
    settle();
    EXPECT_EQ(window_text(button_box.button[0]), L"Go");
}

}  // namespace
