#include "tests/support/tool_session.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <mutex>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "imageproc/image_source.h"
#include "imageproc/pixels.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "textwin/key_ring.h"

namespace tool_test {

namespace {

LPARAM client_point(int n, int x, int y) {
    const int zoom = kbx::image_windows[n].zoom;
    // The last client pixel that still maps to the picture point.
    const int cx = ((x + 1) * zoom - 1) / 100;
    const int cy = ((y + 1) * zoom - 1) / 100;
    return MAKELPARAM(cx, cy);
}

}  // namespace

void start_session() {
    kbxtest::SessionOptions options;
    // The image windows run their queued commands inside this pump.
    options.dialog_pump = true;
    options.step_timeout_ms = 30000;
    kbxtest::start_framework(options);
}

void end_session() {
    reset_tools();
    kbxtest::stop_framework();
}

void reset_tools() {
    wait_idle(10000);
    on_user_thread([] {
        for (int n = 0; n < kbx::kMaxWindows; ++n) KBX_CloseTextWindow(n);
        kbxtest::clear_image_windows();
        kbx::draw_color = 0xFF0000;
        kbx::kbx_tc = 0;
        kbx::kbx_tttc = 0xFFFFFF;
        ::stop_request = 0;
        kbx::pump_messages();
    });
}

void post_command(int n, int id) { PostMessageW(kbx::image_windows[n].window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

void post_move(int n, int x, int y) { PostMessageW(kbx::image_windows[n].window, WM_MOUSEMOVE, 0, client_point(n, x, y)); }

void post_click(int n, int x, int y) {
    HWND window = kbx::image_windows[n].window;
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, client_point(n, x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, client_point(n, x, y));
}

void post_right_click(int n) {
    HWND window = kbx::image_windows[n].window;
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));
    PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(1, 1));
}

void click_box(int n, int x1, int y1, int x2, int y2) {
    ASSERT_TRUE(wait_status("Click the first point"));
    post_click(n, x1, y1);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_move(n, x2, y2);
    post_click(n, x2, y2);
    ASSERT_TRUE(wait_pointing(false));
}

void click_point(int n, int x, int y) {
    ASSERT_TRUE(wait_status("Click a point"));
    post_move(n, x, y);
    post_click(n, x, y);
    ASSERT_TRUE(wait_pointing(false));
}

std::string status_text() {
    std::wstring wide = kbxtest::window_text(kbx::control.status_label);
    std::string text(wide.begin(), wide.end());
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool wait_status(const std::string& text, DWORD timeout_ms) {
    return kbxtest::wait_until([&] { return status_text() == text; }, timeout_ms);
}

bool wait_pointing(bool running, DWORD timeout_ms) {
    return kbxtest::wait_until([&] { return (kbx::drawing_tool_mode != 0) == running; }, timeout_ms);
}

bool answer_prompt(const wchar_t* text) {
    if (!kbxtest::wait_until([] { return kbx::input_active != 0; }, 10000)) return false;
    HWND window = kbx::text_windows[kbx::input_active - 1].window;
    int before;
    {
        std::lock_guard<std::mutex> hold(kbx::key_ring.lock);
        before = kbx::key_ring.write_index;
    }
    const int units = static_cast<int>(std::wcslen(text)) + 1;
    kbxtest::post_text(window, text);
    kbxtest::post_char(window, L'\r');
    // Taken in full: every unit written and the ring empty again.
    return kbxtest::wait_until(
        [&] {
            std::lock_guard<std::mutex> hold(kbx::key_ring.lock);
            return kbx::key_ring.write_index == (before + units) % kbx::kKeyRingSize && kbx::key_ring.read_index == -1;
        },
        10000);
}

kbx::PixelImage snapshot(int n) {
    kbx::PixelImage copy;
    if (!kbx::image_windows[n].in_use) return copy;
    const kbx::ImageWindowRecord& r = kbx::image_windows[n];
    kbx::make_pixel_image(r.width, r.height, r.depth, &copy);
    kbx::PixelView source = kbx::make_pixel_view(kbx::image_pixels8[n], r.width, r.height, r.depth);
    kbx::PixelView target = kbx::view_of(copy);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) kbx::plot_pixel(target, x, y, kbx::get_pixel(source, x, y));
    return copy;
}

bool same_pixels(const kbx::PixelImage& a, const kbx::PixelImage& b) {
    return a.width == b.width && a.height == b.height && a.depth == b.depth && a.words == b.words;
}

bool wait_picture(int n, const kbx::PixelImage& expected, DWORD timeout_ms) {
    return kbxtest::wait_until([&] { return same_pixels(snapshot(n), expected); }, timeout_ms);
}

void fill_distinct(int n) {
    on_user_thread([n] {
        kbx::PixelView view;
        if (!kbx::image_view(n, &view)) return;
        for (int y = 0; y < view.height; ++y)
            for (int x = 0; x < view.width; ++x)
                kbx::plot_pixel(view, x, y, view.depth == 8 ? (x * 7 + y * 13) & 0xFF : 0x010203 * (x + 1) + 0x00A000 * y);
    });
}

}  // namespace tool_test
