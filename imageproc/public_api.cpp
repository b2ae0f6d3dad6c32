// The user-program calls, over the current image window's view.
#include "kbx_imageproc.h"

#include "imageproc/colour_models.h"
#include "imageproc/image_source.h"
#include "imageproc/pixels.h"
#include "imageproc/shapes.h"

namespace {

inline int within(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

kbx::PixelView current_view() {
    kbx::PixelView view;
    kbx::image_view(kbx::kCurrentImageWindow, &view);
    return view;
}

}  // namespace

void KBX_SetPixel(int x, int y, int color) { kbx::set_pixel(current_view(), x, y, kbx::plain_colour(color)); }
int KBX_GetPixel(int x, int y) { return kbx::get_pixel(current_view(), x, y); }
void KBX_XorPixel(int x, int y) { kbx::xor_pixel(current_view(), x, y); }
void KBX_ReadImageRow(void* dest, int y, int count) { kbx::read_pixel_row(current_view(), dest, y, count); }
void KBX_WriteImageRow(const void* src, int y, int count) { kbx::write_pixel_row(current_view(), src, y, count); }
void KBX_WriteImageRect(const void* src, int x0, int y0, int w, int h) {
    kbx::write_pixel_rect(current_view(), src, x0, y0, w, h);
}

void KBX_ClearImage(int n) {
    // A negative number is no window, not the current one.
    if (n < 0) return;
    kbx::PixelView view;
    if (kbx::image_view(n, &view)) kbx::clear_pixels(view);
}

void KBX_DrawLine(int color, int x1, int y1, int x2, int y2) {
    kbx::draw_line(current_view(), kbx::plain_colour(color), x1, y1, x2, y2);
}
void KBX_DrawCircle(int color, int cx, int cy, int r) {
    kbx::draw_circle(current_view(), kbx::plain_colour(color), cx, cy, r);
}

void KBX_RgbToHsv(int color, int* h, int* s, int* v) {
    kbx::Hsv hsv = kbx::rgb_to_hsv(color);
    if (h) *h = hsv.h;
    if (s) *s = hsv.s;
    if (v) *v = hsv.v;
}

int KBX_HsvToRgb(int v, int s, int h) { return kbx::hsv_to_rgb(within(v, 0, 255), within(s, 0, 255), within(h, 0, 359)); }
int KBX_LumaY(int r, int g, int b) { return kbx::luma_y(within(r, 0, 255), within(g, 0, 255), within(b, 0, 255)); }
int KBX_ChromaCr(int r, int g, int b) { return kbx::chroma_cr(within(r, 0, 255), within(g, 0, 255), within(b, 0, 255)); }
int KBX_ChromaCb(int r, int g, int b) { return kbx::chroma_cb(within(r, 0, 255), within(g, 0, 255), within(b, 0, 255)); }
