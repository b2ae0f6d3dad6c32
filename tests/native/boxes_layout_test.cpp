// Input box and button box geometry.
#include <gtest/gtest.h>

#include "boxes/button_grid.h"
#include "boxes/input_box_layout.h"

namespace kbx {
namespace {

TEST(InputBoxLayout, FieldCountIsClampedToOneToThirty) {
    EXPECT_EQ(clamp_item_count(0), 1);
    EXPECT_EQ(clamp_item_count(-5), 1);
    EXPECT_EQ(clamp_item_count(1), 1);
    EXPECT_EQ(clamp_item_count(3), 3);
    EXPECT_EQ(clamp_item_count(30), 30);
    EXPECT_EQ(clamp_item_count(31), 30);
    EXPECT_EQ(clamp_item_count(2147483647), 30);
}

TEST(InputBoxLayout, RowsStackEveryTwentyEightPixels) {
    ControlRect label0 = input_label_rect(0, 80);
    ControlRect field0 = input_field_rect(0, 80, 70);
    EXPECT_EQ(label0.x, 4);
    EXPECT_EQ(label0.y, 7);
    EXPECT_EQ(label0.width, 80);
    EXPECT_EQ(label0.height, 24);
    EXPECT_EQ(field0.x, 88);
    EXPECT_EQ(field0.y, 4);
    EXPECT_EQ(field0.width, 70);
    EXPECT_EQ(field0.height, 24);

    ControlRect label2 = input_label_rect(2, 80);
    ControlRect field2 = input_field_rect(2, 80, 70);
    EXPECT_EQ(label2.y, 63);
    EXPECT_EQ(field2.y, 60);
    // The field follows the label column with a gap of 4.
    EXPECT_EQ(input_field_rect(5, 120, 30).x, 128);
}

TEST(InputBoxLayout, ClientAreaFollowsWidthsAndCount) {
    int w = 0, h = 0;
    input_client_size(3, 80, 70, &w, &h);
    EXPECT_EQ(w, 162);
    EXPECT_EQ(h, 86);
    input_client_size(1, 80, 70, &w, &h);
    EXPECT_EQ(h, 30);
    input_client_size(30, 10, 20, &w, &h);
    EXPECT_EQ(w, 42);
    EXPECT_EQ(h, 842);
    // The last field ends 4 pixels inside the right edge, the last row 2
    // pixels above the bottom.
    ControlRect last = input_field_rect(29, 10, 20);
    EXPECT_EQ(w - (last.x + last.width), 4);
    EXPECT_EQ(h - (last.y + last.height), 2);
}

TEST(InputBoxLayout, RowUnderAPointComesFromYAlone) {
    EXPECT_EQ(input_row_at(0), 0);
    EXPECT_EQ(input_row_at(27), 0);
    EXPECT_EQ(input_row_at(28), 1);
    EXPECT_EQ(input_row_at(85), 3);   // below the last of three rows: callers refuse it
}

TEST(InputBoxLayout, DraggingKeepsTheHeight) {
    int top = 50, bottom = 300;
    lock_sizing_height(10, 96, &top, &bottom);
    EXPECT_EQ(top, 10);
    EXPECT_EQ(bottom, 96);
}

TEST(InputBoxLayout, LeftEdgesResizeLabelsOtherEdgesResizeFields) {
    for (int edge : {kEdgeLeft, kEdgeTopLeft, kEdgeBottomLeft}) {
        int label = 80, field = 70;
        apply_input_box_width(edge, 200, &label, &field);
        EXPECT_EQ(label, 118) << edge;
        EXPECT_EQ(field, 70) << edge;
    }
    for (int edge : {kEdgeNone, kEdgeRight, kEdgeTop, kEdgeTopRight, kEdgeBottom, kEdgeBottomRight}) {
        int label = 80, field = 70;
        apply_input_box_width(edge, 200, &label, &field);
        EXPECT_EQ(label, 80) << edge;
        EXPECT_EQ(field, 108) << edge;
    }
}

TEST(InputBoxLayout, WidthsNeverDropBelowOne) {
    int label = 80, field = 70;
    apply_input_box_width(kEdgeLeft, 82, &label, &field);   // exactly 0 left for labels
    EXPECT_EQ(label, 1);
    apply_input_box_width(kEdgeRight, 5, &label, &field);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(label, 1);
}

TEST(ButtonGrid, AtMostTwoHundredFiftySixButtons) {
    EXPECT_TRUE(button_grid_allowed(1, 1));
    EXPECT_TRUE(button_grid_allowed(16, 16));
    EXPECT_TRUE(button_grid_allowed(256, 1));
    EXPECT_TRUE(button_grid_allowed(1, 256));
    EXPECT_FALSE(button_grid_allowed(16, 17));
    EXPECT_FALSE(button_grid_allowed(0, 5));
    EXPECT_FALSE(button_grid_allowed(5, 0));
    EXPECT_FALSE(button_grid_allowed(-1, -1));
    // A product that wraps around in 32 bits must still be refused.
    EXPECT_FALSE(button_grid_allowed(65536, 65536));
    EXPECT_FALSE(button_grid_allowed(2147483647, 2));
}

TEST(ButtonGrid, ButtonsSitInTheirCellsRowByRow) {
    ButtonGrid grid{3, 2, 98, 26};
    ControlRect b0 = button_rect(grid, 0);
    EXPECT_EQ(b0.x, 4);
    EXPECT_EQ(b0.y, 4);
    EXPECT_EQ(b0.width, 98);
    EXPECT_EQ(b0.height, 26);
    ControlRect b5 = button_rect(grid, 5);   // column 2, row 1
    EXPECT_EQ(b5.x, 4 + 2 * 102);
    EXPECT_EQ(b5.y, 4 + 30);
    int w = 0, h = 0;
    button_client_size(grid, &w, &h);
    EXPECT_EQ(w, 3 * 102 + 4);
    EXPECT_EQ(h, 2 * 30 + 4);
    EXPECT_EQ(w - (b5.x + b5.width), 4);
    EXPECT_EQ(h - (b5.y + b5.height), 4);
}

TEST(ButtonGrid, ResizingSharesTheClientArea) {
    ButtonGrid grid{1, 1, 98, 26};
    button_size_for_client(&grid, 162, 34);
    EXPECT_EQ(grid.button_width, 154);
    EXPECT_EQ(grid.button_height, 26);

    ButtonGrid wide{3, 2, 98, 26};
    button_size_for_client(&wide, 100, 100);
    EXPECT_EQ(wide.button_width, (100 - 16) / 3);
    EXPECT_EQ(wide.button_height, (100 - 12) / 2);
    // Back to the client size it came from, give or take the remainder.
    int w = 0, h = 0;
    button_client_size(wide, &w, &h);
    EXPECT_LE(w, 100);
    EXPECT_GT(w, 100 - 3);
}

TEST(ButtonGrid, TinyClientAreasGiveTinyButtons) {
    ButtonGrid one{1, 1, 98, 26};
    button_size_for_client(&one, 8, 3);
    EXPECT_EQ(one.button_width, 1);
    EXPECT_EQ(one.button_height, 1);
    ButtonGrid many{4, 4, 98, 26};
    button_size_for_client(&many, 0, 0);
    EXPECT_EQ(many.button_width, 0);
    EXPECT_EQ(many.button_height, 0);
}

TEST(ButtonGrid, HitTestingCoversGapsAndMargins) {
    ButtonGrid grid{2, 3, 98, 26};
    // Inside the buttons.
    EXPECT_EQ(button_at(grid, 10, 10), 0);
    EXPECT_EQ(button_at(grid, 110, 10), 1);
    EXPECT_EQ(button_at(grid, 110, 70), 5);
    // The 4-pixel gap just left of button 1, level with it, selects it.
    EXPECT_EQ(button_at(grid, 102, 10), 1);
    EXPECT_EQ(button_at(grid, 105, 10), 1);
    EXPECT_EQ(button_at(grid, 101, 10), 0);
    // The gap above the second row belongs to that row.
    EXPECT_EQ(button_at(grid, 10, 30), 2);
    // Right margin level with the third row: button 5.
    EXPECT_EQ(button_at(grid, 206, 70), 5);
    // Bottom margin, and far outside, clamp to the last row and column.
    EXPECT_EQ(button_at(grid, 10, 95), 4);
    EXPECT_EQ(button_at(grid, 5000, 5000), 5);
    // Left and top margins, and negative points, give the first cells.
    EXPECT_EQ(button_at(grid, 0, 0), 0);
    EXPECT_EQ(button_at(grid, -40, -40), 0);
    EXPECT_EQ(button_at(grid, -40, 70), 4);
}

TEST(ButtonGrid, HitTestingSurvivesZeroSizedButtons) {
    ButtonGrid grid{4, 4, 0, 0};
    EXPECT_EQ(button_at(grid, 0, 0), 0);
    EXPECT_EQ(button_at(grid, 9, 4), 1 * 4 + 2);
    EXPECT_EQ(button_at(grid, 100, 100), 15);
}

TEST(ButtonGrid, DigitKeysOfBothKeyboards) {
    for (int d = 0; d <= 9; ++d) {
        EXPECT_EQ(digit_of_key(0x30 + d), d);
        EXPECT_EQ(digit_of_key(0x60 + d), d);
    }
    EXPECT_EQ(digit_of_key(0x2F), -1);
    EXPECT_EQ(digit_of_key(0x3A), -1);
    EXPECT_EQ(digit_of_key(0x5F), -1);
    EXPECT_EQ(digit_of_key(0x6A), -1);   // keypad multiply
    EXPECT_EQ(digit_of_key('C'), -1);
}

}  // namespace
}  // namespace kbx
