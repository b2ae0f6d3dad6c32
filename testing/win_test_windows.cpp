// The program's windows by kind, number and title, read and given input.
#include <cwchar>

#include "testing/win_test_state.h"
#include "testing/win_waits.h"
#include "testing/win_windows.h"

using namespace kbxtest;

namespace {

const char* kind_name(KBX_TestWindowKind kind) {
    switch (kind) {
        case KBX_TEST_CONTROL_WINDOW: return "the control window";
        case KBX_TEST_TEXT_WINDOW: return "text window";
        case KBX_TEST_INPUT_BOX: return "the input box";
        case KBX_TEST_BUTTON_BOX: return "the button box";
        case KBX_TEST_IMAGE_WINDOW: return "image window";
    }
    return "?";
}

// An image window's caption is its title followed by "(<zoom>%)".
bool caption_has_title(const std::wstring& caption, const std::wstring& title) {
    return caption.size() > title.size() && caption.compare(0, title.size(), title) == 0 &&
           caption[title.size()] == L'(';
}

HWND image_window_numbered(const KBX_TestProgram* program, int n) {
    for (HWND w : top_level_windows(program->pid, L"kbx_iw"))
        if (reinterpret_cast<INT_PTR>(GetPropW(w, KBX_IMAGE_NUMBER_PROPERTY)) == static_cast<INT_PTR>(n) + 1) return w;
    return nullptr;
}

int thread_hold(const KBX_TestProgram* program, bool hold) {
    const DWORD thread = user_thread(program);
    HANDLE h = thread ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread) : nullptr;
    if (!h) return fail(1, "%s: the program's user thread (which owns its windows) is not found", hold ? "hold" : "release");
    const DWORD count = hold ? SuspendThread(h) : ResumeThread(h);
    CloseHandle(h);
    return count == static_cast<DWORD>(-1) ? fail(1, "hold/release: the thread refused (error %lu)", GetLastError()) : 0;
}

}  // namespace

KBX_TestWindow KBX_TestFindWindow(const KBX_TestProgram* program, KBX_TestWindowKind kind, int n) {
    switch (kind) {
        case KBX_TEST_CONTROL_WINDOW: return IsWindow(as_hwnd(program->control)) ? program->control : nullptr;
        case KBX_TEST_TEXT_WINDOW: {
            wchar_t title[32];
            std::swprintf(title, 32, L"TextWindow %d", n);
            return program_window(program, L"kbx_twi", title);
        }
        case KBX_TEST_INPUT_BOX: return program_window(program, L"kbx_ib");
        case KBX_TEST_BUTTON_BOX: return program_window(program, L"kbx_bb");
        case KBX_TEST_IMAGE_WINDOW: return image_window_numbered(program, n);
    }
    return nullptr;
}

KBX_TestWindow KBX_TestWaitForWindow(const KBX_TestProgram* program, KBX_TestWindowKind kind, int n) {
    KBX_TestWindow found = nullptr;
    if (wait_until([&] { return (found = KBX_TestFindWindow(program, kind, n)) != nullptr; }, wait_limit()))
        return found;
    if (kind == KBX_TEST_TEXT_WINDOW || kind == KBX_TEST_IMAGE_WINDOW)
        fail(0, "waited %lu ms for %s %d to open", wait_limit(), kind_name(kind), n);
    else fail(0, "waited %lu ms for %s to open", wait_limit(), kind_name(kind));
    return nullptr;
}

KBX_TestWindow KBX_TestFindImageWindow(const KBX_TestProgram* program, const char* title) {
    const std::wstring wanted = to_wide(title);
    for (HWND w : top_level_windows(program->pid, L"kbx_iw"))
        if (caption_has_title(window_text(w), wanted)) return w;
    return nullptr;
}

KBX_TestWindow KBX_TestWaitForImageWindow(const KBX_TestProgram* program, const char* title) {
    KBX_TestWindow found = nullptr;
    if (wait_until([&] { return (found = KBX_TestFindImageWindow(program, title)) != nullptr; }, wait_limit()))
        return found;
    fail(0, "waited %lu ms for an image window titled \"%s\" to open", wait_limit(), title);
    return nullptr;
}

std::string KBX_TestWindowText(KBX_TestWindow window) {
    return IsWindow(as_hwnd(window)) ? to_ansi(window_text(as_hwnd(window))) : std::string();
}

int KBX_TestWindowRect(KBX_TestWindow window, int* x, int* y, int* width, int* height) {
    RECT r;
    if (!GetWindowRect(as_hwnd(window), &r)) return fail(1, "window rectangle: no such window");
    *x = r.left;
    *y = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return 0;
}

int KBX_TestClientSize(KBX_TestWindow window, int* width, int* height) {
    RECT r;
    if (!GetClientRect(as_hwnd(window), &r)) return fail(1, "client size: no such window");
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return 0;
}

KBX_TestWindow KBX_TestFocus(const KBX_TestProgram* program) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = user_thread(program);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

int KBX_TestPostKey(KBX_TestWindow window, int key) {
    if (!IsWindow(as_hwnd(window))) return fail(1, "key: no such window");
    post_key(as_hwnd(window), static_cast<UINT>(key));
    return 0;
}

int KBX_TestPostClick(KBX_TestWindow window, int x, int y) {
    if (!IsWindow(as_hwnd(window))) return fail(1, "click: no such window");
    post_click(as_hwnd(window), x, y);
    return 0;
}

int KBX_TestPostCommand(KBX_TestWindow window, int command) {
    if (!IsWindow(as_hwnd(window))) return fail(1, "command %d: no such window", command);
    PostMessageW(as_hwnd(window), WM_COMMAND, static_cast<WPARAM>(command), 0);
    return 0;
}

int KBX_TestHoldProgram(const KBX_TestProgram* program) { return thread_hold(program, true); }
int KBX_TestReleaseProgram(const KBX_TestProgram* program) { return thread_hold(program, false); }
