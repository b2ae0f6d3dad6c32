// One numbered image window: its picture (a DIB section) and display state.
#ifndef KBX_WIN_IMAGE_WINDOW_RECORD_H
#define KBX_WIN_IMAGE_WINDOW_RECORD_H

#include <windows.h>

namespace kbx {

struct ImageWindowRecord {
    int in_use;
    int depth;                         // 8 or 32
    int width, height;                 // picture size, at least 1
    int client_width, client_height;   // picture size times zoom / 100
    int zoom;                          // percent
    int screen_limited;                // 1: bounds from the screen; 0: the FL bounds
    HWND window;
    HDC memory_dc;                     // holds dib for the window's whole life
    HDC window_dc;
    HBITMAP dib;
    HGDIOBJ previous_bitmap;
    char* title;                       // heap copy, owned by the record
};

}  // namespace kbx

#endif
