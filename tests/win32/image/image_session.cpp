#include "tests/win32/image/image_session.h"

#include <atomic>
#include <thread>

#include "core/runtime.h"
#include "core/state.h"
#include "image/image_window.h"
#include "image/pointer_events.h"
#include "tests/support/driver.h"

namespace image_test {

namespace {

std::thread framework;
std::function<void()> pending_step;
std::atomic<int> step_ready{0};
std::atomic<int> step_done{1};

void setup() { start_request = 1; }

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
    on_user_thread([] {
        for (int n = 0; n < kbx::kMaxWindows; ++n) kbx::destroy_image_window(n);
    });
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
    finish_step(30000);
}

void settle() {
    on_user_thread([] {});
    on_user_thread([] {});
}

void reset_images() {
    on_user_thread([] {
        for (int n = 0; n < kbx::kMaxWindows; ++n) kbx::destroy_image_window(n);
        kbx::current_image = 0;
        for (int& entry : kbx::image_select_stack) entry = 0;
        kbx::drawing_tool_mode = 0;
        kbx::input_active = 0;
        kbx::reset_pointer_records();
        set_ctrl(false);
        kbx::pump_messages();
    });
}

void set_ctrl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void fill32(int n, const std::function<std::uint32_t(int, int)>& f) {
    const kbx::ImageWindowRecord& r = kbx::image_windows[n];
    GdiFlush();
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) kbx::image_pixels32[n][y * r.width + x] = f(x, y);
}

void fill8(int n, const std::function<unsigned char(int, int)>& f) {
    const kbx::ImageWindowRecord& r = kbx::image_windows[n];
    const int stride = (r.width + 3) & ~3;
    GdiFlush();
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) kbx::image_pixels8[n][y * stride + x] = f(x, y);
}

std::uint32_t pixel32(int n, int x, int y) {
    GdiFlush();
    return kbx::image_pixels32[n][y * kbx::image_windows[n].width + x];
}

unsigned char pixel8(int n, int x, int y) {
    GdiFlush();
    return kbx::image_pixels8[n][y * ((kbx::image_windows[n].width + 3) & ~3) + x];
}

std::string caption(int n) {
    char text[512];
    kbx::get_window_text_ansi(kbx::image_windows[n].window, text, sizeof text);
    return text;
}

SIZE client_of(int n) { return kbxtest::client_size(kbx::image_windows[n].window); }

Limits screen_limits() {
    int frame = GetSystemMetrics(SM_CXFRAME);
    int caption_h = GetSystemMetrics(SM_CYCAPTION);
    return Limits{GetSystemMetrics(SM_CXMIN) - 2 * frame, GetSystemMetrics(SM_CYMIN) - 2 * frame - caption_h,
                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) - caption_h};
}

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

HWND wait_for_popup(DWORD timeout_ms) {
    HWND popup = nullptr;
    kbxtest::wait_until(
        [&] {
            popup = kbxtest::find_window(L"#32768", nullptr, GetCurrentProcessId());
            return popup && IsWindowVisible(popup);
        },
        timeout_ms);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

void close_popup(HWND owner, HWND popup) {
    PostMessageW(owner, WM_CANCELMODE, 0, 0);
    kbxtest::wait_until([&] { return !IsWindowVisible(popup); }, 3000);
}

}  // namespace image_test
