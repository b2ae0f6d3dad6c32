// One framework run per test suite for the box tests. The boxes belong to
// the user-program thread, so every step that touches them runs there,
// while the test thread plays the user from outside.
#ifndef KBX_BOXES_TEST_SESSION_H
#define KBX_BOXES_TEST_SESSION_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace boxes_test {

void start_session();
void end_session();

// Runs a step on the user-program thread and returns when it is done.
void on_user_thread(const std::function<void()>& step);
// Hands a step over without waiting (for steps that wait for the user);
// finish_step waits for it.
void begin_on_user_thread(std::function<void()> step);
bool finish_step(DWORD timeout_ms = 10000);

// Lets the user-program thread handle what is queued for its windows.
void settle();

// Closes both boxes and puts their sizes back to the start values.
void reset_boxes();

// The keyboard focus of the user-program thread.
HWND user_focus();

// A child control's rectangle in its parent's client coordinates.
RECT child_rect(HWND child);

// Opens a box's pop-up menu with the given mouse message, reads its items
// ("text" and command) and leaves it open; close_popup cancels it.
struct MenuItem {
    std::wstring text;
    UINT id;
};
HWND open_popup(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
std::vector<MenuItem> popup_items(HWND popup);
void close_popup(HWND window, HWND popup);
// Picks the first item of an open pop-up with the keyboard.
void choose_first_item(HWND popup);

}  // namespace boxes_test

#endif
