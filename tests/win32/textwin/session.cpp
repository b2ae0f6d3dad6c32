#include "tests/win32/textwin/session.h"

#include <atomic>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "textwin/win_text_window.h"

namespace textwin_test {

namespace {

HWND pump_helper = nullptr;
const std::function<void()>* pump_job = nullptr;
std::atomic<int> pump_job_done{1};

LRESULT CALLBACK pump_helper_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_APP) return DefWindowProcW(window, message, wparam, lparam);
    (*pump_job)();
    pump_job_done = 1;
    return 0;
}

void create_pump_helper() {
    WNDCLASSW cls = {};
    cls.lpfnWndProc = pump_helper_proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"kbx_test_pump";
    RegisterClassW(&cls);   // fails harmlessly when a run before registered it
    pump_helper = CreateWindowExW(0, L"kbx_test_pump", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
}

int rgb_of(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

void start_session() {
    kbxtest::SessionOptions options;
    options.dialog_pump = false;
    options.setup = create_pump_helper;
    options.step_timeout_ms = 120000;
    options.finish_timeout_ms = 20000;
    kbxtest::start_framework(options);
}

void end_session() { kbxtest::stop_framework(); }

void in_user_pump(const std::function<void()>& job) {
    pump_job = &job;
    pump_job_done = 0;
    PostMessageW(pump_helper, WM_APP, 0, 0);
    kbxtest::wait_until([] { return pump_job_done == 1; }, 20000);
    pump_job = nullptr;
}

void close_all_text_windows() {
    on_user_thread([] {
        for (int n = 0; n < kbx::kMaxWindows; ++n) KBX_CloseTextWindow(n);
        kbx::current_text_window = 0;
    });
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

namespace textwin_test {

namespace {

std::wstring log_folder;

}  // namespace

std::wstring use_fresh_log_dir(const wchar_t* tag) {
    log_folder = kbxtest::make_temp_dir(tag);
    std::wstring dir = log_folder;
    if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    on_user_thread([&] {
        lstrcpynW(kbx::log_dir_w, dir.c_str(), kbx::kPathChars + 1);
        kbx::wide_to_ansi(kbx::log_dir_w, kbx::log_dir, sizeof kbx::log_dir);
    });
    return log_folder;
}

std::wstring log_path(int n) {
    return kbxtest::join_path(log_folder, L"KOBRIX" + std::to_wstring(kbx::instance_number) + std::to_wstring(n) + L".LOG");
}

std::string log_contents(int n) {
    std::string contents;
    kbxtest::read_file(log_path(n), &contents);
    return contents;
}

std::wstring dismiss_message_box(const wchar_t* caption, DWORD timeout_ms) {
    HWND box = nullptr;
    kbxtest::wait_until(
        [&] {
            box = kbxtest::find_window(L"#32770", caption, GetCurrentProcessId());
            return box && IsWindowVisible(box);
        },
        timeout_ms);
    if (!box) return L"";
    std::wstring text;
    for (HWND child : kbxtest::child_windows(box, L"Static")) {
        std::wstring t = kbxtest::window_text(child);
        if (!t.empty()) text = t;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    kbxtest::wait_until([&] { return !IsWindow(box); }, 3000);
    return text;
}

}  // namespace textwin_test

namespace textwin_test {

int Picture::count_other(int left, int top, int right, int bottom, int rgb) const {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (at(x, y) != rgb) ++count;
    return count;
}

namespace {

Picture picture_from(int n, bool screen) {
    Picture p;
    in_user_pump([&] {
        const kbx::TextWindowRecord& r = kbx::text_windows[n];
        kbx::TextScreenLock lock;
        p = read_picture(screen ? r.window_dc : r.memory_dc, r.client_width, r.client_height);
    });
    return p;
}

}  // namespace

Picture read_picture(HDC from, int width, int height) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<size_t>(p.width) * p.height, 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Copied into a section of our own: a back buffer stays selected.
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(from, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(from);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, p.width, p.height, from, 0, 0, SRCCOPY);
    GdiFlush();
    const int* source = static_cast<const int*>(bits);
    for (size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = source[i] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(copy);
    return p;
}

Picture back_picture(int n) { return picture_from(n, false); }
Picture screen_picture(int n) { return picture_from(n, true); }

Picture screen_picture_now(int n) {
    const kbx::TextWindowRecord& r = kbx::text_windows[n];
    // The class's own DC: the same one the control window copies into.
    kbx::TextScreenLock lock;
    HDC dc = GetDC(r.window);
    Picture p = read_picture(dc, r.client_width, r.client_height);
    ReleaseDC(r.window, dc);
    return p;
}

}  // namespace textwin_test
