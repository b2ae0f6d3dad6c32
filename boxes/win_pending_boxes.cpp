// Placeholder until the input box and button box land: only what the runtime calls.
#include "boxes/boxes.h"

void KBX_OpenInputBox(int, int, int) {}
void KBX_CloseInputBox() {}
void KBX_OpenButtonBox(int, int, int, int) {}
void KBX_CloseButtonBox() {}

namespace kbx {

LRESULT CALLBACK input_box_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
LRESULT CALLBACK button_box_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

}  // namespace kbx
