// KOBRIX text windows: numbered consoles with formatted output, window logs
// and line input. All calls act on the user-program thread.
#ifndef KBX_TEXTWIN_H
#define KBX_TEXTWIN_H

#include "kbx_core.h"

int KBX_OpenTextWindow(int n, int x, int y, int w, int h);   // 0 opened, 1 already open,
                                                              // 2 bad number or refused
int KBX_SelectTextWindow(int n);                               // 0 done, 1 not open
int KBX_CloseTextWindow(int n);                                // 0 done, 1 not open
void KBX_EnsureTextWindow();
int KBX_FindTextWindow(KBX_WindowHandle window);               // -1 when none
void KBX_ClearTextWindow();
void KBX_PushColor(int background, int foreground);            // colours 0xRRGGBB
void KBX_PopColor();

void KBX_Print(const char* format, ...);
int KBX_StartLog(int n);
int KBX_StopLog(int n);
int KBX_CopyLog(int n);
void KBX_CloseLog(int n);
void KBX_CloseAllLogs();

// Reads one line typed into the current text window; buffer holds at least
// 256 bytes.
void KBX_InputLine(char* buffer);

#endif
