// Text in a TrueType font drawn into the current image window through its
// memory DC, one character at a time, at the shared text cursor. UTF-8 text
// is drawn by its characters; other code pages by their double-byte codes.
#include <windows.h>

#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "imageproc/tt_text.h"
#include "imageproc/win_image_tools.h"
#include "textwin/text_cut.h"

namespace kbx {

namespace {

// The description of image_text_font; when there is no font (its last
// creation failed), the start-up face at the current cell size.
LOGFONTW current_font_description() {
    LOGFONTW font = {};
    if (image_text_font && GetObjectW(image_text_font, sizeof font, &font) == sizeof font) return font;
    font = LOGFONTW{};
    font.lfHeight = image_text_font_height;
    font.lfWidth = image_text_font_width;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpynW(font.lfFaceName, L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", LF_FACESIZE);
    return font;
}

void replace_font(const LOGFONTW& font) {
    if (image_text_font) DeleteObject(image_text_font);
    image_text_font = CreateFontIndirectW(&font);
}

void restyle(int code) {
    LOGFONTW font = current_font_description();
    TtStyle style = {font.lfItalic != 0, static_cast<int>(font.lfWeight), font.lfUnderline != 0};
    if (!apply_tt_style_code(code, &style)) return;
    font.lfItalic = style.italic ? TRUE : FALSE;
    font.lfWeight = style.weight;
    font.lfUnderline = style.underline ? TRUE : FALSE;
    replace_font(font);
}

// Draws one character (a UTF-16 unit or a surrogate pair) standing on the
// cursor and returns its advance.
int draw_character(HDC dc, const wchar_t* units, int count) {
    SetTextColor(dc, to_colorref(kbx_tttc));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = SelectObject(dc, image_text_font);
    TextOutW(dc, image_text_x, tt_cell_top(image_text_y, image_text_font_height), units, count);
    const wchar_t unit = units[0];
    int advance = 0;
    ABC abc;
    SIZE extent;
    if (count == 2) {
        if (GetTextExtentPoint32W(dc, units, 2, &extent)) advance = extent.cx;
    } else if (GetCharABCWidthsW(dc, unit, unit, &abc)) {
        advance = abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
    } else {
        INT width = 0;
        if (GetCharWidthW(dc, unit, unit, &width)) advance = width;
    }
    SelectObject(dc, previous);
    GdiFlush();   // the pixels are read directly right after
    return advance;
}

// The program's own code page decides which bytes lead a pair: in a
// single-byte one, "ü" must not swallow the character after it.
bool is_lead_byte(unsigned char b) { return IsDBCSLeadByte(b) != FALSE; }

void draw_tt_utf8(const char* text) {
    if (!text) return;
    const int count = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (count <= 1) return;
    std::vector<wchar_t> units(static_cast<std::size_t>(count));
    MultiByteToWideChar(CP_UTF8, 0, text, -1, units.data(), count);
    for (int i = 0, size = 1; i < count - 1; i += size) {
        size = units_of_character(units.data(), i, count - 1);
        if (units[i] < 32) {
            put_tt_char(units[i]);
        } else if (image_text_font && image_window_in_use(current_image)) {
            image_text_x += draw_character(image_windows[current_image].memory_dc, &units[i], size);
        }
    }
}

}  // namespace

void put_tt_char(int code) {
    switch (tt_code_kind(code)) {
        case kTtNewLine:
            image_text_y += image_text_font_height;
            image_text_x = image_text_left_margin;
            return;
        case kTtStyle:
            restyle(code);
            return;
        case kTtIgnored:
            return;
        case kTtCharacter:
            break;
    }
    // Without a font (its creation failed) nothing is drawn and the cursor
    // stays, rather than drawing in whatever font the DC holds.
    if (!image_text_font || !image_window_in_use(current_image)) return;
    char bytes[3];
    tt_code_bytes(code, bytes);
    wchar_t wide[3];
    ansi_to_wide(bytes, wide, 3);
    if (wide[0] == 0) return;
    image_text_x += draw_character(image_windows[current_image].memory_dc, wide, 1);
}

void draw_tt_text(const char* text) {
    if (GetACP() == CP_UTF8) {
        draw_tt_utf8(text);
        return;
    }
    const int count = split_tt_text(text, is_lead_byte, nullptr, 0);
    if (count <= 0) return;
    std::vector<int> codes(static_cast<std::size_t>(count));
    split_tt_text(text, is_lead_byte, codes.data(), count);
    for (int code : codes) put_tt_char(code);
}

int set_tt_cell(int box_width, int box_height) {
    int width = 0, height = 0;
    tt_cell_from_box(box_width, box_height, &width, &height);
    return set_tt_cell_size(width, height);
}

int set_tt_cell_size(int width, int height) {
    LOGFONTW font = current_font_description();
    image_text_font_width = width;
    image_text_font_height = height;
    font.lfWidth = width;
    font.lfHeight = height;
    replace_font(font);
    return image_text_font ? 0 : 1;
}

}  // namespace kbx
