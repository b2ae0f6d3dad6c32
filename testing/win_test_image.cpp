// Image windows from outside: the picture handed over privately, and
// clicks and drags at picture pixels whatever the zoom.
#include <cwchar>
#include <string>

#include "testing/picture_points.h"
#include "testing/win_clipboard.h"
#include "testing/win_process.h"
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

int KBX_TestImageZoom(KBX_TestWindow window) {
    new_call();
    return caption_zoom(KBX_TestWindowText(window).c_str());
}

int KBX_TestReadImage(KBX_TestWindow window, KBX_TestPicture* picture) {
    new_call();
    HWND w = as_hwnd(window);
    if (!is_image_window(w)) return fail(KBX_TEST_NO_SUCH_WINDOW, "read image: not an image window");
    // The window writes its picture into a file of ours: nothing passes
    // through the clipboard.
    static int count = 0;
    wchar_t name[64];
    std::swprintf(name, 64, L"kbx_picture_%lu_%d.dib", GetCurrentProcessId(), ++count);
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = join_path(folder, name);
    COPYDATASTRUCT data = {};
    data.dwData = KBX_COPYDATA_SAVE_DIB;
    data.cbData = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(path.c_str());
    DWORD_PTR saved = 0;
    std::string bytes;
    const bool answered = SendMessageTimeoutW(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                                              wait_limit(), &saved) != 0;
    const bool read = answered && saved == 1 && read_file(path, &bytes) &&
                      decode_packed_dib(bytes.data(), bytes.size(), &picture->width, &picture->height, &picture->pixels);
    DeleteFileW(path.c_str());
    if (!answered)
        return fail(KBX_TEST_TIMED_OUT, "read image: \"%s\" did not answer within %lu ms",
                    KBX_TestWindowText(window).c_str(), wait_limit());
    if (!read) return fail(KBX_TEST_REFUSED, "read image: \"%s\" gave no picture", KBX_TestWindowText(window).c_str());
    return KBX_TEST_DONE;
}

namespace {

// Waits for a pointing wait, posts the input and waits until the loop has
// taken it (its count of points taken moves on).
int answer_pointing(const KBX_TestProgram* program, HWND window, int x1, int y1, int x2, int y2, bool drag) {
    new_call();
    const char* what = drag ? "drag image" : "click image";
    if (!is_image_window(window)) return fail(KBX_TEST_NO_SUCH_WINDOW, "%s: not an image window", what);
    int cx1, cy1, cx2, cy2;
    if (!client_point(window, x1, y1, &cx1, &cy1) || !client_point(window, x2, y2, &cx2, &cy2))
        return fail(KBX_TEST_REFUSED, "%s: pixel (%d, %d) or (%d, %d) is not shown at zoom %d", what, x1, y1, x2, y2,
                    KBX_TestImageZoom(window));
    int result = wait_running(program, [&] { return run_state(program) == KBX_RUN_POINT_WANTED; }, what,
                              "the program to wait for a point");
    if (result != KBX_TEST_DONE) return result;
    const long before = points_taken(program);
    if (drag) post_drag(window, cx1, cy1, cx2, cy2);
    else post_click(window, cx1, cy1);
    return wait_running(program, [&] { return points_taken(program) != before; }, what,
                        "the program to take the point");
}

}  // namespace

int KBX_TestClickImage(const KBX_TestProgram* program, KBX_TestWindow window, int x, int y) {
    return answer_pointing(program, as_hwnd(window), x, y, x, y, false);
}

int KBX_TestDragImage(const KBX_TestProgram* program, KBX_TestWindow window, int x1, int y1, int x2, int y2) {
    return answer_pointing(program, as_hwnd(window), x1, y1, x2, y2, true);
}
