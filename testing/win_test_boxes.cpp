// The input box's fields and the button box's buttons, worked from outside.
#include <string>
#include <vector>

#include "testing/win_test_state.h"
#include "testing/win_windows.h"

using namespace kbxtest;

namespace {

HWND box_child(const KBX_TestProgram* program, const wchar_t* box, const wchar_t* cls, int i) {
    HWND parent = program_window(program, box);
    if (!parent || i < 0) return nullptr;
    std::vector<HWND> children = children_in_order(parent, cls);
    return static_cast<size_t>(i) < children.size() ? children[i] : nullptr;
}

bool set_text(HWND window, const char* text) {
    const std::wstring wide = to_wide(text);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                               wait_limit(), &result) != 0;
}

// Waits for field i or button k of its box: the window, or null with
// *result the failure's code.
HWND wait_child(const KBX_TestProgram* program, const wchar_t* box, const wchar_t* cls, int i, const char* call,
                int* result) {
    HWND found = nullptr;
    const std::string what = std::string(box == std::wstring(L"kbx_ib") ? "field " : "button ") + std::to_string(i);
    *result = wait_running(program, [&] { return (found = box_child(program, box, cls, i)) != nullptr; }, call,
                           what + " to be there", KBX_TEST_NO_SUCH_WINDOW);
    return found;
}

int type_field(const KBX_TestProgram* program, int i, const char* text, const char* call, HWND* field) {
    int result = KBX_TEST_DONE;
    *field = wait_child(program, L"kbx_ib", L"Edit", i, call, &result);
    if (!*field) return result;
    if (!set_text(*field, text))
        return fail(KBX_TEST_TIMED_OUT, "%s: field %d took no text within %lu ms", call, i, wait_limit());
    return KBX_TEST_DONE;
}

}  // namespace

KBX_TestWindow KBX_TestField(const KBX_TestProgram* program, int i) {
    new_call();
    return box_child(program, L"kbx_ib", L"Edit", i);
}

KBX_TestWindow KBX_TestFieldLabel(const KBX_TestProgram* program, int i) {
    new_call();
    return box_child(program, L"kbx_ib", L"Static", i);
}

KBX_TestWindow KBX_TestButton(const KBX_TestProgram* program, int k) {
    new_call();
    return box_child(program, L"kbx_bb", L"Button", k);
}

int KBX_TestTypeField(const KBX_TestProgram* program, int i, const char* text) {
    new_call();
    HWND field = nullptr;
    return type_field(program, i, text, "type into a field", &field);
}

int KBX_TestSetField(const KBX_TestProgram* program, int i, const char* text) {
    new_call();
    HWND field = nullptr;
    const int result = type_field(program, i, text, "set a field", &field);
    if (result != KBX_TEST_DONE) return result;
    // Into the field, then Enter: the box commits the focused field. Both
    // reach its thread before anything posted later (a button's click).
    post_click(field, 2, 2);
    post_key(field, VK_RETURN);
    return KBX_TEST_DONE;
}

std::string KBX_TestFieldText(const KBX_TestProgram* program, int i) {
    new_call();
    int result = KBX_TEST_DONE;
    HWND field = wait_child(program, L"kbx_ib", L"Edit", i, "field text", &result);
    return field ? to_utf8(window_text(field)) : std::string();
}

int KBX_TestPressButton(const KBX_TestProgram* program, int k) {
    new_call();
    int result = KBX_TEST_DONE;
    HWND button = wait_child(program, L"kbx_bb", L"Button", k, "press a button", &result);
    if (!button) return result;
    const SIZE size = client_size(button);
    post_click(button, size.cx / 2, size.cy / 2);
    return KBX_TEST_DONE;
}
