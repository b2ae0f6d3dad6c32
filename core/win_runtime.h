// The runtime spine: start-up, the control window, the user-program thread,
// the request hand-off, the message pumps and small shared helpers.
#ifndef KBX_WIN_RUNTIME_H
#define KBX_WIN_RUNTIME_H

#include <windows.h>

namespace kbx {

typedef void (*UserRoutine)();

// Runs the framework to its end on the calling thread (which becomes the
// first thread) with the given user program. Returns the process exit code:
// 0 after a normal end, 1 at the instance limit or when a class cannot be
// registered or the control window cannot be created. Can be run again after it returns (tests do).
// When Exit has to end the user-program thread from outside, this still
// returns 0, so that the process ends the normal way; should that end not be
// over 200 ms later (a lock the thread held), the process is ended outright.
int run_framework(HINSTANCE instance, UserRoutine setup, UserRoutine main_routine);

// --- control window (first thread) -----------------------------------------
LRESULT CALLBACK control_window_proc(HWND, UINT, WPARAM, LPARAM);
void do_start();
void do_stop();
void do_exit();
// Esc, X, S and C belong to the control window (Exit, Start, Stop); the
// other windows hand them on. True when key was one of them.
bool forward_control_key(WPARAM key, LPARAM lparam);

// Shows text in the status label, roughly centred.
void set_status_text(const char* text);
// Puts "%d-bit color" back into the status label.
void show_depth_status();
// What the program waits for (KBX_RUN_... of kbx_commands.h) and the count
// of points taken, on the control window for tools to read.
void set_run_state(int state);
void count_point_taken();
// Beeps and shows text in the status label for a few seconds, then the
// colour depth again. Callable from either thread; text must stay valid
// until shown (a literal).
void flash_status_text(const char* text);
// A message box captioned "Pause" with an OK button; returns when closed.
void pause_message(const char* text);

// The command console: one command read in the current text window and
// carried out. 0 for a known command, 1 for "Invalid command".
int run_console();

// --- user-program thread -------------------------------------------------------
DWORD WINAPI user_thread_main(LPVOID);

// --- requests (posters on the first thread; service on the user thread) ------
// Each poster returns without posting (result -1 where there is a result)
// once the main routine runs, since only the idle loop services requests,
// and gives up waiting when Exit begins.
int post_create_image(int n, const char* title, int width, int height, int depth);
void post_show_image(int n);
int post_load_image(int n, const char* path);
void post_put_bitmap(HBITMAP bitmap);
void post_open_text_window(int n);
void post_open_input_box(int count);
void post_open_button_box(int columns, int rows);
void service_request();

// --- pumps and clock -------------------------------------------------------------
// The program is about to wait or to take input: the output it has made
// that its windows still hold back shows now. Every wait and read of the
// program does this first, so the windows are exact whenever it pauses.
// From any other thread it does nothing.
void show_pending_output();
void pump_messages();
void pump_dialog_messages();
// The performance counter now, in its own ticks (ms_per_tick converts).
LONGLONG counter_now();
// Blocks the calling thread until a message arrives, the thread's wake event
// is signalled, or timeout_ms pass, whichever is first. Never spins.
void wait_for_work(DWORD timeout_ms);
// The longest a framework wait sleeps before it looks at the flags again.
// Start, Stop, Exit and requests signal the waiting thread, so they are seen
// at once; the slice only bounds how late a flag written without a wake-up
// is noticed, and keeps an idle program near zero CPU.
constexpr DWORD kWaitSliceMs = 10;

// --- snap rectangles ---------------------------------------------------------------
void refresh_snap_table();

// --- small helpers -------------------------------------------------------------------
// Window text through the ANSI code page; out holds at most size bytes.
void get_window_text_ansi(HWND window, char* out, int size);
void set_window_text_ansi(HWND window, const char* text);
// Narrow (ANSI) to UTF-16 into a fixed buffer of count units, always terminated.
void ansi_to_wide(const char* text, wchar_t* out, int count);
// Bytes of the ANSI character that starts at text (at least 1), given the
// bytes that remain from there.
int ansi_char_size(const unsigned char* text, int remaining);
// Copies as much of text as fits in size bytes with its terminator, whole
// characters only.
void copy_ansi(char* out, int size, const char* text);
void wide_to_ansi(const wchar_t* text, char* out, int size);
// Inserts a menu item by position: a text item with an id and MF_ state
// flags, a separator (text null), or a sub-menu (submenu not null).
void insert_menu_item(HMENU menu, UINT position, const char* text, UINT id, UINT state, HMENU submenu = nullptr);
// OpenClipboard(nullptr), tried again every few milliseconds while another
// thread or program holds the clipboard, for at most kClipboardWaitMs.
// Sleeps between tries and handles no messages. False when it stays busy.
constexpr DWORD kClipboardWaitMs = 500;
bool open_clipboard();
// Clipboard writes that change nothing unless they succeed: a block is
// allocated and filled first, and only then is the clipboard opened,
// emptied and given it. new_clipboard_block: a movable, shareable block of
// size bytes, locked at *data; null when there is no memory.
// hand_to_clipboard: puts that block (still locked) on the clipboard in the
// format; the block is the clipboard's afterwards, or freed. 0 done; 1 the
// clipboard stayed busy (nothing changed); 2 the clipboard did not take the
// block (it is left empty).
// hand_text_to_clipboard: the same for a block of zero-terminated ANSI
// text, put there as CF_TEXT and as CF_UNICODETEXT.
HGLOBAL new_clipboard_block(SIZE_T size, void** data);
int hand_to_clipboard(UINT format, HGLOBAL block);
int hand_text_to_clipboard(HGLOBAL text);
// Platform colour (red in the low byte) from 0xRRGGBB.
inline COLORREF to_colorref(int rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
inline void split_color(int rgb, int* r, int* g, int* b) {
    *r = (rgb >> 16) & 0xFF;
    *g = (rgb >> 8) & 0xFF;
    *b = rgb & 0xFF;
}

}  // namespace kbx

#endif
