#include "tests/support/session.h"

#include <atomic>
#include <thread>
#include <utility>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "image/pointer_events.h"
#include "tests/support/driver.h"

namespace kbxtest {

namespace {

SessionOptions session;
std::thread framework;
std::function<void()> pending_step;
std::atomic<int> step_ready{0};
std::atomic<int> step_done{1};

void setup() {
    if (session.setup) session.setup();
    start_request = 1;
}

void main_routine() {
    while (::exit_state == 0) {
        if (session.dialog_pump)
            kbx::pump_dialog_messages();
        else
            kbx::pump_messages();
        if (step_ready.exchange(0)) {
            pending_step();
            step_done = 1;
        }
        kbx::wait_for_work(1);
    }
}

}  // namespace

void start_framework(const SessionOptions& options) {
    session = options;
    animations_off();
    // Clear a stale handle from an earlier run before waiting for the new one.
    kbx::control.window = nullptr;
    kbx::control.dc = nullptr;
    framework = std::thread([] { kbx::run_framework(GetModuleHandleW(nullptr), setup, main_routine); });
    wait_for_control_window();
    wait_until([] { return ::program_running == 1; });
}

void stop_framework() {
    HWND control = kbx::control.window;
    if (control && IsWindow(control)) PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, 0);
    framework.join();
    restore_animations();
}

void begin_on_user_thread(std::function<void()> step) {
    pending_step = std::move(step);
    step_done = 0;
    step_ready = 1;
    kbx::wake_user_thread();
}

bool finish_step() { return finish_step(session.finish_timeout_ms); }

bool finish_step(DWORD timeout_ms) { return wait_until([] { return step_done == 1; }, timeout_ms); }

void on_user_thread(const std::function<void()>& step) {
    begin_on_user_thread(step);
    finish_step(session.step_timeout_ms);
}

bool wait_idle(DWORD timeout_ms) {
    if (!finish_step(timeout_ms)) return false;
    begin_on_user_thread([] {});
    return finish_step(timeout_ms);
}

void settle() {
    // Two round trips: what the first one's messages posted is handled
    // before the second one ends.
    on_user_thread([] {});
    on_user_thread([] {});
}

void set_ctrl(bool down) {
    // Wine may resync a thread's key state from the desktop's at its next
    // read, when input went through the desktop meanwhile (another suite's
    // real key presses): set it again until this thread reads it back.
    wait_until([down] {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        keys[VK_LCONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
        return ((GetKeyState(VK_CONTROL) & 0x8000) != 0) == down;
    }, 2000);
}

// --- pop-up menus ------------------------------------------------------------------

std::vector<MenuItem> menu_items(HMENU menu) {
    std::vector<MenuItem> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back({text, info.wID, (info.fState & MFS_CHECKED) != 0, (info.fType & MFT_SEPARATOR) != 0,
                         info.hSubMenu});
    }
    return items;
}

std::vector<MenuItem> popup_items(HWND popup) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    return menu ? menu_items(menu) : std::vector<MenuItem>();
}

HWND wait_for_popup(DWORD timeout_ms) {
    HWND popup = nullptr;
    wait_until(
        [&] {
            popup = find_window(L"#32768", nullptr, GetCurrentProcessId());
            return popup && IsWindowVisible(popup);
        },
        timeout_ms);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

HWND open_popup(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    PostMessageW(window, message, wparam, lparam);
    return wait_for_popup(5000);
}

void close_popup(HWND owner, HWND popup) {
    PostMessageW(owner, WM_CANCELMODE, 0, 0);
    wait_until([&] { return !IsWindowVisible(popup); }, 3000);
}

void choose_first_item(HWND popup) {
    post_key(popup, VK_DOWN);
    post_key(popup, VK_RETURN);
    wait_until([&] { return !IsWindowVisible(popup); }, 3000);
}

// --- image windows -------------------------------------------------------------------

void clear_image_windows() {
    for (int n = 0; n < kbx::kMaxWindows; ++n) kbx::destroy_image_window(n);
    kbx::current_image = 0;
    for (int& entry : kbx::image_select_stack) entry = 0;
    kbx::drawing_tool_mode = 0;
    kbx::input_active = 0;
    kbx::reset_pointer_records();
}

std::string image_caption(int n) {
    char text[512];
    kbx::get_window_text_ansi(kbx::image_windows[n].window, text, sizeof text);
    return text;
}

}  // namespace kbxtest
