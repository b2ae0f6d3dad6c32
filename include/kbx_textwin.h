// KOBRIX text windows: numbered consoles with formatted output, window logs
// and line input. All calls act on the user-program thread. A window number
// is 0..255; output, colours and input go to the current text window, and
// the calls that take none do nothing while no text window is open.
#ifndef KBX_TEXTWIN_H
#define KBX_TEXTWIN_H

#include "kbx_core.h"
#include "kbx_format.h"

// Opens text window n at (x, y) with a w x h client area (negative: 400 x
// 300) and makes it current. 0 opened; 1 already open (brought to the front
// and made current); 2 bad number, or the window could not be made.
int KBX_OpenTextWindow(int n, int x, int y, int w, int h);
// Makes window n current. 0 done; 1 bad number or not open.
int KBX_SelectTextWindow(int n);
// Closes window n and its log; a line input waiting there gets an empty
// line. 0 done; 1 bad number or not open.
int KBX_CloseTextWindow(int n);
// Brings the current text window to the front, or opens window 0 centred
// on the screen at the default size when no current window is open.
void KBX_EnsureTextWindow();
// The number of the open text window with this handle; -1 when none.
int KBX_FindTextWindow(KBX_WindowHandle window);
// Blanks the current window and puts its cursor at the top left; the log
// gets a newline.
void KBX_ClearTextWindow();
// Saves the current window's colours (8 deep) and sets new ones, 0xRRGGBB.
void KBX_PushColor(int background, int foreground);
// Restores the colours saved last; more pops than pushes repeat the oldest.
void KBX_PopColor();

// printf-style output into the current window, with line breaking and
// scrolling, echoed to its running log; cut at 4095 bytes of text.
void KBX_Print(KBX_PRINTF_FORMAT const char* format, ...) KBX_PRINTF_CHECK(1, 2);
// Starts or resumes the log of window n (the file KOBRIX<instance><n>.LOG in
// the start-up directory, created afresh when not paused). 0 started or
// resumed; 1 already running; 2 file not created ("Can't create file for
// LOG!" shown); 3 bad number or window not open.
int KBX_StartLog(int n);
// Pauses the log of window n; the file stays open. 0 paused; 1 no log
// started; 2 bad number or window not open.
int KBX_StopLog(int n);
// Puts the whole log file of window n on the clipboard as text; a running
// or paused log then carries on. 0 copied; 1 clipboard busy; 2 file not
// readable ("Can't open LOG file!" shown); 3 no memory ("No enough memory
// (copy log)" shown); 4 bad number or window not open; 5 the clipboard did
// not take the text (it is left empty). Only 0 and 5 change the clipboard.
int KBX_CopyLog(int n);
// Closes the log file of window n; nothing happens for a bad number, a
// closed window or a window without a log.
void KBX_CloseLog(int n);
// Closes the log files of every open text window.
void KBX_CloseAllLogs();

// Reads one line typed into the current text window; buffer holds at least
// 256 bytes. Returns with an empty line when the window closes, on Exit,
// and at once (buffer untouched) when no text window is open.
void KBX_InputLine(char* buffer);

#endif
