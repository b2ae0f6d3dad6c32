// KOBRIX test helper (library kobrix::testing): drives a built KOBRIX
// program from another process as its user would, from a plain main or from
// any test framework. It starts the program in a fresh folder, finds its
// windows, types, clicks and presses its buttons, and reads back what it
// shows: field texts, window titles and sizes, window logs and pictures.
//
// Every call that needs a window, a field, a button or a log waits for it;
// every wait ends after KBX_TestTimeout() milliseconds at most, and at once
// when the program ends. Texts and paths are UTF-8. Programs started here
// end when this process ends, however it ends. Not for use from inside a
// KOBRIX program.
//
// Every int result is one of KBX_TestResult. A call that fails says why
// (and what it waited for) in KBX_TestLastError(); the next call clears it.
#ifndef KOBRIX_TESTING_H
#define KOBRIX_TESTING_H

#include <functional>
#include <string>
#include <vector>

#include "kbx_commands.h"

// A window of the program under test (an HWND on Windows).
typedef void* KBX_TestWindow;

// What every call returns: one meaning per number. A picture compared with
// its reference answers 0, 1 or 2 (MISMATCH, NO_SUCH_FILE), as its result
// reads best in a plain comparison.
enum KBX_TestResult {
    KBX_TEST_DONE = 0,
    KBX_TEST_MISMATCH = 1,         // a picture differs from its reference
    KBX_TEST_NO_SUCH_FILE = 2,     // no such file (in the program's folder, or a reference)
    KBX_TEST_NO_SUCH_WINDOW = 3,   // the window, field or button is not there (waited for)
    KBX_TEST_TIMED_OUT = 4,        // what the call waited for did not happen in time
    KBX_TEST_PROGRAM_ENDED = 5,    // the program ended (the last error names its exit code)
    KBX_TEST_NO_PROGRAM = 6,       // none was started, or it could not be started
    KBX_TEST_REFUSED = 7,          // not possible as asked (see each call)
};

// A program started by KBX_TestStart. Copy it freely, end it once with
// KBX_TestExit and/or KBX_TestEnd (KBX_TestOwnedProgram does that for you).
struct KBX_TestProgram {
    void* process = nullptr;           // the process handle; null when none
    unsigned long pid = 0;             // its process id
    int instance = -1;                 // its instance number 0..9 (from its control window)
    KBX_TestWindow control = nullptr;  // its control window
    char folder[1024] = "";            // its working folder, fresh for each start (UTF-8)
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
// What the last call, when it failed, was doing or waiting for; "" when it
// did not fail (or a failed KBX_TestCheck has printed it since).
const char* KBX_TestLastError();
// The longest any wait lasts, in milliseconds (10000 until set).
int KBX_TestTimeout();
// Sets that limit; values below 1 are taken as 1.
void KBX_TestSetTimeout(int milliseconds);
// Polls condition until it holds. DONE held; TIMED_OUT not within the time
// limit (the last error then says "waited ... for <what>").
int KBX_TestWaitFor(const std::function<bool()>& condition, const char* what);
// The same while program runs: PROGRAM_ENDED when it ends first.
int KBX_TestWaitWhileRunning(const KBX_TestProgram* program, const std::function<bool()>& condition,
                             const char* what);
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
// environment, and waits for its control window. Every text window of the
// program logs from its opening. The program ends when this process ends.
// DONE started and shown; NO_PROGRAM it could not be started; REFUSED
// program still holds a running program (end it first); PROGRAM_ENDED it
// ended before its control window showed; TIMED_OUT no control window in
// time (the process is ended).
int KBX_TestStart(KBX_TestProgram* program, const char* exe, const char* const* env = nullptr);
// Start, Stop and Exit as the control window's menu gives them. Start and
// Stop return once the control window has taken them: DONE; PROGRAM_ENDED;
// NO_PROGRAM none started; TIMED_OUT no answer in time.
int KBX_TestPressStart(KBX_TestProgram* program);
int KBX_TestPressStop(KBX_TestProgram* program);
// Exit, then waits for the process to end: *exit_code gets its exit code,
// *milliseconds the time from Exit to its end, and *forced 0 when the
// program's routines ended by themselves, 1 when Exit had to end them after
// its grace period, -1 when that cannot be told (any may be null).
// DONE ended; TIMED_OUT not ended in time (it is then ended with code 99);
// NO_PROGRAM none runs.
int KBX_TestExit(KBX_TestProgram* program, int* exit_code, int* milliseconds, int* forced = nullptr);
// Ends the process if it still runs, closes it and deletes its folder.
void KBX_TestEnd(KBX_TestProgram* program);
// Reads a file of the program's folder (a log, a saved picture) into
// *contents. DONE read; NO_SUCH_FILE none.
int KBX_TestReadFile(const KBX_TestProgram* program, const char* name, std::string* contents);

// Owns a program: starts it (result holds KBX_TestStart's result) and ends
// it (KBX_TestEnd) when it goes out of scope, as when an assertion returns
// early.
struct KBX_TestOwnedProgram {
    KBX_TestProgram program;
    int result;
    explicit KBX_TestOwnedProgram(const char* exe, const char* const* env = nullptr)
        : result(KBX_TestStart(&program, exe, env)) {}
    ~KBX_TestOwnedProgram() { KBX_TestEnd(&program); }
    KBX_TestOwnedProgram(const KBX_TestOwnedProgram&) = delete;
    KBX_TestOwnedProgram& operator=(const KBX_TestOwnedProgram&) = delete;
    KBX_TestProgram* operator->() { return &program; }
    KBX_TestProgram* get() { return &program; }
};

// --- windows ---------------------------------------------------------------
// The program's window of this kind (n: the text or image window's number,
// else ignored); null when it is not open. Does not wait.
KBX_TestWindow KBX_TestFindWindow(const KBX_TestProgram* program, KBX_TestWindowKind kind, int n = 0);
// The same, waiting for it to open; null when it did not in time or the
// program ended.
KBX_TestWindow KBX_TestWaitForWindow(const KBX_TestProgram* program, KBX_TestWindowKind kind, int n = 0);
// The image window whose title (before its zoom, "title(100%)") is title;
// null when none is open (the first of several with that title). KBX_TestWaitForImageWindow waits for it.
KBX_TestWindow KBX_TestFindImageWindow(const KBX_TestProgram* program, const char* title);
KBX_TestWindow KBX_TestWaitForImageWindow(const KBX_TestProgram* program, const char* title);
// A window's text (title, caption, field text); "" for none.
std::string KBX_TestWindowText(KBX_TestWindow window);
// A window's outer rectangle on the screen and its client size. DONE read;
// NO_SUCH_WINDOW (the outputs stay untouched).
int KBX_TestWindowRect(KBX_TestWindow window, int* x, int* y, int* width, int* height);
int KBX_TestClientSize(KBX_TestWindow window, int* width, int* height);
// The window of the program that has the keyboard focus; null when none.
KBX_TestWindow KBX_TestFocus(const KBX_TestProgram* program);
// Posts a key press (a virtual-key code: 'A', '0', VK_TAB...) or a left click
// at client coordinates (x, y). DONE posted; NO_SUCH_WINDOW.
int KBX_TestPostKey(KBX_TestWindow window, int key);
int KBX_TestPostClick(KBX_TestWindow window, int x, int y);
// Posts a menu command (KBX_CMD_... of kbx_commands.h) to a window, as its
// menu would. DONE posted; NO_SUCH_WINDOW.
int KBX_TestPostCommand(KBX_TestWindow window, int command);
// Holds the thread that owns the program's windows (returning once it is
// held), so that input posted meanwhile arrives together; Release lets it
// go. DONE; PROGRAM_ENDED; REFUSED the thread cannot be held or released.
int KBX_TestHoldProgram(const KBX_TestProgram* program);
int KBX_TestReleaseProgram(const KBX_TestProgram* program);

// --- input box and button box ---------------------------------------------
// Field i, its label, and button k (counted row by row); null when the box
// is closed or has no such row or button. Do not wait.
KBX_TestWindow KBX_TestField(const KBX_TestProgram* program, int i);
KBX_TestWindow KBX_TestFieldLabel(const KBX_TestProgram* program, int i);
KBX_TestWindow KBX_TestButton(const KBX_TestProgram* program, int k);
// Waits for field i, then writes text into it without committing it (as
// typing does). DONE written; NO_SUCH_WINDOW no such field in time;
// PROGRAM_ENDED; TIMED_OUT the field took no text in time.
int KBX_TestTypeField(const KBX_TestProgram* program, int i, const char* text);
// The same, and commits it (a click into it, then Enter), so that the
// program's next read of the field gets it. Results as KBX_TestTypeField.
int KBX_TestSetField(const KBX_TestProgram* program, int i, const char* text);
// Field i's text as shown, waiting for the field; "" when none came.
std::string KBX_TestFieldText(const KBX_TestProgram* program, int i);
// Waits for button k and clicks it. DONE clicked; NO_SUCH_WINDOW no such
// button in time; PROGRAM_ENDED.
int KBX_TestPressButton(const KBX_TestProgram* program, int k);

// --- text windows -----------------------------------------------------------
// Every text window logs what it shows from its opening (the helper starts
// programs so), into KOBRIX<instance><n>.LOG of the program's folder.
// Waits for text window n and for the program to wait for a line, then
// types line and Enter into it. DONE typed; NO_SUCH_WINDOW no text window n
// in time; TIMED_OUT no line input waiting in time; PROGRAM_ENDED.
int KBX_TestTypeLine(const KBX_TestProgram* program, int n, const char* line);
// Waits for text window n and makes sure it logs (its menu's Start Log when
// it does not). DONE logging; NO_SUCH_WINDOW; TIMED_OUT no log file in
// time; PROGRAM_ENDED.
int KBX_TestStartLog(const KBX_TestProgram* program, int n);
// The log of text window n as it stands, written out by the program first.
// DONE read into *text; NO_SUCH_WINDOW; TIMED_OUT not written out in time;
// NO_SUCH_FILE the window does not log; PROGRAM_ENDED.
int KBX_TestReadLog(const KBX_TestProgram* program, int n, std::string* text);
// Reads the log of text window n until it holds text; *log (may be null)
// gets the log as last read. DONE found; TIMED_OUT not printed in time;
// else as KBX_TestReadLog.
int KBX_TestWaitForOutput(const KBX_TestProgram* program, int n, const char* text, std::string* log = nullptr);

// --- the clipboard -----------------------------------------------------------
// The helper itself never uses the clipboard: these are for tests of a
// program's own Copy and Paste.
// The clipboard's text in UTF-8; "" when it holds none.
std::string KBX_TestClipboardText();
// A number that changes whenever the clipboard's content changes.
unsigned KBX_TestClipboardNumber();
// Waits until the clipboard has changed since KBX_TestClipboardNumber gave
// before and holds text; that text, or "" when none came in time.
std::string KBX_TestClipboardTextAfter(unsigned before);
// Empties the clipboard. DONE; REFUSED it could not be opened.
int KBX_TestClearClipboard();

// --- image windows -----------------------------------------------------------
// The zoom (percent) in an image window's caption; 0 when it shows none.
int KBX_TestImageZoom(KBX_TestWindow window);
// Reads the window's picture (handed over privately, not through the
// clipboard). DONE read; NO_SUCH_WINDOW not an image window; TIMED_OUT no
// answer in time.
int KBX_TestReadImage(KBX_TestWindow window, KBX_TestPicture* picture);
// Compares the window's picture with a reference file (PNG or BMP); a
// relative path is taken from the folder in KBX_TEST_REFERENCES (the test's
// source folder under add_kobrix_test). DONE the sizes agree and at most
// max_pixels pixels have a channel off by more than tolerance; MISMATCH they
// differ (<name>.actual.png and <name>.diff.png, differing pixels red, go to
// the artifacts folder: KBX_TEST_ARTIFACTS, else kbx_artifacts here; the
// last error gives the count, the largest difference and the first pixel);
// NO_SUCH_FILE no reference (with KBX_TEST_UPDATE=1 it is written from the
// picture and the result is DONE; REFUSED when that fails or the reference
// cannot be read); else as KBX_TestReadImage.
int KBX_TestMatchPicture(KBX_TestWindow window, const char* reference, int tolerance, int max_pixels);
// Answers a pointing wait (KBX_Pick*, a drawing tool) in an image window at
// picture pixels whatever the zoom: waits until the program waits for a
// point, clicks pixel (x, y), or presses at (x1, y1), moves to (x2, y2) and
// releases there, and waits until the program has taken the point.
// DONE taken; NO_SUCH_WINDOW no image window; REFUSED a pixel the zoom does
// not show on its own; TIMED_OUT no pointing wait, or the point not taken,
// in time; PROGRAM_ENDED.
int KBX_TestClickImage(const KBX_TestProgram* program, KBX_TestWindow window, int x, int y);
int KBX_TestDragImage(const KBX_TestProgram* program, KBX_TestWindow window, int x1, int y1, int x2, int y2);

#endif
