// Where a dragged window's edges snap: to the screen's edges and to other
// windows' edges within 7 pixels, without ever changing its size.
#ifndef KBX_SNAP_GEOMETRY_H
#define KBX_SNAP_GEOMETRY_H

#include "core/geometry.h"
#include "core/snap_table.h"

namespace kbx {

constexpr int kSnapDistance = 8;   // differences of 0..7 pixels snap

// Shifts proposed (the rectangle the drag would give) so that its edges meet
// the table's. current is the window's rectangle before this move; the entry
// equal to it is the window itself and is skipped.
void snap_rect(Rect& proposed, const Rect& current, const SnapTable& table);

}  // namespace kbx

#endif
