// The window procedure of class kbx_twi. Every message is attributed to its
// window's slot; a window that is not (or no longer) open only gets the
// default handling.
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/key_ring.h"
#include "textwin/win_snapping.h"
#include "textwin/text_commands.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

static_assert(kKeyEscape == VK_ESCAPE && kKeySpace == VK_SPACE && kKeyUp == VK_UP, "virtual-key codes");

bool ctrl_held() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

// The Space key that opens the console has already been translated into a
// typed space, which would otherwise start the command line.
void drop_typed_space(HWND window) {
    MSG typed;
    if (PeekMessageW(&typed, window, WM_CHAR, WM_CHAR, PM_NOREMOVE) && typed.wParam == L' ')
        PeekMessageW(&typed, window, WM_CHAR, WM_CHAR, PM_REMOVE);
}

LRESULT on_size(HWND window, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n >= 0) resize_text_window(n, LOWORD(lparam), HIWORD(lparam));
    return 0;
}

LRESULT on_paint(HWND window) {
    // The class's own DC is the record's window DC: while BeginPaint clips it
    // to the update region, the control window's late copy must not use it.
    TextScreenLock lock;
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    int n = KBX_FindTextWindow(window);
    if (n >= 0) paint_text_window(n, ps.rcPaint);
    EndPaint(window, &ps);
    return 0;
}

LRESULT on_close(HWND window, WPARAM wparam, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n < 0) return DefWindowProcW(window, WM_CLOSE, wparam, lparam);
    KBX_CloseTextWindow(n);
    return 0;
}

LRESULT on_key_down(HWND window, WPARAM key, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n < 0) return DefWindowProcW(window, WM_KEYDOWN, key, lparam);
    TextKeyDecision d =
        decide_text_key(static_cast<int>(key), ctrl_held(), input_active != 0, key_ring_request != kRingNoRequest);
    int none = kRingNoRequest;
    switch (d.action) {
        case kKeyPostCommand: PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(d.command), 0); break;
        case kKeyForward: forward_control_key(key, lparam); break;
        case kKeyConsole:
            drop_typed_space(window);
            KBX_SelectTextWindow(n);
            run_console();
            break;
        case kKeyRecall: key_ring_request.compare_exchange_strong(none, kRingReplayRecall); break;
        case kKeyPaste: key_ring_request.compare_exchange_strong(none, kRingPaste); break;
        case kKeyIgnore: break;
    }
    return 0;
}

LRESULT on_char(HWND window, WPARAM unit, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n < 0) return DefWindowProcW(window, WM_CHAR, unit, lparam);
    if (input_active != 0 && !ctrl_held()) key_ring_put(key_ring, static_cast<wchar_t>(unit));
    return 0;
}

LRESULT on_command(HWND window, WPARAM wparam, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n < 0) return DefWindowProcW(window, WM_COMMAND, wparam, lparam);
    run_text_command(n, LOWORD(wparam));
    return 0;
}

LRESULT on_right_button(HWND window, WPARAM wparam, LPARAM lparam) {
    int n = KBX_FindTextWindow(window);
    if (n < 0) return DefWindowProcW(window, WM_RBUTTONDOWN, wparam, lparam);
    if (input_active != 0 || drawing_tool_mode != 0) return 0;
    HMENU menu = build_text_window_menu(n);
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
    return 0;
}

}  // namespace

LRESULT CALLBACK text_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            return on_size(window, lparam);
        case WM_PAINT:
            return on_paint(window);
        case WM_CLOSE:
            return on_close(window, wparam, lparam);
        case WM_KEYDOWN:
            return on_key_down(window, wparam, lparam);
        case WM_CHAR:
            return on_char(window, wparam, lparam);
        case WM_COMMAND:
            return on_command(window, wparam, lparam);
        case WM_RBUTTONDOWN:
            return on_right_button(window, wparam, lparam);
        default:
            return framework_window_default(window, message, wparam, lparam);
    }
}

}  // namespace kbx
