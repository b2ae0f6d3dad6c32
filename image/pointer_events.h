// What the image window procedure records from the mouse: the pointer
// events that the drawing tools' pointing loops wait for, and the mouse
// tracking record that a user program may read. Both live on the
// user-program thread, which alone writes and reads them.
#ifndef KBX_POINTER_EVENTS_H
#define KBX_POINTER_EVENTS_H

namespace kbx {

struct PointerEvents {
    int pointing_window;   // the window a pointing loop waits on; -1 after a loop
    int click_flag, click_x, click_y;
    int click_shift;       // Shift held at the click
    int move_flag, move_x, move_y;
    int cancel_flag;       // right or middle button in the pointing window
};
extern PointerEvents pointer_events;   // all 0 at start

struct MouseTracking {
    int on;                // nothing in the framework switches it on
    int window;            // image window of the last event; -1 at start
    int x, y;              // picture coordinates
    int left, middle, ctrl, shift;   // key flags of the event (non-zero when held)
};
extern MouseTracking mouse_tracking;

void reset_pointer_records();

}  // namespace kbx

#endif
