// Input box and button box, internal side.
#ifndef KBX_BOXES_INTERNAL_H
#define KBX_BOXES_INTERNAL_H

#include <windows.h>

#include "kbx_boxes.h"

namespace kbx {

LRESULT CALLBACK input_box_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK button_box_proc(HWND, UINT, WPARAM, LPARAM);

}  // namespace kbx

#endif
