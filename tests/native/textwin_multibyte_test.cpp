// Characters of several bytes or code units stay whole when typed, wrapped
// and drawn in the bitmap font.
#include <gtest/gtest.h>

#include <string>

#include "imageproc/glyph_text.h"
#include "imageproc_test_support.h"
#include "textwin/line_edit.h"
#include "textwin/text_layout.h"

using namespace kbx;

TEST(Multibyte, EditingWrappingAndTheBitmapFontKeepCharactersWhole) {
    const std::wstring pair = {0xD83D, 0xDE00}, full(kLineUnits - 1, L'a'), nine(9, L'a');
    struct Case {
        std::wstring keys;   // \b is Backspace
        std::wstring line;
        int cells, line_no;   // the cursor after the keys
    } cases[] = {
        {L"a\u00FC\b", L"a", 1, 0},         {L"a" + pair + L"\b", L"a", 1, 0},
        {pair.substr(0, 1) + L"\b", L"", 0, 0}, {pair.substr(0, 1) + L"b", L"b", 1, 0},
        {pair.substr(1), L"", 0, 0},       {nine + pair, nine + pair, 2, 1},
        {nine + pair + L"\b", nine, 9, 0}, {full + pair + L"b", full + L"b", 5, 25},
    };
    for (const Case& c : cases) {
        LineEdit e;
        line_edit_begin(e, 0, 0, 8, 12, 80, 1200);
        for (wchar_t key : c.keys) line_edit_key(e, key == L'\b' ? kBackspace : key);
        EXPECT_EQ(std::wstring(line_edit_text(e)), c.line) << c.keys.size() << " keys";
        EXPECT_EQ(e.cursor_x / 8 * 100 + e.cursor_y / 12, c.cells * 100 + c.line_no) << c.keys.size() << " keys";
    }
    // Runs and new lines in a line of 10 cells: the pair goes over whole.
    std::string steps;
    const std::wstring text = nine + pair + L"\u00B0\n" + pair;
    lay_out_text(text.data(), static_cast<int>(text.size()), 0, 8, 80,
                 [](void* out, const LayoutStep& s) {
                     *static_cast<std::string*>(out) +=
                         s.kind == LayoutStep::kNewLine ? "N " : std::to_string(s.start) + "+" + std::to_string(s.length) + " ";
                 },
                 &steps);
    EXPECT_EQ(steps, "0+9 N 9+3 N 13+2 ");
    // The bitmap font: a, then one box each for u-umlaut, an emoji, a stray byte.
    kbx::PixelImage image = kbxtest::picture(80, 20);
    TextCursor cursor = {0, 16, 0};
    draw_glyph_string(view_of(image), &cursor, 1, utf8_char_size, "a\xC3\xBC\xF0\x9F\x98\x80\xFF");
    EXPECT_EQ(cursor.x, 4 * 8);
    for (int cell = 1; cell <= 3; ++cell) EXPECT_EQ(get_pixel(view_of(image), cell * 8, 16 - 12), 1) << cell;
    // In a double-byte code page a pair with a trail byte of ASCII's range is
    // one box, not a box and an '@'.
    NarrowCharSize double_byte = [](const unsigned char* t, int n) { return n > 1 && *t < 0xA0 ? 2 : 1; };
    draw_glyph_string(view_of(image), &cursor, 1, double_byte, "\x82\x40");
    EXPECT_EQ(cursor.x, 5 * 8);
}
