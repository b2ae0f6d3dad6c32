// KOBRIX image processing for user programs: the pixels of the current image
// window, simple shapes in it, and the integer colour-model arithmetic.
//
// A colour is 0x00RRGGBB; on an 8-bit picture its low byte is the palette
// index. Pixels outside the picture are neither written nor read, and with
// no current image window the pixel calls touch nothing and read 0. After
// drawing, a program shows the result by letting the window repaint.
#ifndef KBX_IMAGEPROC_H
#define KBX_IMAGEPROC_H

#include "kbx_core.h"

// Records (x, y) as the pen position, then writes the pixel if inside.
void KBX_SetPixel(int x, int y, int color);
// The pixel value (0x00RRGGBB, or the index 0..255); 0 outside or with no
// current image window.
int KBX_GetPixel(int x, int y);
// Inverts the pixel's colour bytes (or its index); a second call restores it.
void KBX_XorPixel(int x, int y);
// Element i = pixel (i, y), 0 outside: 32-bit words, or bytes at depth 8.
// dest is left untouched with no current image window or count <= 0.
void KBX_ReadImageRow(void* dest, int y, int count);
// Sets every pixel of image window n to 0; nothing when n is not open.
void KBX_ClearImage(int n);

// A line with both ends, and a circle outline, in the current image window.
void KBX_DrawLine(int color, int x1, int y1, int x2, int y2);
void KBX_DrawCircle(int color, int cx, int cy, int r);

// Hue 0..359, saturation max - min, value max, of a 0x00RRGGBB colour;
// a null pointer skips its part.
void KBX_RgbToHsv(int color, int* h, int* s, int* v);
// Back to 0x00RRGGBB; v and s are taken within 0..255 and h within 0..359.
int KBX_HsvToRgb(int v, int s, int h);
// Fixed-point luminance and colour differences of R, G, B (each taken
// within 0..255); divisions truncate toward zero.
int KBX_LumaY(int r, int g, int b);
int KBX_ChromaCr(int r, int g, int b);
int KBX_ChromaCb(int r, int g, int b);

#endif
