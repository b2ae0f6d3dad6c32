// KOBRIX input box (labelled edit fields) and button box (counted buttons).
#ifndef KBX_BOXES_H
#define KBX_BOXES_H

#include "kbx_core.h"

void KBX_OpenInputBox(int x, int y, int count);
void KBX_CloseInputBox();
void KBX_ResizeInputBox(int label_width, int field_width);
void KBX_SetInputBoxTitle(int i, const char* title);
void KBX_SetInputBoxInt(int i, int value);
void KBX_SetInputBoxDouble(int i, double value);
int KBX_GetInputBoxInt(int i);
double KBX_GetInputBoxDouble(int i);
void KBX_RenameInputBoxItem(int i);
// Field i as text (paths, names): set, or its committed text copied into
// out (size bytes, always terminated; empty for a row outside the box).
void KBX_SetInputBoxText(int i, const char* text);
void KBX_GetInputBoxText(int i, char* out, int size);

void KBX_OpenButtonBox(int x, int y, int columns, int rows);
void KBX_CloseButtonBox();
void KBX_ResizeButtonBox(int client_width, int client_height);
void KBX_SetButtonBoxTitle(int k, const char* title);
int KBX_TakeButtonPress(int k);
void KBX_RenameButton(int k);

#endif
