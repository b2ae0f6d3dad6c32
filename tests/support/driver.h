// Test helpers for driving KOBRIX programs: in this process (run the
// framework with a test's own setup and main routines while a driver thread
// works the windows) or from outside (start a built program, find its
// windows, post and send messages, read the clipboard and its files).
#ifndef KBX_TEST_DRIVER_H
#define KBX_TEST_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kbxtest {

// --- waiting -------------------------------------------------------------------
// Polls pred every few milliseconds until it holds or timeout_ms pass.
bool wait_until(const std::function<bool()>& pred, DWORD timeout_ms = 5000);

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

// --- programs ------------------------------------------------------------------------
// Folder of the running test executable; every built program sits beside it.
std::wstring bin_dir();
std::wstring program_path(const wchar_t* name);   // bin_dir() + name + ".exe"

struct Process {
    HANDLE handle = nullptr;
    DWORD pid = 0;
};
// Starts a program with workdir as its current directory (empty: ours) and
// the given arguments after its name.
Process launch(const std::wstring& exe, const std::wstring& workdir = L"", const std::wstring& args = L"");
// Waits for the process to end; false on time-out.
bool wait_exit(Process& process, DWORD timeout_ms, DWORD* exit_code = nullptr);
// Ends the process if it still runs and closes its handle.
void terminate(Process& process);

// --- windows ---------------------------------------------------------------------------
// A top-level window by class and/or title (either may be null), optionally
// only of the given process.
HWND find_window(const wchar_t* cls, const wchar_t* title, DWORD pid = 0);
HWND wait_for_window(const wchar_t* cls, const wchar_t* title, DWORD timeout_ms = 10000, DWORD pid = 0);
std::vector<HWND> top_level_windows(DWORD pid, const wchar_t* cls = nullptr);
std::vector<HWND> child_windows(HWND parent, const wchar_t* cls = nullptr);
std::wstring window_text(HWND window);       // WM_GETTEXT, works across processes
std::wstring class_name(HWND window);
RECT window_rect(HWND window);
SIZE client_size(HWND window);

// --- input -------------------------------------------------------------------------------
void post_key(HWND window, UINT vk);          // WM_KEYDOWN then WM_KEYUP
void post_char(HWND window, wchar_t ch);      // WM_CHAR
void post_text(HWND window, const std::wstring& text);
void post_click(HWND window, int x, int y);   // left button down and up, client coordinates

// --- pictures ------------------------------------------------------------------
// A w x h device-dependent bitmap filled with one colour; the caller owns it.
HBITMAP solid_bitmap(int w, int h, COLORREF colour);

// --- clipboard -----------------------------------------------------------------------------
// CF_TEXT as raw bytes (empty when there is none).
std::string read_clipboard_text();
// CF_TEXT once the clipboard has changed since its sequence number was
// `before` and holds text (empty on time-out). The clipboard is not opened until then: a
// program's copy that found it held by a polling reader would fail.
std::string clipboard_text_after(DWORD before, DWORD timeout_ms = 10000);
bool write_clipboard_text(const std::wstring& text);   // CF_UNICODETEXT
bool clear_clipboard();

// --- files ---------------------------------------------------------------------------------
std::wstring make_temp_dir(const wchar_t* tag);
bool read_file(const std::wstring& path, std::string* contents);
std::wstring join_path(const std::wstring& dir, const std::wstring& name);
// A path the build handed over (a test's environment): a Linux path under
// Wine gets its Z: drive, a Windows path stays as it is.
std::string host_path(const char* path);

}  // namespace kbxtest

#endif
