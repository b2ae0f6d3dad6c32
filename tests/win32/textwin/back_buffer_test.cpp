// A text window's back buffer: clearing, colours, cells, the one-line
// scroll, resizing and painting.
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

class TextBackBuffer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        close_all_text_windows();
        cell = oem_cell();
    }
    SIZE cell = {};
};

kbx::TextWindowRecord& open_at_origin(int n, int w, int h) {
    int result = -1;
    on_user_thread([&] { result = KBX_OpenTextWindow(n, 0, 0, w, h); });
    EXPECT_EQ(result, 0);
    return text_windows[n];
}

// How many pixels of the rectangle differ from rgb, read on the user thread.
int pixels_other_than(int n, RECT area, int rgb) {
    int count = 0;
    on_user_thread([&] {
        HDC dc = text_windows[n].memory_dc;
        COLORREF want = kbx::to_colorref(rgb);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (GetPixel(dc, x, y) != want) ++count;
    });
    return count;
}

void fill_band(int n, int top, int height, int rgb) {
    on_user_thread([&] {
        kbx::TextWindowRecord& r = text_windows[n];
        HBRUSH brush = CreateSolidBrush(kbx::to_colorref(rgb));
        RECT band = {0, top, r.client_width, top + height};
        FillRect(r.memory_dc, &band, brush);
        DeleteObject(brush);
    });
}

RECT whole(const kbx::TextWindowRecord& r) { return RECT{0, 0, r.client_width, r.client_height}; }

std::string read_text(const std::wstring& path) {
    std::string contents;
    kbxtest::read_file(path, &contents);
    return contents;
}

}  // namespace

TEST_F(TextBackBuffer, ClearBlanksEverythingAndHomesTheCursor) {
    kbx::TextWindowRecord& r = open_at_origin(0, 200, 100);
    on_user_thread([&] {
        KBX_PushColor(0x0000FF, 0xFFFF00);
        kbx::draw_cell(r, 0, 0, L'M', 1);
        kbx::draw_cell(r, 150, 80, L'W', 1);
        r.cursor_x = 30;
        r.cursor_y = 22;
    });
    ASSERT_GT(pixels_other_than(0, whole(r), 0x000000), 0);
    on_user_thread([] { KBX_ClearTextWindow(); });
    EXPECT_EQ(pixels_other_than(0, whole(r), 0x000000), 0);
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, 0);
    // Only the content went: the colours stay.
    EXPECT_EQ(r.text_color, 0xFFFF00);
    EXPECT_EQ(r.back_color, 0x0000FF);
}

TEST_F(TextBackBuffer, ClearWritesANewlineToARunningLogOnly) {
    kbx::TextWindowRecord& r = open_at_origin(0, 100, 100);
    std::wstring path = kbxtest::join_path(kbxtest::make_temp_dir(L"twclear"), L"clear.log");
    on_user_thread([&] {
        r.log_file = _wfopen(path.c_str(), L"wt");
        r.log_state = 1;
        KBX_ClearTextWindow();
        std::fputs("a", r.log_file);
        r.log_state = 2;   // paused: clears leave no trace
        KBX_ClearTextWindow();
        KBX_CloseTextWindow(0);
    });
    EXPECT_EQ(read_text(path), "\r\na");
}

TEST_F(TextBackBuffer, PushedColoursGoIntoTheMemoryDCAndPopBringsThemBack) {
    kbx::TextWindowRecord& r = open_at_origin(0, 100, 100);
    on_user_thread([&] {
        KBX_PushColor(0x102030, 0xA0B0C0);
        EXPECT_EQ(GetTextColor(r.memory_dc), RGB(0xA0, 0xB0, 0xC0));
        EXPECT_EQ(GetBkColor(r.memory_dc), RGB(0x10, 0x20, 0x30));
        kbx::draw_cell(r, 0, 0, L' ', 1);
    });
    RECT blank_cell = {0, 0, cell.cx, cell.cy};
    EXPECT_EQ(pixels_other_than(0, blank_cell, 0x102030), 0);
    on_user_thread([&] {
        KBX_PopColor();
        EXPECT_EQ(GetTextColor(r.memory_dc), RGB(255, 255, 255));
        EXPECT_EQ(GetBkColor(r.memory_dc), RGB(0, 0, 0));
    });
    EXPECT_EQ(r.text_color, 0xFFFFFF);
    EXPECT_EQ(r.back_color, 0x000000);
}

TEST_F(TextBackBuffer, ColoursBelongToEachWindow) {
    kbx::TextWindowRecord& a = open_at_origin(1, 100, 100);
    open_at_origin(2, 100, 100);
    on_user_thread([] { KBX_PushColor(0x000080, 0x00FF00); });
    EXPECT_EQ(text_windows[2].text_color, 0x00FF00);
    EXPECT_EQ(a.text_color, 0xFFFFFF);
    on_user_thread([&] { EXPECT_EQ(GetTextColor(a.memory_dc), RGB(255, 255, 255)); });
}

TEST_F(TextBackBuffer, ACellIsDrawnAndOnlyItsRectangleInvalidated) {
    kbx::TextWindowRecord& r = open_at_origin(0, 200, 100);
    RECT update = {};
    on_user_thread([&] {
        ValidateRect(r.window, nullptr);
        kbx::draw_cell(r, 2 * r.char_width, r.char_height, 0x3042, 2);
        GetUpdateRect(r.window, &update, FALSE);
    });
    EXPECT_EQ(update.left, 2 * cell.cx);
    EXPECT_EQ(update.top, cell.cy);
    EXPECT_EQ(update.right, 4 * cell.cx);
    EXPECT_EQ(update.bottom, 2 * cell.cy);
}

TEST_F(TextBackBuffer, TheCaretIsAnUnderscoreOrABlank) {
    kbx::TextWindowRecord& r = open_at_origin(0, 200, 100);
    on_user_thread([&] {
        KBX_PushColor(0x000080, 0xFFFFFF);
        r.cursor_x = 3 * r.char_width;
        r.cursor_y = r.char_height;
        kbx::draw_caret(r, 1);
    });
    RECT caret = {3 * cell.cx, cell.cy, 4 * cell.cx, 2 * cell.cy};
    RECT caret_top = {caret.left, caret.top, caret.right, caret.top + cell.cy / 2};
    int lit = pixels_other_than(0, caret, 0x000080);
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, cell.cx * cell.cy / 2);
    EXPECT_EQ(pixels_other_than(0, caret_top, 0x000080), 0);   // an underscore sits low
    on_user_thread([&] { kbx::draw_caret(r, 0); });
    EXPECT_EQ(pixels_other_than(0, caret, 0x000080), 0);
}

TEST_F(TextBackBuffer, TheLineAdvanceScrollsByOneLineAtTheBottom) {
    // Room for three lines (0, h, 2h) and two pixels more.
    kbx::TextWindowRecord& r = open_at_origin(0, 120, 3 * cell.cy + 2);
    const int h = cell.cy;
    fill_band(0, 0, h, 0xFF0000);
    fill_band(0, h, h, 0x00FF00);
    fill_band(0, 2 * h, h, 0x0000FF);
    bool scrolled[4] = {};
    on_user_thread([&] {
        r.cursor_x = 40;
        scrolled[0] = kbx::advance_line(r);
        scrolled[1] = kbx::advance_line(r);
    });
    EXPECT_FALSE(scrolled[0]);
    EXPECT_FALSE(scrolled[1]);
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, 2 * h);

    on_user_thread([&] { scrolled[2] = kbx::advance_line(r); });
    EXPECT_TRUE(scrolled[2]);
    EXPECT_EQ(r.cursor_y, 2 * h);
    RECT line0 = {0, 0, r.client_width, h};
    RECT line1 = {0, h, r.client_width, 2 * h};
    RECT rest = {0, 2 * h, r.client_width, r.client_height};
    EXPECT_EQ(pixels_other_than(0, line0, 0x00FF00), 0);   // the red line is gone
    EXPECT_EQ(pixels_other_than(0, line1, 0x0000FF), 0);
    EXPECT_EQ(pixels_other_than(0, rest, 0x000000), 0);

    on_user_thread([&] { scrolled[3] = kbx::advance_line(r); });
    EXPECT_TRUE(scrolled[3]);
    EXPECT_EQ(r.cursor_y, 2 * h);
    EXPECT_EQ(pixels_other_than(0, line0, 0x0000FF), 0);
    EXPECT_EQ(pixels_other_than(0, RECT{0, h, r.client_width, r.client_height}, 0x000000), 0);
}

TEST_F(TextBackBuffer, ResizingRebuildsABlankBufferAtTheNewSize) {
    kbx::TextWindowRecord& r = open_at_origin(0, 200, 100);
    HWND w = r.window;
    on_user_thread([&] {
        KBX_PushColor(0x000080, 0x00FF00);
        kbx::draw_cell(r, 0, 0, L'M', 1);
        r.cursor_x = 30;
        r.cursor_y = 22;
        RECT outer = {0, 0, 260, 140};
        AdjustWindowRect(&outer, GetWindowLongW(w, GWL_STYLE), FALSE);
        SetWindowPos(w, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    });
    EXPECT_EQ(r.client_width, 260);
    EXPECT_EQ(r.client_height, 140);
    BITMAP bm = {};
    GetObjectW(r.back_buffer, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 260);
    EXPECT_EQ(bm.bmHeight, 140);
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, 0);
    EXPECT_EQ(pixels_other_than(0, whole(r), 0x000000), 0);
    on_user_thread([&] {
        EXPECT_EQ(GetTextColor(r.memory_dc), RGB(0, 0xFF, 0));
        EXPECT_EQ(GetBkColor(r.memory_dc), RGB(0, 0, 0x80));
        EXPECT_EQ(GetCurrentObject(r.memory_dc, OBJ_FONT), GetStockObject(OEM_FIXED_FONT));
    });
}

TEST_F(TextBackBuffer, MinimisingAndRestoringErasesTheContent) {
    kbx::TextWindowRecord& r = open_at_origin(0, 200, 100);
    on_user_thread([&] {
        KBX_PushColor(0x0000FF, 0xFFFF00);
        kbx::draw_cell(r, 0, 0, L'M', 1);
        r.cursor_y = 22;
        ShowWindow(r.window, SW_MINIMIZE);
        ShowWindow(r.window, SW_RESTORE);
    });
    settle();
    EXPECT_EQ(r.client_width, 200);
    EXPECT_EQ(r.client_height, 100);
    EXPECT_EQ(r.cursor_y, 0);
    EXPECT_EQ(pixels_other_than(0, whole(r), 0x000000), 0);
}

TEST_F(TextBackBuffer, PaintCopiesTheBackBufferToTheWindow) {
    kbx::TextWindowRecord& r = open_at_origin(0, 120, 60);
    on_user_thread([&] {
        KBX_PushColor(0x00C000, 0xFFFFFF);
        for (int i = 0; i < 3; ++i) kbx::draw_cell(r, i * r.char_width, 0, L' ', 1);
        UpdateWindow(r.window);
    });
    EXPECT_EQ(screen_pixel(0, 1, 1), 0x00C000);
    EXPECT_EQ(screen_pixel(0, 3 * cell.cx - 1, cell.cy - 1), 0x00C000);
    EXPECT_EQ(screen_pixel(0, 3 * cell.cx + 1, 1), 0x000000);
}
