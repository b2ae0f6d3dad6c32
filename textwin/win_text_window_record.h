// One numbered text window: its back buffer, cursor, colours and log.
#ifndef KBX_WIN_TEXT_WINDOW_RECORD_H
#define KBX_WIN_TEXT_WINDOW_RECORD_H

#include <windows.h>
#include <cstdio>

namespace kbx {

struct TextWindowRecord {
    int in_use;
    int client_width, client_height;   // client area = back-buffer size
    int cursor_x, cursor_y;            // next cell; top of the current line
    int char_width, char_height;       // cell size of the OEM fixed font
    int text_color, back_color;        // 0xRRGGBB
    int text_color_stack[8];           // entry 0 the most recent
    int back_color_stack[8];
    HWND window;
    HDC memory_dc;
    HDC window_dc;
    HBITMAP back_buffer;
    HGDIOBJ previous_bitmap;
    int log_state;                     // 0 none, 1 logging, 2 paused
    std::FILE* log_file;
    // Output drawn but not yet copied to the screen, and when the last copy
    // was asked for (ms_clock). The window's own thread alone uses them.
    int repaint_held;
    unsigned int last_repaint_ms;
    // The start of a UTF-8 character that a print ended in, completed by
    // the next print.
    char unfinished[4];
    int unfinished_count;
};

}  // namespace kbx

#endif
