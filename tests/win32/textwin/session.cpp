#include "tests/win32/textwin/session.h"

#include <atomic>
#include <thread>

#include "core/runtime.h"
#include "core/state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"

namespace textwin_test {

namespace {

std::thread framework;
const std::function<void()>* pending_step = nullptr;
std::atomic<int> step_ready{0};
std::atomic<int> step_done{0};

void setup() { start_request = 1; }

void main_routine() {
    while (::exit_state == 0) {
        kbx::pump_messages();
        if (step_ready.exchange(0)) {
            (*pending_step)();
            step_done = 1;
        }
        kbx::wait_for_work(1);
    }
}

int rgb_of(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

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

void on_user_thread(const std::function<void()>& step) {
    pending_step = &step;
    step_done = 0;
    step_ready = 1;
    kbx::wake_user_thread();
    kbxtest::wait_until([] { return step_done == 1; }, 20000);
    pending_step = nullptr;
}

void close_all_text_windows() {
    on_user_thread([] {
        for (int n = 0; n < kbx::kMaxWindows; ++n) KBX_CloseTextWindow(n);
        kbx::current_text_window = 0;
    });
}

void settle() {
    // Two round trips: messages posted while the first step ran are
    // dispatched before the second one starts.
    on_user_thread([] {});
    on_user_thread([] {});
}

int back_pixel(int n, int x, int y) {
    int rgb = -1;
    on_user_thread([&] { rgb = rgb_of(GetPixel(kbx::text_windows[n].memory_dc, x, y)); });
    return rgb;
}

int screen_pixel(int n, int x, int y) {
    int rgb = -1;
    on_user_thread([&] { rgb = rgb_of(GetPixel(kbx::text_windows[n].window_dc, x, y)); });
    return rgb;
}

SIZE oem_cell() {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{tm.tmAveCharWidth, tm.tmHeight};
}

}  // namespace textwin_test
