// The single request slot through which the control window (first thread)
// has the user-program thread create its windows.
#include "boxes/win_boxes.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

// False when the wait was given up: the main routine has started or Exit is
// under way, so the slot will never be served again.
bool wait_until_slot_free() {
    for (;;) {
        int code = request_code;
        if (code == 0) return true;
        if (code == kRequestsClosed || exit_state != 0) return false;
        pump_messages();
        wait_for_work(kWaitSliceMs);
    }
}

enum Outcome { kServed, kRefused, kAbandoned };

// Parameters are written after wait_until_slot_free() and before this, with
// no pumping between; the code goes last, and only into a free slot. The
// user-program thread closes the slot the same way before it starts the main
// routine, so a request is either served or refused, never left waiting.
// The wait is abandoned when Exit begins.
Outcome publish(int code) {
    request_done = 0;
    int free_slot = 0;
    if (!request_code.compare_exchange_strong(free_slot, code)) {
        request_done = 1;
        return kRefused;
    }
    wake_user_thread();
    while (request_done == 0) {
        if (exit_state != 0) return kAbandoned;
        pump_messages();
        wait_for_work(kWaitSliceMs);
    }
    return kServed;
}

int result_of(Outcome outcome) { return outcome == kServed ? request_result : -1; }

}  // namespace

int post_create_image(int n, const char* title, int width, int height, int depth) {
    if (!wait_until_slot_free()) return -1;
    request_number = n;
    request_title = title;
    request_x = -1;
    request_y = -1;
    request_width = width;
    request_height = height;
    request_depth = depth;
    request_zoom = 100;
    return result_of(publish(kRequestCreateImage));
}

void post_show_image(int n) {
    if (!wait_until_slot_free()) return;
    request_number = n;
    publish(kRequestShowImage);
}

int post_load_image(int n, const char* path) {
    if (!wait_until_slot_free()) return -1;
    request_number = n;
    request_path = path;
    request_x = 0;
    request_y = 0;
    return result_of(publish(kRequestLoadImage));
}

void post_put_bitmap(HBITMAP bitmap) {
    // Ownership was handed over: a refused bitmap must not leak.
    bool refused = !wait_until_slot_free();
    if (!refused) {
        request_bitmap = bitmap;
        refused = publish(kRequestPutBitmap) == kRefused;
    }
    if (refused) {
        DeleteObject(bitmap);
        request_bitmap = nullptr;
    }
}

void post_open_text_window(int n) {
    if (valid_window_number(n) && text_windows[n].in_use) {
        SetForegroundWindow(text_windows[n].window);
        return;
    }
    if (!wait_until_slot_free()) return;
    request_number = n;
    request_x = request_y = request_width = request_height = -1;
    publish(kRequestOpenTextWindow);
}

void post_open_input_box(int count) {
    if (!wait_until_slot_free()) return;
    request_number = count;
    request_x = 0;
    request_y = 0;
    publish(kRequestOpenInputBox);
}

void post_open_button_box(int columns, int rows) {
    if (!wait_until_slot_free()) return;
    request_width = columns;
    request_height = rows;
    request_x = 0;
    request_y = 0;
    publish(kRequestOpenButtonBox);
}

void service_request() {
    switch (request_code.load()) {
        case kRequestCreateImage:
            request_result = create_image_window(request_zoom, request_number, request_title, request_x,
                                                 request_y, request_width, request_height, request_depth);
            break;
        case kRequestShowImage:
            paint_image(request_number);
            break;
        case kRequestLoadImage:
            // A number not in use would load into whichever window is current.
            if (select_image(request_number) == 0) {
                request_result = load_image_file(request_path, request_x, request_y);
                restore_image();
            } else {
                request_result = 2;
            }
            break;
        case kRequestPutBitmap:
            put_bitmap_into_current_image(request_bitmap);
            request_bitmap = nullptr;
            break;
        case kRequestOpenTextWindow:
            if (valid_window_number(request_number))
                KBX_OpenTextWindow(request_number, request_x, request_y, request_width, request_height);
            break;
        case kRequestOpenInputBox:
            KBX_CloseInputBox();
            KBX_OpenInputBox(request_x, request_y, request_number);
            break;
        case kRequestOpenButtonBox:
            KBX_CloseButtonBox();
            KBX_OpenButtonBox(request_x, request_y, request_width, request_height);
            break;
        default:
            break;
    }
    request_done = 1;
    request_code = 0;
    if (first_thread_wake) SetEvent(first_thread_wake);
}

}  // namespace kbx
