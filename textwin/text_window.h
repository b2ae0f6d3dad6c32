// Text windows, internal side: the window procedure and what the runtime calls.
#ifndef KBX_TEXT_WINDOW_H
#define KBX_TEXT_WINDOW_H

#include <windows.h>

#include "kbx_textwin.h"

namespace kbx {

LRESULT CALLBACK text_window_proc(HWND, UINT, WPARAM, LPARAM);

}  // namespace kbx

#endif
