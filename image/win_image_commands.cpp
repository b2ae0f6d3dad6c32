// The image window's commands, from its menus and its shortcut keys.
#include <windows.h>
#include <commdlg.h>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_file_names.h"
#include "image/image_menus.h"
#include "image/win_image_window.h"
#include "imageproc/win_image_tools.h"
#include "kbx_textwin.h"

namespace kbx {

void run_image_command(HWND window, int id);

namespace {

void invalidate_current() {
    if (image_window_in_use(current_image)) InvalidateRect(image_windows[current_image].window, nullptr, FALSE);
}

// Text window 0 (opened or brought forward) takes the answer to a prompt.
int prompt_number(const char* format, int n) {
    KBX_OpenTextWindow(0, -1, -1, -1, -1);
    KBX_Print(format, n);
    char line[256];
    line[0] = 0;
    KBX_InputLine(line);
    return parse_prompt_number(line);
}

void load_command(HWND window) {
    if (find_and_select_image_window(window) < 0) return;
    char path[kImagePathChars];
    if (choose_open_file(path, window) != 0) return;
    load_image_file(path, 0, 0);
    invalidate_current();
}

void save_command(HWND window) {
    if (find_and_select_image_window(window) < 0) return;
    char path[kImagePathChars];
    if (choose_save_file(path, window) != 0) return;
    const int saved_quality = jpeg_quality;
    jpeg_quality = 100;   // a save from the menu is always at full quality
    if (image_window_in_use(current_image)) {
        const ImageWindowRecord& r = image_windows[current_image];
        save_image_file(r.height, r.width, format_for_save_filter(save_filter_index), path);
    }
    jpeg_quality = saved_quality;
}

void cut_or_copy(int n, bool cut) {
    const int copied = copy_image_to_clipboard(n);
    if (copied == 3) pause_message("No enough memory for copy");
    // A cut whose copy failed keeps its picture.
    if (!cut || copied != 0) return;
    clear_image_window(n);
    InvalidateRect(image_windows[n].window, nullptr, FALSE);
}

void zoom_prompt(int n) {
    if (n < 0) return;
    int zoom = prompt_number("[%d] Zoom(%%)=", n);
    change_zoom(zoom, n);
}

void resize_prompt(int n) {
    if (n < 0) return;
    int width = prompt_number("[%d] New x-size(pixel)=", n);
    int height = prompt_number("[%d] New y-size(pixel)=", n);
    resize_image(n, width, height);
}

int from_colorref(COLORREF c) {
    return (static_cast<int>(GetRValue(c)) << 16) | (static_cast<int>(GetGValue(c)) << 8) | GetBValue(c);
}

void color_change(HWND window) {
    CHOOSECOLORW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.rgbResult = to_colorref(draw_color);
    dialog.lpCustColors = custom_colors;
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    // Cancelling keeps rgbResult, so the text colours still follow draw_color.
    ChooseColorW(&dialog);
    draw_color = from_colorref(dialog.rgbResult);
    kbx_tttc = draw_color;
    kbx_tc = draw_color;
}

void font_change(HWND window) {
    LOGFONTW font = {};
    if (image_text_font) GetObjectW(image_text_font, sizeof font, &font);
    DeleteObject(image_text_font);
    image_text_font = nullptr;
    // The dialog works on a copy: some versions write into the description
    // while it is open, and cancelling must give the same font again.
    LOGFONTW chosen = font;
    CHOOSEFONTW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpLogFont = &chosen;
    dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_SCRIPTSONLY;
    dialog.nFontType = SCREEN_FONTTYPE;
    if (ChooseFontW(&dialog)) font = chosen;
    image_text_font = CreateFontIndirectW(&font);
}

}  // namespace

void run_image_command(HWND window, int id) {
    const int n = find_image_window(window);
    switch (id) {
        case kCmdLoadImage: load_command(window); break;
        case kCmdDestroyImage: destroy_image_window(n); break;
        case kCmdZoom50: change_zoom(50, n); break;
        case kCmdZoom100: change_zoom(100, n); break;
        case kCmdZoom200: change_zoom(200, n); break;
        case kCmdZoomPrompt: zoom_prompt(n); break;
        case kCmdResizePrompt: resize_prompt(n); break;
        case kCmdSaveAs: save_command(window); break;
        case kCmdCut: cut_or_copy(n, true); break;
        case kCmdCopy: cut_or_copy(n, false); break;
        case kCmdPastePlaced: paste_into_image(n, -1, -1); break;
        case kCmdPasteTopLeft: paste_into_image(n, 0, 0); break;
        case kCmdColorChange: color_change(window); break;
        case kCmdTrueTypeFont: font_change(window); break;
        default:
            // The processing menu's commands; other ids have no command here.
            run_processing_command(window, id);
            break;
    }
}

}  // namespace kbx
