// A long run of output into one window: it finishes, the window shows the
// last lines exactly, and the log holds every line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/textwin/session.h"
#include "textwin/win_text_window.h"

using namespace textwin_test;
using kbx::text_windows;

namespace {

class TextLongOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        close_all_text_windows();
        use_fresh_log_dir(L"twlong");
    }
};

const int kLines = 100000;

std::string line_text(int i) {
    char text[32];
    std::snprintf(text, sizeof text, "line %06d", i);
    return text;
}

// What window n should show: the given rows drawn white on black from the
// top, in the window's own font, on a bitmap of its size.
Picture reference_picture(int n, const std::vector<std::string>& rows) {
    Picture p;
    on_user_thread([&] {
        const kbx::TextWindowRecord& r = text_windows[n];
        HDC dc = CreateCompatibleDC(r.window_dc);
        HBITMAP canvas = CreateCompatibleBitmap(r.window_dc, r.client_width, r.client_height);
        HGDIOBJ old_bitmap = SelectObject(dc, canvas);
        HGDIOBJ old_font = SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
        PatBlt(dc, 0, 0, r.client_width, r.client_height, BLACKNESS);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        for (size_t i = 0; i < rows.size(); ++i) {
            std::wstring wide(rows[i].begin(), rows[i].end());
            TextOutW(dc, 0, static_cast<int>(i) * r.char_height, wide.c_str(), static_cast<int>(wide.size()));
        }
        p = read_picture(dc, r.client_width, r.client_height);
        SelectObject(dc, old_font);
        SelectObject(dc, old_bitmap);
        DeleteObject(canvas);
        DeleteDC(dc);
    });
    return p;
}

}  // namespace

TEST_F(TextLongOutput, AHundredThousandLinesScrollAndAreAllLogged) {
    on_user_thread([] {
        ASSERT_EQ(KBX_OpenTextWindow(0, 0, 0, 400, 300), 0);
        ASSERT_EQ(KBX_StartLog(0), 0);
    });
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t0);
    begin_on_user_thread([] {
        for (int i = 1; i <= kLines; ++i) KBX_Print("line %06d\n", i);
    });
    ASSERT_TRUE(finish_step(600000));
    QueryPerformanceCounter(&t1);
    double seconds = static_cast<double>(t1.QuadPart - t0.QuadPart) / frequency.QuadPart;
    std::fprintf(stderr, "[ info ] %d lines in %.2f s: %.0f lines per second\n", kLines, seconds, kLines / seconds);

    const kbx::TextWindowRecord& r = text_windows[0];
    EXPECT_EQ(r.cursor_x, 0);
    // The cursor stands on the last line that leaves a whole line below it
    // free, and every line above it shows the latest output.
    EXPECT_GE(r.cursor_y + 2 * r.char_height, r.client_height);
    EXPECT_LT(r.cursor_y + r.char_height, r.client_height + r.char_height);
    int shown = r.cursor_y / r.char_height;
    ASSERT_GT(shown, 5);
    std::vector<std::string> rows;
    for (int i = kLines - shown + 1; i <= kLines; ++i) rows.push_back(line_text(i));
    Picture expected = reference_picture(0, rows);
    Picture actual = back_picture(0);
    ASSERT_EQ(actual.pixels.size(), expected.pixels.size());
    int differing = 0;
    for (size_t i = 0; i < actual.pixels.size(); ++i)
        if (actual.pixels[i] != expected.pixels[i]) ++differing;
    EXPECT_EQ(differing, 0);

    on_user_thread([] { KBX_CloseLog(0); });
    std::string log = log_contents(0);
    ASSERT_EQ(log.size(), static_cast<size_t>(kLines) * 13);
    size_t at = 0;
    for (int i = 1; i <= kLines; ++i, at += 13)
        ASSERT_EQ(log.compare(at, 13, line_text(i) + "\r\n"), 0) << "line " << i;
}
