// What the public test calls share: the last error, the wait limit, text
// conversions, waits on a running program and the program's windows.
#ifndef KBX_TESTING_WIN_TEST_STATE_H
#define KBX_TESTING_WIN_TEST_STATE_H

#include <windows.h>

#include <functional>
#include <string>

#include "kobrix_testing.h"

namespace kbxtest {

// Every public call begins here: the last error describes one call only.
void new_call();
// Records what failed (printf-style) for KBX_TestLastError; returns code.
int fail(int code, const char* format, ...);
DWORD wait_limit();

// UTF-8 <-> UTF-16: texts and paths pass through the helper unchanged.
std::wstring to_wide(const char* text);
std::string to_utf8(const std::wstring& text);

// True when the program's process has ended; *code gets its exit code.
bool program_ended(const KBX_TestProgram* program, DWORD* code);
// Polls condition until it holds (DONE), the program ends (PROGRAM_ENDED)
// or the limit passes (timeout_code). A failure's last error reads
// "<call>: waited N ms for <what>" or "<call>: the program ended (exit code
// C) while waiting for <what>".
int wait_running(const KBX_TestProgram* program, const std::function<bool()>& condition, const char* call,
                 const std::string& what, int timeout_code = KBX_TEST_TIMED_OUT);
// False, with the last error set, when no program was started.
bool has_program(const KBX_TestProgram* program, const char* call);

inline HWND as_hwnd(KBX_TestWindow window) { return static_cast<HWND>(window); }
// The window of the program of this class (and title, when not null).
HWND program_window(const KBX_TestProgram* program, const wchar_t* cls, const wchar_t* title = nullptr);
// Waits for text window n: the window, or null with the last error set and
// *result the failure's code.
HWND wait_text_window(const KBX_TestProgram* program, int n, const char* call, int* result);
// The thread that runs the user program (it owns every window but the
// control window), as the control window names it; 0 until it has started it.
DWORD user_thread(const KBX_TestProgram* program);
// The program's run state as its control window hands it to tools
// (KBX_RUN_... of kbx_commands.h) and the count of points it has taken.
int run_state(const KBX_TestProgram* program);
long points_taken(const KBX_TestProgram* program);

}  // namespace kbxtest

#endif
