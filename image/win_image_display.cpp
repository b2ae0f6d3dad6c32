// Showing a picture: painting at its zoom, the stretch mode, zoom changes
// and rebuilding a window at a new picture size.
#include <cstdint>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"

namespace kbx {

int paint_image(int n) {
    if (!image_window_in_use(n)) return 1;
    const ImageWindowRecord& r = image_windows[n];
    if (r.zoom == 100) {
        BitBlt(r.window_dc, 0, 0, r.width, r.height, r.memory_dc, 0, 0, SRCCOPY);
    } else {
        StretchBlt(r.window_dc, 0, 0, r.client_width, r.client_height, r.memory_dc, 0, 0, r.width, r.height,
                   SRCCOPY);
    }
    return 0;
}

int get_stretch_mode(int n) {
    if (!image_window_in_use(n)) return 0;
    return GetStretchBltMode(image_windows[n].window_dc);
}

int set_stretch_mode(int mode, int n) {
    if (!image_window_in_use(n)) return 1;
    const ImageWindowRecord& r = image_windows[n];
    if (mode == COLORONCOLOR || mode == HALFTONE) {
        SetStretchBltMode(r.window_dc, mode);
        SetBrushOrgEx(r.window_dc, 0, 0, nullptr);
        SetStretchBltMode(r.memory_dc, mode);
        SetBrushOrgEx(r.memory_dc, 0, 0, nullptr);
    }
    InvalidateRect(r.window, nullptr, FALSE);
    refresh_image_title(n);
    return 0;
}

void toggle_stretch_mode(int n) {
    set_stretch_mode(get_stretch_mode(n) == COLORONCOLOR ? HALFTONE : COLORONCOLOR, n);
}

int change_zoom(int zoom, int n) {
    if (!image_window_in_use(n)) return 1;
    ImageWindowRecord& r = image_windows[n];
    // Not in use while the window is resized, so that nothing paints or
    // snaps to it half-changed.
    r.in_use = 0;
    ZoomFit fit;
    if (!fit_zoom(zoom, r.width, r.height, display_limits(r.screen_limited), &fit)) {
        r.in_use = 1;
        return 2;
    }
    r.zoom = fit.zoom;
    RECT outer;
    GetWindowRect(r.window, &outer);
    int width = outer.right - outer.left + (fit.client_width - r.client_width);
    int height = outer.bottom - outer.top + (fit.client_height - r.client_height);
    SetWindowPos(r.window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    r.client_width = fit.client_width;
    r.client_height = fit.client_height;
    r.in_use = 1;
    InvalidateRect(r.window, nullptr, FALSE);
    refresh_image_title(n);
    refresh_snap_table();
    return 0;
}

int resize_image(int n, int width, int height) {
    if (!image_window_in_use(n)) return 1;
    ImageWindowRecord& r = image_windows[n];
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    ZoomFit fit;
    if (!fit_zoom(r.zoom, width, height, display_limits(r.screen_limited), &fit)) return 2;
    // The new picture first: without it the window keeps its old one.
    RGBQUAD palette[256];
    const bool keep_palette = r.depth == 8 && GetDIBColorTable(r.memory_dc, 0, 256, palette) == 256;
    void* bits = nullptr;
    HBITMAP dib = make_picture_section(r.depth, width, height, keep_palette ? palette : nullptr, &bits);
    if (!dib) return 3;
    SelectObject(r.memory_dc, dib);
    DeleteObject(r.dib);
    r.dib = dib;
    image_pixels32[n] = static_cast<std::uint32_t*>(bits);
    image_pixels8[n] = static_cast<unsigned char*>(bits);
    r.width = width;
    r.height = height;
    r.zoom = fit.zoom;
    r.client_width = fit.client_width;
    r.client_height = fit.client_height;
    RECT outer = {0, 0, fit.client_width, fit.client_height};
    AdjustWindowRect(&outer, static_cast<DWORD>(GetWindowLongW(r.window, GWL_STYLE)), FALSE);
    // Not in use while the window takes its new size, as in change_zoom.
    r.in_use = 0;
    SetWindowPos(r.window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    r.in_use = 1;
    InvalidateRect(r.window, nullptr, FALSE);
    refresh_image_title(n);
    refresh_snap_table();
    select_image(n);
    return 0;
}

}  // namespace kbx
