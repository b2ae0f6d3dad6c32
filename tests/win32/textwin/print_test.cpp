// KBX_Print: line breaking by cells in the back buffer, scrolling, colours
// and the log echo.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_boxes.h"
#include "kbx_commands.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/textwin/session.h"
#include "textwin/win_text_window.h"

using namespace textwin_test;
using kbx::text_windows;

namespace {

// Wide enough for every platform's smallest window.
const int kCols = 30;

class TextPrint : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        close_all_text_windows();
        use_fresh_log_dir(L"twprint");
        cell = oem_cell();
    }
    // Window n at the origin, `cols` cells wide and `rows` lines high.
    kbx::TextWindowRecord& open_cells(int n, int cols, int rows) {
        int result = -1;
        on_user_thread([&] { result = KBX_OpenTextWindow(n, 0, 0, cols * cell.cx, rows * cell.cy); });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(text_windows[n].client_width, cols * cell.cx);
        return text_windows[n];
    }
    // Lit pixels of cell (col, row) against the background rgb.
    int lit(const Picture& p, int col, int row, int rgb = 0x000000) const {
        return p.count_other(col * cell.cx, row * cell.cy, (col + 1) * cell.cx, (row + 1) * cell.cy, rgb);
    }
    SIZE cell = {};
};

void print(const char* text) {
    on_user_thread([&] { KBX_Print("%s", text); });
}

}  // namespace

TEST_F(TextPrint, LettersBeyondALineGiveFullLinesAndTheRest) {
    // The platform keeps windows wider than ten cells; two full lines and
    // five letters more show the same as 25 letters on ten cells.
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    on_user_thread([] { ASSERT_EQ(KBX_StartLog(0), 0); });
    const int count = 2 * kCols + 5;
    print(std::string(count, 'M').c_str());
    EXPECT_EQ(r.cursor_x, 5 * cell.cx);
    EXPECT_EQ(r.cursor_y, 2 * cell.cy);
    Picture p = back_picture(0);
    for (int col = 0; col < kCols; ++col) {
        SCOPED_TRACE(col);
        EXPECT_GT(lit(p, col, 0), 0);
        EXPECT_GT(lit(p, col, 1), 0);
        if (col < 5) EXPECT_GT(lit(p, col, 2), 0);
        else EXPECT_EQ(lit(p, col, 2), 0);
        EXPECT_EQ(lit(p, col, 3), 0);
    }
    on_user_thread([] { KBX_CloseLog(0); });
    EXPECT_EQ(log_contents(0), std::string(count, 'M'));   // one line
}

TEST_F(TextPrint, TwoLineFeedsAdvanceTwoLinesAndDrawNothing) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    on_user_thread([] { KBX_StartLog(0); });
    print("\n\n");
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, 2 * cell.cy);
    Picture p = back_picture(0);
    EXPECT_EQ(p.count_other(0, 0, p.width, p.height, 0x000000), 0);
    on_user_thread([] { KBX_CloseLog(0); });
    EXPECT_EQ(log_contents(0), "\r\n\r\n");
}

TEST_F(TextPrint, AWideCharacterThatDoesNotFitMovesToTheNextLineWhole) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    print(std::string(kCols - 1, '9').c_str());
    on_user_thread([] { kbx::print_wide(L"\x3042"); });
    EXPECT_EQ(r.cursor_x, 2 * cell.cx);
    EXPECT_EQ(r.cursor_y, cell.cy);
    Picture p = back_picture(0);
    EXPECT_EQ(lit(p, kCols - 1, 0), 0);   // the last cell stays empty
    EXPECT_GT(lit(p, 0, 1) + lit(p, 1, 1), 0);

    // With two cells left it fits exactly and stays on the line.
    print(("\n" + std::string(kCols - 2, '8')).c_str());
    on_user_thread([] { kbx::print_wide(L"\x3042"); });
    EXPECT_EQ(r.cursor_x, kCols * cell.cx);
    EXPECT_EQ(r.cursor_y, 2 * cell.cy);
}

TEST_F(TextPrint, NarrowTextAboveU007FTakesTwoCells) {
    // A character of the ANSI code page beyond ASCII, as KBX_Print gets it.
    char e_acute[8] = {};
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, L"\x00E9", 1, e_acute, sizeof e_acute, nullptr, &lossy);
    if (lossy) GTEST_SKIP() << "the ANSI code page has no e acute";
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    on_user_thread([] { KBX_StartLog(0); });
    print(e_acute);
    EXPECT_EQ(r.cursor_x, 2 * cell.cx);
    on_user_thread([] { KBX_CloseLog(0); });
    EXPECT_EQ(log_contents(0), e_acute);
}

TEST_F(TextPrint, OutputAtTheBottomScrollsByOneLine) {
    // Room for three lines and two pixels.
    int result = -1;
    on_user_thread([&] { result = KBX_OpenTextWindow(0, 0, 0, kCols * cell.cx, 3 * cell.cy + 2); });
    ASSERT_EQ(result, 0);
    kbx::TextWindowRecord& r = text_windows[0];
    on_user_thread([] {
        KBX_PushColor(0xFF0000, 0xFFFFFF);
        KBX_Print("A\n");
        KBX_PushColor(0x00FF00, 0xFFFFFF);
        KBX_Print("B\n");
        KBX_PushColor(0x0000FF, 0xFFFFFF);
        KBX_Print("C");
    });
    EXPECT_EQ(r.cursor_y, 2 * cell.cy);
    Picture before = back_picture(0);
    EXPECT_EQ(before.at(cell.cx - 1, 0), 0xFF0000);

    print("\n");   // the bottom line is reached: one line scrolls away
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, 2 * cell.cy);
    Picture p = back_picture(0);
    EXPECT_EQ(p.at(cell.cx - 1, 0), 0x00FF00);
    EXPECT_EQ(p.at(cell.cx - 1, cell.cy), 0x0000FF);
    EXPECT_EQ(p.count_other(0, 2 * cell.cy, p.width, p.height, 0x000000), 0);
    // The rest of each line moved with it, pixel for pixel.
    for (int y = 0; y < cell.cy; ++y)
        for (int x = 0; x < p.width; ++x) ASSERT_EQ(p.at(x, y), before.at(x, y + cell.cy)) << x << "," << y;

    print("D\n");
    p = back_picture(0);
    EXPECT_EQ(p.at(cell.cx - 1, 0), 0x0000FF);
    EXPECT_EQ(p.at(cell.cx - 1, cell.cy), 0x0000FF);
}

TEST_F(TextPrint, TextIsDrawnInTheCurrentColours) {
    open_cells(0, kCols, 4);
    on_user_thread([] {
        KBX_PushColor(0x204060, 0xFFFF00);
        KBX_Print("M");
        KBX_PopColor();
        KBX_Print("M");
    });
    Picture p = back_picture(0);
    // Glyph edges may be smoothed: count colours by their kind.
    int background = 0, yellowish = 0, grey = 0, bright_grey = 0;
    for (int y = 0; y < cell.cy; ++y) {
        for (int x = 0; x < cell.cx; ++x) {
            int c = p.at(x, y);
            int red = c >> 16, green = (c >> 8) & 0xFF, blue = c & 0xFF;
            if (c == 0x204060) ++background;
            if (red > 0xC0 && green > 0xC0 && blue < 0x60) ++yellowish;
            if (red == green && green == blue) ++grey;
        }
        for (int x = cell.cx; x < 2 * cell.cx; ++x) {
            int c = p.at(x, y);
            int red = c >> 16, green = (c >> 8) & 0xFF, blue = c & 0xFF;
            EXPECT_TRUE(red == green && green == blue) << std::hex << c;
            if (red > 0xC0) ++bright_grey;
        }
    }
    EXPECT_GT(background, 0);
    EXPECT_GT(yellowish, 0);
    EXPECT_EQ(grey, 0);
    // Popped: the next letter is white on black again.
    EXPECT_GT(bright_grey, 0);
    EXPECT_EQ(p.at(cell.cx, 0), 0x000000);
}

TEST_F(TextPrint, FormattedTextOver4095BytesIsCutAndStillPrinted) {
    kbx::TextWindowRecord& r = open_cells(0, 40, 10);
    on_user_thread([] { KBX_StartLog(0); });
    std::string long_text(6000, 'x');
    on_user_thread([&] { KBX_Print("%s|%d", long_text.c_str(), 42); });
    on_user_thread([] { KBX_CloseLog(0); });
    EXPECT_EQ(log_contents(0), std::string(4095, 'x'));
    // 4095 cells on 40-cell lines: the cursor ends 15 cells into a line.
    EXPECT_EQ(r.cursor_x, (4095 % 40) * cell.cx);
}

TEST_F(TextPrint, WideTextIsPrintedAndLoggedInItsAnsiForm) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    std::wstring text = std::wstring(kCols, L'a') + L"KL\nz";
    on_user_thread([&] {
        KBX_StartLog(0);
        kbx::print_wide(text.c_str());
        KBX_CloseLog(0);
    });
    EXPECT_EQ(r.cursor_x, cell.cx);
    EXPECT_EQ(r.cursor_y, 2 * cell.cy);
    EXPECT_EQ(log_contents(0), std::string(kCols, 'a') + "KL\r\nz");
}

TEST_F(TextPrint, OutputToAClosedWindowIsDropped) {
    open_cells(0, kCols, 6);
    open_cells(1, kCols, 6);
    on_user_thread([] {
        KBX_StartLog(1);
        KBX_CloseTextWindow(1);   // current goes back to 0
        KBX_SelectTextWindow(1);  // refused: 1 is closed
    });
    EXPECT_EQ(kbx::current_text_window, 0);
    on_user_thread([] {
        kbx::current_text_window = 1;
        KBX_Print("lost");
        kbx::print_wide(L"lost");
    });
    EXPECT_EQ(log_contents(1), "");
    EXPECT_EQ(text_windows[0].cursor_x, 0);
}

TEST_F(TextPrint, PrintingLetsTheWindowsHandleTheirMessages) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    on_user_thread([&] {
        ValidateRect(r.window, nullptr);
        PostMessageW(r.window, WM_COMMAND, KBX_CMD_TEXT_DESTROY, 0);   // Destroy, handled inside the print
        KBX_Print("x");
        EXPECT_EQ(r.in_use, 0);
    });
}

// Coalesced screen copies: the same output read back after every print (a
// program's read shows its output first) and printed in one burst (copies
// held back) gives the same back buffer, and once the program pauses the
// screen shows exactly that back buffer.
TEST_F(TextPrint, HeldBackCopiesLeaveTheSamePixelsOnScreen) {
    auto run = [&](bool read_after_each, Picture* back, Picture* screen) {
        close_all_text_windows();
        open_cells(0, kCols, 6);
        on_user_thread([&] {
            for (int i = 0; i < 40; ++i) {
                KBX_PushColor(i % 3 ? 0x000000 : 0x203040, 0x40C000 + i * 0x0400);
                KBX_Print("line %d %s\n", i, i % 4 ? "x" : "a line long enough to wrap past the right edge");
                KBX_PopColor();
                if (i == 25) KBX_ClearTextWindow();
                if (read_after_each) KBX_GetInputBoxInt(0);
            }
            KBX_Print("no line end");
        });
        settle();
        *back = back_picture(0);
        *screen = screen_picture(0);
    };
    Picture every_back, every_screen, held_back, held_screen;
    run(true, &every_back, &every_screen);
    run(false, &held_back, &held_screen);
    ASSERT_GT(every_back.count_other(0, 0, every_back.width, every_back.height, 0x000000), 0);
    EXPECT_EQ(every_screen.pixels, every_back.pixels);
    EXPECT_EQ(held_back.pixels, every_back.pixels);
    EXPECT_EQ(held_screen.pixels, every_back.pixels);
}

// A program that prints and then computes without calling the framework
// does not pump: its held output reaches the screen all the same. The
// program here blocks instead of computing, until the driver has seen it.
TEST_F(TextPrint, HeldOutputReachesTheScreenWhileTheProgramComputes) {
    open_cells(0, kCols, 6);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> held{-1};
    Picture expected;
    begin_on_user_thread([&] {
        KBX_Print("Start\n");
        // A line printed within a repaint interval of the last copy is held
        // back: print until one is.
        int now_held = 0;
        for (int i = 0; i < 1000 && !now_held; ++i) {
            KBX_Print("Computing...\n");
            kbx::TextScreenLock lock;
            const kbx::TextWindowRecord& r = text_windows[0];
            now_held = r.repaint_held;
            if (now_held) expected = read_picture(r.memory_dc, r.client_width, r.client_height);
        }
        held = now_held;
        WaitForSingleObject(done, INFINITE);
    });
    const bool shown = kbxtest::wait_until([&] { return held != -1; }, 30000) && held == 1 &&
                       kbxtest::wait_until([&] { return screen_picture_now(0).pixels == expected.pixels; }, 10000);
    SetEvent(done);
    ASSERT_TRUE(finish_step());
    CloseHandle(done);
    ASSERT_EQ(held, 1);
    EXPECT_GT(lit(expected, 0, 1), 0);
    EXPECT_TRUE(shown);
}
