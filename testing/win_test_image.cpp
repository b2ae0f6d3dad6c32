// Image windows from outside: the picture through the clipboard, and
// clicks and drags at picture pixels whatever the zoom.
#include "testing/picture_points.h"
#include "testing/win_clipboard.h"
#include "testing/win_test_state.h"
#include "testing/win_waits.h"
#include "testing/win_windows.h"

using namespace kbxtest;

namespace {

bool is_image_window(HWND window) { return IsWindow(window) && class_name(window) == L"kbx_iw"; }

bool client_point(HWND window, int x, int y, int* cx, int* cy) {
    const int zoom = KBX_TestImageZoom(window);
    return client_point_for_pixel(x, zoom, cx) && client_point_for_pixel(y, zoom, cy);
}

}  // namespace

int KBX_TestImageZoom(KBX_TestWindow window) { return caption_zoom(KBX_TestWindowText(window).c_str()); }

int KBX_TestReadImage(KBX_TestWindow window, KBX_TestPicture* picture) {
    HWND w = as_hwnd(window);
    if (!is_image_window(w)) return fail(1, "read image: not an image window");
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(w, WM_COMMAND, KBX_CMD_COPY, 0);
    DWORD seen = before;
    // Wine may renumber the clipboard on its own: only a change that brings
    // a picture is the copy.
    const bool read = wait_until([&] {
        const DWORD now = GetClipboardSequenceNumber();
        if (now == seen) return false;
        seen = now;
        return read_clipboard_picture(&picture->width, &picture->height, &picture->pixels);
    }, wait_limit());
    if (!read) return fail(2, "read image: waited %lu ms for the picture of \"%s\" on the clipboard", wait_limit(),
                           KBX_TestWindowText(window).c_str());
    return 0;
}

namespace {

bool pointing(const std::wstring& status) { return status.compare(0, 5, L"Click") == 0; }

// Waits for a pointing wait, posts the input and waits until the loop has
// taken it: the prompt changes (to the second point, or away when done).
// The loop keeps one click at a time, so the next must wait for that.
int answer_pointing(const KBX_TestProgram* program, HWND window, int x1, int y1, int x2, int y2, bool drag) {
    const char* what = drag ? "drag image" : "click image";
    if (!is_image_window(window)) return fail(1, "%s: not an image window", what);
    int cx1, cy1, cx2, cy2;
    if (!client_point(window, x1, y1, &cx1, &cy1) || !client_point(window, x2, y2, &cx2, &cy2))
        return fail(2, "%s: pixel (%d, %d) or (%d, %d) is not shown at zoom %d", what, x1, y1, x2, y2,
                    KBX_TestImageZoom(window));
    std::wstring prompt;
    if (!wait_until([&] { return pointing(prompt = status_text(program)); }, wait_limit()))
        return fail(3, "%s: waited %lu ms for the program to wait for a point (\"Click ...\")", what, wait_limit());
    if (drag) post_drag(window, cx1, cy1, cx2, cy2);
    else post_click(window, cx1, cy1);
    if (!wait_until([&] { return status_text(program) != prompt; }, wait_limit()))
        return fail(3, "%s: waited %lu ms for the program to take the point (\"%s\" to go)", what, wait_limit(),
                    to_ansi(prompt).c_str());
    return 0;
}

}  // namespace

int KBX_TestClickImage(const KBX_TestProgram* program, KBX_TestWindow window, int x, int y) {
    return answer_pointing(program, as_hwnd(window), x, y, x, y, false);
}

int KBX_TestDragImage(const KBX_TestProgram* program, KBX_TestWindow window, int x1, int y1, int x2, int y2) {
    return answer_pointing(program, as_hwnd(window), x1, y1, x2, y2, true);
}
