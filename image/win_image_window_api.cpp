// The image window calls of the public API (selection, lifetime, commands,
// files, clipboard): each is the operation the menus use, addressed by
// window number, and leaves the selection as it found it unless it says
// otherwise.
#include <windows.h>

#include <cstdio>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_file_names.h"
#include "image/win_image_window.h"
#include "imageproc/picture_commands.h"
#include "imageproc/win_image_tools.h"
#include "kbx_image.h"

using namespace kbx;

int KBX_SelectImage(int n) { return select_image(n); }
int KBX_RestoreImage() { return restore_image(); }
int KBX_DestroyImage(int n) { return destroy_image_window(n); }
int KBX_FindImage(KBX_WindowHandle window) { return find_image_window(static_cast<HWND>(window)); }

int KBX_GetImageSize(int n, int* width, int* height) {
    if (!image_window_in_use(n)) return 1;
    if (width) *width = image_windows[n].width;
    if (height) *height = image_windows[n].height;
    return 0;
}

int KBX_RunImageCommand(int n, int command) {
    if (!image_window_in_use(n)) return 4;
    if (picture_command_kind(command) == kNotPictureCommand) return 1;
    const ImageSelection selection = saved_selection();
    select_image(n);
    const int result = run_picture_command(n, command);
    restore_selection(selection);
    return result;
}

int KBX_SaveImageFile(int n, const char* path) {
    if (!image_window_in_use(n)) return 4;
    const int format = format_for_path(path);
    if (format < 0) return 1;
    wchar_t wide[kImagePathChars];
    ansi_to_wide(path, wide, kImagePathChars);
    const ImageSelection selection = saved_selection();
    select_image(n);
    const ImageWindowRecord& r = image_windows[n];
    const int written = write_image_file(r.width, r.height, format, wide);
    restore_selection(selection);
    return written;
}

int KBX_LoadImageFile(int n, const char* path, int x, int y) {
    if (!path) return image_window_in_use(n) ? 1 : 4;
    const int result = load_image_file_into(n, path, x, y);
    return result == 2 ? 4 : result;
}

int KBX_OpenImageFile(int n, const char* path, int x, int y, int zoom) {
    if (!valid_window_number(n)) return 4;
    if (image_windows[n].in_use) return 1;
    if (!path) return 5;
    wchar_t wide[kImagePathChars], full[kImagePathChars];
    char name_ansi[kImagePathChars], title[kImagePathChars + 8];
    UINT width = 0, height = 0;
    ansi_to_wide(path, wide, kImagePathChars);
    if (!probe_picture_file(wide, full, kImagePathChars, name_ansi, sizeof name_ansi, &width, &height)) return 5;
    std::snprintf(title, sizeof title, "%03d %s", n, name_ansi);
    const ImageSelection selection = saved_selection();
    const int made = create_image_window(zoom, n, title, x, y, static_cast<int>(width), static_cast<int>(height), 32);
    if (made != 0) return made;
    if (load_image_file_into(n, path, 0, 0) != 0) {
        // The file changed or vanished since its size was read.
        destroy_image_window(n);
        restore_selection(selection);
        return 5;
    }
    return 0;
}

int KBX_CopyImage(int n) { return copy_image_to_clipboard(n); }

int KBX_PasteImage(int n, int x, int y) { return paste_clipboard_picture(n, x, y, false); }
