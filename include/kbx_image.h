// KOBRIX image windows: numbered 32-bit or 8-bit pictures with zoom.
#ifndef KBX_IMAGE_H
#define KBX_IMAGE_H

#include "kbx_core.h"

// Result: 0 made; 1 number in use; 2 does not fit; 3 no pixel buffer;
// 4 number out of range.
int KBX_CreateImage(int n, const char* title, int x, int y, int width, int height, int zoom);
int KBX_CreateImage8(int n, const char* title, int x, int y, int width, int height, int zoom);
// The same for windows that may exceed the screen.
int KBX_CreateImageFL(int n, const char* title, int x, int y, int width, int height, int zoom);
int KBX_CreateImage8FL(int n, const char* title, int x, int y, int width, int height, int zoom);

#endif
