#include "textwin/snap_geometry.h"

namespace kbx {

namespace {

bool near(int d) { return d > -kSnapDistance && d < kSnapDistance; }

void shift_x(Rect& r, int d) {
    r.left += d;
    r.right += d;
}

void shift_y(Rect& r, int d) {
    r.top += d;
    r.bottom += d;
}

}  // namespace

void snap_rect(Rect& proposed, const Rect& current, const SnapTable& table) {
    // Differences are taken against the rectangle as it arrived.
    const Rect p = proposed;
    bool x_snapped = false, y_snapped = false;
    for (int i = 0; i < table.count && i < kSnapCapacity; ++i) {
        const Rect& o = table.rects[i];
        if (o == current) continue;
        bool overlap_x = o.left <= p.right && o.right >= p.left;
        bool overlap_y = o.top <= p.bottom && o.bottom >= p.top;

        // Edge to edge, side by side.
        if (!x_snapped && overlap_y) {
            if (near(o.right - p.left)) {
                shift_x(proposed, o.right - p.left);
                x_snapped = true;
            } else if (near(o.left - p.right)) {
                shift_x(proposed, o.left - p.right);
                x_snapped = true;
            }
        }
        // Side by side: align tops or bottoms.
        if (!y_snapped && x_snapped && overlap_x) {
            if (near(o.top - p.top)) {
                shift_y(proposed, o.top - p.top);
                y_snapped = true;
            } else if (near(o.bottom - p.bottom)) {
                shift_y(proposed, o.bottom - p.bottom);
                y_snapped = true;
            }
        }
        // Edge to edge, one above the other.
        if (!y_snapped && overlap_x) {
            if (near(o.bottom - p.top)) {
                shift_y(proposed, o.bottom - p.top);
                y_snapped = true;
            } else if (near(o.top - p.bottom)) {
                shift_y(proposed, o.top - p.bottom);
                y_snapped = true;
            }
        }
        // One above the other: align left or right edges.
        if (!x_snapped && y_snapped && overlap_y) {
            if (near(o.left - p.left)) {
                shift_x(proposed, o.left - p.left);
                x_snapped = true;
            } else if (near(o.right - p.right)) {
                shift_x(proposed, o.right - p.right);
                x_snapped = true;
            }
        }
        if (x_snapped && y_snapped) break;
    }
}

}  // namespace kbx
