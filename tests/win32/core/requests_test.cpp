// The request slot, the waits and the pop-up menu's greying.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
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

std::atomic<int> stopped_results{-1};
void stopped_wait_main() {
    ++main_runs;
    while (stop_request == 0) Sleep(1);
    int ones = 0;
    for (int k = 0; k < 10; ++k) ones += wait_100ms();
    stopped_results = ones;
    while (exit_state == 0) Sleep(5);
}

// Stop arriving in the middle of a wait: a timer of the main routine holds
// the wait in its own message pump until the driver has pressed Stop, so
// Stop comes before the wait's 100 ms are over however slow the machine is.
HANDLE release_hold;
std::atomic<int> wait_index{0}, held_in_wait{-1}, returned_one_in{-1};
VOID CALLBACK hold_in_wait(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    held_in_wait = wait_index.load();
    WaitForSingleObject(release_hold, 10000);
}
void held_wait_main() {
    ++main_runs;
    SetTimer(nullptr, 0, 1, hold_in_wait);   // only the waits pump here
    for (int k = 0; exit_state == 0; ++k) {
        wait_index = k;
        if (wait_100ms() == 1) {
            returned_one_in = k;
            break;
        }
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

// Every request comes from the control window's thread. A command taken
// while one request waits for the user-program thread (Paste, handled in
// that request's wait) waits for the slot in turn, leaving the first
// request as it was; then both are served.
TEST(Requests, ANestedPosterWaitsUntilTheFirstIsTaken) {
    HBITMAP picture = solid_bitmap(30, 20, RGB(10, 20, 30));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_BITMAP, picture), nullptr);
    CloseClipboard();
    release_setup = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    int code_while_blocked = 0, width_while_blocked = 0, image_width = 0;
    bool text_open = false, slot_free = false;
    run_framework_with(blocking_setup, polite_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_NEW_TEXT_WINDOW);
        ASSERT_TRUE(wait_until([] { return kbx::request_code == kbx::kRequestOpenTextWindow; }));
        post_command(w, KBX_CMD_PASTE_NEW_IMAGE);
        ASSERT_TRUE(wait_posted_taken(w));
        code_while_blocked = kbx::request_code;
        width_while_blocked = kbx::request_width;
        SetEvent(release_setup);
        ASSERT_TRUE(wait_until([] { return kbx::image_windows[0].in_use == 1; }));
        // Both posters done: the control window is back in its own loop.
        ASSERT_TRUE(wait_posted_taken(w));
        text_open = kbx::text_windows[0].in_use == 1;
        image_width = kbx::image_windows[0].width;
        slot_free = kbx::request_code == 0 && kbx::request_done == 1;
    });
    CloseHandle(release_setup);
    clear_clipboard();   // no picture left for the next suite's programs
    EXPECT_EQ(code_while_blocked, kbx::kRequestOpenTextWindow);
    EXPECT_EQ(width_while_blocked, -1);   // the text window's, not the picture's
    EXPECT_TRUE(text_open);
    EXPECT_EQ(image_width, 30);
    EXPECT_TRUE(slot_free);
}

// While one creation command waits, sixteen more wait their turn; one more
// is refused, and the status label says so.
TEST(Requests, OneTooManyWhileBusyIsRefusedVisibly) {
    release_setup = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::wstring label;
    int opened = 0;
    run_framework_with(blocking_setup, polite_main, [&] {
        HWND w = wait_for_control_window();
        const std::wstring depth = window_text(kbx::control.status_label);
        post_command(w, KBX_CMD_NEW_TEXT_WINDOW);
        EXPECT_TRUE(wait_until([] { return kbx::request_code == kbx::kRequestOpenTextWindow; }));
        for (int i = 0; i < 17; ++i) post_command(w, KBX_CMD_NEW_TEXT_WINDOW);
        wait_until([&] { return (label = window_text(kbx::control.status_label)) != depth; }, 5000);
        SetEvent(release_setup);   // the setup routine must end before Exit's grace does
        wait_until([&] {
            opened = 0;
            for (int n = 0; n < kbx::kMaxWindows; ++n) opened += kbx::text_windows[n].in_use;
            return opened == 17;
        });
    });
    CloseHandle(release_setup);
    EXPECT_NE(label.find(L"Busy: command not taken"), std::wstring::npos);
    EXPECT_EQ(opened, 17);   // the first and the sixteen that waited
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
    EXPECT_GE(wait_ms, 95);   // never early (tick counts are coarse)
}

TEST(Wait, ReturnsOneAtOnceWhenStopped) {
    main_runs = 0;
    stopped_results = -1;
    run_framework_with(no_setup, stopped_wait_main, [] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_START);
        wait_until([] { return main_runs == 1; });
        post_command(w, KBX_CMD_STOP);
        EXPECT_TRUE(wait_until([] { return stopped_results >= 0; }));
    });
    // A wait that has run its 100 ms returns 0, whatever the flags say:
    // each 1 is a wait that did not wait.
    EXPECT_EQ(stopped_results, 10);
}

TEST(Wait, StopEndsTheWaitItComesIn) {
    main_runs = 0;
    held_in_wait = -1;
    returned_one_in = -1;
    release_hold = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    run_framework_with(no_setup, held_wait_main, [] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_START);
        ASSERT_TRUE(wait_until([] { return held_in_wait >= 0; }));
        post_command(w, KBX_CMD_STOP);
        ASSERT_TRUE(wait_until([] { return stop_request == 1; }));
        SetEvent(release_hold);
        ASSERT_TRUE(wait_until([] { return returned_one_in >= 0; }));
    });
    CloseHandle(release_hold);
    EXPECT_EQ(returned_one_in, held_in_wait);
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
