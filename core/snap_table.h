// The rectangles a dragged window snaps to: the screen's edges and every
// framework window, rebuilt whenever a window appears, moves or resizes.
#ifndef KBX_SNAP_TABLE_H
#define KBX_SNAP_TABLE_H

#include "core/geometry.h"

namespace kbx {

constexpr int kSnapCapacity = 260;

struct SnapTable {
    Rect rects[kSnapCapacity];
    int count;
};

void snap_table_clear(SnapTable& table);

// Appends a rectangle; returns false (and appends nothing) when the table is
// full, so it is never written past its end.
bool snap_table_append(SnapTable& table, const Rect& rect);

// The four rectangles standing for the screen's edges, for a screen of
// cx by cy: left, above, right, below.
void snap_table_add_screen_edges(SnapTable& table, int cx, int cy);

}  // namespace kbx

#endif
