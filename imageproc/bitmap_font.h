// The built-in 8 x 14 bitmap font for the codes 0x20..0x7F.
#ifndef KBX_IMAGEPROC_BITMAP_FONT_H
#define KBX_IMAGEPROC_BITMAP_FONT_H

namespace kbx {

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 14;
constexpr int kFirstGlyph = 0x20;
constexpr int kGlyphCount = 96;
constexpr int kGlyphLinePitch = 16;

extern const unsigned char kBitmapFont[kGlyphCount][kGlyphHeight];

}  // namespace kbx

#endif
