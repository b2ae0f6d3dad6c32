// Text windows, internal side: the window procedure, the back buffer and the
// drawing steps that output and line input share.
#ifndef KBX_TEXT_WINDOW_H
#define KBX_TEXT_WINDOW_H

#include <windows.h>

#include "kbx_textwin.h"
#include "textwin/text_window_record.h"

namespace kbx {

LRESULT CALLBACK text_window_proc(HWND, UINT, WPARAM, LPARAM);

// The record of the current text window when it is open, else null.
TextWindowRecord* current_open_text_window();

// Back buffer: built at the given size (memory DC with the black brush, the
// OEM fixed font and a black bitmap), and released in the reverse order.
// build returns false, with nothing held, when the platform refuses.
bool build_back_buffer(TextWindowRecord& r, int width, int height);
void release_back_buffer(TextWindowRecord& r);

// Puts the record's colours into its memory DC.
void apply_text_colors(TextWindowRecord& r);

// Cursor to the start of the next line, scrolling one line when it would
// not fit. True when it scrolled; the caller then invalidates the window.
bool advance_line(TextWindowRecord& r);

// One code unit drawn at (x, y) over `cells` cells, and that rectangle
// invalidated without erasing. The caret is "_" in phase 1, else a blank.
void draw_cell(TextWindowRecord& r, int x, int y, wchar_t unit, int cells);
void draw_caret(TextWindowRecord& r, int phase);

// Window procedure steps for an open window: a new client size rebuilds
// the (blank) back buffer; paint copies the invalid part to the screen.
void resize_text_window(int n, int width, int height);
void paint_text_window(int n, const RECT& invalid);

}  // namespace kbx

#endif
