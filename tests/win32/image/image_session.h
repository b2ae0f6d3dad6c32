// One framework run per test suite for the image window tests (see
// tests/support/session.h); image windows belong to the user-program thread.
#ifndef KBX_IMAGE_TEST_SESSION_H
#define KBX_IMAGE_TEST_SESSION_H

#include <windows.h>

#include <cstdint>
#include <functional>

#include "tests/support/session.h"

namespace image_test {

using kbxtest::begin_on_user_thread;
using kbxtest::close_popup;
using kbxtest::finish_step;
using kbxtest::image_caption;
using kbxtest::MenuItem;
using kbxtest::menu_items;
using kbxtest::on_user_thread;
using kbxtest::set_ctrl;
using kbxtest::settle;
using kbxtest::wait_for_popup;

void start_session();
void end_session();

// On the user-program thread: destroys every image window, empties the
// selection stack and sets the Ctrl key up.
void reset_images();

// --- helpers for steps (call them on the user-program thread) ----------------
// Fills a 32-bit window with f(x, y), or an 8-bit one with indices.
void fill32(int n, const std::function<std::uint32_t(int, int)>& f);
void fill8(int n, const std::function<unsigned char(int, int)>& f);
std::uint32_t pixel32(int n, int x, int y);
unsigned char pixel8(int n, int x, int y);
SIZE client_of(int n);

// The minimum and maximum client sizes of a screen-limited window, straight
// from the system metrics.
struct Limits {
    int min_w, min_h, max_w, max_h;
};
Limits screen_limits();

}  // namespace image_test

#endif
