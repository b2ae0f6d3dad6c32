// KBX_InputLine driven by posted WM_CHAR and WM_KEYDOWN messages.
#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/textwin/session.h"
#include "textwin/key_ring.h"
#include "textwin/win_text_window.h"

using namespace textwin_test;
using kbx::text_windows;

namespace {

// Wide enough for every platform's smallest window.
const int kCols = 30;

class TextInput : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        close_all_text_windows();
        use_fresh_log_dir(L"twinput");
        cell = oem_cell();
        on_user_thread([] {
            kbx::key_ring_reset(kbx::key_ring);
            kbx::key_ring_request = 0;
            kbx::recall_line[0] = 0;
            set_ctrl(false);
        });
    }
    kbx::TextWindowRecord& open_cells(int n, int cols, int rows) {
        on_user_thread([&] { ASSERT_EQ(KBX_OpenTextWindow(n, 0, 0, cols * cell.cx, rows * cell.cy), 0); });
        EXPECT_EQ(text_windows[n].client_width, cols * cell.cx);
        EXPECT_EQ(text_windows[n].client_height, rows * cell.cy);
        return text_windows[n];
    }
    SIZE cell = {};
};

// Starts a line input on the user-program thread; the buffer is filled
// with '#' first so that an untouched buffer shows.
struct Prompt {
    char buffer[300];
    HWND window = nullptr;
    void begin() {
        std::fill(buffer, buffer + sizeof buffer, '#');
        buffer[sizeof buffer - 1] = 0;
        begin_on_user_thread([this] { KBX_InputLine(buffer); });
        ASSERT_TRUE(kbxtest::wait_until([] { return kbx::input_active != 0; }));
        window = text_windows[kbx::input_active - 1].window;
    }
    std::string finish() {
        EXPECT_TRUE(finish_step());
        return buffer;
    }
    // Waits until the input loop has handled everything posted so far:
    // the window procedure has put it into the ring (the job runs after
    // it), line input has taken it and served any request, and has been
    // round its loop once more.
    void drained() {
        in_user_pump([] {});
        kbxtest::wait_until([] { return kbx::key_ring_request == 0 && ring_empty(); });
        in_user_pump([] {});
    }
    static bool ring_empty() {
        std::lock_guard<std::mutex> hold(kbx::key_ring.lock);
        return kbx::key_ring.read_index == -1;
    }
};

std::string type_line(const std::wstring& text) {
    Prompt p;
    p.begin();
    kbxtest::post_text(p.window, text);
    return p.finish();
}

void post_keydown(HWND window, UINT vk) { PostMessageW(window, WM_KEYDOWN, vk, 1); }

}  // namespace

TEST_F(TextInput, DigitsAndEnterGiveTheLineAndTheCursorMovesOn) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    on_user_thread([] { KBX_Print("N="); });
    Prompt p;
    p.begin();
    EXPECT_EQ(kbx::input_active, 1);
    EXPECT_EQ(kbxtest::window_text(kbx::control.status_label).find(L"Input text") != std::wstring::npos, true);
    kbxtest::post_text(p.window, L"12\r");
    EXPECT_EQ(p.finish(), "12");
    EXPECT_EQ(kbx::input_active, 0);
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, cell.cy);
    EXPECT_EQ(std::wstring(kbx::recall_line), L"12");
    // The echo stands after the prompt; the caret cell is blank again.
    Picture pic = back_picture(0);
    EXPECT_GT(pic.count_other(2 * cell.cx, 0, 4 * cell.cx, cell.cy, 0), 0);
    EXPECT_EQ(pic.count_other(4 * cell.cx, 0, pic.width, pic.height, 0), 0);
    std::wstring status = kbxtest::window_text(kbx::control.status_label);
    EXPECT_NE(status.find(L"-bit color"), std::wstring::npos);
}

TEST_F(TextInput, EnterAloneGivesAnEmptyLine) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    type_line(L"before\r");
    EXPECT_EQ(type_line(L"\r"), "");
    EXPECT_EQ(r.cursor_y, 2 * cell.cy);
    EXPECT_EQ(kbx::recall_line[0], 0);
}

TEST_F(TextInput, UpReplaysTheLastLineOnce) {
    open_cells(0, kCols, 6);
    type_line(L"abc\r");
    Prompt p;
    p.begin();
    post_keydown(p.window, VK_UP);
    post_keydown(p.window, VK_UP);   // before the first replay is taken
    p.drained();
    kbxtest::post_text(p.window, L"d\r");
    EXPECT_EQ(p.finish(), "abcd");
}

TEST_F(TextInput, CtrlVPastesOnlyTheFirstLine) {
    open_cells(0, kCols, 6);
    ASSERT_TRUE(kbxtest::write_clipboard_text(L"first\r\nsecond\r\n"));
    Prompt p;
    p.begin();
    kbxtest::post_char(p.window, L'>');
    p.drained();
    // Ctrl is down while the key and the control character it types
    // arrive; that character is not taken.
    in_user_pump([] { set_ctrl(true); });
    PostMessageW(p.window, WM_KEYDOWN, 'V', 1);
    PostMessageW(p.window, WM_CHAR, 0x16, 1);
    in_user_pump([] {});
    in_user_pump([] { set_ctrl(false); });
    p.drained();
    kbxtest::post_text(p.window, L"\r");
    EXPECT_EQ(p.finish(), ">first");
}

TEST_F(TextInput, PasteStopsAtTheFirstLineEndOrWhenTheRingIsFull) {
    open_cells(0, kCols, 6);
    ASSERT_TRUE(kbxtest::write_clipboard_text(L"only\nnot this"));
    Prompt p;
    p.begin();
    in_user_pump([] { set_ctrl(true); });
    PostMessageW(p.window, WM_KEYDOWN, 'V', 1);
    in_user_pump([] {});
    in_user_pump([] { set_ctrl(false); });
    p.drained();
    kbxtest::post_text(p.window, L"\r");
    EXPECT_EQ(p.finish(), "only");

    // A clipboard without text pastes nothing.
    ASSERT_TRUE(kbxtest::clear_clipboard());
    p.begin();
    in_user_pump([] { kbx::key_ring_request = 2; });
    p.drained();
    kbxtest::post_text(p.window, L"\r");
    EXPECT_EQ(p.finish(), "");
}

TEST_F(TextInput, ATabIsStoredAndShownAsASpace) {
    open_cells(0, kCols, 6);
    EXPECT_EQ(type_line(L"a\tb\r"), "a b");
    Picture pic = back_picture(0);
    EXPECT_GT(pic.count_other(0, 0, cell.cx, cell.cy, 0), 0);
    EXPECT_EQ(pic.count_other(cell.cx, 0, 2 * cell.cx, cell.cy, 0), 0);
    EXPECT_GT(pic.count_other(2 * cell.cx, 0, 3 * cell.cx, cell.cy, 0), 0);
}

TEST_F(TextInput, TypingWrapsAndBackspaceWalksBackOverTheWrap) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    Prompt p;
    p.begin();
    // The line wraps once the last cell is taken, so the caret has room.
    kbxtest::post_text(p.window, std::wstring(kCols, L'M') + L"ab");
    p.drained();
    EXPECT_EQ(r.cursor_x, 2 * cell.cx);
    EXPECT_EQ(r.cursor_y, cell.cy);
    kbxtest::post_text(p.window, L"\b\b\b");
    p.drained();
    EXPECT_EQ(r.cursor_x, (kCols - 1) * cell.cx);
    EXPECT_EQ(r.cursor_y, 0);
    // The removed letter's cell holds only the caret now: nothing in its
    // upper half.
    Picture pic = back_picture(0);
    EXPECT_EQ(pic.count_other((kCols - 1) * cell.cx, 0, kCols * cell.cx, cell.cy / 2, 0), 0);
    EXPECT_EQ(pic.count_other(0, cell.cy, pic.width, 2 * cell.cy, 0), 0);
    kbxtest::post_text(p.window, L"\r");
    EXPECT_EQ(p.finish(), std::string(kCols - 1, 'M'));
    EXPECT_EQ(r.cursor_y, cell.cy);
}

TEST_F(TextInput, AWideCharacterMovesToTheNextLineAndOneBackspaceUndoesIt) {
    kbx::TextWindowRecord& r = open_cells(0, kCols, 6);
    Prompt p;
    p.begin();
    kbxtest::post_text(p.window, std::wstring(kCols - 1, L'9'));
    p.drained();
    kbxtest::post_char(p.window, 0x3042);
    p.drained();
    EXPECT_EQ(r.cursor_x, 2 * cell.cx);
    EXPECT_EQ(r.cursor_y, cell.cy);
    kbxtest::post_char(p.window, L'\b');
    p.drained();
    EXPECT_EQ(r.cursor_x, (kCols - 1) * cell.cx);
    EXPECT_EQ(r.cursor_y, 0);
    Picture pic = back_picture(0);
    EXPECT_EQ(pic.count_other(0, cell.cy, pic.width, 2 * cell.cy, 0), 0);
    kbxtest::post_text(p.window, L"\r");
    EXPECT_EQ(p.finish(), std::string(kCols - 1, '9'));
}

TEST_F(TextInput, BackspaceOverAWrapThatScrolledAwayStaysOnTheTopLine) {
    // Two lines: every further wrap scrolls one away.
    kbx::TextWindowRecord& r = open_cells(0, kCols, 3);
    Prompt p;
    p.begin();
    kbxtest::post_text(p.window, std::wstring(3 * kCols, L'x'));
    p.drained();
    EXPECT_EQ(r.cursor_x, 0);
    EXPECT_EQ(r.cursor_y, cell.cy);
    kbxtest::post_text(p.window, std::wstring(2 * kCols + 3, L'\b'));
    p.drained();
    EXPECT_EQ(r.cursor_y, 0);
    EXPECT_EQ(r.cursor_x, (kCols - 3) * cell.cx);
    kbxtest::post_text(p.window, std::wstring(kCols - 3, L'\b'));
    p.drained();
    EXPECT_EQ(r.cursor_y, 0);
    EXPECT_EQ(r.cursor_x, 0);
    kbxtest::post_text(p.window, L"yz\r");
    EXPECT_EQ(p.finish(), "yz");
}

TEST_F(TextInput, TheLineHoldsAt255Characters) {
    open_cells(0, 40, 10);
    Prompt p;
    p.begin();
    // In portions the ring can hold.
    kbxtest::post_text(p.window, std::wstring(200, L'k'));
    p.drained();
    kbxtest::post_text(p.window, std::wstring(100, L'q'));
    p.drained();
    kbxtest::post_text(p.window, L"\bz\r");
    EXPECT_EQ(p.finish(), std::string(200, 'k') + std::string(54, 'q') + "z");
}

TEST_F(TextInput, TheAnsiFormIsCutBetweenWholeCharacters) {
    open_cells(0, 40, 10);
    std::wstring typed(250, L'k');
    typed += L"\x3042\x00E9\x3044\x00FC\x3046";
    std::string line = type_line(typed + L"\r");
    ASSERT_LE(line.size(), 255u);
    char full[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, typed.c_str(), -1, full, sizeof full, nullptr, nullptr);
    EXPECT_EQ(std::string(full).substr(0, line.size()), line);
    // Whatever was cut, was cut between characters: the result converts
    // back without a broken one at its end.
    wchar_t back[300] = {};
    int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, line.c_str(), -1, back, 300);
    EXPECT_GT(units, 0);
}

TEST_F(TextInput, ClosingTheWindowEndsTheInputWithAnEmptyLineAtOnce) {
    open_cells(0, kCols, 6);
    open_cells(1, kCols, 6);
    Prompt p;
    p.begin();
    EXPECT_EQ(kbx::input_active, 2);
    kbxtest::post_text(p.window, L"half");
    p.drained();
    PostMessageW(text_windows[0].window, WM_CLOSE, 0, 0);   // another window: no effect
    PostMessageW(p.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(finish_step(3000));
    EXPECT_EQ(std::string(p.buffer), "");
    EXPECT_EQ(kbx::input_active, 0);
    EXPECT_EQ(kbx::recall_line[0], 0);   // the recall line keeps its value
}

TEST_F(TextInput, WithoutAnOpenWindowItReturnsAtOnceAndLeavesTheBuffer) {
    char buffer[8] = "keep";
    on_user_thread([&] { KBX_InputLine(buffer); });
    EXPECT_STREQ(buffer, "keep");
    EXPECT_EQ(kbx::input_active, 0);
}

TEST_F(TextInput, EnteredLinesAreLogged) {
    open_cells(0, kCols, 6);
    on_user_thread([] {
        KBX_StartLog(0);
        KBX_Print("Name? ");
    });
    type_line(L"Ann\r");
    on_user_thread([] { KBX_StopLog(0); });
    type_line(L"unlogged\r");
    on_user_thread([] { KBX_CloseLog(0); });
    EXPECT_EQ(log_contents(0), "Name? Ann\r\n");
}

// (What the wait costs is measured by bench/idle_cpu.sh input_wait_program.)
TEST_F(TextInput, TheCaretBlinksWhileTheLineWaits) {
    open_cells(0, kCols, 6);
    Prompt p;
    p.begin();
    // The caret cell shows "_" and blank in turn.
    bool seen[2] = {false, false};
    EXPECT_TRUE(kbxtest::wait_until([&] {
        Picture pic = back_picture(0);
        seen[pic.count_other(0, 0, cell.cx, cell.cy, 0) > 0 ? 1 : 0] = true;
        return seen[0] && seen[1];
    }));
    kbxtest::post_text(p.window, L"\r");
    p.finish();
}
