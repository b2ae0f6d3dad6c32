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

// --- Selection, lifetime, commands, files and clipboard ----------------------
// Window numbers are 0..255; a call that refuses changes nothing.

// Gives window n a new title; the caption shows it with the zoom (and the
// depth mark) as before. A null title is an empty one.
// 0 done;
// 3 no memory for the title (the old one stays);
// 4 n out of range or not open.
int KBX_SetImageTitle(int n, const char* title);

// Makes window n the current image window, the old one going onto the
// selection stack (eight deep).
// 0 done;
// 1 n out of range or not open.
int KBX_SelectImage(int n);
// Takes the current image window back from the selection stack.
// 0 done;
// 1 the window on the stack is no longer open.
int KBX_RestoreImage();
// Closes window n.
// 0 destroyed;
// 1 n out of range or not open.
int KBX_DestroyImage(int n);
// The number of the image window with this handle; -1 when none.
int KBX_FindImage(KBX_WindowHandle window);
// Window n's picture size in pixels (for a picture opened from a file).
// 0 done;
// 1 n out of range or not open (nothing written).
int KBX_GetImageSize(int n, int* width, int* height);

// Runs one of the processing menu's commands that need no pointer and no
// prompt (KBX_CMD_PATTERN_*, KBX_CMD_INVERT, KBX_CMD_FLIP_*, KBX_CMD_ROTATE_*,
// KBX_CMD_SCALE_*, from kbx_commands.h) on window n, exactly as the menu
// does; the current image window stays as it was.
// 0 done;
// 1 the command needs the pointer or a prompt, or is not one of those;
// 2 refused, the picture kept (a new size that no zoom can show);
// 4 n out of range or not open.
int KBX_RunImageCommand(int n, int command);

// Saves window n's picture to exactly this path in the format its
// extension names: .bmp .png .jpg .jpeg .gif .tif .tiff, in any case.
// 0 saved;
// 1 unknown extension;
// 2 the file cannot be written;
// 3 the encoder failed;
// 4 n out of range or not open.
int KBX_SaveImageFile(int n, const char* path);
// Draws an image file into window n with its top-left pixel at (x, y), at
// its own size; what falls outside the picture is clipped, and the window
// keeps its size. An 8-bit window takes the file's palette when the file
// has one, and each pixel becomes the palette entry nearest its colour: a
// colour file in a window with the grey palette comes out as coarse greys
// (under Wine each channel is cut to 5 bits first, so greys keep 32 levels
// and a colour gets the grey of its channels' mean, not its luminance). For
// true grey levels, open the file in a 32-bit window and call KBX_GreyImage.
// 0 loaded;
// 1 the file cannot be read or decoded;
// 4 n out of range or not open.
int KBX_LoadImageFile(int n, const char* path, int x, int y);
// Opens a new 32-bit window n at (x, y) sized to the file's picture, titled
// with n and the file's name, and loads the file into it; it becomes the
// current image window.
// 0 opened;
// 1 n in use;
// 2 no zoom lets the window fit;
// 3 no pixel buffer;
// 4 n out of range;
// 5 the file cannot be read (no window is left behind).
int KBX_OpenImageFile(int n, const char* path, int x, int y, int zoom);
// Puts window n's picture on the clipboard (24-bit, or 8-bit with palette).
// 0 done;
// 1 the clipboard cannot be opened (it is left as it was);
// 2 the clipboard did not take the picture (it is left empty);
// 3 no memory for the picture (the clipboard is left as it was);
// 4 n out of range or not open.
int KBX_CopyImage(int n);
// Copies the clipboard's picture into window n with its top-left pixel at
// (x, y), clipped; an 8-bit picture's colour table becomes the palette.
// 0 done;
// 1 the clipboard cannot be opened or holds no picture;
// 2 the clipboard's picture is malformed and refused;
// 3 no memory;
// 4 n out of range or not open.
int KBX_PasteImage(int n, int x, int y);

#endif
