// Coalesced screen copies of text output. A print draws into the back
// buffer at once; copying the whole client to the screen for every line
// would cost far more than the line itself, so the window's own thread
// copies at most every text_repaint_interval_ms and whenever it pauses.
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/win_text_window.h"

namespace kbx {

int text_repaint_interval_ms = 15;

namespace {

// Only the user-program thread holds output back: it owns the text windows
// and is the one that pauses in their pump. The flags are its alone.
bool on_user_thread() { return GetCurrentThreadId() == control.user_thread_id; }
bool own_window(const TextWindowRecord& r) { return GetWindowThreadProcessId(r.window, nullptr) == GetCurrentThreadId(); }

}  // namespace

void note_text_output(TextWindowRecord& r) {
    const unsigned int now = ms_clock();
    const unsigned int interval = static_cast<unsigned int>(text_repaint_interval_ms);
    if (interval > 0 && now - r.last_repaint_ms < interval && on_user_thread() && own_window(r)) {
        r.repaint_held = 1;
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

void flush_text_output() {
    if (!on_user_thread()) return;
    for (int n = 0; n < kMaxWindows; ++n) {
        TextWindowRecord& r = text_windows[n];
        if (!r.in_use || !r.repaint_held) continue;
        r.repaint_held = 0;
        r.last_repaint_ms = ms_clock();
        InvalidateRect(r.window, nullptr, FALSE);
        UpdateWindow(r.window);
    }
}

}  // namespace kbx
