// The line being typed into a text window: its code units, the cursor, the
// automatic wraps and the way back over them. A surrogate pair is one
// character: drawn, wrapped and removed whole. It decides what to draw and
// when to scroll; the window layer carries the drawing out.
#ifndef KBX_LINE_EDIT_H
#define KBX_LINE_EDIT_H

#include "textwin/text_geometry.h"

namespace kbx {

constexpr int kLineUnits = 255;   // the longest line, without its terminator
// Each unit can cause a wrap before it (a wide one that does not fit) and
// one after it.
constexpr int kMaxWraps = 2 * kLineUnits;

struct LineEdit {
    wchar_t line[kLineUnits + 1];
    int length;
    wchar_t waiting;   // the first half of a surrogate pair, until its second comes; else 0
    int wrap_count;
    // line_end[k]: where the cursor goes back to when a backspace crosses
    // wrap k. An entry of at least client_width marks a wrap that a wide
    // character forced before it was drawn.
    int line_end[kMaxWraps + 1];
    int cursor_x, cursor_y;
    int char_width, char_height;
    int client_width, client_height;
};

// One drawing step: a unit drawn at (x, y) over some cells, or the one-line
// scroll of the back buffer.
struct EditOp {
    enum Kind { kDraw, kScroll } kind;
    int x, y;
    wchar_t unit;
    wchar_t low;   // the second unit of a surrogate pair, else 0
    int cells;
    ScrollStep scroll;
};

// The steps for one key, in the order they must be carried out.
struct EditOps {
    EditOp op[6];
    int count;
    bool accepted;   // the line changed (a unit stored or removed)
};

constexpr wchar_t kBackspace = 0x0008;
constexpr wchar_t kTab = 0x0009;
constexpr wchar_t kCarriageReturn = 0x000D;

// Starts an empty line at the given cursor in a window of the given sizes.
void line_edit_begin(LineEdit& e, int cursor_x, int cursor_y, int char_width, int char_height, int client_width,
                     int client_height);

// A typed unit other than carriage return: backspace removes the last
// character (walking back over wraps, never above the top line), a tab
// counts as a space, 0 is ignored, anything else is stored while the line
// has room for the whole character and dropped when it has not. The first
// half of a surrogate pair waits outside the line, undrawn and unaccepted,
// for its second half; any other key drops it (a backspace does nothing
// else), and a second half without a first is dropped. The caret is the caller's: it draws it after an
// accepted key.
EditOps line_edit_key(LineEdit& e, wchar_t unit);

// The line as it stands, terminated.
const wchar_t* line_edit_text(LineEdit& e);

}  // namespace kbx

#endif
