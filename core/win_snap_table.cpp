// Rebuilds the snap rectangles from the screen and every open window.
#include "core/win_runtime.h"
#include "core/win_state.h"

namespace kbx {

namespace {

void append_window(HWND window) {
    RECT r;
    if (window && GetWindowRect(window, &r)) {
        snap_table_append(snap_table, Rect{r.left, r.top, r.right, r.bottom});
    }
}

}  // namespace

void refresh_snap_table() {
    snap_table_clear(snap_table);
    int cx = GetSystemMetrics(SM_CXFULLSCREEN);
    int cy = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION);
    snap_table_add_screen_edges(snap_table, cx, cy);
    for (int n = 0; n < kMaxWindows; ++n)
        if (image_windows[n].in_use) append_window(image_windows[n].window);
    for (int n = 0; n < kMaxWindows; ++n)
        if (text_windows[n].in_use) append_window(text_windows[n].window);
    if (input_box.window) append_window(input_box.window);
    if (button_box.window) append_window(button_box.window);
    // The control window always has a place, even when the table is full of
    // other windows: it is the one every layout starts from.
    if (snap_table.count >= kSnapCapacity) snap_table.count = kSnapCapacity - 1;
    append_window(control.window);
}

}  // namespace kbx
