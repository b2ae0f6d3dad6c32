#include "imageproc/pointing_events.h"

namespace kbx {

void begin_pointer_events(PointerEvents* events, int n) {
    events->click_flag = 0;
    events->cancel_flag = 0;
    events->pointing_window = n;
}

void end_pointer_events(PointerEvents* events) { events->pointing_window = -1; }

bool take_pointer_events(PointingLoop* loop, const PixelView& view, PointerEvents* events, bool stop_requested) {
    bool changed = false;
    if (events->move_flag && !pointing_finished(*loop)) {
        events->move_flag = 0;
        changed |= pointing_move(loop, view, events->move_x, events->move_y);
    }
    if (events->click_flag && !pointing_finished(*loop)) {
        events->click_flag = 0;
        changed |= pointing_click(loop, view, events->click_x, events->click_y);
    }
    if (events->cancel_flag && !pointing_finished(*loop)) {
        events->cancel_flag = 0;
        changed |= pointing_cancel(loop, view);
    }
    if (stop_requested && !pointing_finished(*loop)) changed |= pointing_stop(loop, view);
    return changed;
}

}  // namespace kbx
