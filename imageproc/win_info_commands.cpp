// The "Information..." commands: the pixel report printed into a text
// window, line profiles and the Cb-Cr plots drawn into new image windows.
#include <cstdint>
#include <new>
#include <vector>

#include "core/win_state.h"
#include "image/win_image_window.h"
#include "imageproc/image_source.h"
#include "imageproc/pixel_report.h"
#include "imageproc/pixels.h"
#include "imageproc/profiles.h"
#include "imageproc/transforms.h"
#include "imageproc/win_image_tools.h"
#include "imageproc/win_tool_support.h"
#include "kbx_textwin.h"

namespace kbx {

namespace {

// Room for count pixels of either depth; false when there is no memory.
bool make_buffer(std::vector<std::uint32_t>* buffer, long long count) {
    try {
        buffer->assign(static_cast<std::size_t>(count > 0 ? count : 1), 0u);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace

void pixel_report_command(HWND window) {
    const int n = find_image_window(window);
    int x, y;
    if (pick_point(n, kPickPoint, &x, &y) != 0) return;
    PixelView view = window_pixels(n);
    if (!view_usable(view)) return;
    char report[kPixelReportSize];
    format_pixel_report(x, y, view.depth, get_pixel(view, x, y), report, sizeof report);
    KBX_EnsureTextWindow();
    KBX_Print("%s", report);
}

void row_profile_command(HWND window, ProfileTool tool) {
    const int n = find_image_window(window);
    // The rows are read as the tool expects them (words, or bytes for the
    // luminance profile); the menu offers each tool only for its depth.
    if (image_window_in_use(n) && image_windows[n].depth != profile_source_depth(tool)) return;
    int x, y;
    if (pick_point(n, kPickRow, &x, &y) != 0) return;
    PixelView source = window_pixels(n);
    if (!view_usable(source)) return;
    char title[512];
    format_profile_title(tool, y, title, sizeof title);
    std::vector<std::uint32_t> row;
    if (!make_buffer(&row, source.width)) return;
    read_pixel_row(source, row.data(), y, source.width);
    const int count = source.width;
    int width, height;
    profile_window_size(tool, count, &width, &height);
    if (open_result_window(title, width, height, 32) < 0) return;
    TextCursor cursor = shared_text_cursor();
    draw_profile(window_pixels(kCurrentImageWindow), tool, row.data(), count, &cursor, &kbx_tc);
    store_text_cursor(cursor);
    invalidate_current_image();
}

void area_crcb_command(HWND window) {
    const int n = find_image_window(window);
    if (image_window_in_use(n) && image_windows[n].depth != 32) return;
    int x_min, y_min, x_max, y_max;
    if (pick_box(n, &x_min, &y_min, &x_max, &y_max) != 0) return;
    sort_pair(&x_min, &x_max);
    sort_pair(&y_min, &y_max);
    PixelView source = window_pixels(n);
    if (!view_usable(source)) return;
    char title[512];
    format_corner_title("CrCb", x_min, y_min, x_max, y_max, title, sizeof title);
    const int w = x_max - x_min + 1, h = y_max - y_min + 1;
    std::vector<std::uint32_t> area;
    if (!make_buffer(&area, static_cast<long long>(w) * h)) return;
    copy_rect(source, x_min, y_min, packed_view(area.data(), w, h, 32));
    if (open_result_window(title, kCrCbSize, kCrCbSize, 32) < 0) return;
    TextCursor cursor = shared_text_cursor();
    plot_crcb_area(window_pixels(kCurrentImageWindow), area.data(), h, w, &cursor, &kbx_tc);
    store_text_cursor(cursor);
    paint_image(current_image);
    invalidate_current_image();
}

}  // namespace kbx
