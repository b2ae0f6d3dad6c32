// The line being typed: echo positions, wraps, the way back over them,
// scrolling, the length limit.
#include <gtest/gtest.h>

#include <string>

#include "textwin/line_edit.h"

using namespace kbx;

namespace {

const int kW = 8;    // cell width
const int kH = 12;   // line height

// A window of `cells` cells and `lines` lines of height (so the scroll
// happens when the cursor reaches line `lines` - 1).
LineEdit begin_at(int x, int y, int cells, int lines) {
    LineEdit e;
    line_edit_begin(e, x, y, kW, kH, cells * kW, lines * kH);
    return e;
}

EditOps type(LineEdit& e, const std::wstring& text) {
    EditOps last = {};
    for (wchar_t unit : text) last = line_edit_key(e, unit);
    return last;
}

bool draws(const EditOp& op, int x, int y, wchar_t unit, int cells) {
    return op.kind == EditOp::kDraw && op.x == x && op.y == y && op.unit == unit && op.cells == cells;
}

}  // namespace

TEST(LineEdit, TypedUnitsAreDrawnAtTheCursorAndStored) {
    LineEdit e = begin_at(4 * kW, 0, 20, 10);   // after a four-cell prompt
    EditOps ops = line_edit_key(e, L'1');
    ASSERT_EQ(ops.count, 1);
    EXPECT_TRUE(ops.accepted);
    EXPECT_TRUE(draws(ops.op[0], 4 * kW, 0, L'1', 1));
    ops = line_edit_key(e, L'2');
    EXPECT_TRUE(draws(ops.op[0], 5 * kW, 0, L'2', 1));
    EXPECT_EQ(e.cursor_x, 6 * kW);
    EXPECT_EQ(std::wstring(line_edit_text(e)), L"12");

    ops = line_edit_key(e, 0x3042);
    EXPECT_TRUE(draws(ops.op[0], 6 * kW, 0, 0x3042, 2));
    EXPECT_EQ(e.cursor_x, 8 * kW);
}

TEST(LineEdit, TabBecomesASpaceAndZeroOrReturnChangeNothing) {
    LineEdit e = begin_at(0, 0, 20, 10);
    EditOps ops = line_edit_key(e, L'\t');
    EXPECT_TRUE(draws(ops.op[0], 0, 0, L' ', 1));
    EXPECT_EQ(std::wstring(line_edit_text(e)), L" ");
    for (wchar_t unit : {wchar_t(0), wchar_t(L'\r')}) {
        ops = line_edit_key(e, unit);
        EXPECT_FALSE(ops.accepted);
        EXPECT_EQ(ops.count, 0);
    }
    EXPECT_EQ(e.length, 1);
    EXPECT_EQ(e.cursor_x, kW);
}

TEST(LineEdit, BackspaceRemovesTheLastUnit) {
    LineEdit e = begin_at(2 * kW, kH, 20, 10);
    type(e, L"ab");
    EditOps ops = line_edit_key(e, kBackspace);
    EXPECT_TRUE(ops.accepted);
    ASSERT_EQ(ops.count, 1);
    EXPECT_TRUE(draws(ops.op[0], 4 * kW, kH, L' ', 1));   // the caret cell blanked
    EXPECT_EQ(e.cursor_x, 3 * kW);
    EXPECT_EQ(std::wstring(line_edit_text(e)), L"a");

    // A wide unit is blanked over both its cells, one blank each.
    type(e, L"\x3042");
    ops = line_edit_key(e, kBackspace);
    ASSERT_EQ(ops.count, 3);
    EXPECT_TRUE(draws(ops.op[1], 3 * kW, kH, L' ', 1));
    EXPECT_TRUE(draws(ops.op[2], 4 * kW, kH, L' ', 1));
    EXPECT_EQ(e.cursor_x, 3 * kW);

    line_edit_key(e, kBackspace);
    EXPECT_EQ(e.cursor_x, 2 * kW);
    // On an empty line nothing happens: the prompt stays.
    ops = line_edit_key(e, kBackspace);
    EXPECT_FALSE(ops.accepted);
    EXPECT_EQ(ops.count, 0);
    EXPECT_EQ(e.cursor_x, 2 * kW);
    EXPECT_EQ(e.length, 0);
}

TEST(LineEdit, TheLineWrapsWhileTheCaretStillHasRoomAndBackspaceReturns) {
    LineEdit e = begin_at(0, 0, 10, 10);
    type(e, L"123456789");
    EXPECT_EQ(e.cursor_x, 9 * kW);   // the caret takes the last cell
    EXPECT_EQ(e.wrap_count, 0);
    EditOps ops = line_edit_key(e, L'0');
    EXPECT_TRUE(draws(ops.op[0], 9 * kW, 0, L'0', 1));
    EXPECT_EQ(e.cursor_x, 0);
    EXPECT_EQ(e.cursor_y, kH);
    EXPECT_EQ(e.wrap_count, 1);
    EXPECT_EQ(e.line_end[1], 9 * kW);

    type(e, L"ab");
    type(e, std::wstring(2, kBackspace));
    EXPECT_EQ(e.cursor_x, 0);
    EXPECT_EQ(e.cursor_y, kH);
    ops = line_edit_key(e, kBackspace);   // back over the wrap
    EXPECT_TRUE(draws(ops.op[0], 0, kH, L' ', 1));
    EXPECT_EQ(e.cursor_x, 9 * kW);
    EXPECT_EQ(e.cursor_y, 0);
    EXPECT_EQ(e.wrap_count, 0);
    EXPECT_EQ(std::wstring(line_edit_text(e)), L"123456789");
}

TEST(LineEdit, AWideUnitThatDoesNotFitMovesWholeAndOneBackspaceUndoesIt) {
    LineEdit e = begin_at(0, 0, 10, 10);
    type(e, L"123456789");   // one cell left
    EditOps ops = line_edit_key(e, 0x3042);
    ASSERT_EQ(ops.count, 2);
    EXPECT_TRUE(draws(ops.op[0], 9 * kW, 0, L' ', 1));   // caret cell blanked
    EXPECT_TRUE(draws(ops.op[1], 0, kH, 0x3042, 2));
    EXPECT_EQ(e.cursor_x, 2 * kW);
    EXPECT_EQ(e.cursor_y, kH);
    EXPECT_GE(e.line_end[1], e.client_width);

    ops = line_edit_key(e, kBackspace);
    EXPECT_TRUE(draws(ops.op[1], 0, kH, L' ', 1));
    EXPECT_TRUE(draws(ops.op[2], kW, kH, L' ', 1));
    EXPECT_EQ(e.cursor_x, 9 * kW);
    EXPECT_EQ(e.cursor_y, 0);
    EXPECT_EQ(e.wrap_count, 0);
    EXPECT_EQ(e.length, 9);
}

TEST(LineEdit, AWideUnitInTheLastTwoCellsWrapsAfterIt) {
    LineEdit e = begin_at(0, 0, 10, 10);
    type(e, L"12345678");
    EditOps ops = line_edit_key(e, 0x3042);
    EXPECT_TRUE(draws(ops.op[0], 8 * kW, 0, 0x3042, 2));
    EXPECT_EQ(e.cursor_x, 0);
    EXPECT_EQ(e.cursor_y, kH);
    EXPECT_EQ(e.line_end[1], 8 * kW);
    ops = line_edit_key(e, kBackspace);
    EXPECT_TRUE(draws(ops.op[1], 8 * kW, 0, L' ', 1));
    EXPECT_TRUE(draws(ops.op[2], 9 * kW, 0, L' ', 1));
    EXPECT_EQ(e.cursor_x, 8 * kW);
    EXPECT_EQ(e.cursor_y, 0);
}

TEST(LineEdit, AWindowNarrowerThanAWideUnitStillWalksBack) {
    // Two cells: the wide unit wraps before and after itself.
    LineEdit e = begin_at(kW, 0, 2, 10);
    line_edit_key(e, 0x3042);
    EXPECT_EQ(e.wrap_count, 2);
    EXPECT_EQ(e.cursor_x, 0);
    EXPECT_EQ(e.cursor_y, 2 * kH);
    line_edit_key(e, kBackspace);
    EXPECT_EQ(e.wrap_count, 0);
    EXPECT_EQ(e.cursor_x, kW);
    EXPECT_EQ(e.cursor_y, 0);
}

TEST(LineEdit, AWrapAtTheBottomScrollsByOneLine) {
    LineEdit e = begin_at(0, 2 * kH, 10, 4);   // lines at 0, h, 2h; 3h scrolls
    EditOps ops = type(e, L"1234567890");
    ASSERT_EQ(ops.count, 2);
    EXPECT_TRUE(draws(ops.op[0], 9 * kW, 2 * kH, L'0', 1));
    ASSERT_EQ(ops.op[1].kind, EditOp::kScroll);
    EXPECT_TRUE(ops.op[1].scroll.scrolled);
    EXPECT_EQ(ops.op[1].scroll.copy_from_y, kH);
    EXPECT_EQ(e.cursor_x, 0);
    EXPECT_EQ(e.cursor_y, 2 * kH);
    // Back over the wrap: the previous line is now one line higher.
    line_edit_key(e, kBackspace);
    EXPECT_EQ(e.cursor_y, kH);
    EXPECT_EQ(e.cursor_x, 9 * kW);

    // A wide unit forced onto a new bottom line scrolls before it is drawn.
    e = begin_at(9 * kW, 2 * kH, 10, 4);
    ops = line_edit_key(e, 0x3042);
    ASSERT_EQ(ops.count, 3);
    EXPECT_EQ(ops.op[1].kind, EditOp::kScroll);
    EXPECT_TRUE(draws(ops.op[2], 0, 2 * kH, 0x3042, 2));
}

TEST(LineEdit, BackspaceNeverLeavesTheTopLine) {
    // Two usable lines: every further wrap scrolls one away.
    LineEdit e = begin_at(0, 0, 10, 3);
    type(e, std::wstring(30, L'x'));
    EXPECT_EQ(e.wrap_count, 3);
    EXPECT_EQ(e.cursor_y, kH);
    for (int i = 0; i < 30; ++i) {
        EditOps ops = line_edit_key(e, kBackspace);
        EXPECT_TRUE(ops.accepted);
        EXPECT_GE(e.cursor_y, 0) << i;
        EXPECT_GE(e.cursor_x, 0) << i;
        for (int k = 0; k < ops.count; ++k) EXPECT_GE(ops.op[k].y, 0) << i;
    }
    EXPECT_EQ(e.length, 0);
    EXPECT_EQ(e.wrap_count, 0);
    EXPECT_EQ(e.cursor_x, 0);
    EXPECT_EQ(e.cursor_y, 0);
    // Typing again starts on the top line.
    EditOps ops = line_edit_key(e, L'y');
    EXPECT_TRUE(draws(ops.op[0], 0, 0, L'y', 1));
}

TEST(LineEdit, TheLineHoldsAtMost255Units) {
    LineEdit e = begin_at(0, 0, 40, 100);
    type(e, std::wstring(255, L'k'));
    EXPECT_EQ(e.length, 255);
    EditOps ops = line_edit_key(e, L'z');
    EXPECT_FALSE(ops.accepted);
    EXPECT_EQ(ops.count, 0);
    EXPECT_EQ(e.length, 255);
    EXPECT_EQ(std::wstring(line_edit_text(e)), std::wstring(255, L'k'));
    line_edit_key(e, kBackspace);
    ops = line_edit_key(e, L'z');
    EXPECT_TRUE(ops.accepted);
    EXPECT_EQ(std::wstring(line_edit_text(e)), std::wstring(254, L'k') + L"z");
}
