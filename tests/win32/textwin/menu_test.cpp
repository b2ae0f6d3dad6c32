// The text window procedure: its pop-up menu, shortcuts, forwarded keys
// and commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/textwin/session.h"
#include "textwin/text_commands.h"
#include "textwin/win_text_window.h"

using namespace textwin_test;
using kbx::text_windows;

namespace {

class TextMenu : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        close_all_text_windows();
        use_fresh_log_dir(L"twmenu");
        on_user_thread([] {
            set_ctrl(false);
            kbx::input_active = 0;
            kbx::drawing_tool_mode = 0;
        });
    }
    static void open_window(int n) {
        on_user_thread([n] { ASSERT_EQ(KBX_OpenTextWindow(n, 30 * (n % 10), 0, 300, 200), 0); });
    }
};

// "caption(v)=id|" per item, "-|" per separator.
std::wstring describe(HMENU menu) {
    std::wstring s;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            s += L"-|";
            continue;
        }
        s += text;
        if (info.fState & MFS_CHECKED) s += L"(v)";
        s += L"=" + std::to_wstring(info.wID) + L"|";
    }
    return s;
}

std::wstring menu_of(int n) {
    std::wstring s;
    on_user_thread([&] {
        HMENU menu = kbx::build_text_window_menu(n);
        s = describe(menu);
        DestroyMenu(menu);
    });
    return s;
}

std::wstring copy_caption(int n) {
    return L"&Copy KOBRIX" + std::to_wstring(kbx::instance_number) + std::to_wstring(n) + L".LOG\tCtrl+C";
}

std::wstring full_menu(int n, bool selected, int log_state) {
    return std::wstring(L"&Select\tCtrl+S") + (selected ? L"(v)" : L"") + L"=1069|&Window Info.\tCtrl+W=1045|" +
           L"Command=1029|-|Start Log" + (log_state == 1 ? L"(v)" : L"") + L"=1024|Stop Log" +
           (log_state == 2 ? L"(v)" : L"") + L"=1025|" + copy_caption(n) + L"=1030|-|" +
           L"&About KOBRIX\tCtrl+A=1020|-|&Destroy\tCtrl+Q=1006|";
}

// A right click on window n from the user-program thread; the text of the
// menu that opened, or "" when none did.
std::wstring right_click_menu(int n) {
    HWND window = text_windows[n].window;
    begin_on_user_thread([=] { SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); });
    std::wstring text;
    HWND popup = nullptr;
    kbxtest::wait_until(
        [&] {
            popup = kbxtest::find_window(L"#32768", nullptr, GetCurrentProcessId());
            return (popup && IsWindowVisible(popup)) || finish_step(0);
        },
        3000);
    if (popup && IsWindowVisible(popup)) {
        text = describe(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
        PostMessageW(window, WM_CANCELMODE, 0, 0);
        kbxtest::wait_until([&] { return !IsWindowVisible(popup); }, 3000);
    }
    EXPECT_TRUE(finish_step());
    return text;
}

// A key-down as the keyboard would bring it, with Ctrl as given.
void key_down(int n, UINT vk, bool ctrl) {
    on_user_thread([=] {
        set_ctrl(ctrl);
        SendMessageW(text_windows[n].window, WM_KEYDOWN, vk, 1);
        set_ctrl(false);
    });
    settle();   // posted commands are handled at the next pump
}

}  // namespace

TEST_F(TextMenu, ItemsCaptionsAndOrder) {
    open_window(12);
    open_window(3);
    EXPECT_EQ(menu_of(12), full_menu(12, false, 0));
    EXPECT_EQ(menu_of(3), full_menu(3, true, 0));
    if (kbx::instance_number == 0) {
        EXPECT_NE(menu_of(12).find(L"&Copy KOBRIX012.LOG\tCtrl+C=1030"), std::wstring::npos);
    }
}

TEST_F(TextMenu, ARightClickShowsTheMenuUnlessAPromptWaitsOrAToolPoints) {
    open_window(2);
    EXPECT_EQ(right_click_menu(2), full_menu(2, true, 0));
    on_user_thread([] { kbx::input_active = 1; });
    EXPECT_EQ(right_click_menu(2), L"");
    on_user_thread([] {
        kbx::input_active = 0;
        kbx::drawing_tool_mode = 1;
    });
    EXPECT_EQ(right_click_menu(2), L"");
}

TEST_F(TextMenu, CtrlSMovesTheSelectCheckToThisWindow) {
    open_window(1);
    open_window(3);
    on_user_thread([] { KBX_SelectTextWindow(1); });
    EXPECT_EQ(menu_of(1), full_menu(1, true, 0));
    key_down(3, 'S', true);
    EXPECT_EQ(kbx::current_text_window, 3);
    EXPECT_EQ(menu_of(3), full_menu(3, true, 0));
    EXPECT_EQ(menu_of(1), full_menu(1, false, 0));
}

TEST_F(TextMenu, LogItemsAreCheckedByTheLogsState) {
    open_window(4);
    kbxtest::post_command(text_windows[4].window, kbx::kCmdTextStartLog);
    settle();
    EXPECT_EQ(text_windows[4].log_state, 1);
    EXPECT_EQ(menu_of(4), full_menu(4, true, 1));
    kbxtest::post_command(text_windows[4].window, kbx::kCmdTextStopLog);
    settle();
    EXPECT_EQ(menu_of(4), full_menu(4, true, 2));
    on_user_thread([] { KBX_CloseLog(4); });
}

TEST_F(TextMenu, CtrlCCopiesTheLogAndCtrlQDestroysTheWindow) {
    open_window(0);
    on_user_thread([] {
        KBX_StartLog(0);
        KBX_Print("copied\n");
    });
    ASSERT_TRUE(kbxtest::write_clipboard_text(L"old"));
    key_down(0, 'C', true);
    EXPECT_EQ(kbxtest::read_clipboard_text(), "copied\r\n");
    EXPECT_EQ(::stop_request, 0);   // with Ctrl, C is no Stop
    HWND w = text_windows[0].window;
    key_down(0, 'Q', true);
    EXPECT_EQ(text_windows[0].in_use, 0);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(TextMenu, TheAboutLineIsLightGreenOnDarkGreyThenThePreviousColours) {
    open_window(0);
    open_window(1);   // current; the About line still goes into window 0
    on_user_thread([] {
        KBX_SelectTextWindow(0);
        KBX_PushColor(0x000080, 0xFFFF00);
        KBX_StartLog(0);
        KBX_SelectTextWindow(1);
    });
    key_down(0, 'A', true);
    EXPECT_EQ(kbx::current_text_window, 1);
    kbx::TextWindowRecord& r = text_windows[0];
    EXPECT_EQ(r.text_color, 0xFFFF00);
    EXPECT_EQ(r.back_color, 0x000080);
    EXPECT_EQ(r.cursor_y, r.char_height);
    Picture p = back_picture(0);
    // Glyph edges may be smoothed: every pixel of the first cell is the
    // grey, the green or a blend of the two.
    int grey = 0, green = 0, outside = 0;
    for (int y = 0; y < r.char_height; ++y)
        for (int x = 0; x < r.char_width; ++x) {
            int c = p.at(x, y);
            int red = c >> 16, g = (c >> 8) & 0xFF, blue = c & 0xFF;
            if (c == kbx::kAboutBackColor) ++grey;
            if (g > 0xC0 && red > 0x70 && blue > 0x70) ++green;
            if (red < 0x40 || g < 0x40 || blue < 0x40 || g < red || g < blue) ++outside;
        }
    EXPECT_GT(grey, 0);
    EXPECT_GT(green, 0);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(kbx::kAboutTextColor, 0x90EE90);
    on_user_thread([] {
        KBX_SelectTextWindow(0);
        KBX_Print(" ");
        KBX_CloseLog(0);
    });
    p = back_picture(0);
    EXPECT_EQ(p.at(0, r.char_height), 0x000080);
    std::string log = log_contents(0);
    EXPECT_EQ(log.find("KOBRIX"), 0u);
    EXPECT_EQ(log.substr(log.size() - 3), "\r\n ");
}

TEST_F(TextMenu, PlainControlKeysGoToTheControlWindow) {
    open_window(0);
    ::stop_request = 0;
    key_down(0, 'C', false);
    EXPECT_TRUE(kbxtest::wait_until([] { return ::stop_request == 1; }, 3000));
    ::stop_request = 0;
    // Keys with no meaning change nothing.
    key_down(0, 'Z', false);
    key_down(0, 'Z', true);
    EXPECT_EQ(text_windows[0].in_use, 1);
    EXPECT_EQ(::stop_request, 0);
}

TEST_F(TextMenu, WhileAPromptWaitsShortcutsAreOff) {
    open_window(0);
    open_window(1);
    char line[256] = {};
    begin_on_user_thread([&] {
        KBX_SelectTextWindow(0);
        KBX_InputLine(line);
    });
    ASSERT_TRUE(kbxtest::wait_until([] { return kbx::input_active == 1; }));
    // Ctrl+Q in another window, C without Ctrl in this one: neither acts.
    in_user_pump([] {
        set_ctrl(true);
        SendMessageW(text_windows[1].window, WM_KEYDOWN, 'Q', 1);
        set_ctrl(false);
        SendMessageW(text_windows[0].window, WM_KEYDOWN, 'C', 1);
    });
    in_user_pump([] {});
    EXPECT_EQ(text_windows[1].in_use, 1);
    EXPECT_EQ(::stop_request, 0);
    kbxtest::post_text(text_windows[0].window, L"ok\r");
    ASSERT_TRUE(finish_step());
    EXPECT_STREQ(line, "ok");
}
