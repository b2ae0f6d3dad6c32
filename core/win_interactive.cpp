// Interactive window creation from the control window, on the first thread:
// prompts in a text window, then requests to the user-program thread, which
// owns every window it creates.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "core/win_interactive.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "kbx_commands.h"
#include "kbx_textwin.h"

namespace kbx {

namespace {

// Text window 0 for the prompts: brought forward when open (the current
// text window stays), else opened by request (and made current).
void ensure_text_window_0() {
    if (text_windows[0].in_use) {
        SetForegroundWindow(text_windows[0].window);
    } else {
        post_open_text_window(0);
    }
}

// One answer as a number; unanswered prompts read as 0. Returns false when
// Exit was chosen meanwhile.
bool ask_number(const char* prompt, int* value) {
    char answer[520] = {};
    if (exit_state != 0) return false;
    KBX_Print("%s", prompt);
    KBX_InputLine(answer);
    if (exit_state != 0) return false;
    *value = std::atoi(answer);
    return true;
}

int lowest_free_image_number() {
    for (int n = 0; n < kMaxWindows; ++n)
        if (!image_windows[n].in_use) return n;
    return -1;
}

int lowest_free_text_number() {
    for (int n = 0; n < kMaxWindows; ++n)
        if (!text_windows[n].in_use) return n;
    return -1;
}

}  // namespace

void interactive_image_window() {
    ensure_text_window_0();
    KBX_Print("Creating ImageWindow...\n");
    int width = 0, height = 0, depth = 0;
    if (!ask_number(" Width=", &width)) return;
    if (!ask_number("Height=", &height)) return;
    if (!ask_number("Bit[32 or 8]=", &depth)) return;
    if (depth != 32 && depth != 8) return;
    int n = lowest_free_image_number();
    if (n < 0) return;
    char title[256];
    std::snprintf(title, sizeof title, "%03d", n);
    post_create_image(n, title, width, height, depth);
}

void interactive_text_window() {
    int n = lowest_free_text_number();
    if (n < 0) return;
    post_open_text_window(n);
}

void interactive_input_box() {
    ensure_text_window_0();
    KBX_Print("Creating InpuxBox...\n");
    int count = 0;
    if (!ask_number("How many items? >", &count)) return;
    post_open_input_box(count);
}

void interactive_button_box() {
    ensure_text_window_0();
    KBX_Print("Creating ButtonBox...\n");
    int columns = 0, rows = 0;
    if (!ask_number("Number[X]=>", &columns)) return;
    if (!ask_number("Number[Y]=>", &rows)) return;
    post_open_button_box(columns, rows);
}

void interactive_window_info() {
    if (!valid_window_number(current_text_window) || !text_windows[current_text_window].in_use)
        ensure_text_window_0();
    // Once the main routine runs nothing can be opened for it: report only
    // into a window that exists.
    int t = current_text_window;
    if (valid_window_number(t) && text_windows[t].in_use)
        PostMessageW(text_windows[t].window, WM_COMMAND, KBX_CMD_WINDOW_INFO, 0);
}

void interactive_paste() {
    if (program_running == 1) return;
    RGBQUAD palette[256];
    int palette_count = 0;
    HBITMAP bitmap = read_clipboard_bitmap(palette, &palette_count);
    if (!bitmap) return;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    for (int n = 0; n < kMaxWindows; ++n) {
        char title[256];
        std::snprintf(title, sizeof title, "%03d", n);
        if (post_create_image(n, title, info.bmWidth, info.bmHeight, 32) == 0) {
            post_put_bitmap(bitmap);   // the user-program thread deletes it
            post_show_image(n);
            restore_image();
            return;
        }
    }
    DeleteObject(bitmap);
}

void interactive_drop_files(HDROP drop) {
    int n = 0;
    bool refused = false;   // the main routine started or Exit began: nothing more opens
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && !refused; ++i) {
        wchar_t dropped[MAX_PATH] = {};
        wchar_t full[MAX_PATH] = {};
        char full_ansi[MAX_PATH], name_ansi[MAX_PATH];
        UINT width = 0, height = 0;
        DragQueryFileW(drop, i, dropped, MAX_PATH);
        if (!probe_picture_file(dropped, full, MAX_PATH, name_ansi, sizeof name_ansi, &width, &height)) continue;
        wide_to_ansi(full, full_ansi, sizeof full_ansi);

        for (;;) {
            char title[256];
            std::snprintf(title, sizeof title, "%03d %s", n, name_ansi);
            int result = post_create_image(n, title, static_cast<int>(width), static_cast<int>(height), 32);
            int used = n++;
            if (result == 0) {
                post_load_image(used, full_ansi);
                post_show_image(used);
                restore_image();
                break;
            }
            refused = result < 0;
            if (result != 1 || n >= kMaxWindows) break;
        }
    }
    DragFinish(drop);
}

}  // namespace kbx
