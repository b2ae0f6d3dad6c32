// The table of text windows: opening, selecting, finding and closing them.
#include <cstdio>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/color_stack.h"
#include "textwin/text_geometry.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

const DWORD kTextWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

bool slot_open(int n) { return text_windows[n].in_use != 0; }

bool open_number(int n) { return valid_window_number(n) && slot_open(n); }

HWND create_frame(int n, int x, int y, int w, int h) {
    RECT rect = {0, 0, w, h};
    AdjustWindowRect(&rect, kTextWindowStyle, FALSE);
    char title[32];
    std::snprintf(title, sizeof title, "TextWindow %d", n);
    wchar_t wide_title[32];
    ansi_to_wide(title, wide_title, 32);

    Placement place = place_text_window(x, y);
    int cx = place.platform_chooses ? CW_USEDEFAULT : x;
    int cy = place.platform_chooses ? CW_USEDEFAULT : y;
    HWND window = CreateWindowExW(0, L"kbx_twi", wide_title, kTextWindowStyle, cx, cy, rect.right - rect.left,
                                  rect.bottom - rect.top, control.window, nullptr, module_instance, nullptr);
    if (window && place.move_after) {
        RECT chosen;
        GetWindowRect(window, &chosen);
        WindowOrigin at = placed_origin(x, y, chosen.left, chosen.top);
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return window;
}

// The platform may hold a window to its minimum or maximum tracking size;
// the back buffer follows the client area the window really got.
SIZE real_client_size(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

}  // namespace

TextWindowRecord* current_open_text_window() {
    return open_number(current_text_window) ? &text_windows[current_text_window] : nullptr;
}

}  // namespace kbx

int KBX_OpenTextWindow(int n, int x, int y, int w, int h) {
    using namespace kbx;
    if (!valid_window_number(n)) return 2;
    TextWindowRecord& r = text_windows[n];
    if (r.in_use) {
        SetForegroundWindow(r.window);
        current_text_window = n;
        return 1;
    }
    w = text_client_width(w);
    h = text_client_height(h);

    // The window's size notices during creation find no open slot and are
    // ignored: the back buffer is built here once the window exists.
    HWND window = create_frame(n, x, y, w, h);
    if (!window) return 2;
    r.window = window;
    SIZE client = real_client_size(window);
    if (!build_back_buffer(r, client.cx, client.cy)) {
        DestroyWindow(window);
        return 2;
    }
    current_text_window = n;
    r.text_color = 0xFFFFFF;
    r.back_color = 0x000000;
    r.cursor_x = 0;
    r.cursor_y = 0;
    r.unfinished_count = 0;
    apply_text_colors(r);
    TEXTMETRICW metrics;
    GetTextMetricsW(r.memory_dc, &metrics);
    r.char_width = metrics.tmAveCharWidth;
    r.char_height = metrics.tmHeight;
    color_stack_fill(r.text_color_stack, r.text_color);
    color_stack_fill(r.back_color_stack, r.back_color);

    r.in_use = 1;
    refresh_snap_table();
    r.log_state = 0;
    if (log_everything()) KBX_StartLog(n);
    UpdateWindow(window);
    SetForegroundWindow(window);
    return 0;
}

int KBX_SelectTextWindow(int n) {
    using namespace kbx;
    if (!open_number(n)) return 1;
    current_text_window = n;
    return 0;
}

int KBX_CloseTextWindow(int n) {
    using namespace kbx;
    if (!open_number(n)) return 1;
    TextWindowRecord& r = text_windows[n];
    {
        TextScreenLock lock;
        r.in_use = 0;
    }
    current_text_window = current_after_close(current_text_window, n, kMaxWindows, slot_open);
    // A line input waiting in this window ends with an empty line.
    int waiting_here = n + 1;
    input_active.compare_exchange_strong(waiting_here, 0);
    // The close-all at Exit visits open windows only, so a log left open
    // here would never be flushed or closed.
    close_log(r);
    release_back_buffer(r);
    DestroyWindow(r.window);
    return 0;
}

void KBX_EnsureTextWindow() {
    using namespace kbx;
    if (TextWindowRecord* r = kbx::current_open_text_window()) {
        SetForegroundWindow(r->window);
        return;
    }
    WindowOrigin at = centred_text_window_origin(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    KBX_OpenTextWindow(0, at.x, at.y, kDefaultTextWidth, kDefaultTextHeight);
}

int KBX_FindTextWindow(KBX_WindowHandle window) {
    using namespace kbx;
    for (int n = 0; n < kMaxWindows; ++n)
        if (text_windows[n].in_use && text_windows[n].window == static_cast<HWND>(window)) return n;
    return -1;
}
