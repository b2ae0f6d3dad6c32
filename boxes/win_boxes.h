// Input box and button box, internal side.
#ifndef KBX_WIN_BOXES_H
#define KBX_WIN_BOXES_H

#include <windows.h>

#include "boxes/button_grid.h"
#include "kbx_boxes.h"
#include "kbx_commands.h"

namespace kbx {

LRESULT CALLBACK input_box_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK button_box_proc(HWND, UINT, WPARAM, LPARAM);

// Command identifiers of the boxes' pop-up menus.
constexpr UINT kInputBoxDestroy = KBX_CMD_INPUT_BOX_DESTROY;
constexpr UINT kInputBoxRename = KBX_CMD_INPUT_BOX_RENAME;
constexpr UINT kButtonBoxDestroy = KBX_CMD_BUTTON_BOX_DESTROY;
constexpr UINT kButtonBoxRename = KBX_CMD_BUTTON_BOX_RENAME;

// A sizable, captioned top-level window with a close button whose client
// area is client_width x client_height, at (x, y) exactly, owned by the
// control window. Null when it cannot be created.
HWND create_box_window(const wchar_t* class_name, const wchar_t* title, int x, int y, int client_width,
                       int client_height);
// Resizes a box so that its client area becomes width x height, keeping its
// place and stacking order.
void resize_box_client(HWND window, int width, int height);
// A pop-up menu of one item at the cursor, tracked with the right button;
// the choice comes back to window as a command.
void track_one_item_menu(HWND window, const char* text, UINT id);
// The error box shown when a box cannot be destroyed.
void report_destroy_failure(const wchar_t* text, const wchar_t* caption);

// Input box internals shared by its procedure and its operations.
void layout_input_rows();
void commit_field(HWND field);
bool is_input_field(HWND window);

// Button box internals.
ButtonGrid current_button_grid();
void layout_buttons();

}  // namespace kbx

#endif
