#include "testing/win_windows.h"

#include <algorithm>

#include "testing/win_waits.h"

namespace kbxtest {

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

std::vector<HWND> children_in_order(HWND parent, const wchar_t* cls) {
    std::vector<HWND> children = child_windows(parent, cls);
    std::stable_sort(children.begin(), children.end(), [](HWND a, HWND b) {
        RECT ra = window_rect(a), rb = window_rect(b);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return children;
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

void post_drag(HWND window, int x1, int y1, int x2, int y2) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y2));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
}

}  // namespace kbxtest
