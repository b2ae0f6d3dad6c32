// The drawing commands: lines, boxes, circles and the fill after their
// pointing loops, colour picking, and text in the bitmap or TrueType font.
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "imageproc/glyph_text.h"
#include "imageproc/image_source.h"
#include "imageproc/pixels.h"
#include "imageproc/win_image_tools.h"
#include "imageproc/win_tool_support.h"

namespace kbx {

void drawing_tool_command(HWND window, DrawingTool tool) {
    const int n = find_and_select_image_window(window);
    PointingLoop loop;
    if (run_pointing_loop(n, pointing_kind_of(tool), 0, 0, &loop) != 0) return;
    apply_drawing_tool(tool, loop, window_pixels(kCurrentImageWindow), draw_color);
    invalidate_current_image();
}

void colour_pick_command(HWND window) {
    const int n = find_image_window(window);
    int x, y;
    if (pick_point(n, kPickPoint, &x, &y) != 0) return;
    select_image(n);
    PixelView view = window_pixels(kCurrentImageWindow);
    const int value = get_pixel(view, x, y);
    restore_image();
    if (!view_usable(view)) return;
    draw_color = value;
    if (view.depth == 32) {
        kbx_tttc = value;
        return;
    }
    // At depth 8 the value is an index: the text colour is what it stands for.
    RGBQUAD entry = {};
    if (GetDIBColorTable(image_windows[n].memory_dc, static_cast<UINT>(value & 0xFF), 1, &entry) == 1)
        kbx_tttc = (entry.rgbRed << 16) | (entry.rgbGreen << 8) | entry.rgbBlue;
}

void draw_text_command(HWND window) {
    const int n = find_and_select_image_window(window);
    int x, y;
    if (pick_point(n, kPickPoint, &x, &y) != 0) return;
    char line[256];
    read_text_line(line);
    TextCursor cursor = {x, y, x};
    kbx_tc = draw_color;
    draw_glyph_text(window_pixels(kCurrentImageWindow), &cursor, kbx_tc, ansi_char_size, "%s", line);
    store_text_cursor(cursor);
    invalidate_current_image();
}

void truetype_draw_command(HWND window) {
    const int n = find_and_select_image_window(window);
    int x_min, y_min, x_max, y_max;
    if (pick_box(n, &x_min, &y_min, &x_max, &y_max) != 0) return;
    sort_pair(&x_min, &x_max);
    sort_pair(&y_min, &y_max);
    char line[256];
    read_text_line(line);
    image_text_y = y_max;
    image_text_x = x_min;
    image_text_left_margin = x_min;
    set_tt_cell(x_max - x_min + 1, y_max - y_min + 1);
    draw_tt_text(line);
    invalidate_current_image();
}

}  // namespace kbx
