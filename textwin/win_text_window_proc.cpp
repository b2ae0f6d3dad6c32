// The window procedure of class kbx_twi. Every message is attributed to its
// window's slot; a window that is not (or no longer) open only gets the
// default handling.
#include "core/runtime.h"
#include "core/state.h"
#include "textwin/snapping.h"
#include "textwin/text_window.h"

namespace kbx {

namespace {

LRESULT on_size(HWND window, WPARAM wparam, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n >= 0) resize_text_window(n, LOWORD(lparam), HIWORD(lparam));
    return 0;
}

LRESULT on_paint(HWND window) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    int n = KBX_FindTextWindow(window);
    if (n >= 0) paint_text_window(n, ps.rcPaint);
    EndPaint(window, &ps);
    return 0;
}

LRESULT on_close(HWND window, WPARAM wparam, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n < 0) return DefWindowProcW(window, WM_CLOSE, wparam, lparam);
    KBX_CloseTextWindow(n);
    return 0;
}

}  // namespace

LRESULT CALLBACK text_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
        case WM_DESTROY:
            return 0;
        case WM_MOVE:
            refresh_snap_table();
            return 0;
        case WM_MOVING:
            snap_moving_window(reinterpret_cast<RECT*>(lparam), window);
            return TRUE;
        case WM_SIZE:
            return on_size(window, wparam, lparam);
        case WM_PAINT:
            return on_paint(window);
        case WM_CLOSE:
            return on_close(window, wparam, lparam);
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace kbx
