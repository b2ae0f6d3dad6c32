// The colours of the current text window and its colour stack.
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/color_stack.h"
#include "textwin/win_text_window.h"

namespace kbx {

void apply_text_colors(TextWindowRecord& r) {
    TextScreenLock lock;
    SetTextColor(r.memory_dc, to_colorref(r.text_color));
    SetBkColor(r.memory_dc, to_colorref(r.back_color));
}

}  // namespace kbx

void KBX_PushColor(int background, int foreground) {
    using namespace kbx;
    TextWindowRecord* r = current_open_text_window();
    if (!r) return;
    color_stack_push(r->text_color_stack, &r->text_color, foreground);
    color_stack_push(r->back_color_stack, &r->back_color, background);
    apply_text_colors(*r);
}

void KBX_PopColor() {
    using namespace kbx;
    TextWindowRecord* r = current_open_text_window();
    if (!r) return;
    color_stack_pop(r->text_color_stack, &r->text_color);
    color_stack_pop(r->back_color_stack, &r->back_color);
    apply_text_colors(*r);
}
