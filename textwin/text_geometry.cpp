#include "textwin/text_geometry.h"

namespace kbx {

WindowOrigin centred_text_window_origin(int fullscreen_cx, int fullscreen_cy) {
    return WindowOrigin{fullscreen_cx / 2 - kDefaultTextWidth / 2, fullscreen_cy / 2 - kDefaultTextHeight / 2};
}

Placement place_text_window(int x, int y) {
    bool x_default = x < 0;
    bool y_default = y < 0;
    return Placement{x_default || y_default, x_default != y_default};
}

WindowOrigin placed_origin(int x, int y, int px, int py) { return WindowOrigin{x < 0 ? px : x, y < 0 ? py : y}; }

ScrollStep scroll_step(int cursor_y, int char_height, int client_height) {
    ScrollStep s = {};
    s.cursor_y = cursor_y;
    if (cursor_y + char_height < client_height) return s;
    s.scrolled = true;
    s.copy_from_y = char_height;
    s.copy_height = cursor_y - char_height > 0 ? cursor_y - char_height : 0;
    s.cursor_y = cursor_y - char_height;
    s.fill_from_y = s.cursor_y;
    s.fill_height = client_height - s.cursor_y > 0 ? client_height - s.cursor_y : 0;
    return s;
}

int current_after_close(int current, int closed, int count, bool (*is_open)(int)) {
    if (current != closed) return current;
    for (int n = 0; n < count; ++n)
        if (is_open(n)) return n;
    return closed;
}

}  // namespace kbx
