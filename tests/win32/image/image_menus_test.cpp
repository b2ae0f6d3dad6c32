// The image window's two pop-up menus, their mouse triggers, and the mouse
// recording for the drawing tools.
#include <gtest/gtest.h>

#include <cwchar>
#include <mutex>
#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "image/pointer_events.h"
#include "kbx_commands.h"
#include "kbx_textwin.h"
#include "textwin/key_ring.h"
#include "tests/support/driver.h"
#include "tests/win32/image/image_session.h"

using namespace image_test;
using namespace kbx;

namespace {

std::wstring describe(HMENU menu) {
    std::wstring s;
    for (const MenuItem& item : menu_items(menu)) {
        if (item.separator) {
            s += L"-|";
            continue;
        }
        s += item.text;
        if (item.checked) s += L"(v)";
        if (item.submenu) s += L"[" + describe(item.submenu) + L"]";
        else s += L"=" + std::to_wstring(item.id);
        s += L"|";
    }
    return s;
}

const std::wstring kWindowMenuAt100 =
    L"Cut\tCtrl+X=1011|Copy\tCtrl+C=1012|Paste\tCtrl+V=1013|-|&Load image file=1004|&Save as=1010|-|"
    L"Zoom: 50%=1007|Zoom:100%\tCtrl+0(v)=1008|Zoom:200%=1009|&Zoom...=1046|-|&Resize...=1047|"
    L"&Destroy\tCtrl+Q=1005|";

const std::wstring kProcessHead =
    L"Process...[Invert=1058|-|R. Rotate=1061|L. Rotate=1062|-|Horz. Flip=1059|Vert. Flip=1060|-|"
    L"Size 50.0%=1063|Size 70.7%=1064|Size 141.4%=1065|Size 200.0%=1066|]|-|";
const std::wstring kProcessTail =
    L"-|Test Pattern...[RGB=1053|HSV=1054|YCrCb=1055|Yuv=1067|YIQ=1068|Grey=1071|]|-|"
    L"Clipping\tCtrl+R=1019|-|Color...[Change=1031|Pick=1052|]|"
    L"Draw Line...[Normal=1032|Horz.=1034|Vert.=1035|]|"
    L"Draw Box...[Normal=1036|Fill=1037|Fill XOR=1038|]|"
    L"Draw Circle...[Normal=1039|Fill=1040|Fill XOR=1041|]|"
    L"TrueType...[Draw=1048|Font Change=1049|]|Draw Text=1042|Paint=1043|";
const std::wstring kInfo32 =
    L"Information...[Pixel=1015|Line(RGB)=1016|Line(HSV)=1017|Line(YCrCb)=1018|Line(CrCb)=1021|-|"
    L"Area(CrCb)=1022|]|";
const std::wstring kInfo8 = L"Information...[Pixel=1015|Line(Lumi)=1070|]|";

// Opens a pop-up on window n with a mouse message, reads it and cancels it.
std::wstring popup_of(int n, UINT message, WPARAM wparam) {
    HWND window = image_windows[n].window;
    begin_on_user_thread([=] { SendMessageW(window, message, wparam, MAKELPARAM(5, 5)); });
    std::wstring text;
    HWND popup = wait_for_popup();
    if (popup) {
        text = describe(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
        close_popup(window, popup);
    }
    finish_step();
    return text;
}

}  // namespace

class ImageMenus : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_images(); }
};

TEST_F(ImageMenus, WindowMenuChecksTheCurrentZoom) {
    on_user_thread([] {
        HMENU menu = build_image_window_menu(100);
        EXPECT_EQ(kWindowMenuAt100, describe(menu));
        DestroyMenu(menu);
        for (int zoom : {50, 200}) {
            menu = build_image_window_menu(zoom);
            std::vector<MenuItem> items = menu_items(menu);
            ASSERT_EQ(14u, items.size());
            EXPECT_EQ(zoom == 50, items[7].checked);
            EXPECT_FALSE(items[8].checked);
            EXPECT_EQ(zoom == 200, items[9].checked);
            DestroyMenu(menu);
        }
        menu = build_image_window_menu(111);
        for (const MenuItem& item : menu_items(menu)) EXPECT_FALSE(item.checked);
        DestroyMenu(menu);
    });
}

TEST_F(ImageMenus, ProcessingMenuByDepth) {
    on_user_thread([] {
        HMENU menu = build_image_processing_menu(32);
        EXPECT_EQ(kProcessHead + kInfo32 + kProcessTail, describe(menu));
        DestroyMenu(menu);
        menu = build_image_processing_menu(8);
        EXPECT_EQ(kProcessHead + kInfo8 + kProcessTail, describe(menu));
        DestroyMenu(menu);
    });
}

TEST_F(ImageMenus, MouseButtonsChooseTheMenu) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "M", 0, 0, 200, 160, 100));
        ASSERT_EQ(0, KBX_CreateImage8(1, "M8", 300, 0, 200, 160, 200));
    });
    EXPECT_EQ(kWindowMenuAt100, popup_of(0, WM_RBUTTONDOWN, MK_RBUTTON));
    EXPECT_EQ(kProcessHead + kInfo32 + kProcessTail, popup_of(0, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL));
    EXPECT_EQ(kProcessHead + kInfo32 + kProcessTail, popup_of(0, WM_MBUTTONDOWN, MK_MBUTTON));
    EXPECT_EQ(kProcessHead + kInfo8 + kProcessTail, popup_of(1, WM_MBUTTONDOWN, MK_MBUTTON));
    std::wstring at200 = popup_of(1, WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_NE(std::wstring::npos, at200.find(L"Zoom:200%(v)=1009"));
    EXPECT_EQ(std::wstring::npos, at200.find(L"Ctrl+0(v)"));
}

TEST_F(ImageMenus, NoMenuWhileALineInputWaitsOrAToolPoints) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "A", 0, 0, 100, 80, 100));
        ASSERT_EQ(0, KBX_CreateImage(1, "B", 200, 0, 100, 80, 100));
    });
    // Had any of these opened a menu, the step would block in it.
    begin_on_user_thread([] {
        input_active = 1;
        SendMessageW(image_windows[0].window, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        input_active = 0;
        // In a pointing loop on window 1: a right click there cancels, one
        // on window 0 does nothing at all.
        drawing_tool_mode = 1;
        pointer_events.pointing_window = 1;
        SendMessageW(image_windows[0].window, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        SendMessageW(image_windows[0].window, WM_MBUTTONDOWN, MK_MBUTTON, 0);
        EXPECT_EQ(0, pointer_events.cancel_flag);
        SendMessageW(image_windows[1].window, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        EXPECT_EQ(1, pointer_events.cancel_flag);
        drawing_tool_mode = 0;
    });
    bool finished = finish_step(3000);
    EXPECT_TRUE(finished);
    if (!finished) {
        HWND popup = wait_for_popup(1000);
        if (popup) close_popup(image_windows[0].window, popup);
        finish_step();
    }
}

TEST_F(ImageMenus, PointerEventsOnlyFromThePointingWindow) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Pointing", 0, 0, 200, 160, 200));
        ASSERT_EQ(0, KBX_CreateImage(1, "Other", 500, 0, 200, 160, 100));
        drawing_tool_mode = 1;
        pointer_events.pointing_window = 0;
        SendMessageW(image_windows[0].window, WM_MOUSEMOVE, 0, MAKELPARAM(41, 21));
        EXPECT_EQ(1, pointer_events.move_flag);
        EXPECT_EQ(20, pointer_events.move_x);   // 41 * 100 / 200
        EXPECT_EQ(10, pointer_events.move_y);
        SendMessageW(image_windows[0].window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(199, 159));
        EXPECT_EQ(1, pointer_events.click_flag);
        EXPECT_EQ(99, pointer_events.click_x);
        EXPECT_EQ(79, pointer_events.click_y);
        EXPECT_EQ(1, pointer_events.click_shift);

        pointer_events.move_flag = pointer_events.click_flag = 0;
        SendMessageW(image_windows[1].window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        SendMessageW(image_windows[1].window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        EXPECT_EQ(0, pointer_events.move_flag);
        EXPECT_EQ(0, pointer_events.click_flag);
        EXPECT_EQ(20, pointer_events.move_x);
        drawing_tool_mode = 0;
        // Outside a pointing loop nothing is recorded either.
        SendMessageW(image_windows[0].window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 9));
        EXPECT_EQ(0, pointer_events.click_flag);
    });
}

TEST_F(ImageMenus, TrackingRecordWhenSwitchedOn) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "T0", 0, 0, 200, 160, 100));
        ASSERT_EQ(0, KBX_CreateImage(1, "T1", 300, 0, 400, 300, 50));
        SendMessageW(image_windows[1].window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
        EXPECT_EQ(-1, mouse_tracking.window);   // off: nothing
        mouse_tracking.on = 1;
        SendMessageW(image_windows[1].window, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 12));
        EXPECT_EQ(1, mouse_tracking.window);
        EXPECT_EQ(20, mouse_tracking.x);
        EXPECT_EQ(24, mouse_tracking.y);
        EXPECT_NE(0, mouse_tracking.left);
        EXPECT_NE(0, mouse_tracking.ctrl);
        EXPECT_EQ(0, mouse_tracking.shift);
        EXPECT_EQ(0, mouse_tracking.middle);
        SendMessageW(image_windows[0].window, WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(3, 4));
        EXPECT_EQ(0, mouse_tracking.window);
        EXPECT_EQ(3, mouse_tracking.x);
        EXPECT_NE(0, mouse_tracking.shift);
        EXPECT_EQ(0, mouse_tracking.left);
        mouse_tracking.on = 0;
    });
}

TEST_F(ImageMenus, CommandsOutsideTheImageWindowSetDoNothing) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Cmd", 0, 0, 400, 300, 100));
        fill32(0, [](int x, int y) { return static_cast<std::uint32_t>(x + y); });
        const int ids[] = {KBX_CMD_TEXT_DESTROY,    KBX_CMD_TEXT_ABOUT,       KBX_CMD_INPUT_BOX_DESTROY,
                           KBX_CMD_PASTE_NEW_IMAGE, KBX_CMD_NEW_IMAGE_WINDOW, 1033,
                           KBX_CMD_NEW_INPUT_BOX,   KBX_CMD_WINDOW_INFO,      KBX_CMD_NEW_BUTTON_BOX,
                           KBX_CMD_TEXT_SELECT,     999,                      1072,
                           2000};
        for (int id : ids) {
            SendMessageW(image_windows[0].window, WM_COMMAND, static_cast<WPARAM>(id), 0);
        }
        pump_messages();
        ASSERT_TRUE(image_windows[0].in_use);
        EXPECT_EQ(100, image_windows[0].zoom);
        EXPECT_EQ(7u, pixel32(0, 3, 4));
        SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_ZOOM_200, 0);
        EXPECT_EQ(200, image_windows[0].zoom);
        SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_ZOOM_50, 0);
        EXPECT_EQ(50, image_windows[0].zoom);
        EXPECT_EQ(200, client_of(0).cx);
        SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_ZOOM_100, 0);
        EXPECT_EQ(100, image_windows[0].zoom);
    });
}

TEST_F(ImageMenus, KeysForTheControlWindowArePassedOn) {
    // S posted on to the control window would start the program: it already
    // runs, so nothing changes; what is checked is that the image window
    // does not act on them itself and stays.
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "K", 0, 0, 40, 30, 100));
        SendMessageW(image_windows[0].window, WM_KEYDOWN, 'S', 0);
        SendMessageW(image_windows[0].window, WM_KEYDOWN, 'C', 0);   // Stop
        pump_messages();
        EXPECT_TRUE(image_windows[0].in_use);
    });
    EXPECT_TRUE(kbxtest::wait_until([] { return ::stop_request == 1; }, 3000));
    ::stop_request = 0;
}

namespace {

// Cancels the next common dialog of this process.
bool cancel_next_dialog() {
    HWND dialog = nullptr;
    kbxtest::wait_until(
        [&] {
            dialog = kbxtest::find_window(L"#32770", nullptr, GetCurrentProcessId());
            return dialog && IsWindowVisible(dialog);
        },
        10000);
    if (!dialog) return false;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return kbxtest::wait_until([&] { return !IsWindow(dialog); }, 5000);
}

}  // namespace

TEST_F(ImageMenus, CancelledColourChoiceStillSetsTheTextColours) {
    HWND window = nullptr;
    on_user_thread([&] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Colour", 0, 0, 200, 160, 100));
        window = image_windows[0].window;
        draw_color = 0x123456;
        kbx_tttc = 0;
        kbx_tc = 0;
    });
    begin_on_user_thread([=] { SendMessageW(window, WM_COMMAND, KBX_CMD_COLOR_CHANGE, 0); });
    EXPECT_TRUE(cancel_next_dialog());
    ASSERT_TRUE(finish_step());
    EXPECT_EQ(0x123456, draw_color);
    EXPECT_EQ(0x123456, kbx_tttc);
    EXPECT_EQ(0x123456, kbx_tc);
}

TEST_F(ImageMenus, CancelledFontChoiceRecreatesTheSameFont) {
    HWND window = nullptr;
    LOGFONTW before = {};
    on_user_thread([&] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Font", 0, 0, 200, 160, 100));
        window = image_windows[0].window;
        ASSERT_NE(nullptr, image_text_font);
        GetObjectW(image_text_font, sizeof before, &before);
    });
    begin_on_user_thread([=] { SendMessageW(window, WM_COMMAND, KBX_CMD_TRUETYPE_FONT, 0); });
    EXPECT_TRUE(cancel_next_dialog());
    ASSERT_TRUE(finish_step());
    LOGFONTW after = {};
    ASSERT_NE(nullptr, image_text_font);
    ASSERT_NE(0, GetObjectW(image_text_font, sizeof after, &after));
    EXPECT_EQ(before.lfHeight, after.lfHeight);
    EXPECT_EQ(before.lfWidth, after.lfWidth);
    EXPECT_EQ(std::wstring(before.lfFaceName), std::wstring(after.lfFaceName));
}

namespace {

// Types a line into the text window whose line input is waiting and waits
// until line input has taken all of it. (The next prompt may begin at once,
// so input_active going back to 0 can pass unseen.)
bool answer_prompt(const wchar_t* text) {
    if (!kbxtest::wait_until([] { return input_active != 0; }, 10000)) return false;
    HWND window = text_windows[input_active - 1].window;
    int before;
    {
        std::lock_guard<std::mutex> hold(key_ring.lock);
        before = key_ring.write_index;
    }
    const int units = static_cast<int>(std::wcslen(text)) + 1;
    kbxtest::post_text(window, text);
    kbxtest::post_char(window, L'\r');
    return kbxtest::wait_until(
        [&] {
            std::lock_guard<std::mutex> hold(key_ring.lock);
            return key_ring.write_index == (before + units) % kKeyRingSize && key_ring.read_index == -1;
        },
        10000);
}

}  // namespace

TEST_F(ImageMenus, ZoomAndResizePrompts) {
    HWND window = nullptr;
    on_user_thread([&] {
        ASSERT_EQ(0, KBX_CreateImage8(3, "Prompted", 0, 0, 200, 160, 100));
        window = image_windows[3].window;
    });
    begin_on_user_thread([=] { SendMessageW(window, WM_COMMAND, KBX_CMD_ZOOM_PROMPT, 0); });
    EXPECT_TRUE(answer_prompt(L"150"));
    ASSERT_TRUE(finish_step());
    EXPECT_TRUE(text_windows[0].in_use);
    EXPECT_EQ(150, image_windows[3].zoom);

    begin_on_user_thread([=] { SendMessageW(window, WM_COMMAND, KBX_CMD_RESIZE_PROMPT, 0); });
    EXPECT_TRUE(answer_prompt(L"300"));
    EXPECT_TRUE(answer_prompt(L"120"));
    ASSERT_TRUE(finish_step());
    on_user_thread([] {
        ASSERT_TRUE(image_windows[3].in_use);
        EXPECT_EQ(300, image_windows[3].width);
        EXPECT_EQ(120, image_windows[3].height);
        EXPECT_EQ(150, image_windows[3].zoom);
        EXPECT_EQ("Prompted(150%)[8bit]", image_caption(3));
        KBX_CloseTextWindow(0);
    });
}
