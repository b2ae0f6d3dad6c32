// Window procedure of the button box (class kbx_bb).
#include "boxes/win_boxes.h"
#include "boxes/button_grid.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/win_snapping.h"

namespace kbx {

namespace {

int button_under(LPARAM lparam) {
    int x = static_cast<short>(LOWORD(lparam));
    int y = static_cast<short>(HIWORD(lparam));
    return button_at(current_button_grid(), x, y);
}

void on_size(WPARAM kind, int client_width, int client_height) {
    // Buttons that the open operation has not placed yet belong to nobody;
    // a minimised box keeps its button size for when it comes back.
    if (!button_box.buttons_ready || kind == SIZE_MINIMIZED) return;
    ButtonGrid grid = current_button_grid();
    button_size_for_client(&grid, client_width, client_height);
    button_box.button_width = grid.button_width;
    button_box.button_height = grid.button_height;
    layout_buttons();
}

void on_key_down(HWND window, WPARAM key, LPARAM lparam) {
    if (GetKeyState(VK_CONTROL) < 0) {
        if (key == 'Q') PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    if (forward_control_key(key, lparam)) return;
    int digit = digit_of_key(static_cast<unsigned>(key));
    if (digit >= 0) ++button_box.button_press_count[digit];
}

int button_index(HWND from, UINT id) {
    int k = static_cast<int>(id) - kFirstButtonId;
    if (k < 0 || k >= button_box.button_count || button_box.button[k] != from) return -1;
    return k;
}

void on_command(HWND window, WPARAM wparam, LPARAM lparam) {
    UINT id = LOWORD(wparam);
    HWND from = reinterpret_cast<HWND>(lparam);
    int k = from ? button_index(from, id) : -1;
    if (from && k < 0) return;
    // The focus goes back to the box, so that the digit keys keep counting.
    SetFocus(window);
    if (k >= 0) {
        if (HIWORD(wparam) == BN_CLICKED) ++button_box.button_press_count[k];
        return;
    }
    if (id == kButtonBoxDestroy) KBX_CloseButtonBox();
    if (id == kButtonBoxRename) KBX_RenameButton(button_box.rename_target);
}

}  // namespace

LRESULT CALLBACK button_box_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            on_size(wparam, LOWORD(lparam), HIWORD(lparam));
            return 0;
        case WM_NCRBUTTONDOWN:
            track_one_item_menu(window, "&Destroy\tCtrl+Q", kButtonBoxDestroy);
            return 0;
        case WM_GETDLGCODE:
            // The box's own keys (digits, Esc) go to it, not to the dialog
            // navigation of the message pump.
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            on_key_down(window, wparam, lparam);
            return 0;
        case WM_COMMAND:
            on_command(window, wparam, lparam);
            return 0;
        case WM_CLOSE:
            KBX_CloseButtonBox();
            return 0;
        case WM_LBUTTONDBLCLK:
            KBX_RenameButton(button_under(lparam));
            return 0;
        case WM_RBUTTONDOWN:
            button_box.rename_target = button_under(lparam);
            track_one_item_menu(window, "Rename", kButtonBoxRename);
            return 0;
        default:
            return framework_window_default(window, message, wparam, lparam);
    }
}

}  // namespace kbx
