// The user-program calls for the drawing colours, the shapes drawn in the
// drawing colour, and text: the same operations the processing menu's tools
// run after their pointing, on the current image window.
#include <cstdarg>

#include "core/state.h"
#include "core/win_runtime.h"
#include "image/win_image_window.h"
#include "imageproc/glyph_text.h"
#include "imageproc/image_source.h"
#include "imageproc/paint_fill.h"
#include "imageproc/pixels.h"
#include "imageproc/shapes.h"
#include "imageproc/win_image_tools.h"
#include "imageproc/win_tool_support.h"
#include "kbx_imageproc.h"

namespace {

bool have_current_image() { return kbx::image_window_in_use(kbx::current_image); }
kbx::PixelView current_pixels() { return kbx::window_pixels(kbx::kCurrentImageWindow); }

}  // namespace

void KBX_SetDrawColor(int color) { kbx::draw_color = kbx::plain_colour(color); }
int KBX_GetDrawColor() { return kbx::draw_color; }
void KBX_SetTextColor(int color) { kbx::kbx_tc = kbx::plain_colour(color); }
void KBX_SetTrueTypeTextColor(int color) { kbx::kbx_tttc = kbx::plain_colour(color); }

void KBX_DrawBox(int x1, int y1, int x2, int y2) {
    if (!have_current_image()) return;
    kbx::draw_box(current_pixels(), kbx::draw_color, x1, y1, x2, y2);
    kbx::invalidate_current_image();
}

void KBX_FillBox(int x1, int y1, int x2, int y2) {
    if (!have_current_image()) return;
    kbx::fill_box(current_pixels(), kbx::draw_color, x1, y1, x2, y2);
    kbx::invalidate_current_image();
}

void KBX_FillCircle(int cx, int cy, int r) {
    if (!have_current_image() || r < 0) return;
    kbx::fill_circle(current_pixels(), kbx::draw_color, cx, cy, r);
    kbx::invalidate_current_image();
}

int KBX_PaintFill(int x, int y) {
    if (!have_current_image()) return 0;
    const long long filled = kbx::paint_fill(current_pixels(), kbx::draw_color, x, y).filled;
    if (filled > 0) kbx::invalidate_current_image();
    // A picture holds fewer than 2^31 pixels.
    return static_cast<int>(filled);
}

void KBX_SetTextCursor(int x, int y, int left_margin) { kbx::store_text_cursor(kbx::TextCursor{x, y, left_margin}); }

void KBX_DrawText(const char* format, ...) {
    if (!have_current_image() || format == nullptr) return;
    kbx::TextCursor cursor = kbx::shared_text_cursor();
    va_list args;
    va_start(args, format);
    kbx::draw_glyph_textv(current_pixels(), &cursor, kbx::kbx_tc, kbx::ansi_char_size, format, args);
    va_end(args);
    kbx::store_text_cursor(cursor);
    kbx::invalidate_current_image();
}

int KBX_SetTrueTypeCell(int width, int height) {
    if (width < 1 || height < 1) return 2;
    return kbx::set_tt_cell_size(width, height);
}

void KBX_DrawTrueTypeText(const char* text) {
    if (!have_current_image() || text == nullptr) return;
    kbx::draw_tt_text(text);
    kbx::invalidate_current_image();
}
