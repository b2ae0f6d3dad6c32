// Another process's windows: found by class, title and process, read with
// messages that cross processes, and given input by posted messages.
#ifndef KBX_TESTING_WIN_WINDOWS_H
#define KBX_TESTING_WIN_WINDOWS_H

#include <windows.h>

#include <string>
#include <vector>

namespace kbxtest {

// A top-level window by class and/or title (either may be null), optionally
// only of the given process.
HWND find_window(const wchar_t* cls, const wchar_t* title, DWORD pid = 0);
HWND wait_for_window(const wchar_t* cls, const wchar_t* title, DWORD timeout_ms = 10000, DWORD pid = 0);
std::vector<HWND> top_level_windows(DWORD pid, const wchar_t* cls = nullptr);
std::vector<HWND> child_windows(HWND parent, const wchar_t* cls = nullptr);
// The children of one class in reading order: row by row from the top,
// left to right in a row.
std::vector<HWND> children_in_order(HWND parent, const wchar_t* cls);
std::wstring window_text(HWND window);       // WM_GETTEXT, works across processes
std::wstring class_name(HWND window);
RECT window_rect(HWND window);
SIZE client_size(HWND window);

void post_key(HWND window, UINT vk);          // WM_KEYDOWN then WM_KEYUP
void post_char(HWND window, wchar_t ch);      // WM_CHAR
void post_text(HWND window, const std::wstring& text);
void post_click(HWND window, int x, int y);   // left button down and up, client coordinates
// Left button down at (x1, y1), a move with the button held to (x2, y2) and
// the button up there.
void post_drag(HWND window, int x1, int y1, int x2, int y2);

}  // namespace kbxtest

#endif
