// The image batch as its user meets it: the built program started in a
// folder of its own, the folders and the operation typed into its input
// box, Run and Stop pressed, then its log and its output files read. The
// pictures come from batch_files.py, which also checks the outputs' pixels
// after this executable ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

std::wstring full_path(const wchar_t* relative) {
    wchar_t full[MAX_PATH];
    GetFullPathNameW(relative, MAX_PATH, full, nullptr);
    return full;
}

HWND child_at_order(HWND parent, const wchar_t* cls, size_t index) {
    std::vector<HWND> children = child_windows(parent, cls);
    std::sort(children.begin(), children.end(), [](HWND a, HWND b) {
        RECT ra = window_rect(a), rb = window_rect(b);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return index < children.size() ? children[index] : nullptr;
}

int files_in(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(join_path(folder, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

class ImageBatch : public ::testing::Test {
  protected:
    Process process;
    std::wstring dir;
    HWND input = nullptr, buttons = nullptr;

    void SetUp() override {
        dir = make_temp_dir(L"batch");
        process = launch(program_path(L"image_batch"), dir);
        ASSERT_NE(process.handle, nullptr);
        input = wait_for_window(L"kbx_ib", L"InputBox", 15000, process.pid);
        buttons = wait_for_window(L"kbx_bb", L"ButtonBox", 15000, process.pid);
        ASSERT_NE(input, nullptr);
        ASSERT_NE(buttons, nullptr);
        ASSERT_NE(wait_for_window(L"kbx_twi", L"TextWindow 0", 15000, process.pid), nullptr);
    }

    void TearDown() override {
        terminate(process);
        DeleteFileW(join_path(dir, L"KOBRIX00.LOG").c_str());
        RemoveDirectoryW(dir.c_str());
    }

    // Types the three fields, commits each (Tab, Tab, Enter) and presses Run.
    // Only the typing waits for the program; hold (if any) runs after it,
    // before the clicks and keys are posted.
    void run(const std::wstring& in, const std::wstring& out, const wchar_t* operation,
             const std::function<void()>& hold = nullptr) {
        const std::wstring values[3] = {in, out, operation};
        HWND field[3];
        for (int i = 0; i < 3; ++i) {
            field[i] = child_at_order(input, L"Edit", i);
            ASSERT_NE(field[i], nullptr);
            SendMessageW(field[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(values[i].c_str()));
        }
        HWND run_button = child_at_order(buttons, L"Button", 0);
        ASSERT_EQ(L"Run", window_text(run_button));
        if (hold) hold();
        post_click(field[0], 5, 5);
        post_key(field[0], VK_TAB);
        post_key(field[1], VK_TAB);
        post_key(field[2], VK_RETURN);
        post_click(run_button, 10, 10);
    }

    void press_stop() { post_click(child_at_order(buttons, L"Button", 1), 10, 10); }

    // The log once the batch has ended (it is closed then).
    std::string log_after(const char* ending) {
        std::string text;
        wait_until([&] { return read_file(join_path(dir, L"KOBRIX00.LOG"), &text) && text.find(ending) != std::string::npos; },
                   120000);
        return text;
    }
};

bool has_line(const std::string& text, const std::string& line) {
    return text.find("\r\n" + line + "\r\n") != std::string::npos || text.rfind(line + "\r\n", 0) == 0;
}

TEST_F(ImageBatch, TurnsTwentyPicturesAndReportsTheCorruptOne) {
    const std::wstring out = full_path(L"batch_files\\out");
    run(full_path(L"batch_files\\in"), out, L"3");
    const std::string log = log_after("Finished:");
    EXPECT_NE(std::string::npos, log.find("Finished: 21/21 files, 1 failed, ")) << log;
    EXPECT_TRUE(has_line(log, "broken.png: cannot read, skipped")) << log;
    EXPECT_NE(std::string::npos, log.find("21/21 files, ")) << log;
    // gif2.gif is 54 x 32; turned, 32 x 54.
    EXPECT_TRUE(has_line(log, "gif2.gif: rotate right, 32 x 54, saved")) << log;
    int saved = 0;
    for (size_t at = 0; (at = log.find(", saved\r\n", at)) != std::string::npos; ++at) ++saved;
    EXPECT_EQ(20, saved) << log;
    EXPECT_EQ(20, files_in(out));
    const size_t end = log.find("Finished:");
    std::printf("[ measure  ] %s", log.substr(end, log.find('\n', end) - end + 1).c_str());
}

// Stop pressed while the batch is held between its first files: the
// program's thread (the one that owns the button box) is suspended before
// Run reaches it and then let run a millisecond at a time until the first
// output is there, so Stop comes early in the batch however fast it runs.
TEST_F(ImageBatch, StopEndsTheBatchBetweenFiles) {
    const std::wstring out = make_temp_dir(L"stopped");
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE,
                               GetWindowThreadProcessId(buttons, nullptr));
    ASSERT_NE(thread, nullptr);
    // Suspending is only asked for; reading the registers waits until it is done.
    auto suspend = [thread] {
        SuspendThread(thread);
        alignas(16) CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL;
        GetThreadContext(thread, &context);
    };
    run(full_path(L"batch_files\\in"), out, L"1", suspend);
    int saved_at_hold = 0;
    for (DWORD start = GetTickCount(); saved_at_hold == 0 && GetTickCount() - start < 60000;) {
        ResumeThread(thread);
        Sleep(1);
        suspend();
        saved_at_hold = files_in(out);
    }
    press_stop();
    ResumeThread(thread);
    CloseHandle(thread);
    ASSERT_GT(saved_at_hold, 0);
    const std::string log = log_after("Stopped:");
    const size_t at = log.find("Stopped: ");
    ASSERT_NE(std::string::npos, at) << log;
    const int done = std::atoi(log.c_str() + at + 9);
    // The files done at the hold, at most one begun then and the corrupt
    // one among them: Stop is taken before the next.
    EXPECT_GE(done, saved_at_hold);
    EXPECT_LE(done, saved_at_hold + 2) << log;
    EXPECT_LT(done, 21) << log;
    // Each file begun was finished: an output for every file done but the
    // corrupt one, if the batch got that far.
    const bool corrupt_done = log.find("broken.png: cannot read") != std::string::npos;
    EXPECT_EQ(corrupt_done ? done - 1 : done, files_in(out)) << log;
}

}  // namespace
