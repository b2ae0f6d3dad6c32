// The image window table: creation and destruction, the current image
// window with its selection stack, captions, rectangles and palettes.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include "kbx_commands.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_title.h"
#include "image/win_image_window.h"
#include "imageproc/image_source.h"

namespace kbx {

namespace {

const DWORD kImageStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;   // 0x10CC0000

struct PaletteInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

char* copy_title(const char* title) {
    if (!title) title = "";
    std::size_t n = std::strlen(title) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, title, n);
    return copy;
}

// How the platform-free image code reaches a window's pixels.
bool window_view(int n, PixelView* out) {
    if (n == kCurrentImageWindow) n = current_image;
    if (!image_window_in_use(n)) return false;
    const ImageWindowRecord& r = image_windows[n];
    GdiFlush();   // GDI drawing into the section must land before direct access
    *out = make_pixel_view(image_pixels8[n], r.width, r.height, r.depth);
    return true;
}

void set_dc_mode(HDC dc, int mode) {
    SetStretchBltMode(dc, mode);
    SetBrushOrgEx(dc, 0, 0, nullptr);
}

}  // namespace

bool image_window_in_use(int n) { return valid_window_number(n) && image_windows[n].in_use; }

DisplayLimits display_limits(int screen_limited) {
    ScreenMetrics m;
    m.cx_min = GetSystemMetrics(SM_CXMIN);
    m.cy_min = GetSystemMetrics(SM_CYMIN);
    m.cx_frame = GetSystemMetrics(SM_CXFRAME);
    m.cy_caption = GetSystemMetrics(SM_CYCAPTION);
    m.cx_screen = GetSystemMetrics(SM_CXSCREEN);
    m.cy_screen = GetSystemMetrics(SM_CYSCREEN);
    return display_limits_from(screen_limited, m);
}

HBITMAP make_picture_section(int depth, int width, int height, const RGBQUAD* palette, void** bits) {
    PaletteInfo info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;   // top-down
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(depth);
    info.header.biCompression = BI_RGB;
    for (int i = 0; i < 256; ++i) {
        if (palette) {
            info.colors[i] = palette[i];
        } else {
            BYTE v = static_cast<BYTE>(i);
            info.colors[i] = RGBQUAD{v, v, v, 0};
        }
    }
    *bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
    if (dib && !*bits) {
        DeleteObject(dib);
        dib = nullptr;
    }
    return dib;
}

int create_image_window(int zoom, int n, const char* title, int x, int y, int width, int height, int depth) {
    return create_image_window_ex(zoom, n, title, x, y, width, height, depth, 1, nullptr);
}

int create_image_window_ex(int zoom, int n, const char* title, int x, int y, int width, int height, int depth,
                           int screen_limited, const RGBQUAD* palette) {
    if (!valid_window_number(n)) return 4;
    ImageWindowRecord& r = image_windows[n];
    if (r.in_use) return 1;
    if (depth != 8 && depth != 32) return 3;
    set_image_view_source(window_view);

    r.depth = depth;
    r.screen_limited = screen_limited ? 1 : 0;
    r.width = width < 1 ? 1 : width;
    r.height = height < 1 ? 1 : height;
    ZoomFit fit;
    if (!fit_zoom(zoom, r.width, r.height, display_limits(r.screen_limited), &fit)) return 2;
    r.client_width = fit.client_width;
    r.client_height = fit.client_height;
    r.zoom = fit.zoom;

    RECT rect = {0, 0, r.client_width, r.client_height};
    AdjustWindowRect(&rect, kImageStyle, FALSE);
    if (x == -1) x = CW_USEDEFAULT;
    if (y == -1) y = CW_USEDEFAULT;

    r.title = copy_title(title);
    if (!r.title) return 3;
    char caption[kImageTitleBytes];
    format_image_title(r.zoom, r.title, depth, caption, ansi_char_size);
    wchar_t wide[256];
    ansi_to_wide(caption, wide, 256);

    r.window = CreateWindowExW(0, L"kbx_iw", wide, kImageStyle, x, y, rect.right - rect.left,
                               rect.bottom - rect.top, control.window, nullptr, module_instance, nullptr);
    if (!r.window) {
        std::free(r.title);
        r.title = nullptr;
        return 3;
    }
    SetPropW(r.window, KBX_IMAGE_NUMBER_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(n) + 1));
    UpdateWindow(r.window);
    SetForegroundWindow(r.window);
    DragAcceptFiles(r.window, TRUE);

    r.window_dc = GetDC(r.window);
    set_dc_mode(r.window_dc, COLORONCOLOR);
    r.memory_dc = CreateCompatibleDC(r.window_dc);
    set_dc_mode(r.memory_dc, COLORONCOLOR);

    void* bits = nullptr;
    r.dib = make_picture_section(depth, r.width, r.height, palette, &bits);
    if (!r.dib) {
        DestroyWindow(r.window);
        ReleaseDC(r.window, r.window_dc);
        DeleteDC(r.memory_dc);
        std::free(r.title);
        r.title = nullptr;
        return 3;
    }
    image_pixels32[n] = static_cast<std::uint32_t*>(bits);
    r.previous_bitmap = SelectObject(r.memory_dc, r.dib);
    image_pixels8[n] = static_cast<unsigned char*>(bits);

    r.in_use = 1;
    refresh_snap_table();
    select_image(n);
    return 0;
}

int destroy_image_window(int n) {
    if (!image_window_in_use(n)) return 1;
    ImageWindowRecord& r = image_windows[n];
    r.in_use = 0;
    SelectObject(r.memory_dc, r.previous_bitmap);
    DeleteObject(r.dib);
    DeleteDC(r.memory_dc);
    ReleaseDC(r.window, r.window_dc);
    std::free(r.title);
    r.title = nullptr;
    DestroyWindow(r.window);
    return 0;
}

int find_image_window(HWND window) {
    for (int n = 0; n < kMaxWindows; ++n) {
        if (image_windows[n].in_use && image_windows[n].window == window) return n;
    }
    return -1;
}

int find_and_select_image_window(HWND window) {
    int n = find_image_window(window);
    select_image(n);
    return n;
}

int select_image(int n) {
    if (!image_window_in_use(n)) return 1;
    for (int i = kSelectStackDepth - 1; i > 0; --i) image_select_stack[i] = image_select_stack[i - 1];
    image_select_stack[0] = current_image;
    current_image = n;
    return 0;
}

int restore_image() {
    if (!image_window_in_use(image_select_stack[0])) return 1;
    current_image = image_select_stack[0];
    // The bottom entry keeps its value.
    for (int i = 0; i < kSelectStackDepth - 1; ++i) image_select_stack[i] = image_select_stack[i + 1];
    return 0;
}

ImageSelection saved_selection() {
    ImageSelection selection;
    selection.current = current_image;
    for (int i = 0; i < kSelectStackDepth; ++i) selection.stack[i] = image_select_stack[i];
    return selection;
}

void restore_selection(const ImageSelection& selection) {
    current_image = selection.current;
    for (int i = 0; i < kSelectStackDepth; ++i) image_select_stack[i] = selection.stack[i];
}

void refresh_image_title(int n) {
    if (!image_window_in_use(n)) return;
    const ImageWindowRecord& r = image_windows[n];
    char caption[kImageTitleBytes];
    format_image_title(r.zoom, r.title, r.depth, caption, ansi_char_size);
    if (GetStretchBltMode(r.memory_dc) == HALFTONE) append_halftone_mark(caption);
    set_window_text_ansi(r.window, caption);
}

void copy_image_rect(void* dest, int x0, int y0, int w, int h) {
    if (!image_window_in_use(current_image) || w <= 0 || h <= 0) return;
    const ImageWindowRecord& r = image_windows[current_image];
    GdiFlush();
    if (r.depth == 32) {
        copy_rect_32(image_pixels32[current_image], r.width, r.height, x0, y0, w, h,
                     static_cast<std::uint32_t*>(dest));
    } else {
        copy_rect_8(image_pixels8[current_image], r.width, r.height, x0, y0, w, h,
                    static_cast<unsigned char*>(dest));
    }
}

int set_image_palette(const RGBQUAD* entries, int count) {
    if (!image_window_in_use(current_image)) return 1;
    const ImageWindowRecord& r = image_windows[current_image];
    if (r.depth != 8) return 2;
    if (count > 256) count = 256;
    if (count > 0) SetDIBColorTable(r.memory_dc, 0, static_cast<UINT>(count), entries);
    InvalidateRect(r.window, nullptr, FALSE);
    return 0;
}

int get_image_palette(RGBQUAD* entries) {
    if (!image_window_in_use(current_image)) return 1;
    const ImageWindowRecord& r = image_windows[current_image];
    if (r.depth != 8) return 2;
    GetDIBColorTable(r.memory_dc, 0, 256, entries);
    return 0;
}

void clear_image_window(int n) {
    if (!image_window_in_use(n)) return;
    const ImageWindowRecord& r = image_windows[n];
    GdiFlush();
    std::memset(image_pixels8[n], 0, image_buffer_bytes(r.depth, r.width, r.height));
}

}  // namespace kbx

int KBX_CreateImage(int n, const char* title, int x, int y, int width, int height, int zoom) {
    return kbx::create_image_window(zoom, n, title, x, y, width, height, 32);
}
int KBX_CreateImage8(int n, const char* title, int x, int y, int width, int height, int zoom) {
    return kbx::create_image_window(zoom, n, title, x, y, width, height, 8);
}
int KBX_CreateImageFL(int n, const char* title, int x, int y, int width, int height, int zoom) {
    return kbx::create_image_window_ex(zoom, n, title, x, y, width, height, 32, 0, nullptr);
}
int KBX_CreateImage8FL(int n, const char* title, int x, int y, int width, int height, int zoom) {
    return kbx::create_image_window_ex(zoom, n, title, x, y, width, height, 8, 0, nullptr);
}

int KBX_SetImageTitle(int n, const char* title) {
    if (!kbx::image_window_in_use(n)) return 4;
    char* copy = kbx::copy_title(title);
    if (!copy) return 3;
    kbx::ImageWindowRecord& r = kbx::image_windows[n];
    std::free(r.title);
    r.title = copy;
    kbx::refresh_image_title(n);
    return 0;
}
