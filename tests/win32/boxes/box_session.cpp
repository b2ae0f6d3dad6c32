#include "tests/win32/boxes/box_session.h"

#include <atomic>
#include <thread>

#include "core/runtime.h"
#include "core/state.h"
#include "kbx_boxes.h"
#include "tests/support/driver.h"

namespace boxes_test {

namespace {

std::thread framework;
std::function<void()> pending_step;
std::atomic<int> step_ready{0};
std::atomic<int> step_done{1};

void setup() { start_request = 1; }

// The boxes' keys (Enter, Tab) need the dialog-aware pump.
void main_routine() {
    while (::exit_state == 0) {
        kbx::pump_dialog_messages();
        if (step_ready.exchange(0)) {
            pending_step();
            step_done = 1;
        }
        kbx::wait_for_work(1);
    }
}

}  // namespace

void start_session() {
    kbx::control.window = nullptr;
    framework = std::thread([] { kbx::run_framework(GetModuleHandleW(nullptr), setup, main_routine); });
    kbxtest::wait_for_control_window();
    kbxtest::wait_until([] { return ::program_running == 1; });
}

void end_session() {
    HWND control = kbx::control.window;
    if (control && IsWindow(control)) PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, 0);
    framework.join();
}

void begin_on_user_thread(std::function<void()> step) {
    pending_step = std::move(step);
    step_done = 0;
    step_ready = 1;
    kbx::wake_user_thread();
}

bool finish_step(DWORD timeout_ms) { return kbxtest::wait_until([] { return step_done == 1; }, timeout_ms); }

void on_user_thread(const std::function<void()>& step) {
    begin_on_user_thread(step);
    finish_step(20000);
}

void settle() {
    // Two round trips: what the first one's messages posted is handled
    // before the second one ends.
    on_user_thread([] {});
    on_user_thread([] {});
}

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

HWND open_popup(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    PostMessageW(window, message, wparam, lparam);
    HWND popup = nullptr;
    kbxtest::wait_until(
        [&] {
            popup = kbxtest::find_window(L"#32768", nullptr, GetCurrentProcessId());
            return popup && IsWindowVisible(popup);
        },
        5000);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

std::vector<MenuItem> popup_items(HWND popup) {
    std::vector<MenuItem> items;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        items.push_back({text, GetMenuItemID(menu, i)});
    }
    return items;
}

void close_popup(HWND window, HWND popup) {
    PostMessageW(window, WM_CANCELMODE, 0, 0);
    kbxtest::wait_until([&] { return !IsWindowVisible(popup); }, 3000);
}

void choose_first_item(HWND popup) {
    kbxtest::post_key(popup, VK_DOWN);
    kbxtest::post_key(popup, VK_RETURN);
    kbxtest::wait_until([&] { return !IsWindowVisible(popup); }, 3000);
}

}  // namespace boxes_test
