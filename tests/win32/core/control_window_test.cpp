// The control window: instance numbers, geometry, status label, menus, keys.
#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_commands.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

std::atomic<int> main_entered{0};

void no_setup() {}
void idle_main() {
    main_entered = 1;
    while (exit_state == 0) wait_100ms();
}

// Windows of a class named like another instance's control window.
struct FakeInstances {
    std::vector<HWND> windows;
    std::vector<std::wstring> classes;
    void add(int n) {
        wchar_t name[16];
        std::swprintf(name, 16, L"kobrix_mw%d", n);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = name;
        RegisterClassW(&wc);
        classes.push_back(name);
        windows.push_back(CreateWindowExW(0, name, L"fake", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr));
    }
    ~FakeInstances() {
        for (HWND w : windows) DestroyWindow(w);
        for (auto& c : classes) UnregisterClassW(c.c_str(), GetModuleHandleW(nullptr));
    }
};

std::wstring trimmed(const std::wstring& s) {
    size_t a = s.find_first_not_of(L' ');
    size_t b = s.find_last_not_of(L' ');
    return a == std::wstring::npos ? L"" : s.substr(a, b - a + 1);
}

// What a STATIC control shows of its text, laid out as it draws it (its
// font, its width, word wrap unless SS_LEFTNOWORDWRAP): whether it is one
// line (no word of it on a hidden second one) and the text up to its last
// non-space fits the width.
bool label_shows_whole(HWND label) {
    std::wstring text = window_text(label);
    RECT client = {};
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));   // none: the DC's own
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    UINT wrap = (GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK) == SS_LEFTNOWORDWRAP ? 0 : DT_WORDBREAK;
    RECT box = client;
    DrawTextW(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | wrap);
    SIZE inked = {};
    size_t end = text.find_last_not_of(L' ');
    GetTextExtentPoint32W(dc, text.c_str(), end == std::wstring::npos ? 0 : static_cast<int>(end + 1), &inked);
    if (old) SelectObject(dc, old);
    ReleaseDC(label, dc);
    return (box.bottom - box.top) / metrics.tmHeight == 1 && inked.cx <= client.right;
}

}  // namespace

TEST(ControlWindow, TakesLowestFreeInstanceNumber) {
    FakeInstances fakes;
    fakes.add(0);
    fakes.add(2);
    std::wstring cls;
    int code = run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        ASSERT_NE(w, nullptr);
        cls = class_name(w);
        EXPECT_EQ(kbx::instance_number, 1);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(cls, L"kobrix_mw1");
}

TEST(ControlWindow, EleventhInstanceIsRefused) {
    FakeInstances fakes;
    for (int n = 0; n < 10; ++n) fakes.add(n);
    std::wstring text;
    int code = run_framework_with(no_setup, idle_main, [&] {
        HWND box = wait_for_window(L"#32770", L"KOBRIX", 10000, GetCurrentProcessId());
        ASSERT_NE(box, nullptr);
        text = window_text(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(text, L"Over instance limit!");
    EXPECT_EQ(kbx::control.window, nullptr);   // nothing else was created
}

TEST(ControlWindow, GeometryStatusAndMenuBar) {
    RECT rect = {};
    SIZE client = {};
    std::wstring cls, status;
    bool label_whole = false;
    std::vector<std::wstring> items;
    std::vector<UINT> ids;
    int code = run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        ASSERT_NE(w, nullptr);
        // The label shows the depth once start-up has passed the animation.
        wait_until([] { return trimmed(window_text(kbx::control.status_label)) != L"Ready"; }, 5000);
        rect = window_rect(w);
        client = client_size(w);
        cls = class_name(w);
        status = window_text(kbx::control.status_label);
        label_whole = label_shows_whole(kbx::control.status_label);
        HMENU bar = GetMenu(w);
        for (int i = 0; i < GetMenuItemCount(bar); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(bar, i, text, 64, MF_BYPOSITION);
            items.push_back(text);
            ids.push_back(GetMenuItemID(bar, i));
        }
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(cls, L"kobrix_mw0");

    RECT want = {0, 0, 240, GetSystemMetrics(SM_CYMENU) + 32};
    AdjustWindowRect(&want, WS_VISIBLE | WS_CAPTION | WS_THICKFRAME, FALSE);
    int w = want.right - want.left, h = want.bottom - want.top;
    EXPECT_EQ(rect.right - rect.left, w);
    EXPECT_EQ(rect.bottom - rect.top, h);
    EXPECT_EQ(client.cx, 240);
    // Bottom centre of the work area, after the 55-pixel drop; moved up only
    // as far as it takes to lie wholly inside the work area.
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int top = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION) - h;
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXFULLSCREEN) - w) / 2);
    EXPECT_EQ(rect.top, top + h <= work.bottom ? top : work.bottom - h);
    EXPECT_LE(rect.bottom, work.bottom);

    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(trimmed(status), std::to_wstring(depth) + L"-bit color");
    EXPECT_EQ(status.size(), 63u);   // padded to the label's full width
    EXPECT_TRUE(label_whole);

    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], L"Start(&S)");
    EXPECT_EQ(items[1], L"Stop(&C)");
    EXPECT_EQ(items[2], L"Exit(&X)");
    EXPECT_EQ(ids[0], static_cast<UINT>(KBX_CMD_START));
    EXPECT_EQ(ids[1], static_cast<UINT>(KBX_CMD_STOP));
    EXPECT_EQ(ids[2], static_cast<UINT>(KBX_CMD_EXIT));
}

// Caption buttons, scroll arrows and menu check marks are glyphs of Marlett:
// with another face in its place every close button shows a letter "r".
TEST(ControlWindow, CaptionGlyphFontIsThere) {
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, L"Marlett");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    EXPECT_STREQ(face, L"Marlett");
}

TEST(ControlWindow, SizingDragKeepsSize) {
    RECT before = {}, after = {}, proposed = {};
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        before = window_rect(w);
        proposed = {before.left - 30, before.top - 40, before.right + 50, before.bottom + 60};
        SendMessageW(w, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
        after = window_rect(w);
    });
    EXPECT_EQ(proposed.left, before.left);
    EXPECT_EQ(proposed.top, before.top);
    EXPECT_EQ(proposed.right, before.right);
    EXPECT_EQ(proposed.bottom, before.bottom);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST(ControlWindow, SnapTableHoldsScreenEdgesAndControlWindow) {
    int count = -1;
    kbx::Rect last = {}, control = {};
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        // The user-program thread builds the table before its idle loop.
        ASSERT_TRUE(wait_user_thread_pumps());
        SendMessageW(w, WM_MOVE, 0, 0);   // rebuilt on every move
        count = kbx::snap_table.count;
        last = kbx::snap_table.rects[count - 1];
        RECT r = window_rect(w);
        control = {r.left, r.top, r.right, r.bottom};
    });
    EXPECT_EQ(count, 5);
    EXPECT_EQ(last, control);
    int cx = GetSystemMetrics(SM_CXFULLSCREEN);
    int cy = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(kbx::snap_table.rects[0], (kbx::Rect{-1000, 0, 0, cy}));
    EXPECT_EQ(kbx::snap_table.rects[3], (kbx::Rect{0, cy, cx, cy + 1000}));
}
