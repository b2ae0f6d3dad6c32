// KOBRIX runtime: the user-program contract, the run-state flags and pacing.
#ifndef KBX_CORE_H
#define KBX_CORE_H

#include <atomic>

// A user program supplies these two routines. KBX_Setup runs on the
// user-program thread as soon as the control window exists; KBX_Main runs
// after Start (or at once when KBX_Setup sets start_request to 1).
void KBX_Setup();
void KBX_Main();

// Run-state flags, shared by the control window and the user-program thread.
extern std::atomic<int> start_request;    // 1: enter KBX_Main at the next idle pass
extern std::atomic<int> program_running;  // 1 once KBX_Main has been entered
extern std::atomic<int> stop_request;     // 1 after Stop or Exit
extern std::atomic<int> exit_state;       // 0 running, 1 exit requested, 2 acknowledged

// 1 until Exit begins, then 0 for good (Stop leaves it 1). A main routine
// that loops writes while (KBX_Running()) and returns: Exit then ends the
// program at once, and everything it wrote reaches its files.
int KBX_Running();

// Waits 100 ms while the program's windows keep working. Returns 0 after the
// 100 ms, or 1 as soon as stop_request is 1.
int wait_100ms();

// Milliseconds from the performance counter, truncated to 32 bits; take
// differences of two readings as unsigned.
unsigned int ms_clock();

// A window handle as the public API passes it (an HWND on Windows).
typedef void* KBX_WindowHandle;

// The control window; null until it exists.
KBX_WindowHandle KBX_MainWindow();
#define KBXMAINWINDOW (KBX_MainWindow())

// Brings a window to the foreground; nothing for a null or stale handle.
void KBX_SetForeground(KBX_WindowHandle window);

#endif
