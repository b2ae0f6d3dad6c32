// Edge snapping of framework windows dragged with Ctrl held, and the window
// messages every framework window handles alike for it.
#ifndef KBX_WIN_SNAPPING_H
#define KBX_WIN_SNAPPING_H

#include <windows.h>

namespace kbx {

// Called on WM_MOVING with the proposed rectangle, which it may change.
void snap_moving_window(RECT* proposed, HWND window);
// What every framework window's procedure does with the messages it leaves
// to it: a finished move refreshes the snap table, a move under way snaps;
// the rest go to DefWindowProcW.
LRESULT framework_window_default(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kbx

#endif
