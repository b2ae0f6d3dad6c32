// One framework run shared by the text window tests (see
// tests/support/session.h); text windows belong to the user-program thread.
#ifndef KBX_TEXTWIN_TEST_SESSION_H
#define KBX_TEXTWIN_TEST_SESSION_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace textwin_test {

using kbxtest::begin_on_user_thread;
using kbxtest::finish_step;
using kbxtest::on_user_thread;
using kbxtest::set_ctrl;
using kbxtest::settle;

// Starts the framework with a helper window for in_user_pump; the user
// program's main routine is entered at once.
void start_session();
void end_session();

// Runs a job inside whatever message pump the user-program thread is in
// (its idle loop, a print, a waiting line input) and returns when it has
// run. Messages posted to that thread before it are handled before it.
void in_user_pump(const std::function<void()>& job);

// Closes every open text window and makes window 0 current again.
void close_all_text_windows();

// Pixel of a text window's back buffer or of its screen image, as
// 0xRRGGBB; read on the user-program thread.
int back_pixel(int n, int x, int y);
int screen_pixel(int n, int x, int y);

// The whole back buffer of window n, 0xRRGGBB per pixel, rows top-down.
struct Picture {
    int width = 0, height = 0;
    std::vector<int> pixels;
    int at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Pixels of the rectangle that are not rgb.
    int count_other(int left, int top, int right, int bottom, int rgb) const;
};
Picture back_picture(int n);
// The same read from the window itself: what the screen shows.
Picture screen_picture(int n);
// The same read on the calling thread through a DC of its own: needs no
// pump of the user-program thread.
Picture screen_picture_now(int n);
// width x height pixels of a DC, read on the calling thread.
Picture read_picture(HDC from, int width, int height);

// The OEM fixed font's cell size, measured afresh.
SIZE oem_cell();

// Points the window logs at a fresh folder of their own; returns it.
std::wstring use_fresh_log_dir(const wchar_t* tag);
// The path of window n's log file there, and its contents ("" if none).
std::wstring log_path(int n);
std::string log_contents(int n);

// Waits for a message box of this process with the given caption, and
// closes it with its OK button. Its text, or "" when none came.
std::wstring dismiss_message_box(const wchar_t* caption, DWORD timeout_ms = 5000);

}  // namespace textwin_test

#endif
