// The colour stack of a text window: pushes save, pops restore, and the
// depth of eight loses the oldest colours.
#include <gtest/gtest.h>

#include "textwin/color_stack.h"

using namespace kbx;

namespace {

struct Colors {
    int text = 0xFFFFFF;
    int back = 0x000000;
    int text_stack[kColorStackDepth];
    int back_stack[kColorStackDepth];
    Colors() {
        color_stack_fill(text_stack, text);
        color_stack_fill(back_stack, back);
    }
    void push(int background, int foreground) {
        color_stack_push(text_stack, &text, foreground);
        color_stack_push(back_stack, &back, background);
    }
    void pop() {
        color_stack_pop(text_stack, &text);
        color_stack_pop(back_stack, &back);
    }
};

}  // namespace

TEST(ColorStack, FillSetsEveryEntry) {
    int stack[kColorStackDepth] = {1, 2, 3, 4, 5, 6, 7, 8};
    color_stack_fill(stack, 0x123456);
    for (int v : stack) EXPECT_EQ(v, 0x123456);
}

TEST(ColorStack, PushThenPopRestoresInReverseOrder) {
    Colors c;
    c.push(0x000080, 0x00FF00);
    EXPECT_EQ(c.text, 0x00FF00);
    EXPECT_EQ(c.back, 0x000080);
    EXPECT_EQ(c.text_stack[0], 0xFFFFFF);
    EXPECT_EQ(c.back_stack[0], 0x000000);
    c.push(0x404040, 0xFF0000);
    c.pop();
    EXPECT_EQ(c.text, 0x00FF00);
    EXPECT_EQ(c.back, 0x000080);
    c.pop();
    EXPECT_EQ(c.text, 0xFFFFFF);
    EXPECT_EQ(c.back, 0x000000);
}

TEST(ColorStack, PopWithoutPushKeepsTheOpeningColours) {
    Colors c;
    c.pop();
    c.pop();
    EXPECT_EQ(c.text, 0xFFFFFF);
    EXPECT_EQ(c.back, 0x000000);
}

TEST(ColorStack, NinthPopRepeatsTheEighthAndTheFirstColoursAreLost) {
    Colors c;
    // Push i = 1..9: foreground i, background 100 + i.
    for (int i = 1; i <= 9; ++i) c.push(100 + i, i);
    // Pops give back pushes 8, 7, ..., 1 and then 1 again: the colours
    // from before the first push fell off the end.
    int expected_text[] = {8, 7, 6, 5, 4, 3, 2, 1, 1, 1};
    for (int e : expected_text) {
        c.pop();
        EXPECT_EQ(c.text, e);
        EXPECT_EQ(c.back, 100 + e);
    }
}

TEST(ColorStack, PopKeepsTheLastEntry) {
    int stack[kColorStackDepth] = {1, 2, 3, 4, 5, 6, 7, 8};
    int current = 0;
    color_stack_pop(stack, &current);
    EXPECT_EQ(current, 1);
    int expected[kColorStackDepth] = {2, 3, 4, 5, 6, 7, 8, 8};
    for (int i = 0; i < kColorStackDepth; ++i) EXPECT_EQ(stack[i], expected[i]) << i;
}
