// Coalesced screen copies of text output. A print draws into the back
// buffer at once; copying the whole client to the screen for every line
// would cost far more than the line itself, so the window's own thread
// copies at most every kTextRepaintIntervalMs and whenever it pauses.
// A program that computes without pausing does not pump: the control
// window's thread copies what has stayed held for a repaint interval.
#include <atomic>

#include "core/win_messages.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

struct ScreenLock {
    CRITICAL_SECTION section;
    ScreenLock() { InitializeCriticalSection(&section); }
};

ScreenLock& screen_lock() {
    static ScreenLock lock;
    return lock;
}

// Set by the print that first holds output back, cleared by the control
// window's thread once nothing is held: one message per held stretch.
std::atomic<bool> late_copy_armed{false};
unsigned int look_after(unsigned int ms) { return ms == 0 ? 1 : ms; }

// Only the user-program thread holds output back: it owns the text windows
// and is the one that pauses in their pump.
bool on_user_thread() { return GetCurrentThreadId() == control.user_thread_id; }
bool own_window(const TextWindowRecord& r) { return GetWindowThreadProcessId(r.window, nullptr) == GetCurrentThreadId(); }

void arm_late_copy() {
    if (!late_copy_armed.exchange(true)) PostMessageW(control.window, kMsgTextOutputHeld, 0, 0);
}

}  // namespace

void lock_text_screens() { EnterCriticalSection(&screen_lock().section); }
void unlock_text_screens() { LeaveCriticalSection(&screen_lock().section); }

// The caller holds the lock (print_units).
void note_text_output(TextWindowRecord& r) {
    const unsigned int now = ms_clock();
    if (now - r.last_repaint_ms < kTextRepaintIntervalMs && on_user_thread() && own_window(r)) {
        r.repaint_held = 1;
        arm_late_copy();
        return;
    }
    // Due (or another thread's output, such as the control window's
    // commands): the pump that follows the print paints it.
    if (on_user_thread()) {
        r.repaint_held = 0;
        r.last_repaint_ms = now;
    }
    InvalidateRect(r.window, nullptr, FALSE);
}

void show_pending_output() {
    if (!on_user_thread()) return;
    for (int n = 0; n < kMaxWindows; ++n) {
        TextWindowRecord& r = text_windows[n];
        {
            TextScreenLock lock;
            if (!r.in_use || !r.repaint_held) continue;
            r.repaint_held = 0;
            r.last_repaint_ms = ms_clock();
        }
        InvalidateRect(r.window, nullptr, FALSE);
        UpdateWindow(r.window);
    }
}

unsigned int copy_held_text_output() {
    const unsigned int interval = kTextRepaintIntervalMs;
    // Busy means the user-program thread is drawing (or was ended while it
    // drew, at Exit): never wait for it, look again later.
    if (!TryEnterCriticalSection(&screen_lock().section)) return look_after(interval);
    const unsigned int now = ms_clock();
    unsigned int next = 0;
    for (int n = 0; n < kMaxWindows; ++n) {
        TextWindowRecord& r = text_windows[n];
        // A closed window has released its DCs and dropped its held output.
        if (!r.in_use || !r.repaint_held || !r.memory_dc || !r.window_dc) continue;
        const unsigned int age = now - r.last_repaint_ms;
        if (age < interval) {
            // The window's own thread copied lately: it is still printing.
            const unsigned int wait = look_after(interval - age);
            if (next == 0 || wait < next) next = wait;
            continue;
        }
        BitBlt(r.window_dc, 0, 0, r.client_width, r.client_height, r.memory_dc, 0, 0, SRCCOPY);
        GdiFlush();
        r.repaint_held = 0;
        r.last_repaint_ms = now;
    }
    if (next == 0) late_copy_armed = false;
    LeaveCriticalSection(&screen_lock().section);
    return next;
}

}  // namespace kbx
