// Image windows, internal side: the table operations, display and zoom,
// files, the clipboard and the window procedure. Everything here runs on
// the user-program thread, except read_clipboard_bitmap, which the control
// window also calls.
#ifndef KBX_WIN_IMAGE_WINDOW_H
#define KBX_WIN_IMAGE_WINDOW_H

#include <windows.h>

#include "core/state.h"
#include "image/image_geometry.h"
#include "kbx_image.h"

namespace kbx {

LRESULT CALLBACK image_window_proc(HWND, UINT, WPARAM, LPARAM);

// --- the table (win_image_table.cpp) -------------------------------------------
// Results: 0 made; 1 n in use; 2 no zoom fits; 3 depth neither 8 nor 32, or
// no pixel buffer; 4 n of 256 or more. The new window becomes current.
int create_image_window(int zoom, int n, const char* title, int x, int y, int width, int height, int depth);
// The same with the size bounds chosen (screen_limited 0: the FL bounds)
// and, when palette is not null, 256 palette entries instead of the grey ramp.
int create_image_window_ex(int zoom, int n, const char* title, int x, int y, int width, int height, int depth,
                           int screen_limited, const RGBQUAD* palette);
int destroy_image_window(int n);                 // 0 done; 1 not in use
int find_image_window(HWND window);              // -1 when none
int find_and_select_image_window(HWND window);   // the number, selected
int select_image(int n);                         // 0 done; 1 not in use
int restore_image();                             // 0 done; 1 top of stack not in use
// The current image window and the whole selection stack, to be put back
// exactly after work that selects (and may create) windows.
struct ImageSelection {
    int current;
    int stack[kSelectStackDepth];
};
ImageSelection saved_selection();
void restore_selection(const ImageSelection& selection);
DisplayLimits display_limits(int screen_limited);
void refresh_image_title(int n);
// A w x h rectangle of the current image window into dest, packed; pixels
// outside the picture give 0.
void copy_image_rect(void* dest, int x0, int y0, int w, int h);
// Current image window: 0 done; 1 not in use; 2 not 8-bit.
int set_image_palette(const RGBQUAD* entries, int count);
int get_image_palette(RGBQUAD* entries);   // 256 entries
// Every pixel byte of window n to 0 (black, or palette index 0).
void clear_image_window(int n);
bool image_window_in_use(int n);

// --- display (win_image_display.cpp) -------------------------------------------
int paint_image(int n);                    // 0 painted; 1 not in use
int get_stretch_mode(int n);               // 0 when not in use
int set_stretch_mode(int mode, int n);     // 0 done; 1 not in use
void toggle_stretch_mode(int n);           // COLORONCOLOR <-> HALFTONE (Tab)
int change_zoom(int zoom, int n);          // 0 done; 1 not in use; 2 no zoom fits
// Gives n a new picture of another size (all pixels zero), keeping title,
// depth, zoom, place, stretch mode, size bounds and palette, and makes n
// current. 0 done; 1 not in use; 2 no zoom fits; 3 no memory. A refusal
// leaves the window and its picture as they were.
int resize_image(int n, int width, int height);
// A top-down DIB section of the depth and size, 8-bit ones with the given
// 256 palette entries (null: a grey ramp); null when it cannot be made.
HBITMAP make_picture_section(int depth, int width, int height, const RGBQUAD* palette, void** bits);

// --- files (win_image_files.cpp) -------------------------------------------------
extern int jpeg_quality;   // 100
extern int open_filter_index, save_filter_index;   // 1-based, 2 at start
// Into the current image window at (x, y): 0 drawn; 1 unreadable; 2 not in use.
int load_image_file(const char* path, int x, int y);
// The current image window's w x h top-left area in format 0..4 (BMP, JPEG,
// GIF, PNG, TIFF): 0 saved; 1 encoder failed; 2 size not positive; 3 not in use.
// The extension of format 0..4 is added unless the name already ends in it.
int save_image_file(int height, int width, int format, const char* path);
// The same to exactly this path, with KBX_SaveImageFile's results, which
// tell an unwritable file apart from a failed save: 0 saved; 1 format not
// 0..4; 2 the file cannot be written; 3 the encoder failed (or no memory for
// the picture); 4 no current image window; 5 size not positive.
int write_image_file(int width, int height, int format, const wchar_t* path);
// Drawing by the platform may fill the unused top byte of 32-bit pixels
// (GDI+ writes alpha): puts it back to 0 in window n.
void keep_pixels_plain(int n);
// A picture file about to open in a window of its own: its full path, its
// name (ANSI) and the size GDI+ reads. False when the path does not resolve
// or GDI+ finds no picture in it.
bool probe_picture_file(const wchar_t* path, wchar_t* full, int full_chars, char* name_ansi, int name_bytes,
                        UINT* width, UINT* height);
// Into window n at (x, y), shown afterwards; the selection stays as it was.
// 0 drawn; 1 unreadable; 2 n not in use.
int load_image_file_into(int n, const char* path, int x, int y);
// All zero when no encoder has exactly this MIME type.
CLSID find_encoder(const wchar_t* mime_type);
// 0 chosen (path in out, 260 bytes); 1 cancelled.
int choose_open_file(char* out, HWND owner);
int choose_save_file(char* out, HWND owner);

// --- clipboard (win_image_clipboard.cpp) -------------------------------------------
// 0 done; 1 the clipboard cannot be opened; 3 no memory for the picture;
// 4 n not in use. The caller tells the user about 3.
int copy_image_to_clipboard(int n);
// Writes image window n's picture to path as the clipboard would carry it
// (a packed DIB), for a tool that asked (KBX_COPYDATA_SAVE_DIB); false when
// it could not.
bool save_image_dib(int n, const wchar_t* path);
// A new bitmap from the clipboard's CF_DIB (or else CF_BITMAP), or null.
// palette takes up to 256 entries; *count is 0 unless the DIB had a table.
// *why (when not null) says why not: 1 the clipboard cannot be opened or
// holds no picture; 2 its picture is malformed; 3 no memory; 0 with a bitmap.
HBITMAP read_clipboard_bitmap(RGBQUAD* palette, int* count, int* why = nullptr);
// At (x, y) of window n; an x or y of -1 lets the user place it.
void paste_into_image(int n, int x, int y);
// At (x, y) of window n, or where the user places it: 0 done; 1 to 3 as
// read_clipboard_bitmap; 4 n not in use; 5 the placing was cancelled.
int paste_clipboard_picture(int n, int x, int y, bool user_places);
// Copies the bitmap to (0, 0) of the current image window and deletes it.
void put_bitmap_into_current_image(HBITMAP bitmap);

// --- menus (win_image_menus.cpp) -----------------------------------------------------
HMENU build_image_window_menu(int zoom);
HMENU build_image_processing_menu(int depth);

// --- from the drawing tools ------------------------------------------------------------
// Lets the user place a w x h box on window n; the chosen centre in *x, *y.
// 0 chosen; 1 cancelled; 2 n not in use.
int pick_placement(int n, int w, int h, int* x, int* y);

}  // namespace kbx

#endif
