// Window Info: prints every open window's place and size in colour and puts
// a source fragment that recreates the layout on the clipboard.
#include <windows.h>

#include <cstring>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "textwin/layout_source.h"
#include "textwin/win_text_window.h"
#include "textwin/window_info.h"

namespace kbx {

namespace {

const int kWhite = 0xFFFFFF, kYellow = 0xFFFF00, kGreen = 0x00FF00, kAzure = 0x0080FF, kMagenta = 0xFF00FF,
          kBlack = 0x000000, kNavy = 0x000080;

POINT top_left(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return POINT{r.left, r.top};
}

void heading(const char* text) {
    KBX_PushColor(kBlack, kGreen);
    KBX_Print("%s", text);
    KBX_PopColor();
}

// Labels and captions hold at most 254 characters.
std::string control_text(HWND window) {
    char text[255 * 2];
    get_window_text_ansi(window, text, 255);
    return text;
}

// False when nothing was copied: the clipboard held by another program too
// long, or no memory (reported).
bool copy_to_clipboard(const std::string& fragment) {
    void* text = nullptr;
    HGLOBAL memory = new_clipboard_block(fragment.size() + 1, &text);
    if (!memory) {
        pause_message("GlobalAlloc() failed. (ID_INFO)");
        return false;
    }
    std::memcpy(text, fragment.c_str(), fragment.size() + 1);
    return hand_to_clipboard(CF_TEXT, memory) == 0;
}

// Each section prints its lines and adds its source to the fragment. Each
// line reads the tables afresh: printing lets windows move or close.
void report_image_windows(std::string* fragment) {
    bool any_image = false;
    for (int n = 0; n < kMaxWindows; ++n) any_image = any_image || image_windows[n].in_use;
    if (!any_image) return;
    heading("[Image Window]\n");
    *fragment += layout_image_heading();
    for (int n = 0; n < kMaxWindows; ++n) {
        if (!image_windows[n].in_use) continue;
        // Copied before the first print: printing pumps messages, and the
        // user may close this window (and free its title) meanwhile.
        const ImageWindowRecord& r = image_windows[n];
        POINT at = top_left(r.window);
        const LayoutImage line{n, r.depth, r.screen_limited, r.title ? r.title : "", static_cast<int>(at.x),
                               static_cast<int>(at.y), r.width, r.height, r.zoom};
        KBX_Print(" %d ", n);
        KBX_PushColor(kBlack, kAzure);
        KBX_Print("%d ", line.depth);
        KBX_PopColor();
        KBX_PushColor(kBlack, kMagenta);
        KBX_Print("%d ", line.screen_limited);
        KBX_PopColor();
        KBX_Print(" '%s' X:%d Y:%d W:%d H:%d ZM:%d%%\n", line.title.c_str(), line.x, line.y, line.width,
                  line.height, line.zoom);
        *fragment += layout_image_line(line);
    }
}

void report_text_windows(std::string* fragment) {
    heading("[Text Window]\n");
    *fragment += layout_text_heading();
    for (int n = 0; n < kMaxWindows; ++n) {
        const TextWindowRecord& r = text_windows[n];
        if (!r.in_use) continue;
        POINT at = top_left(r.window);
        KBX_Print(" %d X:%d Y:%d W:%d H:%d\n", n, static_cast<int>(at.x), static_cast<int>(at.y), r.client_width,
                  r.client_height);
        *fragment += layout_text_line(
            LayoutText{n, static_cast<int>(at.x), static_cast<int>(at.y), r.client_width, r.client_height});
    }
}

void report_input_box(std::string* fragment) {
    if (!input_box.window) return;
    heading("[Input Box]\n");
    POINT at = top_left(input_box.window);
    KBX_Print(" X:%d Y:%d ITEM:%d ", static_cast<int>(at.x), static_cast<int>(at.y), input_box.item_count);
    KBX_Print("ISIZE:%d ESIZE:%d\n", input_box.label_width, input_box.field_width);
    LayoutInputBox box{static_cast<int>(at.x), static_cast<int>(at.y), input_box.item_count, input_box.label_width,
                       input_box.field_width, {}};
    for (int i = 0; i < input_box.item_count && input_box.window; ++i)
        box.labels.push_back(control_text(input_box.label[i]));
    *fragment += layout_input_box_lines(box);
}

void report_button_box(std::string* fragment) {
    if (!button_box.window) return;
    heading("[Button Box]\n");
    POINT at = top_left(button_box.window);
    RECT client = {};
    GetClientRect(button_box.window, &client);
    KBX_Print(" X:%d Y:%d NX:%d NY:%d ", static_cast<int>(at.x), static_cast<int>(at.y), button_box.button_columns,
              button_box.button_rows);
    KBX_Print("SIZE:%dx%d\n", static_cast<int>(client.right), static_cast<int>(client.bottom));
    LayoutButtonBox box{static_cast<int>(at.x), static_cast<int>(at.y), button_box.button_columns,
                        button_box.button_rows, static_cast<int>(client.right), static_cast<int>(client.bottom), {}};
    for (int k = 0; k < button_box.button_count && button_box.window; ++k)
        box.captions.push_back(control_text(button_box.button[k]));
    *fragment += layout_button_box_lines(box);
}

}  // namespace

void window_info_report(int t) {
    KBX_SelectTextWindow(t);
    std::string fragment;

    KBX_PushColor(kBlack, kWhite);
    KBX_PushColor(kBlack, kYellow);
    KBX_Print("******* Window information *******\n");
    fragment += layout_header();
    KBX_PopColor();

    report_image_windows(&fragment);
    report_text_windows(&fragment);
    report_input_box(&fragment);
    report_button_box(&fragment);

    KBX_PushColor(kBlack, kYellow);
    KBX_Print("**********************************\n");
    fragment += layout_footer();
    KBX_PopColor();

    if (copy_to_clipboard(fragment)) {
        KBX_PushColor(kNavy, kYellow);
        // "The layout source list was saved to the clipboard", in Japanese,
        // printed from UTF-16 so that it reads right under any code page.
        print_wide(L"\x30AF\x30EA\x30C3\x30D7\x30DC\x30FC\x30C9\x306B\x30EC\x30A4\x30A2\x30A6\x30C8\x4F5C\x6210"
                   L"\x30BD\x30FC\x30B9\x30EA\x30B9\x30C8\x3092\x4FDD\x5B58\x3057\x307E\x3057\x305F\xFF0E\n");
        KBX_PopColor();
    }
    KBX_PopColor();
}

}  // namespace kbx
