// One framework run per test suite for the image window tests. Image
// windows belong to the user-program thread, so every step that touches
// them runs there; the test thread plays the user from outside.
#ifndef KBX_IMAGE_TEST_SESSION_H
#define KBX_IMAGE_TEST_SESSION_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace image_test {

void start_session();
void end_session();

// Runs a step on the user-program thread and returns when it is done.
void on_user_thread(const std::function<void()>& step);
// Hands a step over without waiting (for steps that block in a menu or a
// prompt); finish_step waits for it.
void begin_on_user_thread(std::function<void()> step);
bool finish_step(DWORD timeout_ms = 10000);
// Lets the user-program thread handle what is queued for its windows.
void settle();

// On the user-program thread: destroys every image window, empties the
// selection stack and sets the Ctrl key up.
void reset_images();

// --- helpers for steps (call them on the user-program thread) ----------------
void set_ctrl(bool down);
// Fills a 32-bit window with f(x, y), or an 8-bit one with indices.
void fill32(int n, const std::function<std::uint32_t(int, int)>& f);
void fill8(int n, const std::function<unsigned char(int, int)>& f);
std::uint32_t pixel32(int n, int x, int y);
unsigned char pixel8(int n, int x, int y);
std::string caption(int n);
SIZE client_of(int n);

// The minimum and maximum client sizes of a screen-limited window, straight
// from the system metrics.
struct Limits {
    int min_w, min_h, max_w, max_h;
};
Limits screen_limits();

// --- pop-up menus, read from the test thread ------------------------------------
struct MenuItem {
    std::wstring text;
    UINT id;
    bool checked;
    bool separator;
    HMENU submenu;
};
std::vector<MenuItem> menu_items(HMENU menu);
// Waits for an open pop-up menu of this process; null on time-out.
HWND wait_for_popup(DWORD timeout_ms = 5000);
void close_popup(HWND owner, HWND popup);

}  // namespace image_test

#endif
