// What the input box and the button box share: their window, its resizing,
// their one-item pop-up menus and the destruction error box.
#include "boxes/win_boxes.h"
#include "core/win_runtime.h"
#include "core/win_state.h"

namespace kbx {

namespace {

const DWORD kBoxStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

}  // namespace

HWND create_box_window(const wchar_t* class_name, const wchar_t* title, int x, int y, int client_width,
                       int client_height) {
    RECT rect = {0, 0, client_width, client_height};
    AdjustWindowRect(&rect, kBoxStyle, FALSE);
    return CreateWindowExW(0, class_name, title, kBoxStyle, x, y, rect.right - rect.left, rect.bottom - rect.top,
                           control.window, nullptr, module_instance, nullptr);
}

void resize_box_client(HWND window, int width, int height) {
    RECT rect = {0, 0, width, height};
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void track_one_item_menu(HWND window, const char* text, UINT id) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    insert_menu_item(menu, 0, text, id, MF_ENABLED);
    POINT cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    DestroyMenu(menu);
}

void report_destroy_failure(const wchar_t* text, const wchar_t* caption) {
    MessageBoxW(control.window, text, caption, MB_OK | MB_ICONERROR);
}

}  // namespace kbx
