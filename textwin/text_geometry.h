// Sizes, positions and the one-line scroll of text windows, in pixels.
#ifndef KBX_TEXT_GEOMETRY_H
#define KBX_TEXT_GEOMETRY_H

namespace kbx {

constexpr int kDefaultTextWidth = 400;
constexpr int kDefaultTextHeight = 300;

// A negative requested client size means the default one.
inline int text_client_width(int w) { return w < 0 ? kDefaultTextWidth : w; }
inline int text_client_height(int h) { return h < 0 ? kDefaultTextHeight : h; }

// Cells taken by one UTF-16 code unit: one below U+0080, else two.
inline int cells_of(unsigned unit) { return unit < 0x80 ? 1 : 2; }

// Outer top-left of the window that KBX_EnsureTextWindow opens: a default
// window centred in the full-screen client area.
struct WindowOrigin {
    int x, y;
};
WindowOrigin centred_text_window_origin(int fullscreen_cx, int fullscreen_cy);

// The platform can only choose a window's position as a whole, and a
// requested coordinate beside a default one would be misread (a given y
// beside a default x becomes a show command). So a window with any negative
// coordinate is created at the platform's default position and then moved
// so that the coordinates that were given hold.
struct Placement {
    bool platform_chooses;   // create at the default position first
    bool move_after;         // then keep one given coordinate
};
Placement place_text_window(int x, int y);
// Final outer top-left once the platform has chosen (px, py).
WindowOrigin placed_origin(int x, int y, int px, int py);

// What the scroll step does after a line advance left the cursor at
// cursor_y: when the line does not fit, the band below the first line moves
// up by one line and everything from the new cursor line down is cleared.
struct ScrollStep {
    bool scrolled;
    int copy_from_y;   // source top; the destination top is 0
    int copy_height;   // never negative
    int cursor_y;      // after the step
    int fill_from_y;   // cleared down to the client height
    int fill_height;   // never negative
};
ScrollStep scroll_step(int cursor_y, int char_height, int client_height);

// The window that becomes current when window `closed` closes: unchanged
// unless it was current, then the lowest open one, or `closed` itself when
// none is open. is_open is asked for 0..count-1 (closed already reads as
// not open).
int current_after_close(int current, int closed, int count, bool (*is_open)(int));

}  // namespace kbx

#endif
