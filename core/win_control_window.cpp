// The control window: always present, its menu starts, stops and ends the
// user program; its pop-up menu opens windows by hand.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "core/clock_math.h"
#include "core/win_interactive.h"
#include "core/win_messages.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "core/status_text.h"
#include "kbx_commands.h"
#include "textwin/win_snapping.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

enum {
    kCmdStart = KBX_CMD_START,
    kCmdExit = KBX_CMD_EXIT,
    kCmdStop = KBX_CMD_STOP,
    kCmdPaste = KBX_CMD_PASTE_NEW_IMAGE,
    kCmdImageWindow = KBX_CMD_NEW_IMAGE_WINDOW,
    kCmdTextWindow = KBX_CMD_NEW_TEXT_WINDOW,
    kCmdInputBox = KBX_CMD_NEW_INPUT_BOX,
    kCmdWindowInfo = KBX_CMD_WINDOW_INFO,
    kCmdButtonBox = KBX_CMD_NEW_BUTTON_BOX,
    kStatusLabelId = 2001,
};

const int kDropOffsets[28] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -6, -5, -4, -3,
                              -2, -1, 1, 2, 3, 4, 5, 6, -3, -2, -1, 1, 2, 3};
const DWORD kExitGraceMs = 2000;
const UINT_PTR kFlashTimer = 1;
const UINT kFlashMs = 3000;
char flashed_status[kStatusWidth];   // as the label shows it
const UINT_PTR kTextCopyTimer = 2;

// Waits until ms have passed since *reference, then moves the reference on.
// Sleeps in small steps rather than spinning.
void wait_since(unsigned int* reference, unsigned int ms) {
    while (ms_since(*reference, ms_clock()) < ms) Sleep(1);
    *reference = ms_clock();
}

// Windows' "Animation effects" setting (Accessibility, Visual effects):
// people who turn it off get no moving windows.
bool animations_on() {
    BOOL on = TRUE;
    return !SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &on, 0) || on;
}

// The window falls 55 pixels into place with two rebounds; with animations
// turned off it is at once where the fall ends.
void drop_animation(HWND window) {
    const bool paced = animations_on();
    unsigned int reference = ms_clock();
    for (int offset : kDropOffsets) {
        RECT r;
        GetWindowRect(window, &r);
        SetWindowPos(window, nullptr, r.left, r.top + offset, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        if (paced) wait_since(&reference, 20);
    }
    if (paced) wait_since(&reference, 500);
}

LRESULT on_create(HWND window) {
    control.window = window;
    // The padded text is wider than the label: without word wrap its tail of
    // spaces is clipped instead of pushing the last word to a hidden line.
    control.status_label = CreateWindowExW(0, L"STATIC", L"Ready", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP,
                                           0, 6, 234, 20, window,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusLabelId)),
                                           module_instance, nullptr);
    drop_animation(window);

    HDC dc = GetDC(window);
    screen_depth = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(window, dc);

    DragAcceptFiles(window, TRUE);
    control.user_thread = CreateThread(nullptr, 0, user_thread_main, nullptr, 0, &control.user_thread_id);
    SetPropW(window, KBX_PROGRAM_THREAD_PROPERTY,
             reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(control.user_thread_id)));
    return 0;
}

bool creation_allowed() { return program_running == 0 && input_active == 0; }

void show_popup_menu(HWND window) {
    UINT g = creation_allowed() ? MF_ENABLED : (MF_GRAYED | MF_DISABLED);
    HMENU menu = CreatePopupMenu();
    UINT pos = 0;
    insert_menu_item(menu, pos++, "Paste\tCtrl+V", kCmdPaste, g);
    insert_menu_item(menu, pos++, nullptr, 0, 0);
    insert_menu_item(menu, pos++, "Start", kCmdStart, g);
    insert_menu_item(menu, pos++, "Stop", kCmdStop, MF_ENABLED);
    insert_menu_item(menu, pos++, "E&xit", kCmdExit, MF_ENABLED);
    insert_menu_item(menu, pos++, nullptr, 0, 0);
    insert_menu_item(menu, pos++, "Image Window", kCmdImageWindow, g);
    insert_menu_item(menu, pos++, "Text Window", kCmdTextWindow, g);
    insert_menu_item(menu, pos++, "Input Box", kCmdInputBox, g);
    insert_menu_item(menu, pos++, "Button Box", kCmdButtonBox, g);
    insert_menu_item(menu, pos++, nullptr, 0, 0);
    insert_menu_item(menu, pos++, "&Window Info.\tCtrl+W", kCmdWindowInfo, g);

    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
}

void on_key_down(HWND window, WPARAM key) {
    bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (ctrl) {
        if (key == 'V') PostMessageW(window, WM_COMMAND, kCmdPaste, 0);
        else if (key == 'W') PostMessageW(window, WM_COMMAND, kCmdWindowInfo, 0);
        return;
    }
    switch (key) {
        case VK_ESCAPE:
        case 'X': do_exit(); break;
        case 'S': do_start(); break;
        case 'C': do_stop(); break;
        default: break;
    }
}

// The creation commands, Paste and drops post requests and pump while they
// wait for them. One carried out inside another's wait would take the answer
// meant for the other from the single slot, so one runs at a time and the
// others wait here for their turn, in order; what is left when Exit begins
// is dropped.
struct Deferred {
    UINT message;   // WM_COMMAND or WM_DROPFILES
    WPARAM wparam;
};
const int kMaxDeferred = 16;
Deferred deferred[kMaxDeferred];
int deferred_count = 0;
bool interactive_running = false;

void carry_out_interactive(const Deferred& d) {
    if (exit_state != 0) {
        if (d.message == WM_DROPFILES) DragFinish(reinterpret_cast<HDROP>(d.wparam));
        return;
    }
    if (d.message == WM_DROPFILES) {
        interactive_drop_files(reinterpret_cast<HDROP>(d.wparam));
        return;
    }
    switch (LOWORD(d.wparam)) {
        case kCmdPaste: interactive_paste(); break;
        case kCmdImageWindow: interactive_image_window(); break;
        case kCmdTextWindow: interactive_text_window(); break;
        case kCmdInputBox: interactive_input_box(); break;
        case kCmdWindowInfo: interactive_window_info(); break;
        case kCmdButtonBox: interactive_button_box(); break;
        default: break;
    }
}

void run_interactive(UINT message, WPARAM wparam) {
    const Deferred d = {message, wparam};
    if (interactive_running) {
        if (deferred_count < kMaxDeferred) {
            deferred[deferred_count++] = d;
        } else {   // too many: refused, and the user is told
            if (message == WM_DROPFILES) DragFinish(reinterpret_cast<HDROP>(wparam));
            flash_status_text("Busy: command not taken");
        }
        return;
    }
    interactive_running = true;
    carry_out_interactive(d);
    for (int i = 0; i < deferred_count; ++i) carry_out_interactive(deferred[i]);
    deferred_count = 0;
    interactive_running = false;
}

void on_command(WORD id) {
    switch (id) {
        case kCmdStart: do_start(); break;
        case kCmdExit: do_exit(); break;
        case kCmdStop: do_stop(); break;
        case kCmdPaste:
        case kCmdImageWindow:
        case kCmdTextWindow:
        case kCmdInputBox:
        case kCmdWindowInfo:
        case kCmdButtonBox: run_interactive(WM_COMMAND, id); break;
        default: break;
    }
}

// Lets sent messages through while Exit waits, so a user-program thread
// that is talking to the control window can finish instead of stalling.
void wait_for_user_thread(HANDLE thread, DWORD limit_ms) {
    unsigned int start = ms_clock();
    for (;;) {
        DWORD code = 0;
        if (!GetExitCodeThread(thread, &code) || code != STILL_ACTIVE) return;
        unsigned int waited = ms_since(start, ms_clock());
        if (waited > limit_ms) return;
        // Short slices: the exit code is the authority, not the wake-up.
        DWORD slice = limit_ms - waited + 1;
        if (slice > 10) slice = 10;
        MsgWaitForMultipleObjectsEx(1, &thread, slice, QS_SENDMESSAGE, 0);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// The user-program thread does not pump while its program computes: text
// output it holds back is copied from here once it has waited an interval.
void copy_held_text_output_later(HWND window) {
    const unsigned int next = copy_held_text_output();
    if (next == 0) KillTimer(window, kTextCopyTimer);
    else SetTimer(window, kTextCopyTimer, next, nullptr);
}

// What the program wrote is still in its C runtime's buffers and its static
// objects: the process has to end the normal way, through the runtime's
// exit, for it to reach the files.
const DWORD kForcedEndMs = 200;

// The ended thread may have held a lock (the heap's, a stream's, GDI's) that
// the normal end needs; then nothing but this ends the process.
DWORD WINAPI end_process_later(LPVOID) {
    Sleep(kForcedEndMs);
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}

void end_user_thread_by_force(HANDLE thread) {
    TerminateThread(thread, 1);
    // Its windows go with it; wait until they have, within bounds.
    WaitForSingleObject(thread, 50);
    HANDLE watchdog = CreateThread(nullptr, 0, end_process_later, nullptr, 0, nullptr);
    if (!watchdog) TerminateProcess(GetCurrentProcess(), 0);
    CloseHandle(watchdog);
}

}  // namespace

bool forward_control_key(WPARAM key, LPARAM lparam) {
    switch (key) {
        case VK_ESCAPE:
        case 'X':
        case 'S':
        case 'C':
            PostMessageW(control.window, WM_KEYDOWN, key, lparam);
            return true;
        default:
            return false;
    }
}

void flash_status_text(const char* text) {
    MessageBeep(MB_ICONEXCLAMATION);
    // Through the control window's own thread, which owns the label and the timer.
    PostMessageW(control.window, kMsgFlashStatus, 0, reinterpret_cast<LPARAM>(text));
}

void do_start() {
    if (program_running == 0) {
        start_request = 1;
        wake_user_thread();
    }
}

void do_stop() {
    stop_request = 1;
    wake_user_thread();
}

void do_exit() {
    input_active = 0;
    stop_request = 1;
    exit_state = 1;
    wake_user_thread();
    KBX_CloseAllLogs();

    HANDLE thread = control.user_thread;
    if (thread) {
        wait_for_user_thread(thread, kExitGraceMs);
        DWORD code = 0;
        if (GetExitCodeThread(thread, &code) && code == STILL_ACTIVE) {
            end_user_thread_by_force(thread);
            code = 1;
        }
        control.user_thread_exit_code = code;
    }
    if (exit_state == 1) exit_state = 2;
    if (thread) CloseHandle(thread);
    control.user_thread = nullptr;
    DestroyWindow(control.window);
}

LRESULT CALLBACK control_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return on_create(window);
        case WM_DESTROY:
            RemovePropW(window, KBX_PROGRAM_THREAD_PROPERTY);
            PostQuitMessage(0);
            return 0;
        case WM_SIZING:
            // The frame shows a sizing border, but the size is fixed.
            GetWindowRect(window, reinterpret_cast<RECT*>(lparam));
            return TRUE;
        case WM_RBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            if (drawing_tool_mode == 0) show_popup_menu(window);
            return 0;
        case WM_KEYDOWN:
            on_key_down(window, wparam);
            return 0;
        case WM_COMMAND:
            on_command(LOWORD(wparam));
            return 0;
        case kMsgTextOutputHeld:
            copy_held_text_output_later(window);
            return 0;
        case kMsgFlashStatus:
            if (lparam) {
                format_status_text(reinterpret_cast<const char*>(lparam), flashed_status);
                set_status_text(reinterpret_cast<const char*>(lparam));
                SetTimer(window, kFlashTimer, kFlashMs, nullptr);
            }
            return 0;
        case WM_TIMER:
            if (wparam == kTextCopyTimer) {
                copy_held_text_output_later(window);
            } else if (wparam == kFlashTimer) {
                KillTimer(window, kFlashTimer);
                // A prompt shown meanwhile stays.
                char now[kStatusWidth * 2];
                get_window_text_ansi(control.status_label, now, sizeof now);
                if (std::strcmp(now, flashed_status) == 0) show_depth_status();
            } else {
                return DefWindowProcW(window, message, wparam, lparam);
            }
            return 0;
        case WM_DROPFILES:
            run_interactive(WM_DROPFILES, wparam);
            return 0;
        default:
            return framework_window_default(window, message, wparam, lparam);
    }
}

}  // namespace kbx
