#include "tests/support/driver.h"

#include <atomic>
#include <cstring>
#include <cwchar>
#include <thread>

#include "core/win_runtime.h"
#include "core/win_state.h"

namespace kbxtest {

bool wait_until(const std::function<bool()>& pred, DWORD timeout_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start > timeout_ms) return pred();
        Sleep(5);
    }
}

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

// --- programs ------------------------------------------------------------------

std::wstring bin_dir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    size_t slash = s.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : s.substr(0, slash);
}

std::wstring program_path(const wchar_t* name) { return join_path(bin_dir(), std::wstring(name) + L".exe"); }

Process launch(const std::wstring& exe, const std::wstring& workdir, const std::wstring& args) {
    Process p;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"\"" + exe + L"\"";
    if (!args.empty()) command += L" " + args;
    if (CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                       workdir.empty() ? nullptr : workdir.c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        p.handle = pi.hProcess;
        p.pid = pi.dwProcessId;
    }
    return p;
}

bool wait_exit(Process& process, DWORD timeout_ms, DWORD* exit_code) {
    if (!process.handle) return false;
    if (WaitForSingleObject(process.handle, timeout_ms) != WAIT_OBJECT_0) return false;
    if (exit_code) GetExitCodeProcess(process.handle, exit_code);
    return true;
}

void terminate(Process& process) {
    if (!process.handle) return;
    if (WaitForSingleObject(process.handle, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process.handle, 99);
        WaitForSingleObject(process.handle, 5000);
    }
    CloseHandle(process.handle);
    process.handle = nullptr;
}

// --- windows -----------------------------------------------------------------------

namespace {

struct Search {
    const wchar_t* cls;
    const wchar_t* title;
    DWORD pid;
    std::vector<HWND> found;
};

bool matches(HWND w, const Search& s) {
    if (s.pid) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != s.pid) return false;
    }
    if (s.cls && class_name(w) != s.cls) return false;
    if (s.title && window_text(w) != s.title) return false;
    return true;
}

BOOL CALLBACK collect(HWND w, LPARAM lp) {
    Search* s = reinterpret_cast<Search*>(lp);
    if (matches(w, *s)) s->found.push_back(w);
    return TRUE;
}

}  // namespace

HWND find_window(const wchar_t* cls, const wchar_t* title, DWORD pid) {
    Search s{cls, title, pid, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
    return s.found.empty() ? nullptr : s.found.front();
}

HWND wait_for_window(const wchar_t* cls, const wchar_t* title, DWORD timeout_ms, DWORD pid) {
    HWND found = nullptr;
    wait_until([&] { return (found = find_window(cls, title, pid)) != nullptr; }, timeout_ms);
    return found;
}

std::vector<HWND> top_level_windows(DWORD pid, const wchar_t* cls) {
    Search s{cls, nullptr, pid, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::vector<HWND> child_windows(HWND parent, const wchar_t* cls) {
    Search s{cls, nullptr, 0, {}};
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::wstring window_text(HWND window) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::wstring class_name(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

RECT window_rect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

SIZE client_size(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// --- input ---------------------------------------------------------------------------

void post_key(HWND window, UINT vk) {
    UINT scan = MapVirtualKeyW(vk, 0);
    PostMessageW(window, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageW(window, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

void post_char(HWND window, wchar_t ch) { PostMessageW(window, WM_CHAR, ch, 1); }

void post_text(HWND window, const std::wstring& text) {
    for (wchar_t ch : text) post_char(window, ch);
}

void post_click(HWND window, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
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

// --- clipboard ---------------------------------------------------------------------------

namespace {

// Another process may hold the clipboard for a moment.
bool open_clipboard() {
    return wait_until([] { return OpenClipboard(nullptr) != FALSE; }, 2000);
}

}  // namespace

std::string read_clipboard_text() {
    std::string text;
    if (!open_clipboard()) return text;
    HANDLE h = GetClipboardData(CF_TEXT);
    if (h) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        if (p) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

std::string clipboard_text_after(DWORD before, DWORD timeout_ms) {
    std::string text;
    DWORD seen = before;
    wait_until([&] {
        const DWORD now = GetClipboardSequenceNumber();
        if (now == seen) return false;
        seen = now;
        // Wine's clipboard manager may renumber a clipboard a test has just
        // emptied: a change with no text is not the one awaited.
        text = read_clipboard_text();
        return !text.empty();
    }, timeout_ms);
    return text;
}

bool write_clipboard_text(const std::wstring& text) {
    if (!open_clipboard()) return false;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool ok = false;
    if (h) {
        std::memcpy(GlobalLock(h), text.c_str(), bytes);
        GlobalUnlock(h);
        ok = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
        if (!ok) GlobalFree(h);
    }
    CloseClipboard();
    return ok;
}

bool clear_clipboard() {
    if (!open_clipboard()) return false;
    EmptyClipboard();
    CloseClipboard();
    return true;
}

// --- files -------------------------------------------------------------------------------------

std::wstring join_path(const std::wstring& dir, const std::wstring& name) {
    if (dir.empty()) return name;
    wchar_t last = dir.back();
    return (last == L'\\' || last == L'/') ? dir + name : dir + L"\\" + name;
}

std::string host_path(const char* path) { return path[0] == '/' ? std::string("Z:") + path : std::string(path); }

std::wstring make_temp_dir(const wchar_t* tag) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (int i = 0;; ++i) {
        wchar_t name[64];
        std::swprintf(name, 64, L"kbx_%ls_%lu_%d", tag, GetCurrentProcessId(), i);
        std::wstring dir = join_path(base, name);
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return dir;
    }
}

bool read_file(const std::wstring& path, std::string* contents) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    contents->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) contents->append(buffer, got);
    CloseHandle(f);
    return true;
}

}  // namespace kbxtest
