// Plain rectangles in screen coordinates, shared by the platform-free code.
#ifndef KBX_GEOMETRY_H
#define KBX_GEOMETRY_H

namespace kbx {

struct Rect {
    int left, top, right, bottom;
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace kbx

#endif
