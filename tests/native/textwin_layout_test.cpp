// Line breaking of printed text by character cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textwin/text_layout.h"

using namespace kbx;

namespace {

const int kCell = 8;

// The steps as text: "R0+10" a run of 10 units from unit 0, "N" a new line.
struct Collected {
    std::vector<std::string> steps;
    int end_x;
};

void collect(void* context, const LayoutStep& step) {
    auto* steps = static_cast<std::vector<std::string>*>(context);
    if (step.kind == LayoutStep::kNewLine) steps->push_back("N");
    else steps->push_back("R" + std::to_string(step.start) + "+" + std::to_string(step.length));
}

Collected lay_out(const std::wstring& text, int x, int cells_per_line) {
    Collected c;
    c.end_x = lay_out_text(text.data(), static_cast<int>(text.size()), x, kCell, cells_per_line * kCell, collect,
                           &c.steps);
    return c;
}

using Steps = std::vector<std::string>;

}  // namespace

TEST(TextLayout, LongTextBreaksIntoFullLines) {
    Collected c = lay_out(std::wstring(25, L'a'), 0, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+10", "N", "R10+10", "N", "R20+5"}));
    EXPECT_EQ(c.end_x, 5 * kCell);
}

TEST(TextLayout, ALineThatFitsExactlyDoesNotBreak) {
    Collected c = lay_out(std::wstring(10, L'a'), 0, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+10"}));
    EXPECT_EQ(c.end_x, 10 * kCell);
    // The next unit, printed later, starts the next line.
    c = lay_out(L"b", 10 * kCell, 10);
    EXPECT_EQ(c.steps, (Steps{"N", "R0+1"}));
    EXPECT_EQ(c.end_x, kCell);
}

TEST(TextLayout, PrintingContinuesWhereTheCursorStands) {
    Collected c = lay_out(L"abcdefg", 5 * kCell, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+5", "N", "R5+2"}));
    EXPECT_EQ(c.end_x, 2 * kCell);
}

TEST(TextLayout, AWideCharacterThatDoesNotFitMovesWhole) {
    // One cell left: the two-cell character goes to the next line.
    Collected c = lay_out(L"\x3042", 9 * kCell, 10);
    EXPECT_EQ(c.steps, (Steps{"N", "R0+1"}));
    EXPECT_EQ(c.end_x, 2 * kCell);
    // Two cells left: it fits exactly and stays.
    c = lay_out(L"\x3042", 8 * kCell, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+1"}));
    EXPECT_EQ(c.end_x, 10 * kCell);
    // Mixed: four narrow, then wide ones of two cells each.
    c = lay_out(L"abcd\x3042\x3044\x3046\x3048", 0, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+7", "N", "R7+1"}));
    EXPECT_EQ(c.end_x, 2 * kCell);
    // U+0080 is the first two-cell unit, U+007F the last one-cell unit.
    c = lay_out(L"\x7f\x80", 8 * kCell, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+1", "N", "R1+1"}));
}

TEST(TextLayout, LineFeedsEndLinesAndDrawNothing) {
    Collected c = lay_out(L"\n\n", 3 * kCell, 10);
    EXPECT_EQ(c.steps, (Steps{"N", "N"}));
    EXPECT_EQ(c.end_x, 0);

    c = lay_out(L"abc\n", 0, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+3", "N"}));
    EXPECT_EQ(c.end_x, 0);

    c = lay_out(L"abc", 2 * kCell, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+3"}));
    EXPECT_EQ(c.end_x, 5 * kCell);

    // A line feed right after a full line gives one new line, not two.
    c = lay_out(L"0123456789\nx", 0, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+10", "N", "R11+1"}));
}

TEST(TextLayout, OtherControlCodesAreOrdinaryCells) {
    Collected c = lay_out(L"a\rb\tc", 0, 10);
    EXPECT_EQ(c.steps, (Steps{"R0+5"}));
    EXPECT_EQ(c.end_x, 5 * kCell);
}

TEST(TextLayout, EmptyTextChangesNothing) {
    Collected c = lay_out(L"", 7 * kCell, 10);
    EXPECT_TRUE(c.steps.empty());
    EXPECT_EQ(c.end_x, 7 * kCell);
}

TEST(TextLayout, ALineNarrowerThanOneCellStillEnds) {
    // Every unit breaks the line before it; nothing loops.
    Collected c = lay_out(L"ab", 0, 0);
    EXPECT_EQ(c.steps, (Steps{"N", "R0+1", "N", "R1+1"}));
    EXPECT_EQ(c.end_x, kCell);
}
