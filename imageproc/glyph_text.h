// Text in the bitmap font drawn into a picture at a text cursor.
#ifndef KBX_IMAGEPROC_GLYPH_TEXT_H
#define KBX_IMAGEPROC_GLYPH_TEXT_H

#include <cstdarg>

#include "imageproc/pixel_view.h"
#include "kbx_format.h"
#include "textwin/text_cut.h"

namespace kbx {

// y is the bottom edge of the text: a glyph occupies rows y - 14 .. y - 1.
// New lines start at left_margin, 16 rows further down.
struct TextCursor {
    int x;
    int y;
    int left_margin;
};

// One character at the cursor in the colour, set bits only (the background
// shows through), then the cursor advances 8 pixels and wraps when the next
// character would not fit whole. '\n' starts a new line; other codes below
// 0x20 and codes from 0x80 draw nothing and leave the cursor alone.
void put_glyph(const PixelView& view, TextCursor* cursor, int colour, unsigned char c);
// put_glyph for each character up to the terminating zero, its characters
// as char_size tells them (the code page's), except that a character the
// font lacks (any of more than one byte, and any byte from 0x80) draws one
// box.
void draw_glyph_string(const PixelView& view, TextCursor* cursor, int colour, NarrowCharSize char_size,
                       const char* text);
// printf-style; the whole formatted text is drawn, however long.
void draw_glyph_text(const PixelView& view, TextCursor* cursor, int colour, NarrowCharSize char_size,
                     const char* format, ...) KBX_PRINTF_CHECK(5, 6);
// The same with the arguments taken already.
void draw_glyph_textv(const PixelView& view, TextCursor* cursor, int colour, NarrowCharSize char_size,
                      const char* format, va_list args) KBX_PRINTF_CHECK(5, 0);

}  // namespace kbx

#endif
