// KOBRIX input box (labelled edit fields) and button box (counted buttons).
// There is one of each. Rows count from 0 (top) to count - 1, and buttons
// from 0, row by row, to columns * rows - 1. The calls that take a row i or
// a button k do nothing (or return 0) while the box is closed or the number
// is outside it.
#ifndef KBX_BOXES_H
#define KBX_BOXES_H

#include "kbx_core.h"

// Opens the input box at (x, y) with count rows (taken within 1..30), row i
// labelled "Item <i>" with the field "0"; nothing happens when it is open.
void KBX_OpenInputBox(int x, int y, int count);
// Closes the input box ("DestroyWindow[IB] Error" shown if that fails);
// nothing happens when it is closed.
void KBX_CloseInputBox();
// Sets the label and field widths, now and for the next opening.
void KBX_ResizeInputBox(int label_width, int field_width);
// Sets the label of row i.
void KBX_SetInputBoxTitle(int i, const char* title);
// Writes the value into the field of row i.
void KBX_SetInputBoxInt(int i, int value);
void KBX_SetInputBoxDouble(int i, double value);
// The value of row i as last committed (leaving the field or Enter), read
// like atoi / atof (an int is clamped to its range); 0 when the text is no
// number, the row is outside the box or the box is closed.
int KBX_GetInputBoxInt(int i);
double KBX_GetInputBoxDouble(int i);
// Asks for a new label of row i in a text window; an empty line keeps it.
void KBX_RenameInputBoxItem(int i);
// Field i as text (paths, names): set, or its committed text copied into
// out (size bytes, always terminated; empty for a row outside the box).
void KBX_SetInputBoxText(int i, const char* text);
void KBX_GetInputBoxText(int i, char* out, int size);

// Opens the button box at (x, y) with a columns x rows grid of buttons
// captioned with their numbers; nothing happens when it is open or the grid
// is empty or holds more than 256 buttons.
void KBX_OpenButtonBox(int x, int y, int columns, int rows);
// Closes the button box ("DestroyWindow[BB] error" shown if that fails);
// nothing happens when it is closed.
void KBX_CloseButtonBox();
// Gives the open button box this client size; the buttons fill it.
void KBX_ResizeButtonBox(int client_width, int client_height);
// Sets the caption of button k.
void KBX_SetButtonBoxTitle(int k, const char* title);
// The presses of button k (clicks, and the digit key k for buttons 0..9)
// since the last call, and clears the count; 0 when none, or when k is
// outside the box or the box is closed.
int KBX_TakeButtonPress(int k);
// Asks for a new caption of button k in a text window; an empty line keeps it.
void KBX_RenameButton(int k);

#endif
