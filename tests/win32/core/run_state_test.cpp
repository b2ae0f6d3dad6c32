// Start, Stop and Exit; the keys that reach them; the user-program thread.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_commands.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

std::atomic<int> main_runs{0};
std::atomic<int> saw_stop{0};

void no_setup() {}
void self_starting_setup() { start_request = 1; }

void polite_main() {
    ++main_runs;
    while (exit_state == 0) {
        if (wait_100ms() == 1) saw_stop = 1;
    }
}

// Commands the control window posts to itself, seen as its thread takes them.
std::vector<WORD> posted_commands;
HHOOK hook;
LRESULT CALLBACK watch_commands(int code, WPARAM wp, LPARAM lp) {
    const MSG* msg = reinterpret_cast<const MSG*>(lp);
    if (code >= 0 && wp == PM_REMOVE) {
        if (msg->message == WM_COMMAND && msg->hwnd == kbx::control.window) posted_commands.push_back(LOWORD(msg->wParam));
        // The driver sets the Ctrl key state on the control window's thread.
        if (msg->message == WM_APP + 1 || msg->message == WM_APP + 2) {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_CONTROL] = msg->message == WM_APP + 1 ? 0x80 : 0;
            SetKeyboardState(keys);
        }
    }
    return CallNextHookEx(hook, code, wp, lp);
}

void ctrl_key(HWND w, UINT vk) {
    PostMessageW(w, WM_APP + 1, 0, 0);
    PostMessageW(w, WM_KEYDOWN, vk, 0);
    PostMessageW(w, WM_APP + 2, 0, 0);
}

}  // namespace

TEST(RunState, StartEntersMainAndClearsStop) {
    main_runs = 0;
    int running_after_start = -1, stop_after_start = -1;
    int code = run_framework_with(no_setup, polite_main, [&] {
        HWND w = wait_for_control_window();
        // The idle loop waits for Start: two passes of it (each pumps, then
        // looks at the flags) leave the main routine alone.
        ASSERT_TRUE(wait_user_thread_pumps());
        ASSERT_TRUE(wait_user_thread_pumps());
        EXPECT_EQ(main_runs, 0);
        post_command(w, KBX_CMD_STOP);       // Stop before Start has no lasting effect
        wait_until([] { return stop_request == 1; });
        post_command(w, KBX_CMD_START);
        ASSERT_TRUE(wait_until([] { return main_runs == 1; }));
        running_after_start = program_running;
        stop_after_start = stop_request;
        post_command(w, KBX_CMD_START);      // a second Start changes nothing
        ASSERT_TRUE(wait_posted_taken(w));
        EXPECT_EQ(start_request, 0);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(main_runs, 1);
    EXPECT_EQ(running_after_start, 1);
    EXPECT_EQ(stop_after_start, 0);
}

TEST(RunState, SetupThatSetsStartRequestStartsAlone) {
    main_runs = 0;
    run_framework_with(self_starting_setup, polite_main, [] {
        wait_for_control_window();
        EXPECT_TRUE(wait_until([] { return main_runs == 1; }));
    });
    EXPECT_EQ(main_runs, 1);
}

TEST(RunState, StopReachesWait) {
    saw_stop = 0;
    run_framework_with(self_starting_setup, polite_main, [] {
        HWND w = wait_for_control_window();
        wait_until([] { return main_runs > 0 && program_running == 1; });
        post_command(w, KBX_CMD_STOP);
        EXPECT_TRUE(wait_until([] { return saw_stop == 1; }));
    });
    EXPECT_EQ(saw_stop, 1);
}

TEST(RunState, ExitDuringIdleEndsThreadCleanly) {
    DWORD started = 0, took = 0;
    int code = run_framework_with(no_setup, polite_main, [&] {
        HWND w = wait_for_control_window();
        // Exit from inside the idle loop's wait.
        ASSERT_TRUE(wait_user_thread_pumps());
        started = GetTickCount();
        post_command(w, KBX_CMD_EXIT);
    });
    took = GetTickCount() - started;
    EXPECT_EQ(code, 0);
    EXPECT_EQ(exit_state, 2);
    EXPECT_EQ(kbx::control.user_thread_exit_code, 0u);
    EXPECT_LT(took, 1500u);   // far from the grace period
}

// A main routine that never looks at the flags ends the whole process once
// the grace period is over: tests/win32/e2e_runtime (ExitEnds).

TEST(RunState, KeysOfTheControlWindow) {
    posted_commands.clear();
    main_runs = 0;
    int code = run_framework_with(no_setup, polite_main, [&] {
        HWND w = wait_for_control_window();
        hook = SetWindowsHookExW(WH_GETMESSAGE, watch_commands, nullptr, GetWindowThreadProcessId(w, nullptr));
        ASSERT_NE(hook, nullptr);
        // With Ctrl held, S, C and X do nothing; V and W post Paste and Window Info.
        ctrl_key(w, 'S');
        ctrl_key(w, 'C');
        ctrl_key(w, 'X');
        ctrl_key(w, 'V');
        ctrl_key(w, 'W');
        // Both are posted behind the three keys before them, so those have
        // been handled once the control window takes them.
        ASSERT_TRUE(wait_until([] { return posted_commands.size() >= 2; }));
        EXPECT_EQ(start_request, 0);
        EXPECT_EQ(main_runs, 0);
        EXPECT_EQ(stop_request, 0);
        EXPECT_EQ(exit_state, 0);
        // Letters are virtual keys: case does not matter.
        post_key(w, 'C');
        EXPECT_TRUE(wait_until([] { return stop_request == 1; }));
        post_key(w, 'S');
        EXPECT_TRUE(wait_until([] { return main_runs == 1; }));
        post_key(w, 'X');
        EXPECT_TRUE(wait_until([] { return exit_state == 2; }));
        UnhookWindowsHookEx(hook);
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(posted_commands.size(), 2u);
    EXPECT_EQ(posted_commands[0], KBX_CMD_PASTE_NEW_IMAGE);
    EXPECT_EQ(posted_commands[1], KBX_CMD_WINDOW_INFO);
}

TEST(RunState, EscapeExits) {
    int code = run_framework_with(no_setup, polite_main, [] {
        HWND w = wait_for_control_window();
        post_key(w, VK_ESCAPE);
        EXPECT_TRUE(wait_until([] { return exit_state == 2; }));
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(IsWindow(kbx::control.window));
}
