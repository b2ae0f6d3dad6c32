// KOBRIX image windows: numbered 32-bit or 8-bit pictures with zoom.
#ifndef KBX_IMAGE_H
#define KBX_IMAGE_H

#include "kbx_core.h"

// Creates image window n (0..255) with a width x height picture (each at
// least 1), all zero, shown at zoom percent (lowered or raised until the
// window fits the screen), and makes it the current image window.
// KBX_CreateImage8 makes an 8-bit picture with a grey palette.
// 0 made; 1 number in use; 2 no zoom fits the screen; 3 window, title or
// pixel buffer not made; 4 number out of range.
int KBX_CreateImage(int n, const char* title, int x, int y, int width, int height, int zoom);
int KBX_CreateImage8(int n, const char* title, int x, int y, int width, int height, int zoom);
// The same for windows that may exceed the screen (up to twice its size);
// same results.
int KBX_CreateImageFL(int n, const char* title, int x, int y, int width, int height, int zoom);
int KBX_CreateImage8FL(int n, const char* title, int x, int y, int width, int height, int zoom);

#endif
