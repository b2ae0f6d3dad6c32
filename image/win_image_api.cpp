// The user-program calls for palettes, pixel rectangles and repaints of
// image windows, over the operations the menus and files use.
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "kbx_imageproc.h"

namespace kbx {
namespace {

// A palette word 0x00RRGGBB and an RGBQUAD hold the same bytes; the
// reserved byte is kept 0.
RGBQUAD quad_of(unsigned int word) {
    RGBQUAD q;
    q.rgbBlue = static_cast<BYTE>(word);
    q.rgbGreen = static_cast<BYTE>(word >> 8);
    q.rgbRed = static_cast<BYTE>(word >> 16);
    q.rgbReserved = 0;
    return q;
}

unsigned int word_of(const RGBQUAD& q) {
    return (static_cast<unsigned int>(q.rgbRed) << 16) | (static_cast<unsigned int>(q.rgbGreen) << 8) | q.rgbBlue;
}

}  // namespace
}  // namespace kbx

int KBX_SetImagePalette(const unsigned int* entries, int count) {
    // The window decides first, as it does for KBX_GetImagePalette.
    if (!kbx::image_window_in_use(kbx::current_image)) return 1;
    if (kbx::image_windows[kbx::current_image].depth != 8) return 2;
    if (entries == nullptr || count < 0 || count > 256) return 3;
    RGBQUAD quads[256];
    for (int i = 0; i < count; ++i) quads[i] = kbx::quad_of(entries[i]);
    return kbx::set_image_palette(quads, count);
}

int KBX_GetImagePalette(unsigned int* entries) {
    RGBQUAD quads[256] = {};
    const int result = kbx::get_image_palette(quads);
    if (result != 0) return result;
    if (entries == nullptr) return 3;
    for (int i = 0; i < 256; ++i) entries[i] = kbx::word_of(quads[i]);
    return 0;
}

void KBX_CopyImageRect(void* dest, int x0, int y0, int w, int h) {
    if (dest != nullptr) kbx::copy_image_rect(dest, x0, y0, w, h);
}

void KBX_RefreshImage(int n) {
    if (!kbx::image_window_in_use(n)) return;
    GdiFlush();
    HWND window = kbx::image_windows[n].window;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}
