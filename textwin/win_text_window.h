// Text windows, internal side: the window procedure, the back buffer and the
// drawing steps that output and line input share.
#ifndef KBX_WIN_TEXT_WINDOW_H
#define KBX_WIN_TEXT_WINDOW_H

#include <windows.h>

#include <atomic>

#include "kbx_textwin.h"
#include "textwin/text_geometry.h"
#include "textwin/win_text_window_record.h"

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
// The pixels of a one-line scroll that has been decided (the cursor is the
// caller's).
void apply_scroll(TextWindowRecord& r, const ScrollStep& s);

// One character (a code unit, or a surrogate pair with its second unit in
// low) drawn at (x, y) over `cells` cells, and that rectangle invalidated
// without erasing. The caret is "_" in phase 1, else a blank.
void draw_cell(TextWindowRecord& r, int x, int y, wchar_t unit, int cells, wchar_t low = 0);
void draw_caret(TextWindowRecord& r, int phase);

// Window procedure steps for an open window: a new client size rebuilds
// the (blank) back buffer; paint copies the invalid part to the screen
// (its caller holds the screen lock from BeginPaint to EndPaint).
void resize_text_window(int n, int width, int height);
void paint_text_window(int n, const RECT& invalid);

// Prints UTF-16 text into the current text window as KBX_Print prints its
// formatted text: the same line breaking, and the log gets its ANSI form.
void print_wide(const wchar_t* text);
// Prints text into window r (open), echoing log_text (null: nothing) to its
// log when logging; then lets the thread's windows handle their messages.
void print_units(TextWindowRecord& r, const wchar_t* units, int count, const char* log_text);

// Output reaches the screen in copies at most this many milliseconds apart,
// about a display frame. show_pending_output (core/win_runtime.h) makes the
// screen exact wherever the program pauses.
constexpr unsigned int kTextRepaintIntervalMs = 15;
// After output into window r: the whole client becomes due for the screen,
// now or, on the window's own thread, within the repaint interval. The
// caller holds the screen lock.
void note_text_output(TextWindowRecord& r);

// Back buffers and window DCs are used by the window's own thread and, for
// output held back while the program computes, by the control window's
// thread. Every use holds this lock, around GDI calls only: never while
// sending a message or waiting for another thread.
void lock_text_screens();
void unlock_text_screens();
struct TextScreenLock {
    TextScreenLock() { lock_text_screens(); }
    ~TextScreenLock() { unlock_text_screens(); }
    TextScreenLock(const TextScreenLock&) = delete;
    TextScreenLock& operator=(const TextScreenLock&) = delete;
};

// On the control window's thread: copies to the screen the output that has
// been held for a repaint interval, without waiting for a busy lock.
// Milliseconds until it should look again; 0 when nothing is held.
unsigned int copy_held_text_output();

// The window log. Writes and closes go through here: Exit closes the logs
// from the other thread.
void log_echo(TextWindowRecord& r, const char* text);
// True when the environment asks every text window to log from its opening,
// each line written through at once (KBX_LOG_ALL_VARIABLE, for tools).
bool log_everything();
void close_log(TextWindowRecord& r);

// Commands of the window procedure, from the menu, shortcuts and code.
void run_text_command(int n, int command);
// The pop-up menu of window n as it stands now; the caller destroys it.
HMENU build_text_window_menu(int n);

}  // namespace kbx

#endif
