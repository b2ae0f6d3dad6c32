// The input box's fields and the button box's buttons, worked from outside.
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

}  // namespace

KBX_TestWindow KBX_TestField(const KBX_TestProgram* program, int i) {
    return box_child(program, L"kbx_ib", L"Edit", i);
}

KBX_TestWindow KBX_TestFieldLabel(const KBX_TestProgram* program, int i) {
    return box_child(program, L"kbx_ib", L"Static", i);
}

KBX_TestWindow KBX_TestButton(const KBX_TestProgram* program, int k) {
    return box_child(program, L"kbx_bb", L"Button", k);
}

int KBX_TestTypeField(const KBX_TestProgram* program, int i, const char* text) {
    HWND field = as_hwnd(KBX_TestField(program, i));
    if (!field) return fail(1, "type into field %d: the input box is closed or has no such field", i);
    if (!set_text(field, text)) return fail(1, "type into field %d: the field took no text within %lu ms", i, wait_limit());
    return 0;
}

int KBX_TestSetField(const KBX_TestProgram* program, int i, const char* text) {
    if (KBX_TestTypeField(program, i, text) != 0) return 1;
    // Into the field, then Enter: the box commits the focused field. Both
    // reach its thread before anything posted later (a button's click).
    HWND field = as_hwnd(KBX_TestField(program, i));
    post_click(field, 2, 2);
    post_key(field, VK_RETURN);
    return 0;
}

std::string KBX_TestFieldText(const KBX_TestProgram* program, int i) {
    return KBX_TestWindowText(KBX_TestField(program, i));
}

int KBX_TestPressButton(const KBX_TestProgram* program, int k) {
    HWND button = as_hwnd(KBX_TestButton(program, k));
    if (!button) return fail(1, "press button %d: the button box is closed or has no such button", k);
    const SIZE size = client_size(button);
    post_click(button, size.cx / 2, size.cy / 2);
    return 0;
}
