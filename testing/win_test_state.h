// What the public test calls share: the last error, the wait limit, text
// conversions and the program's windows.
#ifndef KBX_TESTING_WIN_TEST_STATE_H
#define KBX_TESTING_WIN_TEST_STATE_H

#include <windows.h>

#include <string>

#include "kobrix_testing.h"

namespace kbxtest {

// Records what failed (printf-style) for KBX_TestLastError; returns code.
int fail(int code, const char* format, ...);
DWORD wait_limit();

std::wstring to_wide(const char* text);
std::string to_ansi(const std::wstring& text);

inline HWND as_hwnd(KBX_TestWindow window) { return static_cast<HWND>(window); }
// The window of the program of this class (and title, when not null).
HWND program_window(const KBX_TestProgram* program, const wchar_t* cls, const wchar_t* title = nullptr);
// The thread that runs the user program (it owns every window but the
// control window); 0 while it owns none.
DWORD user_thread(const KBX_TestProgram* program);

// The control window's status label without its padding: "Input text"
// while a line is awaited, a "Click ..." prompt while a point is.
std::wstring status_text(const KBX_TestProgram* program);

}  // namespace kbxtest

#endif
