// The input box: opening, rows, the field setters and getters, committing,
// edge dragging, resizing, menus and renaming.
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
using kbx::input_box;
using kbxtest::window_text;

namespace {

class InputBox : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_boxes(); }

    static void open(int x, int y, int n) {
        on_user_thread([=] { KBX_OpenInputBox(x, y, n); });
    }
    static int get_int(int i) {
        int v = -1;
        on_user_thread([&] { v = KBX_GetInputBoxInt(i); });
        return v;
    }
    static double get_double(int i) {
        double v = -1;
        on_user_thread([&] { v = KBX_GetInputBoxDouble(i); });
        return v;
    }
    // What the user types (the control's text changes, nothing else).
    static void type_into(int i, const wchar_t* text) {
        SendMessageW(input_box.edit[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
};

TEST_F(InputBox, FieldCountIsClampedAndNewRowsShowItemAndZero) {
    open(30, 40, 0);
    ASSERT_NE(input_box.window, nullptr);
    EXPECT_EQ(input_box.item_count, 1);
    EXPECT_EQ(kbxtest::child_windows(input_box.window, L"Edit").size(), 1u);

    on_user_thread([] {
        KBX_CloseInputBox();
        KBX_OpenInputBox(30, 40, 31);
    });
    ASSERT_NE(input_box.window, nullptr);
    EXPECT_EQ(input_box.item_count, 30);
    EXPECT_EQ(kbxtest::child_windows(input_box.window, L"Edit").size(), 30u);
    EXPECT_EQ(kbxtest::child_windows(input_box.window, L"Static").size(), 30u);
    EXPECT_EQ(kbxtest::class_name(input_box.window), L"kbx_ib");
    EXPECT_EQ(window_text(input_box.window), L"InputBox");
    RECT r = kbxtest::window_rect(input_box.window);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(GetWindow(input_box.window, GW_OWNER), kbx::control.window);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(window_text(input_box.label[i]), L"Item " + std::to_wstring(i));
        EXPECT_EQ(window_text(input_box.edit[i]), L"0");
        EXPECT_EQ(get_int(i), 0);
    }
    // The focus starts in field 0.
    EXPECT_EQ(user_focus(), input_box.edit[0]);

    // A second open changes nothing.
    HWND first = input_box.window;
    open(0, 0, 5);
    EXPECT_EQ(input_box.window, first);
    EXPECT_EQ(input_box.item_count, 30);
}

TEST_F(InputBox, RowsAreLaidOutInTwentyEightPixelSteps) {
    open(160, 0, 3);
    ASSERT_NE(input_box.window, nullptr);
    SIZE client = kbxtest::client_size(input_box.window);
    EXPECT_EQ(client.cx, 162);
    EXPECT_EQ(client.cy, 86);
    for (int i = 0; i < 3; ++i) {
        RECT label = child_rect(input_box.label[i]);
        RECT field = child_rect(input_box.edit[i]);
        EXPECT_EQ(label.left, 4);
        EXPECT_EQ(label.top, 28 * i + 7);
        EXPECT_EQ(label.right - label.left, 80);
        EXPECT_EQ(label.bottom - label.top, 24);
        EXPECT_EQ(field.left, 88);
        EXPECT_EQ(field.top, 28 * i + 4);
        EXPECT_EQ(field.right - field.left, 70);
        EXPECT_EQ(field.bottom - field.top, 24);
    }
}

TEST_F(InputBox, SettersWriteFieldAndCommittedText) {
    open(160, 0, 3);
    on_user_thread([] {
        KBX_SetInputBoxTitle(0, "Width");
        KBX_SetInputBoxInt(0, 800);
        KBX_SetInputBoxTitle(1, "Height");
        KBX_SetInputBoxInt(1, -600);
        KBX_SetInputBoxTitle(2, "Inch");
        KBX_SetInputBoxDouble(2, 8.0);
        // Rows outside the box are left alone.
        KBX_SetInputBoxTitle(3, "Nope");
        KBX_SetInputBoxInt(-1, 5);
        KBX_SetInputBoxDouble(30, 5.0);
    });
    EXPECT_EQ(window_text(input_box.label[0]), L"Width");
    EXPECT_EQ(window_text(input_box.label[2]), L"Inch");
    EXPECT_EQ(window_text(input_box.edit[0]), L"800");
    EXPECT_EQ(window_text(input_box.edit[1]), L"-600");
    EXPECT_EQ(window_text(input_box.edit[2]), L"8.");
    EXPECT_EQ(get_int(0), 800);
    EXPECT_EQ(get_int(1), -600);
    EXPECT_DOUBLE_EQ(get_double(2), 8.0);
    EXPECT_EQ(get_int(2), 8);
    EXPECT_EQ(get_int(3), 0);
    EXPECT_EQ(get_int(-1), 0);

    on_user_thread([] { KBX_SetInputBoxDouble(1, 15.6); });
    EXPECT_EQ(window_text(input_box.edit[1]), L"15.6");
    EXPECT_DOUBLE_EQ(get_double(1), 15.6);

    // Values go with the box.
    on_user_thread([] { KBX_CloseInputBox(); });
    EXPECT_EQ(get_int(0), 0);
    EXPECT_EQ(get_double(2), 0.0);
    on_user_thread([] { KBX_SetInputBoxInt(0, 7); });   // closed: nothing, no crash
    open(160, 0, 3);
    EXPECT_EQ(get_int(0), 0);
    EXPECT_EQ(window_text(input_box.label[0]), L"Item 0");
}

TEST_F(InputBox, TypedTextCountsOnlyWhenCommitted) {
    open(160, 0, 3);
    on_user_thread([] { SetFocus(input_box.edit[0]); });
    type_into(0, L"800");
    settle();
    EXPECT_EQ(get_int(0), 0);   // typed, not committed

    // Enter commits the focused field, and only that one.
    type_into(2, L"9");
    kbxtest::post_key(input_box.edit[0], VK_RETURN);
    settle();
    EXPECT_EQ(get_int(0), 800);
    EXPECT_EQ(get_int(2), 0);
    EXPECT_EQ(user_focus(), input_box.edit[0]);

    // Tab leaves the field, which commits it, and moves to the next one.
    type_into(0, L"1920");
    kbxtest::post_key(input_box.edit[0], VK_TAB);
    settle();
    EXPECT_EQ(get_int(0), 1920);
    EXPECT_EQ(user_focus(), input_box.edit[1]);
    EXPECT_EQ(input_box.focused_field, input_box.edit[1]);

    // Any loss of the focus commits.
    type_into(1, L"1080");
    on_user_thread([] { SetFocus(input_box.edit[2]); });
    EXPECT_EQ(get_int(1), 1080);
    EXPECT_EQ(get_int(2), 0);   // typed before, but it has only just got the focus
    EXPECT_EQ(input_box.focused_field, input_box.edit[2]);

    // Enter now commits field 2, the focused one.
    type_into(2, L"15.6");
    kbxtest::post_key(input_box.edit[2], VK_RETURN);
    settle();
    EXPECT_DOUBLE_EQ(get_double(2), 15.6);
}

TEST_F(InputBox, EdgeDraggingChangesOneColumnAndNeverTheHeight) {
    open(200, 100, 3);
    HWND box = input_box.window;
    RECT start = kbxtest::window_rect(box);

    // Dragging the left edge out by 40 (and trying to change the height).
    RECT proposed = {start.left - 40, start.top - 10, start.right, start.bottom + 30};
    SendMessageW(box, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(proposed.top, start.top);
    EXPECT_EQ(proposed.bottom, start.bottom);
    EXPECT_EQ(proposed.left, start.left - 40);
    on_user_thread([&] {
        SetWindowPos(box, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                     proposed.bottom - proposed.top, SWP_NOZORDER);
    });
    EXPECT_EQ(input_box.label_width, 120);
    EXPECT_EQ(input_box.field_width, 70);
    RECT label = child_rect(input_box.label[2]);
    RECT field = child_rect(input_box.edit[2]);
    EXPECT_EQ(label.right - label.left, 120);
    EXPECT_EQ(field.left, 128);
    EXPECT_EQ(field.right - field.left, 70);
    EXPECT_EQ(kbxtest::client_size(box).cy, 86);

    // The right edge in by 30 narrows the fields.
    RECT now = kbxtest::window_rect(box);
    proposed = {now.left, now.top, now.right - 30, now.bottom};
    SendMessageW(box, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
    on_user_thread([&] {
        SetWindowPos(box, nullptr, 0, 0, proposed.right - proposed.left, proposed.bottom - proposed.top,
                     SWP_NOZORDER | SWP_NOMOVE);
    });
    EXPECT_EQ(input_box.label_width, 120);
    EXPECT_EQ(input_box.field_width, 40);
    field = child_rect(input_box.edit[0]);
    EXPECT_EQ(field.right - field.left, 40);

    // Top and bottom edges cannot change the height.
    now = kbxtest::window_rect(box);
    for (WPARAM edge : {static_cast<WPARAM>(WMSZ_TOP), static_cast<WPARAM>(WMSZ_BOTTOM),
                        static_cast<WPARAM>(WMSZ_TOPLEFT)}) {
        proposed = {now.left, now.top + 20, now.right, now.bottom + 50};
        SendMessageW(box, WM_SIZING, edge, reinterpret_cast<LPARAM>(&proposed));
        EXPECT_EQ(proposed.top, now.top);
        EXPECT_EQ(proposed.bottom, now.bottom);
    }
    EXPECT_EQ(input_box.sizing_edge, WMSZ_TOPLEFT);
}

TEST_F(InputBox, ResizeLaysOutAnOpenBoxAndCarriesOver) {
    open(100, 100, 2);
    on_user_thread([] { KBX_ResizeInputBox(120, 60); });
    SIZE client = kbxtest::client_size(input_box.window);
    EXPECT_EQ(client.cx, 192);
    EXPECT_EQ(client.cy, 58);
    RECT r = kbxtest::window_rect(input_box.window);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    RECT label = child_rect(input_box.label[1]);
    RECT field = child_rect(input_box.edit[1]);
    EXPECT_EQ(label.right - label.left, 120);
    EXPECT_EQ(field.left, 128);
    EXPECT_EQ(field.top, 32);
    EXPECT_EQ(field.right - field.left, 60);
    EXPECT_EQ(input_box.label_width, 120);
    EXPECT_EQ(input_box.field_width, 60);

    // The next box uses the same widths.
    on_user_thread([] {
        KBX_CloseInputBox();
        KBX_OpenInputBox(100, 100, 1);
    });
    EXPECT_EQ(kbxtest::client_size(input_box.window).cx, 192);
}

TEST_F(InputBox, PopUpMenusAndClosing) {
    open(200, 200, 3);
    HWND box = input_box.window;

    // A right click on row 1 (over its label) offers Rename for that row.
    HWND popup = open_popup(box, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 40));
    ASSERT_NE(popup, nullptr);
    std::vector<MenuItem> items = popup_items(popup);
    close_popup(box, popup);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, L"Rename");
    EXPECT_EQ(items[0].id, 1056u);
    EXPECT_EQ(input_box.rename_target, 1);

    // On the caption: Destroy, which closes the box.
    RECT r = kbxtest::window_rect(box);
    popup = open_popup(box, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 30, r.top + 5));
    ASSERT_NE(popup, nullptr);
    items = popup_items(popup);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, L"Destroy");
    EXPECT_EQ(items[0].id, 1023u);
    choose_first_item(popup);
    settle();
    EXPECT_EQ(input_box.window, nullptr);
    EXPECT_FALSE(IsWindow(box));

    // The close button closes it too.
    open(200, 200, 3);
    box = input_box.window;
    PostMessageW(box, WM_CLOSE, 0, 0);
    settle();
    EXPECT_EQ(input_box.window, nullptr);
    EXPECT_FALSE(IsWindow(box));
}

TEST_F(InputBox, RenamingByDoubleClick) {
    open(200, 200, 3);
    on_user_thread([] { KBX_EnsureTextWindow(); });
    HWND box = input_box.window;
    auto answer = [](const wchar_t* line) {
        ASSERT_TRUE(kbxtest::wait_until([] { return kbx::input_active != 0; }));
        HWND text = kbx::text_windows[kbx::input_active - 1].window;
        kbxtest::post_text(text, line);
        kbxtest::post_char(text, L'\r');
        ASSERT_TRUE(kbxtest::wait_until([] { return kbx::input_active == 0; }));
    };

    PostMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 30));   // row 1
    answer(L"Width");
    settle();
    EXPECT_EQ(window_text(input_box.label[1]), L"Width");

    // An empty answer keeps the label.
    PostMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 30));
    answer(L"");
    settle();
    EXPECT_EQ(window_text(input_box.label[1]), L"Width");

    // Through the pop-up menu, row 0.
    HWND popup = open_popup(box, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
    ASSERT_NE(popup, nullptr);
    choose_first_item(popup);
    answer(L"Height");
    settle();
    EXPECT_EQ(window_text(input_box.label[0]), L"Height");

    // Below the last row there is nothing to rename: no prompt.
    PostMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 85));
    settle();
    EXPECT_EQ(kbx::input_active, 0);
}

}  // namespace
