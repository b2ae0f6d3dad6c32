#include "core/snap_table.h"

namespace kbx {

void snap_table_clear(SnapTable& table) { table.count = 0; }

bool snap_table_append(SnapTable& table, const Rect& rect) {
    if (table.count < 0 || table.count >= kSnapCapacity) return false;
    table.rects[table.count++] = rect;
    return true;
}

void snap_table_add_screen_edges(SnapTable& table, int cx, int cy) {
    snap_table_append(table, Rect{-1000, 0, 0, cy});
    snap_table_append(table, Rect{0, -1000, cx, 0});
    snap_table_append(table, Rect{cx, 0, cx + 1000, cy});
    snap_table_append(table, Rect{0, cy, cx, cy + 1000});
}

}  // namespace kbx
