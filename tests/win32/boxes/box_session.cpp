#include "tests/win32/boxes/box_session.h"

#include "core/win_state.h"
#include "kbx_boxes.h"
#include "tests/support/driver.h"

namespace boxes_test {

void start_session() {
    kbxtest::SessionOptions options;
    options.dialog_pump = true;   // the boxes' keys (Enter, Tab) need it
    options.step_timeout_ms = 20000;
    options.finish_timeout_ms = 10000;
    kbxtest::start_framework(options);
}

void end_session() { kbxtest::stop_framework(); }

void reset_boxes() {
    on_user_thread([] {
        KBX_CloseInputBox();
        KBX_CloseButtonBox();
        KBX_ResizeInputBox(80, 70);
        kbx::button_box.button_width = 98;
        kbx::button_box.button_height = 26;
        ::stop_request = 0;
    });
}

HWND user_focus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(kbx::control.user_thread_id, &info);
    return info.hwndFocus;
}

RECT child_rect(HWND child) {
    RECT r = kbxtest::window_rect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace boxes_test
