// KOBRIX test helper (library kobrix::testing): drives a built KOBRIX
// program from another process as its user would, from a plain main or from
// any test framework. It starts the program in a fresh folder, finds its
// windows, types, clicks and presses its buttons, and reads back what it
// shows: field texts, window titles and sizes, the clipboard, window logs,
// and pictures (copied to the clipboard).
//
// What it cannot see: text windows keep no text, only pixels, so what a
// program prints is read from the window's log (KBX_TestStartLog, then
// KBX_TestWaitForOutput).
//
// Every wait ends after KBX_TestTimeout() milliseconds at most; a call that
// fails says why (and what it waited for) in KBX_TestLastError(). Nothing
// sleeps for a fixed time. Not for use from inside a KOBRIX program.
#ifndef KOBRIX_TESTING_H
#define KOBRIX_TESTING_H

#include <functional>
#include <string>
#include <vector>

#include "kbx_commands.h"

// A window of the program under test (an HWND on Windows).
typedef void* KBX_TestWindow;

// A program started by KBX_TestStart. Plain data: copy it freely, end it
// once with KBX_TestExit and/or KBX_TestEnd.
struct KBX_TestProgram {
    void* process;           // the process handle; null when none
    unsigned long pid;       // its process id
    int instance;            // its instance number 0..9 (from its control window)
    KBX_TestWindow control;  // its control window
    char folder[260];        // its working folder, fresh for each start (ANSI)
};

// A picture read from an image window: width x height words 0xRRGGBB, row
// by row from the top.
struct KBX_TestPicture {
    int width;
    int height;
    std::vector<unsigned> pixels;
};

enum KBX_TestWindowKind {
    KBX_TEST_CONTROL_WINDOW,
    KBX_TEST_TEXT_WINDOW,   // number n: "TextWindow n"
    KBX_TEST_INPUT_BOX,
    KBX_TEST_BUTTON_BOX,
    KBX_TEST_IMAGE_WINDOW,  // number n, as the program opened it
};

// --- waits and errors -----------------------------------------------------
// What the last failing call was doing or waiting for; "" when none failed
// since a failed KBX_TestCheck last printed it.
const char* KBX_TestLastError();
// The longest any wait lasts, in milliseconds (10000 until set).
int KBX_TestTimeout();
// Sets that limit; values below 1 are taken as 1.
void KBX_TestSetTimeout(int milliseconds);
// Polls condition until it holds. 0 held; 1 not within the time limit (the
// last error then says "waited ... for <what>").
int KBX_TestWaitFor(const std::function<bool()>& condition, const char* what);
// Prints "file:line: check failed: what" and the last error to stdout when
// ok is false. Returns ok. Counted for KBX_TestFailures.
bool KBX_TestCheck(bool ok, const char* what, const char* file, int line);
#define KBX_TEST_CHECK(condition) KBX_TestCheck((condition), #condition, __FILE__, __LINE__)
// The number of failed checks so far; 0 when all held (return it from main).
int KBX_TestFailures();

// --- the program ----------------------------------------------------------
// The program that add_kobrix_test hands over (the environment variable
// KBX_TEST_PROGRAM, as a Windows path); "" when none was.
const char* KBX_TestProgramPath();
// Starts exe in a new empty folder under the temporary folder, with env
// (null, or "NAME=value" strings ending with a null) added to this process's
// environment, and waits for its control window. 0 started and shown;
// 1 the program could not be started; 2 no control window in time (the
// process is ended).
int KBX_TestStart(KBX_TestProgram* program, const char* exe, const char* const* env = nullptr);
// Start, Stop and Exit as the control window's menu gives them. Start and
// Stop return once the control window has taken them: 0 done; 1 no control
// window or no answer in time.
int KBX_TestPressStart(KBX_TestProgram* program);
int KBX_TestPressStop(KBX_TestProgram* program);
// Exit, then waits for the process to end: *exit_code gets its exit code,
// *milliseconds the time from Exit to its end, and *forced 0 when the
// program's routines ended by themselves, 1 when Exit had to end them after
// its grace period, -1 when that cannot be told (any may be null).
// 0 ended; 1 not ended in time (it is then ended with code 99); 2 no process.
int KBX_TestExit(KBX_TestProgram* program, int* exit_code, int* milliseconds, int* forced = nullptr);
// Ends the process if it still runs, closes it and deletes its folder.
void KBX_TestEnd(KBX_TestProgram* program);
// Reads a file of the program's folder (a log, a saved picture) into
// *contents. 0 read; 1 no such file.
int KBX_TestReadFile(const KBX_TestProgram* program, const char* name, std::string* contents);

// --- windows ---------------------------------------------------------------
// The program's window of this kind (n: the text or image window's number,
// else ignored); null when it is not open.
KBX_TestWindow KBX_TestFindWindow(const KBX_TestProgram* program, KBX_TestWindowKind kind, int n = 0);
// The same, waiting for it to open; null when it did not in time.
KBX_TestWindow KBX_TestWaitForWindow(const KBX_TestProgram* program, KBX_TestWindowKind kind, int n = 0);
// The image window whose title (before its zoom, "title(100%)") is title;
// null when none is open (the first of several with that title). KBX_TestWaitForImageWindow waits for it.
KBX_TestWindow KBX_TestFindImageWindow(const KBX_TestProgram* program, const char* title);
KBX_TestWindow KBX_TestWaitForImageWindow(const KBX_TestProgram* program, const char* title);
// A window's text (title, caption, field text) as ANSI; "" for none.
std::string KBX_TestWindowText(KBX_TestWindow window);
// A window's outer rectangle on the screen and its client size. 0 read;
// 1 no such window (the outputs stay untouched).
int KBX_TestWindowRect(KBX_TestWindow window, int* x, int* y, int* width, int* height);
int KBX_TestClientSize(KBX_TestWindow window, int* width, int* height);
// The window of the program that has the keyboard focus; null when none.
KBX_TestWindow KBX_TestFocus(const KBX_TestProgram* program);
// Posts a key press (a virtual-key code: 'A', '0', VK_TAB...) or a left click
// at client coordinates (x, y). 0 posted; 1 no such window.
int KBX_TestPostKey(KBX_TestWindow window, int key);
int KBX_TestPostClick(KBX_TestWindow window, int x, int y);
// Posts a menu command (KBX_CMD_... of kbx_commands.h) to a window, as its
// menu would. 0 posted; 1 no such window.
int KBX_TestPostCommand(KBX_TestWindow window, int command);
// Holds the thread that owns the program's windows, so that input posted
// meanwhile arrives together; Release lets it go. 0 done; 1 not possible.
int KBX_TestHoldProgram(const KBX_TestProgram* program);
int KBX_TestReleaseProgram(const KBX_TestProgram* program);

// --- input box and button box ---------------------------------------------
// Field i, its label, and button k (counted row by row); null when the box
// is closed or has no such row or button.
KBX_TestWindow KBX_TestField(const KBX_TestProgram* program, int i);
KBX_TestWindow KBX_TestFieldLabel(const KBX_TestProgram* program, int i);
KBX_TestWindow KBX_TestButton(const KBX_TestProgram* program, int k);
// Writes text into field i without committing it (as typing does).
// 0 written; 1 no such field.
int KBX_TestTypeField(const KBX_TestProgram* program, int i, const char* text);
// Writes text into field i and commits it (a click into it, then Enter),
// so that the program's next read of the field gets it. 0 set; 1 no such field.
int KBX_TestSetField(const KBX_TestProgram* program, int i, const char* text);
// Field i's text as shown; "" when there is no such field.
std::string KBX_TestFieldText(const KBX_TestProgram* program, int i);
// Clicks button k. 0 clicked; 1 no such button.
int KBX_TestPressButton(const KBX_TestProgram* program, int k);

// --- text windows -----------------------------------------------------------
// Waits until the program waits for a line (its control window shows
// "Input text"), then types line and Enter into text window n.
// 0 typed; 1 no text window n; 2 no line input waiting in time.
int KBX_TestTypeLine(const KBX_TestProgram* program, int n, const char* line);
// Starts the log of text window n (its menu's Start Log) and waits for the
// file KOBRIX<instance><n>.LOG. 0 logging; 1 no text window n; 2 no file in time.
int KBX_TestStartLog(const KBX_TestProgram* program, int n);
// The log of text window n as it stands (its menu's Copy, which also puts it
// on the clipboard). 0 read into *text; 1 no text window n; 2 no log file
// (start the log first); 3 the copy did not happen in time.
int KBX_TestReadLog(const KBX_TestProgram* program, int n, std::string* text);
// Reads the log of text window n until it holds text; *log (may be null)
// gets the log as last read. 0 found; 1 no text window n; 2 no log file;
// 3 not printed in time.
int KBX_TestWaitForOutput(const KBX_TestProgram* program, int n, const char* text, std::string* log = nullptr);

// --- the clipboard -----------------------------------------------------------
// The clipboard's text (CF_TEXT); "" when it holds none.
std::string KBX_TestClipboardText();
// A number that changes whenever the clipboard's content changes.
unsigned KBX_TestClipboardNumber();
// Waits until the clipboard has changed since KBX_TestClipboardNumber gave
// before and holds text; that text, or "" when none came in time.
std::string KBX_TestClipboardTextAfter(unsigned before);
// Empties the clipboard. 0 done; 1 it could not be opened.
int KBX_TestClearClipboard();

// --- image windows -----------------------------------------------------------
// The zoom (percent) in an image window's caption; 0 when it shows none.
int KBX_TestImageZoom(KBX_TestWindow window);
// Copies the window's picture to the clipboard (its menu's Copy) and reads
// it. 0 read; 1 no image window; 2 no picture on the clipboard in time.
int KBX_TestReadImage(KBX_TestWindow window, KBX_TestPicture* picture);
// Compares the window's picture with a reference file (PNG or BMP); a
// relative path is taken from the folder in KBX_TEST_REFERENCES (the test's
// source folder under add_kobrix_test). 0 the sizes agree and at most
// max_pixels pixels have a channel off by more than tolerance; 1 they differ
// (<name>.actual.png and <name>.diff.png, differing pixels red, go to the
// artifacts folder: KBX_TEST_ARTIFACTS, else kbx_artifacts here; the last
// error gives the count, the largest difference and the first pixel);
// 2 no reference (with KBX_TEST_UPDATE=1 it is written from the picture and
// the result is 0); 3 the picture could not be read.
int KBX_TestMatchPicture(KBX_TestWindow window, const char* reference, int tolerance, int max_pixels);
// Answers a pointing wait (KBX_Pick*, a drawing tool) in an image window at
// picture pixels whatever the zoom: waits until the program waits for a
// point (its control window shows "Click ..."), clicks pixel (x, y), or
// presses at (x1, y1), moves to (x2, y2) and releases there, and waits until
// the prompt changes (the point is taken; two one-point picks in a row with
// nothing between them look like one: wait for the program's output between
// them). 0 taken; 1 no image window; 2 a pixel the zoom does not show on its
// own; 3 no pointing wait, or the point not taken, in time.
int KBX_TestClickImage(const KBX_TestProgram* program, KBX_TestWindow window, int x, int y);
int KBX_TestDragImage(const KBX_TestProgram* program, KBX_TestWindow window, int x1, int y1, int x2, int y2);

#endif
