// The image-processing tools of the image windows, Win32 side: the pointing
// loops that wait for the mouse, the processing-menu commands, and text in
// a TrueType font. Everything here runs on the user-program thread.
#ifndef KBX_IMAGEPROC_WIN_IMAGE_TOOLS_H
#define KBX_IMAGEPROC_WIN_IMAGE_TOOLS_H

#include <windows.h>

#include "imageproc/pointing.h"

namespace kbx {

// --- pointing loops (win_pointing.cpp) ----------------------------------------
// Each waits on image window n for the mouse and makes n the current image
// window. Results: 0 done (or stopped, with the points as they stand);
// 1 cancelled with the right or middle button, or the window was closed;
// 2 n is not an image window in use (nothing happens). A Stop made before
// the loop began is forgotten. Once Exit has begun every loop returns 1 at
// once.
// One click of a one-point kind (kPickPoint, kPickRow or kPickColumn).
int pick_point(int n, PointingKind kind, int* x, int* y);
// Two clicks with a box between them: its corners, sorted once the second
// click is taken (a Stop leaves them as they stand).
int pick_box(int n, int* x_min, int* y_min, int* x_max, int* y_max);
// pick_placement is declared with the image windows (image/win_image_window.h).

// The loop behind all of them; *loop holds the points afterwards, and
// whether a stop request ended it. keep_stop (the program's own picks): a
// Stop made before the loop began ends it at once (result 1) instead of
// being forgotten.
int run_pointing_loop(int n, PointingKind kind, int place_w, int place_h, PointingLoop* loop,
                      bool keep_stop = false);

// --- the processing menu (win_processing_commands.cpp) -------------------------
// Carries out a processing-menu command that image window `window` received.
// Returns false for an id that is not one of them.
bool run_processing_command(HWND window, int id);
// One of the commands that need neither the pointer nor a prompt
// (picture_commands.h) on window n; the patterns need n to be current.
// 0 done; 1 not such a command; 2 refused (no zoom fits the new size, or no
// memory), the picture kept; 4 n not in use.
int run_picture_command(int n, int id);

// --- TrueType text (win_tt_text.cpp) -------------------------------------------
// One character code (1..6 style, 10 new line, 32..255 a byte, or lead * 256
// + trail) at the text cursor of the current image window.
void put_tt_char(int code);
void draw_tt_text(const char* text);
// Cell of box_width / 2 by box_height, and the font made that size.
// 0 done; 1 the font could not be made.
int set_tt_cell(int box_width, int box_height);
// The same for a cell of width x height.
int set_tt_cell_size(int width, int height);

}  // namespace kbx

#endif
