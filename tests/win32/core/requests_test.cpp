// The request slot, the waits and the pop-up menu's greying.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_commands.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

HANDLE release_setup;
std::atomic<int> main_runs{0};

void no_setup() {}
// Holds the user-program thread in setup, so requests pile up unserviced.
void blocking_setup() { WaitForSingleObject(release_setup, 10000); }

void polite_main() {
    ++main_runs;
    while (exit_state == 0) wait_100ms();
}

std::atomic<long> wait_result{-1};
std::atomic<long> wait_ms{-1};
void timed_wait_main() {
    ++main_runs;
    // First call: plain 100 ms.
    DWORD t0 = GetTickCount();
    wait_result = wait_100ms();
    wait_ms = static_cast<long>(GetTickCount() - t0);
    while (exit_state == 0) Sleep(5);
}

std::atomic<long> stopped_waits_ms{-1};
std::atomic<int> stopped_results{0};
void stopped_wait_main() {
    ++main_runs;
    while (stop_request == 0) Sleep(1);
    DWORD t0 = GetTickCount();
    int ones = 0;
    for (int k = 0; k < 10; ++k) ones += wait_100ms();
    stopped_waits_ms = static_cast<long>(GetTickCount() - t0);
    stopped_results = ones;
    while (exit_state == 0) Sleep(5);
}

// Rounds of: a wait in wait_100ms, Stop from the driver soon after it
// began, how long after Stop the wait returned; the main routine clears
// stop_request for the next round.
const int kStopRounds = 5;
std::atomic<int> waits_begun{0}, stops_seen{0};
std::atomic<long> stop_posted_at{0};
long stop_seen_after[kStopRounds];
void blocked_wait_main() {
    ++main_runs;
    for (int k = 0; k < kStopRounds && exit_state == 0; ++k) {
        waits_begun = k + 1;
        while (wait_100ms() == 0) {
        }
        stop_seen_after[k] = static_cast<long>(GetTickCount() - static_cast<DWORD>(stop_posted_at));
        stop_request = 0;
        stops_seen = k + 1;
    }
    while (exit_state == 0) Sleep(5);
}

struct MenuItem {
    std::wstring text;
    UINT id;
    bool grey;
};

// Opens the pop-up menu with a right click, reads it, and closes it.
std::vector<MenuItem> read_popup_menu(HWND control) {
    std::vector<MenuItem> items;
    PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    HWND popup = wait_for_window(L"#32768", nullptr, 5000, GetCurrentProcessId());
    if (!popup) return items;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        items.push_back({text, GetMenuItemID(menu, i), (state & MF_GRAYED) != 0});
    }
    PostMessageW(control, WM_CANCELMODE, 0, 0);
    wait_until([&] { return !IsWindowVisible(popup); }, 3000);
    return items;
}

}  // namespace

TEST(Requests, DoneBeforeAnyRequest) {
    run_framework_with(no_setup, polite_main, [] {
        wait_for_control_window();
        EXPECT_EQ(kbx::request_done, 1);
        EXPECT_EQ(kbx::request_code, 0);
    });
}

TEST(Requests, SecondPosterWaitsUntilFirstIsTaken) {
    release_setup = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> order{0}, first_done{0}, second_done{0};
    int code_while_blocked = 0, columns_while_blocked = 0;
    run_framework_with(blocking_setup, polite_main, [&] {
        wait_for_control_window();
        std::thread a([&] {
            kbx::post_open_input_box(7);
            first_done = ++order;
        });
        wait_until([] { return kbx::request_code != 0; });
        std::atomic<DWORD> b_id{0};
        std::thread b([&] {
            b_id = GetCurrentThreadId();
            kbx::post_open_button_box(3, 4);
            second_done = ++order;
        });
        // The second poster pumps while it waits for the slot.
        EXPECT_TRUE(wait_until([&] { return b_id != 0; }));
        EXPECT_TRUE(wait_thread_pumps(b_id));
        // The slot still holds the first request, untouched by the second.
        code_while_blocked = kbx::request_code;
        columns_while_blocked = kbx::request_number;
        EXPECT_EQ(order, 0);
        SetEvent(release_setup);
        a.join();
        b.join();
    });
    CloseHandle(release_setup);
    EXPECT_EQ(code_while_blocked, kbx::kRequestOpenInputBox);
    EXPECT_EQ(columns_while_blocked, 7);
    // Both were serviced; either poster may see its completion first.
    EXPECT_EQ(first_done + second_done, 3);
    EXPECT_EQ(kbx::request_code, 0);
    EXPECT_EQ(kbx::request_done, 1);
}

TEST(Requests, RefusedWhileMainRuns) {
    main_runs = 0;
    int result = 0, code_after = -1;
    run_framework_with(no_setup, polite_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_START);
        wait_until([] { return main_runs == 1; });
        // Would wait for ever: only the idle loop services requests.
        result = kbx::post_create_image(0, "000", 10, 10, 32);
        kbx::post_open_text_window(0);
        code_after = kbx::request_code;
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(code_after, kbx::kRequestsClosed);   // nothing was handed over
}

TEST(Wait, ReturnsZeroAfter100ms) {
    main_runs = 0;
    wait_result = -1;
    wait_ms = -1;
    run_framework_with(no_setup, timed_wait_main, [] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_START);
        EXPECT_TRUE(wait_until([] { return wait_ms >= 0; }));
    });
    EXPECT_EQ(wait_result, 0);
    EXPECT_GE(wait_ms, 95);
    EXPECT_LT(wait_ms, 1000);
}

TEST(Wait, ReturnsOneAtOnceWhenStopped) {
    main_runs = 0;
    stopped_waits_ms = -1;
    run_framework_with(no_setup, stopped_wait_main, [] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_START);
        wait_until([] { return main_runs == 1; });
        post_command(w, KBX_CMD_STOP);
        EXPECT_TRUE(wait_until([] { return stopped_waits_ms >= 0; }));
    });
    EXPECT_EQ(stopped_results, 10);
    // Ten waits that each waited would take a second at least.
    EXPECT_LT(stopped_waits_ms, 1000);
}

TEST(Wait, StopWakesABlockedWaitAtOnce) {
    main_runs = 0;
    waits_begun = 0;
    stops_seen = 0;
    run_framework_with(no_setup, blocked_wait_main, [] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_START);
        wait_until([] { return main_runs == 1; });
        for (int k = 0; k < kStopRounds; ++k) {
            ASSERT_TRUE(wait_until([&] { return waits_begun == k + 1; }));
            // The wait pumps first: Stop comes at its start, with most of
            // its 100 ms still to go.
            ASSERT_TRUE(wait_user_thread_pumps());
            stop_posted_at = static_cast<long>(GetTickCount());
            post_command(w, KBX_CMD_STOP);
            ASSERT_TRUE(wait_until([&] { return stops_seen == k + 1; }));
        }
    });
    ASSERT_EQ(stops_seen, kStopRounds);
    // A wait that ran on would end 90 ms or more after Stop in every
    // round; the quickest round shows what the wait does when the machine
    // lets it run (tick counts are coarse).
    long quickest = stop_seen_after[0];
    for (long ms : stop_seen_after) quickest = ms < quickest ? ms : quickest;
    EXPECT_LT(quickest, 50);
}

TEST(PopupMenu, ItemsAndGreying) {
    main_runs = 0;
    std::vector<MenuItem> idle, running;
    run_framework_with(no_setup, polite_main, [&] {
        HWND w = wait_for_control_window();
        ASSERT_TRUE(wait_user_thread_pumps());
        idle = read_popup_menu(w);
        post_command(w, KBX_CMD_START);
        wait_until([] { return main_runs == 1; });
        running = read_popup_menu(w);
        kbx::drawing_tool_mode = 1;   // no menu while a drawing tool points
        PostMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
        // A menu would be open by the time the click's handler is done.
        EXPECT_TRUE(wait_posted_taken(w));
        EXPECT_EQ(find_window(L"#32768", nullptr, GetCurrentProcessId()) != nullptr &&
                      IsWindowVisible(find_window(L"#32768", nullptr, GetCurrentProcessId())),
                  false);
        kbx::drawing_tool_mode = 0;
    });
    const MenuItem want[] = {
        {L"Paste\tCtrl+V", KBX_CMD_PASTE_NEW_IMAGE, true}, {L"", 0, false},           {L"Start", KBX_CMD_START, true},
        {L"Stop", KBX_CMD_STOP, false},         {L"E&xit", KBX_CMD_EXIT, false},   {L"", 0, false},
        {L"Image Window", KBX_CMD_NEW_IMAGE_WINDOW, true},  {L"Text Window", KBX_CMD_NEW_TEXT_WINDOW, true}, {L"Input Box", KBX_CMD_NEW_INPUT_BOX, true},
        {L"Button Box", KBX_CMD_NEW_BUTTON_BOX, true},    {L"", 0, false},           {L"&Window Info.\tCtrl+W", KBX_CMD_WINDOW_INFO, true},
    };
    ASSERT_EQ(idle.size(), 12u);
    ASSERT_EQ(running.size(), 12u);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(idle[i].text, want[i].text) << i;
        EXPECT_EQ(idle[i].id, want[i].id) << i;
        if (want[i].id == 0) continue;                 // separators
        EXPECT_FALSE(idle[i].grey) << i;               // all enabled while idle
        EXPECT_EQ(running[i].grey, want[i].grey) << i;  // G items greyed while running
    }
}
