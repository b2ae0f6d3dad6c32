// Text window geometry: default sizes, placement, the one-line scroll and
// the choice of the current window after a close.
#include <gtest/gtest.h>

#include "textwin/text_geometry.h"

using namespace kbx;

TEST(TextGeometry, NegativeSizesBecomeTheDefault) {
    EXPECT_EQ(text_client_width(-1), 400);
    EXPECT_EQ(text_client_height(-5), 300);
    EXPECT_EQ(text_client_width(0), 0);
    EXPECT_EQ(text_client_height(0), 0);
    EXPECT_EQ(text_client_width(152), 152);
    EXPECT_EQ(text_client_height(154), 154);
}

TEST(TextGeometry, CellsOfCodeUnits) {
    EXPECT_EQ(cells_of(u'A'), 1);
    EXPECT_EQ(cells_of(0x7F), 1);
    EXPECT_EQ(cells_of(0x80), 2);
    EXPECT_EQ(cells_of(0x3042), 2);
}

TEST(TextGeometry, EnsuredWindowIsCentred) {
    WindowOrigin p = centred_text_window_origin(1024, 740);
    EXPECT_EQ(p.x, 312);
    EXPECT_EQ(p.y, 220);
    // Odd sizes round the half down; a small screen gives negative values,
    // which then leave the position to the platform.
    p = centred_text_window_origin(301, 201);
    EXPECT_EQ(p.x, -50);
    EXPECT_EQ(p.y, -50);
}

TEST(TextGeometry, PlacementOfGivenAndDefaultCoordinates) {
    Placement both_given = place_text_window(0, 0);
    EXPECT_FALSE(both_given.platform_chooses);
    EXPECT_FALSE(both_given.move_after);

    Placement both_default = place_text_window(-1, -1);
    EXPECT_TRUE(both_default.platform_chooses);
    EXPECT_FALSE(both_default.move_after);

    Placement x_default = place_text_window(-1, 50);
    EXPECT_TRUE(x_default.platform_chooses);
    EXPECT_TRUE(x_default.move_after);

    Placement y_default = place_text_window(70, -3);
    EXPECT_TRUE(y_default.platform_chooses);
    EXPECT_TRUE(y_default.move_after);
}

TEST(TextGeometry, PlacedOriginKeepsGivenCoordinates) {
    WindowOrigin p = placed_origin(-1, 50, 11, 22);
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(p.y, 50);
    p = placed_origin(70, -1, 11, 22);
    EXPECT_EQ(p.x, 70);
    EXPECT_EQ(p.y, 22);
}

TEST(TextGeometry, NoScrollWhileTheLineFits) {
    // Client 100 high, lines 11 high: a line at y fits while y + 11 < 100.
    ScrollStep s = scroll_step(88, 11, 100);
    EXPECT_FALSE(s.scrolled);
    EXPECT_EQ(s.cursor_y, 88);
}

TEST(TextGeometry, ScrollMovesEverythingUpByOneLine) {
    // Nine lines 0..88 were written; the cursor moved to 99, which does not fit.
    ScrollStep s = scroll_step(99, 11, 100);
    EXPECT_TRUE(s.scrolled);
    EXPECT_EQ(s.copy_from_y, 11);
    EXPECT_EQ(s.copy_height, 88);   // lines 1..8 move to 0..7
    EXPECT_EQ(s.cursor_y, 88);
    EXPECT_EQ(s.fill_from_y, 88);
    EXPECT_EQ(s.fill_height, 12);
}

TEST(TextGeometry, ALineThatEndsExactlyAtTheBottomScrolls) {
    // y + height == client height is not "below": the step scrolls.
    ScrollStep s = scroll_step(89, 11, 100);
    EXPECT_TRUE(s.scrolled);
    EXPECT_EQ(s.cursor_y, 78);
}

TEST(TextGeometry, WindowLowerThanTwoLinesStaysOnItsOnlyLine) {
    // Too low even for one line: every advance scrolls back to the top and
    // nothing is copied.
    ScrollStep s = scroll_step(11, 11, 15);
    EXPECT_TRUE(s.scrolled);
    EXPECT_EQ(s.copy_height, 0);
    EXPECT_EQ(s.cursor_y, 0);
    EXPECT_EQ(s.fill_from_y, 0);
    EXPECT_EQ(s.fill_height, 15);
    s = scroll_step(11, 11, 0);
    EXPECT_TRUE(s.scrolled);
    EXPECT_EQ(s.fill_height, 0);
}

namespace {
bool open_set[8];
bool is_open(int n) { return open_set[n]; }
void set_open(std::initializer_list<int> ns) {
    for (bool& b : open_set) b = false;
    for (int n : ns) open_set[n] = true;
}
}  // namespace

TEST(TextGeometry, CurrentAfterClose) {
    set_open({2, 5, 7});
    EXPECT_EQ(current_after_close(5, 3, 8, is_open), 5);   // another window closed
    EXPECT_EQ(current_after_close(3, 3, 8, is_open), 2);   // lowest open one
    set_open({});
    EXPECT_EQ(current_after_close(4, 4, 8, is_open), 4);   // none open: stays
}
