#include "textwin/line_edit.h"

#include "textwin/text_cut.h"

namespace kbx {

namespace {

void add_draw(EditOps& ops, int x, int y, wchar_t unit, int cells, wchar_t low = 0) {
    EditOp& op = ops.op[ops.count++];
    op = EditOp{};
    op.kind = EditOp::kDraw;
    op.x = x;
    op.y = y;
    op.unit = unit;
    op.low = low;
    op.cells = cells;
}

void blank_caret(LineEdit& e, EditOps& ops) { add_draw(ops, e.cursor_x, e.cursor_y, L' ', 1); }

// Cursor to the start of the next line, remembering where to come back to.
void wrap(LineEdit& e, EditOps& ops, int line_end) {
    if (e.wrap_count < kMaxWraps) {
        ++e.wrap_count;
        e.line_end[e.wrap_count] = line_end;
    }
    e.cursor_x = 0;
    e.cursor_y += e.char_height;
    ScrollStep s = scroll_step(e.cursor_y, e.char_height, e.client_height);
    if (!s.scrolled) return;
    e.cursor_y = s.cursor_y;
    EditOp& op = ops.op[ops.count++];
    op = EditOp{};
    op.kind = EditOp::kScroll;
    op.scroll = s;
}

// Back over wrap k to the line above. A line that has scrolled off the top
// is gone: the cursor then stays on the top line.
void unwrap(LineEdit& e, int x) {
    e.cursor_x = x;
    e.cursor_y = e.cursor_y >= e.char_height ? e.cursor_y - e.char_height : 0;
    --e.wrap_count;
}

EditOps backspace(LineEdit& e) {
    EditOps ops = {};
    if (e.waiting) {
        // Never drawn: nothing moves.
        e.waiting = 0;
        return ops;
    }
    if (e.length == 0) return ops;
    blank_caret(e, ops);
    --e.length;
    if (low_surrogate(e.line[e.length]) && e.length > 0 && high_surrogate(e.line[e.length - 1])) --e.length;
    int w = cells_of(static_cast<unsigned>(e.line[e.length]));
    if (e.wrap_count >= 1 && e.cursor_x == 0) {
        unwrap(e, e.line_end[e.wrap_count]);
    } else {
        e.cursor_x -= w * e.char_width;
    }
    if (w == 2) {
        // Two blank cells: unlike an ideographic space, a blank is in
        // every font.
        add_draw(ops, e.cursor_x, e.cursor_y, L' ', 1);
        add_draw(ops, e.cursor_x + e.char_width, e.cursor_y, L' ', 1);
        if (e.wrap_count >= 1 && e.cursor_x == 0 && e.line_end[e.wrap_count] >= e.client_width)
            unwrap(e, e.line_end[e.wrap_count] - 2 * e.char_width);
    }
    e.line[e.length] = 0;
    ops.accepted = true;
    return ops;
}

EditOps store(LineEdit& e, wchar_t unit) {
    EditOps ops = {};
    const wchar_t first = low_surrogate(unit) ? e.waiting : unit;
    const wchar_t low = low_surrogate(unit) ? unit : 0;
    // A first half whose second never came is dropped.
    e.waiting = 0;
    if (first == 0) return ops;
    if (e.length + (high_surrogate(first) ? 2 : 1) > kLineUnits) return ops;
    if (high_surrogate(first) && !low) {
        e.waiting = first;
        return ops;
    }
    int w = cells_of(static_cast<unsigned>(first));
    if (w == 2 && e.cursor_x > e.client_width - 2 * e.char_width) {
        blank_caret(e, ops);
        wrap(e, ops, e.cursor_x + 2 * e.char_width);
    }
    add_draw(ops, e.cursor_x, e.cursor_y, first, w, low);
    int next_x = e.cursor_x + w * e.char_width;
    if (next_x > e.client_width - e.char_width) {
        wrap(e, ops, e.cursor_x);
    } else {
        e.cursor_x = next_x;
    }
    e.line[e.length++] = first;
    if (low) e.line[e.length++] = low;
    e.line[e.length] = 0;
    ops.accepted = true;
    return ops;
}

}  // namespace

void line_edit_begin(LineEdit& e, int cursor_x, int cursor_y, int char_width, int char_height, int client_width,
                     int client_height) {
    e.line[0] = 0;
    e.length = 0;
    e.waiting = 0;
    e.wrap_count = 0;
    e.line_end[0] = 0;
    e.cursor_x = cursor_x;
    e.cursor_y = cursor_y;
    e.char_width = char_width;
    e.char_height = char_height;
    e.client_width = client_width;
    e.client_height = client_height;
}

EditOps line_edit_key(LineEdit& e, wchar_t unit) {
    if (unit == kTab) unit = L' ';
    if (unit == kBackspace) return backspace(e);
    if (unit == 0 || unit == kCarriageReturn) return EditOps{};
    return store(e, unit);
}

const wchar_t* line_edit_text(LineEdit& e) {
    e.line[e.length] = 0;
    return e.line;
}

}  // namespace kbx
