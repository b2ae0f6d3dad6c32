#include "imageproc/win_tool_support.h"

#include "core/win_state.h"
#include "image/win_image_window.h"
#include "imageproc/image_source.h"
#include "kbx_textwin.h"

namespace kbx {

PixelView window_pixels(int n) {
    PixelView view;
    image_view(n, &view);
    return view;
}

void invalidate_image(int n) {
    if (image_window_in_use(n)) InvalidateRect(image_windows[n].window, nullptr, FALSE);
}

void invalidate_current_image() { invalidate_image(current_image); }

int open_result_window(const char* title, int width, int height, int depth, const RGBQUAD* palette) {
    // A number in use, or a size that cannot be shown, moves on to the next.
    for (int n = 0; n < kMaxWindows; ++n) {
        if (create_image_window_ex(100, n, title, 0, 0, width, height, depth, 1, palette) == 0) return n;
    }
    return -1;
}

void read_text_line(char* line) {
    KBX_EnsureTextWindow();
    KBX_Print("Text>");
    line[0] = 0;
    KBX_InputLine(line);
}

TextCursor shared_text_cursor() { return TextCursor{image_text_x, image_text_y, image_text_left_margin}; }

void store_text_cursor(const TextCursor& cursor) {
    image_text_x = cursor.x;
    image_text_y = cursor.y;
    image_text_left_margin = cursor.left_margin;
}

void sort_pair(int* low, int* high) {
    if (*low > *high) {
        int t = *low;
        *low = *high;
        *high = t;
    }
}

}  // namespace kbx
