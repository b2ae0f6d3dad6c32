// The pointing loops: a nested message loop on the user-program thread that
// feeds the mouse events the image window procedure records to the
// platform-free loop logic, which draws and removes the rubber bands.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "kbx_commands.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "image/pointer_events.h"
#include "imageproc/image_source.h"
#include "imageproc/pointing_events.h"
#include "imageproc/win_image_tools.h"

namespace kbx {

namespace {

void invalidate(int n) {
    if (image_window_in_use(n)) InvalidateRect(image_windows[n].window, nullptr, FALSE);
}

void begin_pointing(int n, const char* prompt, bool keep_stop) {
    // A stop requested before a menu tool started is forgotten, before the
    // prompt shows: whoever sees the prompt sees the loop ready for a Stop.
    if (!keep_stop) stop_request = 0;
    set_status_text(prompt);
    set_run_state(KBX_RUN_POINT_WANTED);
    DragAcceptFiles(control.window, FALSE);
    select_image(n);
    begin_pointer_events(&pointer_events, n);
    drawing_tool_mode = 1;
}

void end_pointing() {
    set_run_state(KBX_RUN_OTHER);
    show_depth_status();
    drawing_tool_mode = 0;
    end_pointer_events(&pointer_events);
    // Drops are taken only before the main routine starts.
    if (program_running == 0 && exit_state == 0) DragAcceptFiles(control.window, TRUE);
}

}  // namespace

int run_pointing_loop(int n, PointingKind kind, int place_w, int place_h, PointingLoop* loop, bool keep_stop) {
    *loop = PointingLoop{};
    loop->kind = kind;
    if (!image_window_in_use(n)) return 2;
    // One loop at a time: a second one started inside the first (only a
    // posted command can) would end the first one's mode under it.
    if (drawing_tool_mode) return 1;
    if (exit_state != 0 || (keep_stop && stop_request != 0)) {
        loop->stopped = true;
        return 1;
    }
    show_pending_output();
    const char* prompt = pointing_prompt(*loop);
    begin_pointing(n, prompt, keep_stop);

    PixelView view;
    image_view(n, &view);
    if (pointing_begin(loop, kind, view, pointer_events.move_x, pointer_events.move_y, place_w, place_h)) invalidate(n);

    int result = 1;
    for (;;) {
        pump_dialog_messages();
        // Closing the window is the one way left to lose it while the loop
        // runs (keys and menus are off); its pixels, bands and all, are gone.
        if (!image_window_in_use(n)) break;
        image_view(n, &view);
        if (take_pointer_events(loop, view, &pointer_events, stop_request != 0 || exit_state != 0)) invalidate(n);
        if (pointing_finished(*loop)) {
            result = pointing_result(*loop);
            if (result == 0) count_point_taken();
            break;
        }
        const char* now = pointing_prompt(*loop);
        if (std::strcmp(now, prompt) != 0) {
            // The first of two points is taken.
            count_point_taken();
            prompt = now;
            set_status_text(prompt);
        }
        // Sleep until the next message or wake-up (Stop and Exit wake us).
        wait_for_work(kWaitSliceMs);
    }
    end_pointing();
    return result;
}

namespace {

// The loops that take one click give its point.
int pick_one_point(int n, PointingKind kind, int place_w, int place_h, int* x, int* y) {
    PointingLoop loop;
    const int result = run_pointing_loop(n, kind, place_w, place_h, &loop);
    *x = loop.x1;
    *y = loop.y1;
    return result;
}

}  // namespace

int pick_point(int n, PointingKind kind, int* x, int* y) { return pick_one_point(n, kind, 0, 0, x, y); }

int pick_box(int n, int* x_min, int* y_min, int* x_max, int* y_max) {
    PointingLoop loop;
    const int result = run_pointing_loop(n, kPickBox, 0, 0, &loop);
    *x_min = loop.x1;
    *y_min = loop.y1;
    *x_max = loop.x2;
    *y_max = loop.y2;
    return result;
}

int pick_placement(int n, int w, int h, int* x, int* y) { return pick_one_point(n, kPickPlacement, w, h, x, y); }

}  // namespace kbx
