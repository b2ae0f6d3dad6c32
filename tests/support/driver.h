// Test helpers for driving KOBRIX programs: in this process (run the
// framework with a test's own setup and main routines while a driver thread
// works the windows) or from outside (start a built program, find its
// windows, post and send messages, read the clipboard and its files); the
// outside ones are the test helper library's own (testing/).
#ifndef KBX_TEST_DRIVER_H
#define KBX_TEST_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "testing/win_clipboard.h"
#include "testing/win_process.h"
#include "testing/win_waits.h"
#include "testing/win_windows.h"

namespace kbxtest {

// --- waiting -------------------------------------------------------------------
// For "nothing happened" checks, which need a point after which it would
// have. Posts a marker to a window of this process and waits until the
// window's thread takes it from its queue: everything posted to that thread
// before has been taken (and handled, unless a nested loop took the marker).
bool wait_posted_taken(HWND window, DWORD timeout_ms = 10000);
// Waits until a thread of this process takes a marker from its queue, that
// is until it pumps messages (a wait that pumps, a loop's next pass).
bool wait_thread_pumps(DWORD thread_id, DWORD timeout_ms = 10000);
// The same for the user-program thread of this process's framework run:
// its idle loop (after the setup routine and the snap table), or a wait of
// the main routine.
bool wait_user_thread_pumps(DWORD timeout_ms = 10000);

// A built program's path as the helper takes it (the build folder is ASCII).
std::string exe_path(const wchar_t* name);

// --- in-process runs -------------------------------------------------------------
// Runs the framework on this thread with the given routines while driver
// runs on a second thread. When driver returns and the control window still
// exists, Exit is posted to it. Returns the framework's exit code. The run
// has Windows' animation effects off (no one-second drop animation).
int run_framework_with(void (*setup)(), void (*main_routine)(), const std::function<void()>& driver);
// Windows' animation effects off for a run of the framework in this process,
// and back as they were after it. The setting is the whole session's, so
// every run that turns it off restores it.
void animations_off();
void restore_animations();
// The control window of this process's framework run, waiting for it.
HWND wait_for_control_window(DWORD timeout_ms = 10000);
// Sends a command to a window and waits until that window's thread has
// handled it (SendMessage) or only queues it (post).
void post_command(HWND window, WORD id);
void send_command(HWND window, WORD id);

// --- pictures ------------------------------------------------------------------
// A w x h device-dependent bitmap filled with one colour; the caller owns it.
HBITMAP solid_bitmap(int w, int h, COLORREF colour);

}  // namespace kbxtest

#endif
