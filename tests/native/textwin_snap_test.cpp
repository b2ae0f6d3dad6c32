// Edge snapping of dragged windows.
#include <gtest/gtest.h>

#include "textwin/snap_geometry.h"

using namespace kbx;

namespace {

const int kScreenW = 1280, kScreenH = 1059;

SnapTable screen_table() {
    SnapTable t;
    snap_table_clear(t);
    snap_table_add_screen_edges(t, kScreenW, kScreenH);
    return t;
}

Rect at(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

}  // namespace

TEST(Snap, ScreenLeftEdgeWithinSevenPixels) {
    SnapTable t = screen_table();
    Rect current = at(300, 300, 200, 100);
    Rect p = at(5, 300, 200, 100);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(0, 300, 200, 100));

    p = at(-7, 300, 200, 100);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(0, 300, 200, 100));

    p = at(8, 300, 200, 100);   // 8 pixels is too far
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(8, 300, 200, 100));
}

TEST(Snap, ScreenBottomAndRight) {
    SnapTable t = screen_table();
    Rect current = at(300, 300, 200, 100);
    Rect p = at(kScreenW - 200 + 3, kScreenH - 100 - 6, 200, 100);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(kScreenW - 200, kScreenH - 100, 200, 100));
}

TEST(Snap, EdgeToEdgeThenTopsAligned) {
    SnapTable t = screen_table();
    Rect image = at(100, 100, 300, 200);
    snap_table_append(t, image);
    Rect current = at(700, 500, 150, 120);

    // Left edge 6 pixels right of the image's right edge, tops 20 apart.
    Rect p = at(406, 120, 150, 120);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(400, 120, 150, 120));

    // Tops within 7 pixels and overlapping horizontally as the rectangle
    // arrived: tops are aligned too.
    p = at(396, 104, 150, 120);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(400, 100, 150, 120));

    // Right edge against the image's left edge.
    p = at(100 - 150 + 5, 150, 150, 120);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(100 - 150, 150, 150, 120));
}

TEST(Snap, UnderAnotherWindowThenLeftEdgesAligned) {
    SnapTable t = screen_table();
    Rect other = at(200, 100, 300, 200);
    snap_table_append(t, other);
    Rect current = at(800, 600, 200, 100);
    // Top 3 pixels above the other's bottom: it snaps under it, and as the
    // two still overlap, the left edges line up.
    Rect p = at(205, 297, 200, 100);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(200, 300, 200, 100));

    // Already 3 pixels below: it snaps under, but edges are aligned only
    // for windows that overlapped where the drag put them.
    p = at(205, 303, 200, 100);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(205, 300, 200, 100));

    // Far from either vertical edge: only the top snaps.
    p = at(260, 295, 200, 100);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(260, 300, 200, 100));
}

TEST(Snap, NeverToItsOwnPlaceAndNeverResizes) {
    SnapTable t = screen_table();
    Rect current = at(400, kScreenH - 100, 200, 100);   // resting on the screen's bottom
    snap_table_append(t, current);                      // the window's own entry
    // The bottom snaps back to the screen; the old left edge 4 pixels away
    // would then align x, were the window's own entry not skipped.
    Rect p = at(404, kScreenH - 97, 200, 100);
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(404, kScreenH - 100, 200, 100));

    // Whatever snaps, the size stays.
    Rect other = at(100, 100, 50, 50);
    snap_table_append(t, other);
    for (int dx = -10; dx <= 10; ++dx) {
        for (int dy = -10; dy <= 10; ++dy) {
            Rect q = at(150 + dx, 100 + dy, 200, 100);
            snap_rect(q, current, t);
            EXPECT_EQ(q.right - q.left, 200);
            EXPECT_EQ(q.bottom - q.top, 100);
        }
    }
}

TEST(Snap, FirstMatchInTableOrderWins) {
    SnapTable t = screen_table();
    snap_table_append(t, at(100, 0, 100, 500));   // right edge at 200
    snap_table_append(t, at(0, 0, 203, 500));     // right edge at 203
    Rect current = at(900, 900, 50, 50);
    Rect p = at(201, 100, 50, 50);
    snap_rect(p, current, t);
    EXPECT_EQ(p.left, 200);
}

TEST(Snap, RectanglesThatDoNotOverlapDoNotSnap) {
    SnapTable t;
    snap_table_clear(t);
    snap_table_append(t, at(100, 100, 100, 100));   // right edge 200, rows 100..200
    Rect current = at(900, 900, 50, 50);
    Rect p = at(203, 400, 50, 50);                  // far below: no vertical overlap
    snap_rect(p, current, t);
    EXPECT_EQ(p, at(203, 400, 50, 50));
}
