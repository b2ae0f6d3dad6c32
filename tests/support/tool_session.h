// One framework run for the image-processing tool tests (see
// tests/support/session.h). The tools run on the user-program thread inside
// the image windows' command handling; the test thread plays the user: it
// posts commands and mouse messages, waits for what they show (prompts in
// the status label, rubber bands in the picture) and answers the text prompts.
#ifndef KBX_TEST_TOOL_SESSION_H
#define KBX_TEST_TOOL_SESSION_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imageproc/pixel_view.h"
#include "tests/support/session.h"

namespace tool_test {

using kbxtest::image_caption;
using kbxtest::on_user_thread;
using kbxtest::settle;
using kbxtest::wait_idle;

void start_session();
void end_session();

// On the user-program thread: destroys every image and text window, empties
// the selection stack, forgets the pointer events and sets the drawing
// colours to known values.
void reset_tools();

// --- the user's side, from the test thread -------------------------------------
// Posts a command to image window n, as its menu would.
void post_command(int n, int id);
// Mouse messages at picture point (x, y) of window n (its zoom applied).
void post_move(int n, int x, int y);
void post_click(int n, int x, int y);
void post_right_click(int n);
// Answers a waiting tool's prompts: the two corners of a box (the pointer
// moved to the second before it is clicked), or one point.
void click_box(int n, int x1, int y1, int x2, int y2);
void click_point(int n, int x, int y);
// The status label, without the padding that centres it.
std::string status_text();
bool wait_status(const std::string& text, DWORD timeout_ms = 5000);
// Waits until a pointing loop runs (true) or none runs (false).
bool wait_pointing(bool running, DWORD timeout_ms = 5000);
// Types a line into the text window whose line input is waiting.
bool answer_prompt(const wchar_t* text);

// --- pictures --------------------------------------------------------------------
// A copy of window n's pixels in the window's layout; drawing the expected
// result into a copy goes through kbx::view_of.
kbx::PixelImage snapshot(int n);
bool same_pixels(const kbx::PixelImage& a, const kbx::PixelImage& b);
// Waits until window n's pixels equal the expected picture.
bool wait_picture(int n, const kbx::PixelImage& expected, DWORD timeout_ms = 5000);
// Fills window n with distinct values, so that any stray pixel shows.
void fill_distinct(int n);

}  // namespace tool_test

#endif
