// The user-program calls that let the user point in an image window: the
// processing menu's pointing loops, with their prompts and rubber bands.
#include "imageproc/pointing.h"
#include "imageproc/win_image_tools.h"
#include "kbx_imageproc.h"

namespace {

// The outputs a caller left null go to a scratch place.
int* out(int* p, int* scratch) { return p ? p : scratch; }

}  // namespace

int KBX_PickPoint(int n, int* x, int* y) {
    int scratch[2];
    bool stopped = false;
    const int result = kbx::pick_point(n, out(x, &scratch[0]), out(y, &scratch[1]), &stopped);
    return kbx::program_pick_result(result, stopped);
}

int KBX_PickRow(int n, int* x, int* y) {
    int scratch[2];
    bool stopped = false;
    const int result = kbx::pick_row(n, out(x, &scratch[0]), out(y, &scratch[1]), &stopped);
    return kbx::program_pick_result(result, stopped);
}

int KBX_PickColumn(int n, int* x, int* y) {
    int scratch[2];
    bool stopped = false;
    const int result = kbx::pick_column(n, out(x, &scratch[0]), out(y, &scratch[1]), &stopped);
    return kbx::program_pick_result(result, stopped);
}

int KBX_PickBox(int n, int* x1, int* y1, int* x2, int* y2) {
    int scratch[4];
    bool stopped = false;
    const int result = kbx::pick_box(n, out(x1, &scratch[0]), out(x2, &scratch[1]), out(y1, &scratch[2]),
                                     out(y2, &scratch[3]), &stopped);
    return kbx::program_pick_result(result, stopped);
}

int KBX_PickLine(int n, int* x1, int* y1, int* x2, int* y2) {
    int scratch[4];
    bool stopped = false;
    const int result = kbx::pick_line(n, out(x1, &scratch[0]), out(y1, &scratch[1]), out(x2, &scratch[2]),
                                      out(y2, &scratch[3]), &stopped);
    return kbx::program_pick_result(result, stopped);
}

int KBX_PickCircle(int n, int* cx, int* cy, int* r) {
    int scratch[3];
    bool stopped = false;
    const int result = kbx::pick_circle(n, out(cx, &scratch[0]), out(cy, &scratch[1]), out(r, &scratch[2]), &stopped);
    return kbx::program_pick_result(result, stopped);
}
