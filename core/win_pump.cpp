// Message pumps, the millisecond clock and the waits of the user program.
#include "core/clock_math.h"
#include "core/win_runtime.h"
#include "core/win_state.h"

namespace kbx {

namespace {

// A quit message taken by a nested pump belongs to the outer message loop:
// put it back and stop pumping.
bool dispatch_or_requeue_quit(MSG& msg) {
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    return true;
}

}  // namespace

LONGLONG counter_now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void pump_messages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!dispatch_or_requeue_quit(msg)) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void pump_dialog_messages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!dispatch_or_requeue_quit(msg)) return;
        // Tab and Enter move between the boxes' controls.
        if (input_box.window && IsDialogMessageW(input_box.window, &msg)) continue;
        if (button_box.window && IsDialogMessageW(button_box.window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void wait_for_work(DWORD timeout_ms) {
    show_pending_output();
    HANDLE wake = GetCurrentThreadId() == control.user_thread_id ? user_thread_wake : first_thread_wake;
    if (wake) {
        MsgWaitForMultipleObjectsEx(1, &wake, timeout_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    } else {
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace kbx

unsigned int ms_clock() {
    return kbx::ticks_to_ms_clock(kbx::counter_now(), kbx::ms_per_tick);
}

int KBX_Running() { return exit_state == 0 ? 1 : 0; }

int wait_100ms() {
    using namespace kbx;
    const LONGLONG start = counter_now();
    show_pending_output();
    for (;;) {
        std::int64_t elapsed = elapsed_ms_rounded(start, counter_now(), ms_per_tick);
        if (elapsed >= 100) return 0;
        pump_dialog_messages();
        if (stop_request || exit_state) return 1;
        // Block until a message arrives, Stop or Exit wakes the thread, or
        // the time is up; short slices also catch a flag written without a
        // wake-up.
        std::int64_t left = 100 - elapsed;
        wait_for_work(static_cast<DWORD>(left < kWaitSliceMs ? left : kWaitSliceMs));
    }
}
