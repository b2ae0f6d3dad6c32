#include "image/pointer_events.h"

namespace kbx {

PointerEvents pointer_events = {};
MouseTracking mouse_tracking = {0, -1, 0, 0, 0, 0, 0, 0};

void reset_pointer_records() {
    pointer_events = PointerEvents{};
    mouse_tracking = MouseTracking{0, -1, 0, 0, 0, 0, 0, 0};
}

}  // namespace kbx
