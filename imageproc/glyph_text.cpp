#include "imageproc/glyph_text.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <vector>

#include "imageproc/bitmap_font.h"
#include "imageproc/pixels.h"

namespace kbx {

namespace {

// The cursor comes from callers; keep its steps from overflowing.
int step(int v, int by) { return v > 2147483647 - by ? 2147483647 : v + by; }

void new_line(TextCursor* cursor) {
    cursor->y = step(cursor->y, kGlyphLinePitch);
    cursor->x = cursor->left_margin;
}

}  // namespace

void put_glyph(const PixelView& view, TextCursor* cursor, int colour, unsigned char c) {
    if (c == '\n') {
        new_line(cursor);
        return;
    }
    if (c < kFirstGlyph || c >= kFirstGlyph + kGlyphCount) return;
    const unsigned char* glyph = kBitmapFont[c - kFirstGlyph];
    // A cell reaching past the largest int cannot show; skip it whole.
    const bool drawable = cursor->x <= 2147483647 - kGlyphWidth && cursor->y >= -2147483647 + kGlyphHeight;
    const int top = drawable ? cursor->y - kGlyphHeight : 0;
    for (int r = 0; drawable && r < kGlyphHeight; ++r) {
        for (int k = 0; k < kGlyphWidth; ++k) {
            if (glyph[r] & (0x80 >> k)) set_pixel(view, cursor->x + k, top + r, colour);
        }
    }
    cursor->x = step(cursor->x, kGlyphWidth);
    if (cursor->x > view.width - kGlyphWidth) new_line(cursor);
}

void draw_glyph_string(const PixelView& view, TextCursor* cursor, int colour, const char* text) {
    if (text == nullptr) return;
    for (const char* p = text; *p != '\0'; ++p) put_glyph(view, cursor, colour, static_cast<unsigned char>(*p));
}

void draw_glyph_text(const PixelView& view, TextCursor* cursor, int colour, const char* format, ...) {
    va_list args;
    va_start(args, format);
    draw_glyph_textv(view, cursor, colour, format, args);
    va_end(args);
}

void draw_glyph_textv(const PixelView& view, TextCursor* cursor, int colour, const char* format, va_list args) {
    if (format == nullptr) return;
    char buffer[4096];
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (n < 0 || static_cast<std::size_t>(n) < sizeof buffer) {
        if (n >= 0) draw_glyph_string(view, cursor, colour, buffer);
        va_end(again);
        return;
    }
    // Longer than the usual buffer: format again into one that fits, so
    // nothing is cut off.
    std::vector<char> big;
    try {
        big.resize(static_cast<std::size_t>(n) + 1);
    } catch (const std::bad_alloc&) {
        draw_glyph_string(view, cursor, colour, buffer);
        va_end(again);
        return;
    }
    std::vsnprintf(big.data(), big.size(), format, again);
    va_end(again);
    draw_glyph_string(view, cursor, colour, big.data());
}

}  // namespace kbx
