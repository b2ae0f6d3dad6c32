// Edge snapping on WM_MOVING: with Ctrl held, a dragged window's edges meet
// the screen's and the other windows' edges.
#include "core/geometry.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/snap_geometry.h"
#include "textwin/win_snapping.h"

namespace kbx {

void snap_moving_window(RECT* proposed, HWND window) {
    if (!proposed || (GetKeyState(VK_CONTROL) & 0x8000) == 0) return;
    RECT now = {};
    GetWindowRect(window, &now);
    Rect p{proposed->left, proposed->top, proposed->right, proposed->bottom};
    snap_rect(p, Rect{now.left, now.top, now.right, now.bottom}, snap_table);
    proposed->left = p.left;
    proposed->top = p.top;
    proposed->right = p.right;
    proposed->bottom = p.bottom;
}

LRESULT framework_window_default(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_MOVE:
            refresh_snap_table();
            return 0;
        case WM_MOVING:
            snap_moving_window(reinterpret_cast<RECT*>(lparam), window);
            return TRUE;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace kbx
