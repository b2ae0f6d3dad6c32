// One framework run shared by the text window tests. Text windows belong to
// the user-program thread, so every step that touches them runs there.
#ifndef KBX_TEXTWIN_TEST_SESSION_H
#define KBX_TEXTWIN_TEST_SESSION_H

#include <windows.h>

#include <functional>

namespace textwin_test {

// Starts the framework on a thread of its own; the user program runs the
// steps handed to it (its main routine is entered at once).
void start_session();
void end_session();

// Runs a step on the user-program thread and returns when it is done.
void on_user_thread(const std::function<void()>& step);

// Closes every open text window and makes window 0 current again.
void close_all_text_windows();

// Lets the user-program thread handle what is queued for its windows.
void settle();

// Pixel of a text window's back buffer or of its screen image, as
// 0xRRGGBB; read on the user-program thread.
int back_pixel(int n, int x, int y);
int screen_pixel(int n, int x, int y);

// The OEM fixed font's cell size, measured afresh.
SIZE oem_cell();

}  // namespace textwin_test

#endif
