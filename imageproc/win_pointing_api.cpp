// The user-program calls that let the user point in an image window: the
// processing menu's pointing loops, with their prompts and rubber bands.
#include "imageproc/pointing.h"
#include "imageproc/win_image_tools.h"
#include "kbx_imageproc.h"

namespace {

void give(int* out, int value) {
    if (out) *out = value;
}

// Runs the loop of the kind for the program (a Stop made before it ends it
// at once) and hands out the points the caller asked for: the first (or
// only) point, the second point, the radius.
int program_pick(int n, kbx::PointingKind kind, int* x1, int* y1, int* x2, int* y2, int* r) {
    kbx::PointingLoop loop;
    const int result = kbx::run_pointing_loop(n, kind, 0, 0, &loop, true);
    give(x1, loop.x1);
    give(y1, loop.y1);
    give(x2, loop.x2);
    give(y2, loop.y2);
    give(r, loop.r);
    return kbx::program_pick_result(result, loop.stopped);
}

}  // namespace

int KBX_PickPoint(int n, int* x, int* y) {
    return program_pick(n, kbx::kPickPoint, x, y, nullptr, nullptr, nullptr);
}
int KBX_PickRow(int n, int* x, int* y) {
    return program_pick(n, kbx::kPickRow, x, y, nullptr, nullptr, nullptr);
}
int KBX_PickColumn(int n, int* x, int* y) {
    return program_pick(n, kbx::kPickColumn, x, y, nullptr, nullptr, nullptr);
}
int KBX_PickBox(int n, int* x1, int* y1, int* x2, int* y2) {
    return program_pick(n, kbx::kPickBox, x1, y1, x2, y2, nullptr);
}
int KBX_PickLine(int n, int* x1, int* y1, int* x2, int* y2) {
    return program_pick(n, kbx::kPickLine, x1, y1, x2, y2, nullptr);
}
int KBX_PickCircle(int n, int* cx, int* cy, int* r) {
    return program_pick(n, kbx::kPickCircle, cx, cy, nullptr, nullptr, r);
}
