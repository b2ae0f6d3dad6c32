// The input box's operations: open, close, the field setters and getters,
// resizing and relabelling.
#include <cwchar>
#include <cstring>

#include "boxes/win_boxes.h"
#include "boxes/field_values.h"
#include "boxes/input_box_layout.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"

namespace kbx {

namespace {

const int kItemTextBytes = 256;
const int kLabelIdBase = 2000;
const int kFieldIdBase = 2100;
// A label is blanked with this before it gets a new text, so that no rest
// of a longer old text stays on the screen.
const char kBlankLabel[] = "                    ";

// The committed field texts live here while a box is open; the record
// points at them. Fixed storage: opening never fails for want of memory.
char item_text_storage[kMaxInputItems][kItemTextBytes];

bool row_in_box(int i) { return input_box.window && i >= 0 && i < input_box.item_count; }

void place(HWND control_window, const ControlRect& r) { MoveWindow(control_window, r.x, r.y, r.width, r.height, TRUE); }

HWND create_label(HWND box, int row) {
    ControlRect r = input_label_rect(row, input_box.label_width);
    wchar_t text[16];
    std::swprintf(text, 16, L"Item %d", row);
    return CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, r.x, r.y, r.width,
                           r.height, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelIdBase + row)),
                           module_instance, nullptr);
}

HWND create_field(HWND box, int row) {
    ControlRect r = input_field_rect(row, input_box.label_width, input_box.field_width);
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0",
                           WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, r.x, r.y, r.width,
                           r.height, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldIdBase + row)),
                           module_instance, nullptr);
}

void set_label(int i, const char* text) {
    set_window_text_ansi(input_box.label[i], kBlankLabel);
    set_window_text_ansi(input_box.label[i], text);
}

void set_field(int i) { set_window_text_ansi(input_box.edit[i], input_box.item_text[i]); }

void forget_rows() {
    for (int i = 0; i < kMaxInputItems; ++i) {
        input_box.label[i] = nullptr;
        input_box.edit[i] = nullptr;
        input_box.item_text[i] = nullptr;
    }
    input_box.rows_ready = 0;
    input_box.focused_field = nullptr;
}

}  // namespace

void layout_input_rows() {
    if (!input_box.rows_ready) return;
    for (int i = 0; i < input_box.item_count; ++i) {
        place(input_box.label[i], input_label_rect(i, input_box.label_width));
        place(input_box.edit[i], input_field_rect(i, input_box.label_width, input_box.field_width));
    }
}

bool is_input_field(HWND window) {
    if (!window) return false;
    for (int i = 0; i < input_box.item_count; ++i) {
        if (input_box.edit[i] == window) return true;
    }
    return false;
}

void commit_field(HWND field) {
    if (!field || !input_box.rows_ready) return;
    for (int i = 0; i < input_box.item_count; ++i) {
        if (input_box.edit[i] == field) {
            get_window_text_ansi(field, input_box.item_text[i], kItemTextBytes);
            return;
        }
    }
}

}  // namespace kbx

using namespace kbx;

void KBX_OpenInputBox(int x, int y, int count) {
    if (input_box.window) return;
    forget_rows();   // a size notice during creation must find no rows
    input_box.item_count = clamp_item_count(count);
    int width = 0, height = 0;
    input_client_size(input_box.item_count, input_box.label_width, input_box.field_width, &width, &height);
    HWND box = create_box_window(L"kbx_ib", L"InputBox", x, y, width, height);
    if (!box) return;
    input_box.window = box;
    for (int i = 0; i < input_box.item_count; ++i) {
        input_box.label[i] = create_label(box, i);
        input_box.item_text[i] = item_text_storage[i];
        std::strcpy(input_box.item_text[i], "0");
        input_box.edit[i] = create_field(box, i);
    }
    input_box.rows_ready = 1;
    UpdateWindow(box);
    SetForegroundWindow(box);
    SetFocus(input_box.edit[0]);
    refresh_snap_table();
}

void KBX_CloseInputBox() {
    if (!input_box.window) return;
    // The fields still commit while they are destroyed; their texts are
    // dropped only afterwards.
    if (!DestroyWindow(input_box.window)) report_destroy_failure(L"DestroyWindow[IB] Error", L"KOBRIX Error!");
    input_box.window = nullptr;
    forget_rows();
    refresh_snap_table();
}

void KBX_ResizeInputBox(int label_width, int field_width) {
    input_box.label_width = label_width;
    input_box.field_width = field_width;
    if (!input_box.window) return;
    int width = 0, height = 0;
    input_client_size(input_box.item_count, label_width, field_width, &width, &height);
    // The size notice of this resize must not turn the widths back into a
    // drag's result: lay the rows out from the new widths instead.
    input_box.rows_ready = 0;
    resize_box_client(input_box.window, width, height);
    input_box.rows_ready = 1;
    layout_input_rows();
}

void KBX_SetInputBoxTitle(int i, const char* title) {
    if (!row_in_box(i)) return;
    set_label(i, title ? title : "");
}

void KBX_SetInputBoxInt(int i, int value) {
    if (!row_in_box(i)) return;
    format_field_int(value, input_box.item_text[i], kItemTextBytes);
    set_field(i);
}

void KBX_SetInputBoxDouble(int i, double value) {
    if (!row_in_box(i)) return;
    format_field_double(value, input_box.item_text[i], kItemTextBytes);
    set_field(i);
}

void KBX_SetInputBoxText(int i, const char* text) {
    if (!row_in_box(i)) return;
    copy_ansi(input_box.item_text[i], kItemTextBytes, text);
    set_field(i);
}

void KBX_GetInputBoxText(int i, char* out, int size) {
    kbx::show_pending_output();
    if (!out || size <= 0) return;
    kbx::copy_ansi(out, size, row_in_box(i) ? input_box.item_text[i] : "");
}

int KBX_GetInputBoxInt(int i) {
    // A program reading a field is taking its input: its output shows first.
    kbx::show_pending_output();
    if (!row_in_box(i)) return 0;
    return parse_field_int(input_box.item_text[i]);
}

double KBX_GetInputBoxDouble(int i) {
    kbx::show_pending_output();
    if (!row_in_box(i)) return 0.0;
    return parse_field_double(input_box.item_text[i]);
}

void KBX_RenameInputBoxItem(int i) {
    // Rows outside the box have no label to show or change.
    if (!row_in_box(i)) return;
    char label[256];
    get_window_text_ansi(input_box.label[i], label, sizeof label);
    KBX_EnsureTextWindow();
    KBX_Print("%d '%s' ->", i, label);
    char line[256];
    line[0] = 0;
    KBX_InputLine(line);
    // The box may have been closed or reopened while the line was typed.
    if (line[0] && row_in_box(i)) set_label(i, line);
}
