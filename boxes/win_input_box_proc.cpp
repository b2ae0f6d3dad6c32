// Window procedure of the input box (class kbx_ib).
#include "boxes/win_boxes.h"
#include "boxes/input_box_layout.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/win_snapping.h"

namespace kbx {

namespace {

int client_y(LPARAM lparam) { return static_cast<short>(HIWORD(lparam)); }

void on_sizing(HWND window, WPARAM edge, RECT* proposed) {
    RECT current;
    GetWindowRect(window, &current);
    int top = proposed->top, bottom = proposed->bottom;
    lock_sizing_height(current.top, current.bottom, &top, &bottom);
    proposed->top = top;
    proposed->bottom = bottom;
    input_box.sizing_edge = static_cast<int>(edge);
}

void on_size(WPARAM kind, int client_width) {
    // Rows that the open operation has not laid out yet belong to nobody;
    // a minimised box keeps its widths for when it comes back.
    if (!input_box.rows_ready || kind == SIZE_MINIMIZED) return;
    apply_input_box_width(input_box.sizing_edge, client_width, &input_box.label_width, &input_box.field_width);
    layout_input_rows();
}

void on_activate(WPARAM wparam) {
    if (!input_box.rows_ready) return;
    // Taking the focus back while losing the activation would pull the
    // activation back from the window the user just chose.
    if (LOWORD(wparam) != WA_INACTIVE) {
        if (!input_box.focused_field) input_box.focused_field = input_box.edit[0];
        SetFocus(input_box.focused_field);
    }
    PostMessageW(input_box.edit[0], EM_SETSEL, 0, -1);
}

void on_command(WPARAM wparam, LPARAM lparam) {
    UINT id = LOWORD(wparam);
    UINT code = HIWORD(wparam);
    HWND from = reinterpret_cast<HWND>(lparam);
    if (!from) {
        // Enter in a field: the dialog navigation sends the OK command.
        if (id == IDOK) commit_field(input_box.focused_field);
        if (id == kInputBoxDestroy) KBX_CloseInputBox();
        if (id == kInputBoxRename) KBX_RenameInputBoxItem(input_box.rename_target);
        return;
    }
    if (!is_input_field(from)) return;
    if (code == EN_SETFOCUS) input_box.focused_field = from;
    if (code == EN_KILLFOCUS) commit_field(from);
}

}  // namespace

LRESULT CALLBACK input_box_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZING:
            on_sizing(window, wparam, reinterpret_cast<RECT*>(lparam));
            return TRUE;
        case WM_SIZE:
            on_size(wparam, LOWORD(lparam));
            return 0;
        case WM_ACTIVATE:
            on_activate(wparam);
            return 0;
        case WM_CLOSE:
            KBX_CloseInputBox();
            return 0;
        case WM_NCRBUTTONDOWN:
            track_one_item_menu(window, "Destroy", kInputBoxDestroy);
            return 0;
        case WM_RBUTTONDOWN:
            input_box.rename_target = input_row_at(client_y(lparam));
            track_one_item_menu(window, "Rename", kInputBoxRename);
            return 0;
        case WM_LBUTTONDBLCLK:
            KBX_RenameInputBoxItem(input_row_at(client_y(lparam)));
            return 0;
        case WM_COMMAND:
            on_command(wparam, lparam);
            return 0;
        default:
            return framework_window_default(window, message, wparam, lparam);
    }
}

}  // namespace kbx
