// Placeholder until the image windows land: only what the runtime calls.
#include "image/image_window.h"

namespace kbx {

LRESULT CALLBACK image_window_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
int create_image_window(int, int, const char*, int, int, int, int, int) { return 3; }
int select_image(int) { return 1; }
int restore_image() { return 1; }
int paint_image(int) { return 1; }
int load_image_file(const char*, int, int) { return 2; }
void put_bitmap_into_current_image(HBITMAP bitmap) { DeleteObject(bitmap); }

}  // namespace kbx
