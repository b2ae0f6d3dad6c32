// The input box and the button box: at most one of each.
#ifndef KBX_WIN_BOX_RECORDS_H
#define KBX_WIN_BOX_RECORDS_H

#include <windows.h>

namespace kbx {

constexpr int kMaxInputItems = 30;
constexpr int kMaxButtons = 256;

struct InputBoxRecord {
    HWND window;                        // null while there is no box
    int item_count;                     // 1..30 while the box exists
    HWND label[kMaxInputItems];
    HWND edit[kMaxInputItems];
    char* item_text[kMaxInputItems];    // 256 bytes each, committed field texts
    int label_width;                    // starts at 80
    int field_width;                    // starts at 70
    HWND focused_field;                 // the field that last got the focus, or null
    int sizing_edge;                    // edge of the last interactive sizing (WMSZ_*)
    int rename_target;                  // row of the last right click
    int rows_ready;                     // 1 once the open operation has laid the rows out
};

struct ButtonBoxRecord {
    HWND window;                        // null while there is no box
    int button_count;                   // columns * rows, at most 256
    int button_columns, button_rows;
    HWND button[kMaxButtons];
    int button_press_count[kMaxButtons];
    int button_width;                   // starts at 98
    int button_height;                  // starts at 26
    int rename_target;                  // button of the last right click
    int buttons_ready;                  // 1 once the open operation has placed the buttons
};

}  // namespace kbx

#endif
