// The program's windows by kind, number and title, read and given input.
#include <cwchar>
#include <functional>
#include <string>

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
    new_call();
    const char* call = hold ? "hold" : "release";
    if (!has_program(program, call)) return KBX_TEST_NO_PROGRAM;
    DWORD code = 0;
    if (program_ended(program, &code))
        return fail(KBX_TEST_PROGRAM_ENDED, "%s: the program ended (exit code %lu)", call, code);
    const DWORD thread = user_thread(program);
    HANDLE h = thread ? OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, thread) : nullptr;
    if (!h) return fail(KBX_TEST_REFUSED, "%s: the program's user thread (which owns its windows) is not found", call);
    DWORD count = hold ? SuspendThread(h) : ResumeThread(h);
    // A suspension takes effect later; reading the thread's registers waits
    // until it has.
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (hold && count != static_cast<DWORD>(-1) && !GetThreadContext(h, &context)) count = static_cast<DWORD>(-1);
    const DWORD error = GetLastError();
    CloseHandle(h);
    if (count == static_cast<DWORD>(-1)) return fail(KBX_TEST_REFUSED, "%s: the thread refused (error %lu)", call, error);
    return KBX_TEST_DONE;
}

// Waits for the window and gives it, or null with the last error set.
KBX_TestWindow wait_window(const KBX_TestProgram* program, const std::function<KBX_TestWindow()>& find,
                           const std::string& what) {
    KBX_TestWindow found = nullptr;
    wait_running(program, [&] { return (found = find()) != nullptr; }, "wait for a window", what,
                 KBX_TEST_NO_SUCH_WINDOW);
    return found;
}

}  // namespace

KBX_TestWindow KBX_TestFindWindow(const KBX_TestProgram* program, KBX_TestWindowKind kind, int n) {
    new_call();
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
    new_call();
    std::string what = kind_name(kind);
    if (kind == KBX_TEST_TEXT_WINDOW || kind == KBX_TEST_IMAGE_WINDOW) what += " " + std::to_string(n);
    return wait_window(program, [&] { return KBX_TestFindWindow(program, kind, n); }, what + " to open");
}

KBX_TestWindow KBX_TestFindImageWindow(const KBX_TestProgram* program, const char* title) {
    new_call();
    const std::wstring wanted = to_wide(title);
    for (HWND w : top_level_windows(program->pid, L"kbx_iw"))
        if (caption_has_title(window_text(w), wanted)) return w;
    return nullptr;
}

KBX_TestWindow KBX_TestWaitForImageWindow(const KBX_TestProgram* program, const char* title) {
    new_call();
    return wait_window(program, [&] { return KBX_TestFindImageWindow(program, title); },
                       std::string("an image window titled \"") + title + "\" to open");
}

std::string KBX_TestWindowText(KBX_TestWindow window) {
    new_call();
    return IsWindow(as_hwnd(window)) ? to_utf8(window_text(as_hwnd(window))) : std::string();
}

int KBX_TestWindowRect(KBX_TestWindow window, int* x, int* y, int* width, int* height) {
    new_call();
    RECT r;
    if (!GetWindowRect(as_hwnd(window), &r)) return fail(KBX_TEST_NO_SUCH_WINDOW, "window rectangle: no such window");
    *x = r.left;
    *y = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return 0;
}

int KBX_TestClientSize(KBX_TestWindow window, int* width, int* height) {
    new_call();
    RECT r;
    if (!GetClientRect(as_hwnd(window), &r)) return fail(KBX_TEST_NO_SUCH_WINDOW, "client size: no such window");
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return 0;
}

KBX_TestWindow KBX_TestFocus(const KBX_TestProgram* program) {
    new_call();
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = user_thread(program);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

int KBX_TestPostKey(KBX_TestWindow window, int key) {
    new_call();
    if (!IsWindow(as_hwnd(window))) return fail(KBX_TEST_NO_SUCH_WINDOW, "key: no such window");
    post_key(as_hwnd(window), static_cast<UINT>(key));
    return 0;
}

int KBX_TestPostClick(KBX_TestWindow window, int x, int y) {
    new_call();
    if (!IsWindow(as_hwnd(window))) return fail(KBX_TEST_NO_SUCH_WINDOW, "click: no such window");
    post_click(as_hwnd(window), x, y);
    return 0;
}

int KBX_TestPostCommand(KBX_TestWindow window, int command) {
    new_call();
    if (!IsWindow(as_hwnd(window))) return fail(KBX_TEST_NO_SUCH_WINDOW, "command %d: no such window", command);
    PostMessageW(as_hwnd(window), WM_COMMAND, static_cast<WPARAM>(command), 0);
    return 0;
}

int KBX_TestHoldProgram(const KBX_TestProgram* program) { return thread_hold(program, true); }
int KBX_TestReleaseProgram(const KBX_TestProgram* program) { return thread_hold(program, false); }
