// KOBRIX image processing for user programs: the pixels of the current image
// window, simple shapes in it, and the integer colour-model arithmetic.
//
// A colour is 0x00RRGGBB; on an 8-bit picture its low byte is the palette
// index. The byte above red is not part of a colour: every call that takes
// a colour or writes pixels stores it as 0 (KBX_SetPixel(0, 0, 0xFF123456)
// reads back 0x123456). Pixels outside the picture are neither written nor
// read, and with no current image window the pixel calls touch nothing and
// read 0. After drawing, a program shows the result by letting the window
// repaint (or at once with KBX_RefreshImage).
#ifndef KBX_IMAGEPROC_H
#define KBX_IMAGEPROC_H

#include "kbx_core.h"
#include "kbx_format.h"

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

// Hue 0..359, saturation max - min (0..255), value max (0..255), of a
// 0x00RRGGBB colour; a null pointer skips its part.
void KBX_RgbToHsv(int color, int* h, int* s, int* v);
// Back to 0x00RRGGBB; v and s are taken within 0..255 and h within 0..359.
int KBX_HsvToRgb(int v, int s, int h);
// Fixed-point luminance and colour differences of R, G, B (each taken
// within 0..255), (a*R + b*G + c*B + 32768) / 65536 truncated toward zero:
// Y = 0.299 R + 0.587 G + 0.114 B, 0..255 (grey g gives g);
// Cr = 0.5 R - 0.419 G - 0.081 B and Cb = -0.169 R - 0.331 G + 0.5 B,
// each -127..128 (0 for a grey).
int KBX_LumaY(int r, int g, int b);
int KBX_ChromaCr(int r, int g, int b);
int KBX_ChromaCb(int r, int g, int b);

// --- palettes and pixels -------------------------------------------------------
// Palette entries are words 0x00RRGGBB (the RGBQUAD layout); the top byte is
// stored as 0. Sets entries 0..count - 1 of the current image window:
// 0 done; 1 no current image window; 2 it is not 8-bit;
// 3 entries is null or count is outside 0..256 (nothing changes).
int KBX_SetImagePalette(const unsigned int* entries, int count);
// Reads all 256 entries into entries:
// 0 done; 1 no current image window; 2 it is not 8-bit; 3 entries is null.
int KBX_GetImagePalette(unsigned int* entries);
// A w x h rectangle from (x0, y0) into dest, rows packed: w words per row, or
// w bytes at depth 8; pixels outside the picture give 0. No current image
// window, w or h below 1, or a null dest: dest is left alone.
void KBX_CopyImageRect(void* dest, int x0, int y0, int w, int h);
// Pixel (i, y) = element i of src for i = 0..count - 1: 32-bit words, or
// bytes at depth 8; pixels outside the picture are skipped. No current image
// window or a null src: nothing happens.
void KBX_WriteImageRow(const void* src, int y, int count);
// The reverse of KBX_CopyImageRect: pixel (x0 + i, y0 + j) = element
// j * w + i of src (rows packed, as that call leaves them); pixels outside
// the picture are skipped. No current image window, w or h below 1, or a
// null src: nothing happens.
void KBX_WriteImageRect(const void* src, int x0, int y0, int w, int h);
// Repaints image window n now, showing its pixels as they are. A number out
// of range or not open: nothing happens.
void KBX_RefreshImage(int n);

// --- grey levels of a whole picture -------------------------------------------------
// Image window n by the luminance Y of each pixel (KBX_LumaY, 0..255), as
// fast as the processing menu's whole-picture commands; marks the window for
// repainting. On a 32-bit picture grey makes each pixel Y * 0x010101, and the
// threshold makes it 0xFFFFFF where Y >= level and 0 elsewhere (a level of 0
// or less: all white; above 255: all black). On an 8-bit picture Y is that of
// the pixel's palette colour: grey makes each index Y, the threshold makes it
// 255 or 0, and the palette becomes the grey ramp (entry i = i * 0x010101),
// so the picture looks as the 32-bit one does.
// 0 done;
// 4 n out of range or not open.
int KBX_GreyImage(int n);
int KBX_ThresholdImage(int n, int level);

// --- drawing colours ---------------------------------------------------------------
// The colour of boxes, discs and the fill below (0xFFFFFF at start); the
// processing menu's drawing tools use the same one. The colours are kept
// without their top byte.
void KBX_SetDrawColor(int color);
int KBX_GetDrawColor();
// The colour of KBX_DrawText (0x000000 at start).
void KBX_SetTextColor(int color);
// The colour of KBX_DrawTrueTypeText (0xFFFFFF at start).
void KBX_SetTrueTypeTextColor(int color);

// --- shapes in the drawing colour, in the current image window ---------------------
// Each marks the window for repainting. No current image window: nothing
// happens. Corners may come in any order and lie outside the picture.
// The four edges of the rectangle with these opposite corners.
void KBX_DrawBox(int x1, int y1, int x2, int y2);
// Every pixel of that rectangle.
void KBX_FillBox(int x1, int y1, int x2, int y2);
// The disc of radius r with its outline; r below 0 draws nothing.
void KBX_FillCircle(int cx, int cy, int r);
// Seed fill of the 4-connected region of pixels equal to pixel (x, y).
// Returns the number of pixels filled (the region's area); 0, and nothing
// changes, when (x, y) is outside, the pixel already has the drawing colour
// or there is no current image window.
int KBX_PaintFill(int x, int y);

// --- pointing: the user clicks in image window n ------------------------------------
// Each shows the menus' prompts in the control window and rubber bands in the
// picture, waits for the clicks, and leaves n the current image window.
// Coordinates are picture pixels; a null output is skipped. Results, all six:
// 0 clicked, the outputs hold the points;
// 1 cancelled with the right button, by Stop or Exit, by closing the window,
//   or another pointing wait is running (the outputs are no choice);
// 4 n is out of range or not open (nothing happens).
int KBX_PickPoint(int n, int* x, int* y);
// With a horizontal guide line following the pointer.
int KBX_PickRow(int n, int* x, int* y);
// With a vertical guide line following the pointer.
int KBX_PickColumn(int n, int* x, int* y);
// Two corners; on 0, x1 <= x2 and y1 <= y2.
int KBX_PickBox(int n, int* x1, int* y1, int* x2, int* y2);
// Two end points in the order clicked.
int KBX_PickLine(int n, int* x1, int* y1, int* x2, int* y2);
// The centre, then a point on the circle: r is the rounded distance.
int KBX_PickCircle(int n, int* cx, int* cy, int* r);

// --- text into the current image window ----------------------------------------------
// The text cursor that both fonts share and advance: y is the bottom edge of
// the text, new lines start at left_margin (all 0 at start).
void KBX_SetTextCursor(int x, int y, int left_margin);
// printf-style text in the 8 x 14 bitmap font, lines 16 pixels apart,
// wrapped at the picture's right edge; marks the window for repainting.
// No current image window or a null format: nothing happens. The font has
// ASCII only: any other character draws as a box.
void KBX_DrawText(KBX_PRINTF_FORMAT const char* format, ...) KBX_PRINTF_CHECK(1, 2);
// The TrueType font's average character width and height in pixels (8 x 16
// at start), as the menu's "Draw" sets them from half a dragged box:
// 0 done; 1 the font could not be made (TrueType text then draws nothing);
// 2 width or height below 1 (nothing changes).
int KBX_SetTrueTypeCell(int width, int height);
// Narrow text in the TrueType font, characters of several bytes (UTF-8, or
// double-byte in a system code page) included; the bytes 1..6 switch italic, bold and underline on and off, 10 starts a new
// line. Marks the window for repainting. No current image window or a null
// text: nothing happens.
void KBX_DrawTrueTypeText(const char* text);

#endif
