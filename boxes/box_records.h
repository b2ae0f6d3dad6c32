// The input box and the button box: at most one of each.
#ifndef KBX_BOX_RECORDS_H
#define KBX_BOX_RECORDS_H

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
};

struct ButtonBoxRecord {
    HWND window;                        // null while there is no box
    int button_count;                   // columns * rows, at most 256
    int button_columns, button_rows;
    HWND button[kMaxButtons];
    int button_press_count[kMaxButtons];
    int button_width;                   // starts at 98
    int button_height;                  // starts at 26
};

}  // namespace kbx

#endif
