#include "imageproc/glyph_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
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

// The font's glyph for c, the box for a character it lacks, or none.
const unsigned char* glyph_of(unsigned char c) {
    static const unsigned char kMissing[kGlyphHeight] = {0x00, 0x00, 0xFE, 0x82, 0x82, 0x82, 0x82,
                                                         0x82, 0x82, 0x82, 0x82, 0xFE, 0x00, 0x00};
    if (c >= 0x80) return kMissing;
    if (c < kFirstGlyph) return nullptr;
    return kBitmapFont[c - kFirstGlyph];
}

void draw_glyph(const PixelView& view, TextCursor* cursor, int colour, const unsigned char* glyph) {
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

}  // namespace

void put_glyph(const PixelView& view, TextCursor* cursor, int colour, unsigned char c) {
    if (c == '\n') {
        new_line(cursor);
        return;
    }
    if (c < 0x80 && glyph_of(c)) draw_glyph(view, cursor, colour, glyph_of(c));
}

void draw_glyph_string(const PixelView& view, TextCursor* cursor, int colour, NarrowCharSize char_size,
                       const char* text) {
    if (text == nullptr) return;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    int remaining = static_cast<int>(std::strlen(text));
    while (remaining > 0) {
        // One box for each character of more than one byte (or broken byte).
        int size = *p >= 0x80 ? char_size(p, remaining) : 1;
        if (*p == '\n') new_line(cursor);
        else if (glyph_of(*p)) draw_glyph(view, cursor, colour, glyph_of(*p));
        p += size;
        remaining -= size;
    }
}

void draw_glyph_text(const PixelView& view, TextCursor* cursor, int colour, NarrowCharSize char_size,
                     const char* format, ...) {
    va_list args;
    va_start(args, format);
    draw_glyph_textv(view, cursor, colour, char_size, format, args);
    va_end(args);
}

void draw_glyph_textv(const PixelView& view, TextCursor* cursor, int colour, NarrowCharSize char_size,
                      const char* format, va_list args) {
    if (format == nullptr) return;
    char buffer[4096];
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (n < 0 || static_cast<std::size_t>(n) < sizeof buffer) {
        if (n >= 0) draw_glyph_string(view, cursor, colour, char_size, buffer);
        va_end(again);
        return;
    }
    // Longer than the usual buffer: format again into one that fits, so
    // nothing is cut off.
    std::vector<char> big;
    try {
        big.resize(static_cast<std::size_t>(n) + 1);
    } catch (const std::bad_alloc&) {
        draw_glyph_string(view, cursor, colour, char_size, buffer);
        va_end(again);
        return;
    }
    std::vsnprintf(big.data(), big.size(), format, again);
    va_end(again);
    draw_glyph_string(view, cursor, colour, char_size, big.data());
}

}  // namespace kbx
