// The window log: its states and results, what goes into the file, and the
// copy to the clipboard.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/textwin/session.h"
#include "textwin/win_text_window.h"

using namespace textwin_test;
using kbx::text_windows;

namespace {

class TextLog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        close_all_text_windows();
        use_fresh_log_dir(L"twlog");
        open_window(0);
    }
    static void open_window(int n) {
        on_user_thread([n] { ASSERT_EQ(KBX_OpenTextWindow(n, 40 * n, 0, 300, 200), 0); });
    }
};

int start(int n) {
    int result = -1;
    on_user_thread([&] { result = KBX_StartLog(n); });
    return result;
}

int stop(int n) {
    int result = -1;
    on_user_thread([&] { result = KBX_StopLog(n); });
    return result;
}

int copy(int n) {
    int result = -1;
    on_user_thread([&] { result = KBX_CopyLog(n); });
    return result;
}

void print(const char* text) {
    on_user_thread([&] { KBX_Print("%s", text); });
}

void close_log(int n) {
    on_user_thread([n] { KBX_CloseLog(n); });
}

void write_file(const std::wstring& path, const std::string& contents) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(contents.data(), 1, contents.size(), f);
    std::fclose(f);
}

// Holds the clipboard open from a window of its own thread, as a clipboard
// viewer or another program does, until release is set or hold_ms pass.
void hold_clipboard(HANDLE held, HANDLE release, DWORD hold_ms) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (window && kbxtest::wait_until([window] { return OpenClipboard(window) != FALSE; }, 2000)) {
        SetEvent(held);
        WaitForSingleObject(release, hold_ms);
        CloseClipboard();
    }
    if (window) DestroyWindow(window);
}

}  // namespace

TEST_F(TextLog, ResultsFollowTheStateMachine) {
    EXPECT_EQ(start(256), 3);
    EXPECT_EQ(start(-1), 3);
    EXPECT_EQ(start(5), 3);   // not open
    EXPECT_EQ(stop(256), 2);
    EXPECT_EQ(stop(5), 2);
    EXPECT_EQ(copy(-1), 4);
    EXPECT_EQ(copy(5), 4);

    EXPECT_EQ(stop(0), 1);   // no log to pause
    EXPECT_EQ(start(0), 0);
    EXPECT_EQ(text_windows[0].log_state, 1);
    EXPECT_EQ(start(0), 1);   // already logging
    EXPECT_EQ(stop(0), 0);
    EXPECT_EQ(text_windows[0].log_state, 2);
    EXPECT_EQ(stop(0), 0);   // already paused
    EXPECT_EQ(text_windows[0].log_state, 2);
    EXPECT_EQ(start(0), 0);   // resumed
    EXPECT_EQ(text_windows[0].log_state, 1);
    close_log(0);
    EXPECT_EQ(text_windows[0].log_state, 0);
    EXPECT_EQ(text_windows[0].log_file, nullptr);
    close_log(0);   // nothing to close
    close_log(300);
    EXPECT_EQ(stop(0), 1);
}

TEST_F(TextLog, TheFileIsNamedAfterInstanceAndWindow) {
    open_window(12);
    EXPECT_EQ(start(12), 0);
    print("twelve\n");
    close_log(12);
    std::wstring expected = L"KOBRIX" + std::to_wstring(kbx::instance_number) + L"12.LOG";
    EXPECT_NE(log_path(12).find(expected), std::wstring::npos);
    EXPECT_EQ(log_contents(12), "twelve\r\n");
    EXPECT_EQ(log_contents(0), "");
}

TEST_F(TextLog, AFreshStartEmptiesAnExistingFile) {
    write_file(log_path(0), "old contents\r\n");
    EXPECT_EQ(start(0), 0);
    print("new\n");
    close_log(0);
    EXPECT_EQ(log_contents(0), "new\r\n");
}

TEST_F(TextLog, TextPrintedWhilePausedIsNotLogged) {
    start(0);
    print("a");
    stop(0);
    print("b\n");
    on_user_thread([] { KBX_ClearTextWindow(); });
    start(0);
    print("c\n");
    on_user_thread([] { KBX_ClearTextWindow(); });   // a clear leaves a line end
    close_log(0);
    print("d");
    EXPECT_EQ(log_contents(0), "ac\r\n\r\n");
}

TEST_F(TextLog, OnlyTheCurrentWindowsLogGetsItsOutput) {
    open_window(1);
    start(0);
    start(1);
    print("one");   // window 1 is current
    on_user_thread([] {
        KBX_SelectTextWindow(0);
        KBX_Print("zero");
        KBX_CloseAllLogs();
    });
    EXPECT_EQ(text_windows[0].log_state, 0);
    EXPECT_EQ(text_windows[1].log_state, 0);
    EXPECT_EQ(log_contents(0), "zero");
    EXPECT_EQ(log_contents(1), "one");
}

TEST_F(TextLog, CopyPutsTheWholeFileOnTheClipboardAndLaterOutputAppends) {
    start(0);
    print("first line\nsecond");
    EXPECT_EQ(copy(0), 0);
    EXPECT_EQ(kbxtest::read_clipboard_text(), "first line\r\nsecond");
    EXPECT_EQ(text_windows[0].log_state, 1);
    print(" continued\n");
    EXPECT_EQ(copy(0), 0);
    std::string clip = kbxtest::read_clipboard_text();
    close_log(0);
    EXPECT_EQ(log_contents(0), "first line\r\nsecond continued\r\n");
    EXPECT_EQ(clip, log_contents(0));
}

TEST_F(TextLog, CopyWaitsBrieflyForAClipboardHeldElsewhere) {
    start(0);
    print("waited for\n");
    struct Case {
        DWORD hold_ms;
        int result;
        const char* clipboard;
    } cases[] = {
        {150, 0, "waited for\r\n"},
        {INFINITE, 1, "unchanged"},   // held until the copy has given up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        ASSERT_TRUE(kbxtest::write_clipboard_text(L"unchanged"));
        HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread holder(hold_clipboard, held, release, c.hold_ms);
        bool holding = WaitForSingleObject(held, 5000) == WAIT_OBJECT_0;
        if (holding) {
            EXPECT_EQ(copy(0), c.result);
        }
        SetEvent(release);
        holder.join();
        CloseHandle(held);
        CloseHandle(release);
        ASSERT_TRUE(holding);
        EXPECT_EQ(kbxtest::read_clipboard_text(), c.clipboard);
    }
}

TEST_F(TextLog, CopyingAPausedLogKeepsItPaused) {
    start(0);
    print("kept\n");
    stop(0);
    EXPECT_EQ(copy(0), 0);
    EXPECT_EQ(text_windows[0].log_state, 2);
    print("dropped\n");
    start(0);
    print("appended\n");
    close_log(0);
    EXPECT_EQ(log_contents(0), "kept\r\nappended\r\n");
}

TEST_F(TextLog, CopyingANeverStartedLogReadsTheFileThatIsThere) {
    write_file(log_path(0), "left\r\nby an earlier run\r\n");
    EXPECT_EQ(copy(0), 0);
    EXPECT_EQ(kbxtest::read_clipboard_text(), "left\r\nby an earlier run\r\n");
    EXPECT_EQ(text_windows[0].log_state, 0);
    EXPECT_EQ(text_windows[0].log_file, nullptr);
}

TEST_F(TextLog, CopyingAMissingLogReportsItAndLeavesTheClipboard) {
    ASSERT_TRUE(kbxtest::write_clipboard_text(L"unchanged"));
    int result = -1;
    begin_on_user_thread([&] { result = KBX_CopyLog(0); });
    EXPECT_EQ(dismiss_message_box(L"Pause"), L"Can't open LOG file!");
    ASSERT_TRUE(finish_step());
    EXPECT_EQ(result, 2);
    EXPECT_EQ(kbxtest::read_clipboard_text(), "unchanged");
}

TEST_F(TextLog, ALogThatCannotBeCreatedIsReported) {
    on_user_thread([] {
        lstrcpyW(kbx::log_dir_w, L"Q:\\no\\such\\folder\\");
        lstrcpyA(kbx::log_dir, "Q:\\no\\such\\folder\\");
    });
    int result = -1;
    begin_on_user_thread([&] { result = KBX_StartLog(0); });
    EXPECT_EQ(dismiss_message_box(L"Error"), L"Can't create file for LOG!");
    ASSERT_TRUE(finish_step());
    EXPECT_EQ(result, 2);
    EXPECT_EQ(text_windows[0].log_state, 0);
    print("nowhere");   // no stream: nothing to write through
}

TEST_F(TextLog, ClosingTheWindowFlushesAndClosesItsLog) {
    start(0);
    print("flushed");
    on_user_thread([] { KBX_CloseTextWindow(0); });
    EXPECT_EQ(log_contents(0), "flushed");
    // Opened again, the window starts without a log.
    open_window(0);
    EXPECT_EQ(text_windows[0].log_state, 0);
    EXPECT_EQ(stop(0), 1);
}
