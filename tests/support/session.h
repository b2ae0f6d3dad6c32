// One framework run for a whole test suite. The framework runs on a thread
// of its own; its user program idles in a pump and runs the steps the test
// hands it, since windows belong to the user-program thread. The test thread
// plays the user from outside.
#ifndef KBX_TEST_SESSION_H
#define KBX_TEST_SESSION_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kbxtest {

struct SessionOptions {
    // The idle loop's pump: the dialog-aware one (Tab and Enter move through
    // controls) or the plain one.
    bool dialog_pump = true;
    // Extra start-up work of the suite, run in the framework's setup routine.
    void (*setup)() = nullptr;
    // How long on_user_thread waits for its step.
    DWORD step_timeout_ms = 30000;
    // How long finish_step() waits when no time is given.
    DWORD finish_timeout_ms = 10000;
};

// Starts the framework (animation effects off, as in run_framework_with)
// and returns once its user program runs; stop_framework
// ends it with Escape on the control window and waits for the thread.
void start_framework(const SessionOptions& options);
void stop_framework();

// Runs a step on the user-program thread and returns when it is done.
void on_user_thread(const std::function<void()>& step);
// Hands a step over without waiting (for steps that block in a menu, a
// prompt or a wait for input); finish_step waits for it.
void begin_on_user_thread(std::function<void()> step);
bool finish_step();
bool finish_step(DWORD timeout_ms);
// Waits until the user-program thread is back in its idle loop, that is
// until what it was running (a step, a command, a prompt) has returned.
bool wait_idle(DWORD timeout_ms = 10000);

// Lets the user-program thread handle what is queued for its windows.
void settle();

// Sets the calling thread's Ctrl key state (GetKeyState reads it there).
void set_ctrl(bool down);

// --- pop-up menus, read from the test thread ----------------------------------
struct MenuItem {
    std::wstring text;
    UINT id;
    bool checked;
    bool separator;
    HMENU submenu;
};
std::vector<MenuItem> menu_items(HMENU menu);
// The items of an open pop-up menu window.
std::vector<MenuItem> popup_items(HWND popup);
// Waits for an open pop-up menu of this process; null on time-out.
HWND wait_for_popup(DWORD timeout_ms = 5000);
// Posts a mouse message to a window and waits for the pop-up it opens.
HWND open_popup(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Cancels an open pop-up through its owner.
void close_popup(HWND owner, HWND popup);
// Picks the first item of an open pop-up with the keyboard.
void choose_first_item(HWND popup);

// --- image windows -------------------------------------------------------------------
// On the user-program thread: destroys every image window, empties the
// selection stack and forgets any pointing loop and pointer events.
void clear_image_windows();
// The caption of image window n.
std::string image_caption(int n);

}  // namespace kbxtest

#endif
