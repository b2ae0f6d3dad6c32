// Characters of more than one byte or code unit: typed, wrapped, printed in
// pieces and drawn in the bitmap font, each kept whole.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imageproc/glyph_text.h"
#include "imageproc_test_support.h"
#include "textwin/line_edit.h"
#include "textwin/text_cut.h"
#include "textwin/text_layout.h"

using namespace kbx;

namespace {

const wchar_t kHigh = 0xD83D, kLow = 0xDE00;   // one character beyond U+FFFF

void collect(void* context, const LayoutStep& step) {
    auto* steps = static_cast<std::string*>(context);
    if (step.kind == LayoutStep::kNewLine) *steps += "N ";
    else *steps += std::to_string(step.start) + "+" + std::to_string(step.length) + " ";
}

}  // namespace

TEST(Multibyte, LineEditingStepsOverWholeCharacters) {
    const std::wstring pair = {kHigh, kLow};
    const std::wstring full(kLineUnits - 1, L'a');
    struct Case {
        std::wstring keys;   // \b is Backspace
        std::wstring line;
        int cursor_cells, cursor_line;
    } cases[] = {
        {L"a\u00FC\b", L"a", 1, 0},
        {L"a" + pair, L"a" + pair, 3, 0},
        {L"a" + pair + L"\b", L"a", 1, 0},
        {std::wstring(1, kHigh) + L"\b", L"", 0, 0},        // never drawn: nothing moves
        {std::wstring(1, kHigh) + L"b", L"b", 1, 0},        // a first half alone is dropped
        {std::wstring(1, kLow), L"", 0, 0},                 // so is a second half alone
        {std::wstring(1, kHigh), L"", 0, 0},                // and one still waiting at the end
        {L"aaaaaaaaa" + pair, L"aaaaaaaaa" + pair, 2, 1},   // the pair wraps whole
        {L"aaaaaaaaa" + pair + L"\b", L"aaaaaaaaa", 9, 0},
        {full + pair, full, 4, 25},                         // no room for both halves
        {full + pair + L"b", full + L"b", 5, 25},
    };
    for (const Case& c : cases) {
        LineEdit e;
        line_edit_begin(e, 0, 0, 8, 12, 10 * 8, 100 * 12);
        for (wchar_t key : c.keys) line_edit_key(e, key == L'\b' ? kBackspace : key);
        EXPECT_EQ(std::wstring(line_edit_text(e)), c.line) << c.keys.size() << " keys";
        EXPECT_EQ(e.cursor_x, c.cursor_cells * 8) << c.keys.size() << " keys";
        EXPECT_EQ(e.cursor_y, c.cursor_line * 12) << c.keys.size() << " keys";
    }
    // The pair is drawn as one character of two cells.
    LineEdit e;
    line_edit_begin(e, 0, 0, 8, 12, 80, 120);
    EXPECT_EQ(line_edit_key(e, kHigh).count, 0);
    EditOps ops = line_edit_key(e, kLow);
    ASSERT_EQ(ops.count, 1);
    EXPECT_EQ(ops.op[0].unit, kHigh);
    EXPECT_EQ(ops.op[0].low, kLow);
    EXPECT_EQ(ops.op[0].cells, 2);
}

TEST(Multibyte, PrintedTextKeepsCharactersWhole) {
    // Line breaks in a line of 10 cells.
    struct Wrap {
        std::wstring text;
        std::string steps;
    } wraps[] = {
        {L"aaaaaaaaa" + std::wstring{kHigh, kLow}, "0+9 N 9+2 "},
        {L"aaaaaaaa" + std::wstring{kHigh, kLow} + L"b", "0+10 N 10+1 "},
        {L"\u00B0C\n" + std::wstring{kHigh, kLow}, "0+2 N 3+2 "},
    };
    for (const Wrap& w : wraps) {
        std::string steps;
        lay_out_text(w.text.data(), static_cast<int>(w.text.size()), 0, 8, 80, collect, &steps);
        EXPECT_EQ(steps, w.steps) << w.steps;
    }
    // Bytes a print leaves for the next one to finish.
    struct Tail {
        const char* text;
        int unfinished;
    } tails[] = {
        {"21 \xC2\xB0", 0}, {"21 \xC2", 1},    {"\xE2\x82", 2},     {"\xF0\x9F\x98", 3}, {"\xF0\x9F\x98\x80", 0},
        {"a\x80", 0},       {"\xC3\xBC\xE2", 1}, {"\xC0", 0},       {"", 0},             {"\xC2\xB0\xB0", 0},
    };
    for (const Tail& t : tails)
        EXPECT_EQ(utf8_unfinished_tail(t.text, static_cast<int>(std::strlen(t.text))), t.unfinished) << t.text;
}

TEST(Multibyte, TheBitmapFontDrawsOneBoxPerMissingCharacter) {
    // a, then u-umlaut, an emoji and a stray byte: three boxes after the a.
    kbx::PixelImage image = kbxtest::picture(80, 20);
    TextCursor cursor = {0, 16, 0};
    draw_glyph_string(view_of(image), &cursor, 1, "a\xC3\xBC\xF0\x9F\x98\x80\xFF");
    EXPECT_EQ(cursor.x, 4 * 8);
    const auto marked = kbxtest::changed(view_of(image));
    for (int cell = 1; cell <= 3; ++cell) {
        int in_cell = 0;
        for (const auto& point : marked) in_cell += point.first / 8 == cell;
        EXPECT_GT(in_cell, 0) << "cell " << cell;
    }
}
