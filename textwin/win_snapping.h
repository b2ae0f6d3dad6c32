// Edge snapping of framework windows dragged with Ctrl held.
#ifndef KBX_WIN_SNAPPING_H
#define KBX_WIN_SNAPPING_H

#include <windows.h>

namespace kbx {

// Called on WM_MOVING with the proposed rectangle, which it may change.
void snap_moving_window(RECT* proposed, HWND window);

}  // namespace kbx

#endif
