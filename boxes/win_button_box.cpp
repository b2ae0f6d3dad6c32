// The button box's operations: open, close, resize, captions, taking the
// counted presses and recaptioning.
#include <cwchar>

#include "boxes/win_boxes.h"
#include "boxes/button_grid.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"

namespace kbx {

namespace {

bool button_in_box(int k) { return button_box.window && k >= 0 && k < button_box.button_count; }

HWND create_button(HWND box, const ButtonGrid& grid, int k) {
    ControlRect r = button_rect(grid, k);
    wchar_t caption[16];
    std::swprintf(caption, 16, L"%d", k);
    return CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE, r.x, r.y,
                           r.width, r.height, box,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + k)), module_instance,
                           nullptr);
}

void forget_buttons() {
    for (int k = 0; k < kMaxButtons; ++k) button_box.button[k] = nullptr;
    button_box.buttons_ready = 0;
}

}  // namespace

ButtonGrid current_button_grid() {
    return ButtonGrid{button_box.button_columns, button_box.button_rows, button_box.button_width,
                      button_box.button_height};
}

void layout_buttons() {
    if (!button_box.buttons_ready) return;
    ButtonGrid grid = current_button_grid();
    for (int k = 0; k < button_box.button_count; ++k) {
        ControlRect r = button_rect(grid, k);
        MoveWindow(button_box.button[k], r.x, r.y, r.width, r.height, TRUE);
    }
}

}  // namespace kbx

using namespace kbx;

void KBX_OpenButtonBox(int x, int y, int columns, int rows) {
    if (button_box.window || !button_grid_allowed(columns, rows)) return;
    forget_buttons();   // a size notice during creation must find no buttons
    button_box.button_count = columns * rows;
    button_box.button_columns = columns;
    button_box.button_rows = rows;
    ButtonGrid grid = current_button_grid();
    int width = 0, height = 0;
    button_client_size(grid, &width, &height);
    HWND box = create_box_window(L"kbx_bb", L"ButtonBox", x, y, width, height);
    if (!box) return;
    button_box.window = box;
    for (int k = 0; k < button_box.button_count; ++k) {
        button_box.button[k] = create_button(box, grid, k);
        button_box.button_press_count[k] = 0;
    }
    button_box.buttons_ready = 1;
    UpdateWindow(box);
    SetForegroundWindow(box);
    refresh_snap_table();
}

void KBX_CloseButtonBox() {
    if (!button_box.window) return;
    if (!DestroyWindow(button_box.window)) report_destroy_failure(L"DestroyWindow[BB] error", L"KOBRIX error!");
    button_box.window = nullptr;
    forget_buttons();
    refresh_snap_table();
}

void KBX_ResizeButtonBox(int client_width, int client_height) {
    // The buttons follow through the box's size notice.
    if (button_box.window) resize_box_client(button_box.window, client_width, client_height);
}

void KBX_SetButtonBoxTitle(int k, const char* title) {
    if (!button_in_box(k)) return;
    set_window_text_ansi(button_box.button[k], title ? title : "");
}

int KBX_TakeButtonPress(int k) {
    if (!button_in_box(k)) return 0;
    int presses = button_box.button_press_count[k];
    button_box.button_press_count[k] = 0;
    return presses;
}

void KBX_RenameButton(int k) {
    if (!button_in_box(k)) return;
    char caption[512];
    get_window_text_ansi(button_box.button[k], caption, sizeof caption);
    KBX_EnsureTextWindow();
    KBX_Print("%d '%s' ->", k, caption);
    char line[256];
    line[0] = 0;
    KBX_InputLine(line);
    // The box may have been closed or reopened while the line was typed.
    if (line[0] && button_in_box(k)) set_window_text_ansi(button_box.button[k], line);
}
