// A text window's back buffer: building and releasing it, the line advance
// with its one-line scroll, single cells, resize and paint.
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/text_geometry.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

void fill_black(const TextWindowRecord& r, int y, int height) {
    PatBlt(r.memory_dc, 0, y, r.client_width, height, PATCOPY);
}

}  // namespace

bool build_back_buffer(TextWindowRecord& r, int width, int height) {
    TextScreenLock lock;
    r.window_dc = GetDC(r.window);
    r.memory_dc = r.window_dc ? CreateCompatibleDC(r.window_dc) : nullptr;
    r.back_buffer = r.memory_dc ? CreateCompatibleBitmap(r.window_dc, width, height) : nullptr;
    if (!r.back_buffer) {
        if (r.memory_dc) DeleteDC(r.memory_dc);
        if (r.window_dc) ReleaseDC(r.window, r.window_dc);
        r.memory_dc = nullptr;
        r.window_dc = nullptr;
        return false;
    }
    SelectObject(r.memory_dc, GetStockObject(BLACK_BRUSH));
    SelectObject(r.memory_dc, GetStockObject(OEM_FIXED_FONT));
    r.previous_bitmap = SelectObject(r.memory_dc, r.back_buffer);
    r.client_width = width;
    r.client_height = height;
    // A compatible bitmap's first contents are not promised to be black.
    fill_black(r, 0, height);
    return true;
}

void release_back_buffer(TextWindowRecord& r) {
    TextScreenLock lock;
    r.repaint_held = 0;
    if (r.memory_dc) {
        SelectObject(r.memory_dc, r.previous_bitmap);
        DeleteObject(r.back_buffer);
        DeleteDC(r.memory_dc);
    }
    if (r.window_dc) ReleaseDC(r.window, r.window_dc);
    r.previous_bitmap = nullptr;
    r.back_buffer = nullptr;
    r.memory_dc = nullptr;
    r.window_dc = nullptr;
}

bool advance_line(TextWindowRecord& r) {
    r.cursor_x = 0;
    r.cursor_y += r.char_height;
    ScrollStep s = scroll_step(r.cursor_y, r.char_height, r.client_height);
    if (!s.scrolled) return false;
    apply_scroll(r, s);
    r.cursor_y = s.cursor_y;
    return true;
}

void apply_scroll(TextWindowRecord& r, const ScrollStep& s) {
    TextScreenLock lock;
    BitBlt(r.memory_dc, 0, 0, r.client_width, s.copy_height, r.memory_dc, 0, s.copy_from_y, SRCCOPY);
    fill_black(r, s.fill_from_y, s.fill_height);
}

void draw_cell(TextWindowRecord& r, int x, int y, wchar_t unit, int cells, wchar_t low) {
    {
        TextScreenLock lock;
        const wchar_t pair[2] = {unit, low};
        TextOutW(r.memory_dc, x, y, pair, low ? 2 : 1);
    }
    RECT cell = {x, y, x + cells * r.char_width, y + r.char_height};
    InvalidateRect(r.window, &cell, FALSE);
}

void draw_caret(TextWindowRecord& r, int phase) { draw_cell(r, r.cursor_x, r.cursor_y, phase ? L'_' : L' ', 1); }

void resize_text_window(int n, int width, int height) {
    TextWindowRecord& r = text_windows[n];
    {
        TextScreenLock lock;
        release_back_buffer(r);
        // A refused rebuild leaves an empty window: output then draws nowhere.
        if (!build_back_buffer(r, width, height)) {
            r.client_width = width;
            r.client_height = height;
        }
        r.cursor_x = 0;
        r.cursor_y = 0;
        apply_text_colors(r);
    }
    refresh_snap_table();
    InvalidateRect(r.window, nullptr, FALSE);
}

void paint_text_window(int n, const RECT& invalid) {
    const TextWindowRecord& r = text_windows[n];
    BitBlt(r.window_dc, invalid.left, invalid.top, invalid.right - invalid.left, invalid.bottom - invalid.top,
           r.memory_dc, invalid.left, invalid.top, SRCCOPY);
}

}  // namespace kbx

void KBX_ClearTextWindow() {
    using namespace kbx;
    TextWindowRecord* r = current_open_text_window();
    if (!r) return;
    {
        TextScreenLock lock;
        PatBlt(r->memory_dc, 0, 0, r->client_width, r->client_height, PATCOPY);
        r->cursor_x = 0;
        r->cursor_y = 0;
    }
    InvalidateRect(r->window, nullptr, FALSE);
    log_echo(*r, "\n");
}
