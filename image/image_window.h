// Image windows, internal side.
#ifndef KBX_IMAGE_WINDOW_H
#define KBX_IMAGE_WINDOW_H

#include <windows.h>

#include "kbx_image.h"

namespace kbx {

LRESULT CALLBACK image_window_proc(HWND, UINT, WPARAM, LPARAM);

int create_image_window(int zoom, int n, const char* title, int x, int y, int width, int height, int depth);
int destroy_image_window(int n);
int select_image(int n);
int restore_image();
int paint_image(int n);
int load_image_file(const char* path, int x, int y);
void put_bitmap_into_current_image(HBITMAP bitmap);

}  // namespace kbx

#endif
