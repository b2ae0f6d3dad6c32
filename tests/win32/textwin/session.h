// One framework run shared by the text window tests. Text windows belong to
// the user-program thread, so every step that touches them runs there.
#ifndef KBX_TEXTWIN_TEST_SESSION_H
#define KBX_TEXTWIN_TEST_SESSION_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace textwin_test {

// Starts the framework on a thread of its own; the user program runs the
// steps handed to it (its main routine is entered at once).
void start_session();
void end_session();

// Runs a step on the user-program thread and returns when it is done.
void on_user_thread(const std::function<void()>& step);
// Hands a step over without waiting (for steps that wait for input or sit
// in a menu or message box); finish_step waits for it.
void begin_on_user_thread(std::function<void()> step);
bool finish_step(DWORD timeout_ms = 20000);

// Runs a job inside whatever message pump the user-program thread is in
// (its idle loop, a print, a waiting line input) and returns when it has
// run. Messages posted to that thread before it are handled before it.
void in_user_pump(const std::function<void()>& job);

// Closes every open text window and makes window 0 current again.
void close_all_text_windows();

// Lets the user-program thread handle what is queued for its windows.
void settle();

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

// The OEM fixed font's cell size, measured afresh.
SIZE oem_cell();

// Points the window logs at a fresh folder of their own; returns it.
std::wstring use_fresh_log_dir(const wchar_t* tag);
// The path of window n's log file there, and its contents ("" if none).
std::wstring log_path(int n);
std::string log_contents(int n);

// Sets the user-program thread's Ctrl key state (call on that thread).
void set_ctrl(bool down);

// Waits for a message box of this process with the given caption, and
// closes it with its OK button. Its text, or "" when none came.
std::wstring dismiss_message_box(const wchar_t* caption, DWORD timeout_ms = 5000);

}  // namespace textwin_test

#endif
