// The single request slot through which the control window (first thread)
// has the user-program thread create its windows.
#include "boxes/boxes.h"
#include "core/runtime.h"
#include "core/state.h"
#include "image/image_window.h"
#include "textwin/text_window.h"

namespace kbx {

namespace {

// Requests are serviced only in the idle loop before the main routine; once
// it runs, a poster would wait for ever, so it is refused instead.
bool requests_refused() { return program_running != 0; }

void wait_until_slot_free() {
    while (request_code != 0) {
        pump_messages();
        wait_for_work(kWaitSliceMs);
    }
}

void wait_until_done() {
    while (request_done == 0) {
        pump_messages();
        wait_for_work(kWaitSliceMs);
    }
}

// Parameters are written before this; the code goes last.
void publish(int code) {
    request_done = 0;
    request_code = code;
    wake_user_thread();
    wait_until_done();
}

}  // namespace

int post_create_image(int n, const char* title, int width, int height, int depth) {
    if (requests_refused()) return -1;
    wait_until_slot_free();
    request_number = n;
    request_title = title;
    request_x = -1;
    request_y = -1;
    request_width = width;
    request_height = height;
    request_depth = depth;
    request_zoom = 100;
    publish(kRequestCreateImage);
    return request_result;
}

void post_show_image(int n) {
    if (requests_refused()) return;
    wait_until_slot_free();
    request_number = n;
    request_code = kRequestShowImage;
    wake_user_thread();
    // Usually completes after the poster has moved on; the next poster
    // waits for the slot.
    wait_until_done();
}

int post_load_image(int n, const char* path) {
    if (requests_refused()) return -1;
    wait_until_slot_free();
    request_number = n;
    request_path = path;
    request_x = 0;
    request_y = 0;
    publish(kRequestLoadImage);
    return request_result;
}

void post_put_bitmap(HBITMAP bitmap) {
    if (requests_refused()) {
        DeleteObject(bitmap);   // ownership was handed over; nothing may leak
        return;
    }
    wait_until_slot_free();
    request_bitmap = bitmap;
    publish(kRequestPutBitmap);
}

void post_open_text_window(int n) {
    if (valid_window_number(n) && text_windows[n].in_use) {
        SetForegroundWindow(text_windows[n].window);
        return;
    }
    if (requests_refused()) return;
    wait_until_slot_free();
    request_number = n;
    request_x = request_y = request_width = request_height = -1;
    publish(kRequestOpenTextWindow);
}

void post_open_input_box(int count) {
    if (requests_refused()) return;
    wait_until_slot_free();
    request_number = count;
    request_x = 0;
    request_y = 0;
    publish(kRequestOpenInputBox);
}

void post_open_button_box(int columns, int rows) {
    if (requests_refused()) return;
    wait_until_slot_free();
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
