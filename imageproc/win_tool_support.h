// Small pieces the processing commands share (views and repaints of image
// windows, the windows that show results, the text prompt and the text
// cursor) and the command handlers the dispatch calls. Internal to the
// Win32 side of the image processing.
#ifndef KBX_IMAGEPROC_WIN_TOOL_SUPPORT_H
#define KBX_IMAGEPROC_WIN_TOOL_SUPPORT_H

#include <windows.h>

#include "imageproc/glyph_text.h"
#include "imageproc/pixel_view.h"
#include "imageproc/pointing.h"
#include "imageproc/profiles.h"

namespace kbx {

// Window n's pixels (kCurrentImageWindow: the current one); an empty view
// that nothing can be drawn into when it is not in use.
PixelView window_pixels(int n);
// Repaint without erasing, when the window is in use.
void invalidate_image(int n);
void invalidate_current_image();

// Opens a window for a result at the lowest number where one can be made:
// zoom 100, at (0, 0), with this title, size and depth (and palette, for
// 8-bit results). It becomes the current image window. -1 when none can.
int open_result_window(const char* title, int width, int height, int depth, const RGBQUAD* palette = nullptr);

// Brings a text window forward, prints "Text>" and reads a line into a
// buffer of 256 bytes.
void read_text_line(char* line);

// The text cursor the bitmap and TrueType text share.
TextCursor shared_text_cursor();
void store_text_cursor(const TextCursor& cursor);

// Orders two corners so that the first is the smaller.
void sort_pair(int* low, int* high);

// The commands of window `window` that point first (win_info_commands.cpp,
// win_drawing_commands.cpp).
void pixel_report_command(HWND window);
void row_profile_command(HWND window, ProfileTool tool);
void area_crcb_command(HWND window);
void colour_pick_command(HWND window);
void drawing_tool_command(HWND window, DrawingTool tool);
void draw_text_command(HWND window);
void truetype_draw_command(HWND window);

}  // namespace kbx

#endif
