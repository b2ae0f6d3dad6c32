#include "tests/support/driver.h"

#include <atomic>
#include <cstring>
#include <cwchar>
#include <thread>

#include "core/win_runtime.h"
#include "core/win_state.h"

namespace kbxtest {

namespace {

std::atomic<int> marker_seen{0};

UINT marker_message() {
    static const UINT message = RegisterWindowMessageW(L"kbx_test_marker");
    return message;
}

LRESULT CALLBACK watch_for_marker(int code, WPARAM wp, LPARAM lp) {
    const MSG* msg = reinterpret_cast<const MSG*>(lp);
    if (code >= 0 && wp == PM_REMOVE && msg->message == marker_message()) marker_seen = 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Window null: a thread message.
bool marker_taken(DWORD thread_id, HWND window, DWORD timeout_ms) {
    // A thread has a queue once it has made its first message call; until
    // then nothing can be posted to it.
    if (!window && !wait_until([&] { return PostThreadMessageW(thread_id, WM_NULL, 0, 0) != FALSE; }, timeout_ms))
        return false;
    marker_seen = 0;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, watch_for_marker, nullptr, thread_id);
    if (!hook) return false;
    const BOOL posted = window ? PostMessageW(window, marker_message(), 0, 0)
                               : PostThreadMessageW(thread_id, marker_message(), 0, 0);
    const bool taken = posted && wait_until([] { return marker_seen == 1; }, timeout_ms);
    UnhookWindowsHookEx(hook);
    return taken;
}

}  // namespace

bool wait_posted_taken(HWND window, DWORD timeout_ms) {
    return marker_taken(GetWindowThreadProcessId(window, nullptr), window, timeout_ms);
}

bool wait_thread_pumps(DWORD thread_id, DWORD timeout_ms) { return marker_taken(thread_id, nullptr, timeout_ms); }

bool wait_user_thread_pumps(DWORD timeout_ms) {
    return wait_until([] { return kbx::control.user_thread_id != 0; }, timeout_ms) &&
           wait_thread_pumps(kbx::control.user_thread_id, timeout_ms);
}

// --- in-process runs -----------------------------------------------------------

HWND wait_for_control_window(DWORD timeout_ms) {
    // The handle is recorded early in creation; the window is in place and
    // its status label set once start-up has taken its device context.
    wait_until([] { return kbx::control.dc != nullptr && IsWindow(kbx::control.window); }, timeout_ms);
    return kbx::control.window;
}

namespace {
BOOL animations_before = TRUE;
}

void animations_off() {
    SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animations_before, 0);
    SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(FALSE), 0);
}

void restore_animations() {
    SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(animations_before)), 0);
}

int run_framework_with(void (*setup)(), void (*main_routine)(), const std::function<void()>& driver) {
    animations_off();
    // Clear a stale handle from an earlier run before the driver looks.
    kbx::control.window = nullptr;
    kbx::control.dc = nullptr;
    std::thread worker([&] {
        driver();
        HWND control = kbx::control.window;
        if (control && IsWindow(control)) PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    int code = kbx::run_framework(GetModuleHandleW(nullptr), setup, main_routine);
    worker.join();
    restore_animations();
    return code;
}

void post_command(HWND window, WORD id) { PostMessageW(window, WM_COMMAND, id, 0); }
void send_command(HWND window, WORD id) { SendMessageW(window, WM_COMMAND, id, 0); }

std::string exe_path(const wchar_t* name) {
    const std::wstring path = program_path(name);
    return std::string(path.begin(), path.end());
}

// --- pictures ------------------------------------------------------------------

HBITMAP solid_bitmap(int w, int h, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, w, h};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace kbxtest
