#include "tests/win32/image/image_session.h"

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "tests/support/driver.h"

namespace image_test {

void start_session() {
    kbxtest::SessionOptions options;
    options.dialog_pump = true;
    options.step_timeout_ms = 30000;
    options.finish_timeout_ms = 10000;
    kbxtest::start_framework(options);
}

void end_session() {
    on_user_thread(kbxtest::clear_image_windows);
    kbxtest::stop_framework();
}

void reset_images() {
    on_user_thread([] {
        kbxtest::clear_image_windows();
        set_ctrl(false);
        kbx::pump_messages();
    });
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

SIZE client_of(int n) { return kbxtest::client_size(kbx::image_windows[n].window); }

Limits screen_limits() {
    int frame = GetSystemMetrics(SM_CXFRAME);
    int caption_h = GetSystemMetrics(SM_CYCAPTION);
    return Limits{GetSystemMetrics(SM_CXMIN) - 2 * frame, GetSystemMetrics(SM_CYMIN) - 2 * frame - caption_h,
                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) - caption_h};
}

}  // namespace image_test
