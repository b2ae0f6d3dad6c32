// The framework's process-wide state, its Win32 part: the window registry,
// the control window, the wake-up events and the handles captured at
// start-up. The rest is in core/state.h.
#ifndef KBX_WIN_STATE_H
#define KBX_WIN_STATE_H

#include <windows.h>

#include <cstdint>

#include "boxes/win_box_records.h"
#include "core/state.h"
#include "image/win_image_window_record.h"
#include "textwin/win_text_window_record.h"

namespace kbx {

// --- registry --------------------------------------------------------------
extern TextWindowRecord text_windows[kMaxWindows];

extern ImageWindowRecord image_windows[kMaxWindows];
extern std::uint32_t* image_pixels32[kMaxWindows];
extern unsigned char* image_pixels8[kMaxWindows];

extern InputBoxRecord input_box;
extern ButtonBoxRecord button_box;

struct ControlWindowRecord {
    HWND window;
    HWND status_label;
    HMENU menu;
    HDC dc;                    // taken once after creation, kept for the run
    HANDLE user_thread;
    DWORD user_thread_id;
    DWORD user_thread_exit_code;   // as read by Exit before closing the handle
};
extern ControlWindowRecord control;

// Signalled by the first thread whenever it changes something the
// user-program thread waits for (flags, a new request), so that waits
// block instead of spinning and still wake at once.
extern HANDLE user_thread_wake;
// Signalled by the user-program thread when it completes a request.
extern HANDLE first_thread_wake;
void wake_user_thread();

// The bitmap handed over with kRequestPutBitmap.
extern HBITMAP request_bitmap;

// --- handles and values captured at start-up ---------------------------------
extern HINSTANCE module_instance;
extern LONGLONG perf_frequency;
extern HFONT image_text_font;
extern COLORREF custom_colors[16];

}  // namespace kbx

#endif
