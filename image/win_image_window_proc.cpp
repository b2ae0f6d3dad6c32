// The image window procedure: painting, closing, keys, the wheel, the two
// pop-up menus, mouse recording for the drawing tools, frame drags and drops.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>

#include "kbx_commands.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_menus.h"
#include "image/win_image_window.h"
#include "image/pointer_events.h"
#include "textwin/win_snapping.h"

namespace kbx {

void run_image_command(HWND window, int id);

namespace {

bool ctrl_held() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

void post_command(HWND window, int id) { PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

void zoom_step(HWND window, bool up) {
    int n = find_image_window(window);
    if (n < 0) return;
    int zoom = image_windows[n].zoom;
    change_zoom(up ? zoom_step_up(zoom) : zoom_step_down(zoom), n);
}

// Picture coordinates of a mouse message for window n.
void picture_point(int n, LPARAM lparam, int* x, int* y) {
    int zoom = n >= 0 ? image_windows[n].zoom : 100;
    *x = client_to_picture(static_cast<unsigned>(LOWORD(lparam)), zoom);
    *y = client_to_picture(static_cast<unsigned>(HIWORD(lparam)), zoom);
}

void record_tracking(int n, WPARAM wparam, LPARAM lparam) {
    if (!mouse_tracking.on) return;
    mouse_tracking.window = n;
    picture_point(n, lparam, &mouse_tracking.x, &mouse_tracking.y);
    mouse_tracking.left = static_cast<int>(wparam & MK_LBUTTON);
    mouse_tracking.middle = static_cast<int>(wparam & MK_MBUTTON);
    mouse_tracking.ctrl = static_cast<int>(wparam & MK_CONTROL);
    mouse_tracking.shift = static_cast<int>(wparam & MK_SHIFT);
}

bool is_pointing_window(int n) { return drawing_tool_mode != 0 && n >= 0 && n == pointer_events.pointing_window; }

LRESULT on_paint(HWND window) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    paint_image(find_image_window(window));
    EndPaint(window, &ps);
    return 0;
}

LRESULT on_key_down(HWND window, WPARAM key) {
    if (drawing_tool_mode) return 0;
    if (ctrl_held()) {
        switch (key) {
            case 'X': post_command(window, kCmdCut); return 0;
            case 'C': post_command(window, kCmdCopy); return 0;
            case 'V': post_command(window, kCmdPasteTopLeft); return 0;
            case 'Q': post_command(window, kCmdDestroyImage); return 0;
            case 'R': post_command(window, kCmdClipping); return 0;
            case VK_ADD: zoom_step(window, true); return 0;
            case VK_SUBTRACT: zoom_step(window, false); return 0;
            case VK_NUMPAD0: change_zoom(100, find_image_window(window)); return 0;
            default: break;
        }
    }
    if (forward_control_key(key, 0)) return 0;
    if (key == VK_TAB) toggle_stretch_mode(find_image_window(window));
    return 0;
}

LRESULT on_mouse_move(HWND window, WPARAM wparam, LPARAM lparam) {
    int n = find_image_window(window);
    record_tracking(n, wparam, lparam);
    if (is_pointing_window(n)) {
        picture_point(n, lparam, &pointer_events.move_x, &pointer_events.move_y);
        pointer_events.move_flag = 1;
    }
    return 0;
}

LRESULT on_left_button(HWND window, WPARAM wparam, LPARAM lparam) {
    int n = find_image_window(window);
    record_tracking(n, wparam, lparam);
    if (is_pointing_window(n)) {
        picture_point(n, lparam, &pointer_events.click_x, &pointer_events.click_y);
        pointer_events.click_shift = (wparam & MK_SHIFT) ? 1 : 0;
        pointer_events.click_flag = 1;
    }
    return 0;
}

// A pop-up menu, or in a pointing loop the cancel of its window.
void popup_rule(HWND window, bool processing) {
    int n = find_image_window(window);
    if (drawing_tool_mode) {
        if (is_pointing_window(n)) pointer_events.cancel_flag = 1;
        return;
    }
    if (input_active != 0 || n < 0) return;
    HMENU menu = processing ? build_image_processing_menu(image_windows[n].depth)
                            : build_image_window_menu(image_windows[n].zoom);
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
}

LRESULT on_mouse_wheel(HWND window, WPARAM wparam) {
    if (!(GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL)) return 0;
    int delta = GET_WHEEL_DELTA_WPARAM(wparam);
    if (delta < 0) zoom_step(window, true);
    else if (delta > 0) zoom_step(window, false);
    return 0;
}

// The frame's usual size limit is about the screen, but a window with the
// FL bounds may be up to twice the screen: let it be as large as that.
LRESULT on_get_min_max_info(HWND window, MINMAXINFO* info) {
    DisplayLimits fl = display_limits(0);
    RECT largest = {0, 0, fl.max_width, fl.max_height};
    AdjustWindowRect(&largest, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE);
    if (info->ptMaxTrackSize.x < largest.right - largest.left) info->ptMaxTrackSize.x = largest.right - largest.left;
    if (info->ptMaxTrackSize.y < largest.bottom - largest.top) info->ptMaxTrackSize.y = largest.bottom - largest.top;
    return 0;
}

LRESULT on_drop(HWND window, HDROP drop) {
    wchar_t file[kPathChars];
    if (DragQueryFileW(drop, 0, file, kPathChars) > 0) {
        char path[kPathChars];
        wide_to_ansi(file, path, kPathChars);
        load_image_file_into(find_image_window(window), path, 0, 0);
    }
    DragFinish(drop);
    SetForegroundWindow(window);
    return 0;
}

// A tool's request for the picture: a private hand-over, where Copy would
// replace what the user has on the clipboard.
LRESULT on_copy_data(HWND window, const COPYDATASTRUCT* data) {
    if (!data || data->dwData != KBX_COPYDATA_SAVE_DIB || !data->lpData || data->cbData < 2 * sizeof(wchar_t))
        return 0;
    const std::size_t chars = data->cbData / sizeof(wchar_t);
    const wchar_t* path = static_cast<const wchar_t*>(data->lpData);
    if (path[chars - 1] != L'\0') return 0;
    // What the tool posted to this window before asking (a command, a
    // click) is done first, as if the request had queued behind it.
    MSG posted;
    while (PeekMessageW(&posted, window, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        TranslateMessage(&posted);
        DispatchMessageW(&posted);
    }
    return save_image_dib(find_image_window(window), path) ? 1 : 0;
}

}  // namespace

LRESULT CALLBACK image_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            return on_paint(window);
        case WM_CLOSE:
            destroy_image_window(find_image_window(window));
            return 0;
        case WM_KEYDOWN:
            return on_key_down(window, wparam);
        case WM_COMMAND:
            run_image_command(window, LOWORD(wparam));
            return 0;
        case WM_MOUSEMOVE:
            return on_mouse_move(window, wparam, lparam);
        case WM_LBUTTONDOWN:
            return on_left_button(window, wparam, lparam);
        case WM_RBUTTONDOWN:
            popup_rule(window, (wparam & MK_CONTROL) != 0);
            return 0;
        case WM_MBUTTONDOWN:
            record_tracking(find_image_window(window), wparam, lparam);
            popup_rule(window, true);
            return 0;
        case WM_MOUSEWHEEL:
            return on_mouse_wheel(window, wparam);
        case WM_SIZING:
            // The size follows the zoom only: a frame drag changes nothing.
            GetWindowRect(window, reinterpret_cast<RECT*>(lparam));
            return TRUE;
        case WM_GETMINMAXINFO:
            return on_get_min_max_info(window, reinterpret_cast<MINMAXINFO*>(lparam));
        case WM_DROPFILES:
            return on_drop(window, reinterpret_cast<HDROP>(wparam));
        case WM_COPYDATA:
            return on_copy_data(window, reinterpret_cast<const COPYDATASTRUCT*>(lparam));
        case WM_NCDESTROY:
            RemovePropW(window, KBX_IMAGE_NUMBER_PROPERTY);
            return framework_window_default(window, message, wparam, lparam);
        default:
            return framework_window_default(window, message, wparam, lparam);
    }
}

}  // namespace kbx
