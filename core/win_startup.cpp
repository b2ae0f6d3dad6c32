// Program start-up: instance number, GDI+, clock, tables, directories,
// window classes, the image text font, the control window, the message loop.
#include <windows.h>
#include <mmsystem.h>

#include <cwchar>

#include "boxes/win_boxes.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_gdiplus.h"
#include "image/win_image_window.h"
#include "kbx_commands.h"
#include "textwin/win_text_window.h"

namespace kbx {

UserRoutine user_setup_routine;
UserRoutine user_main_routine;

namespace {

const DWORD kControlStyle = WS_VISIBLE | WS_CAPTION | WS_THICKFRAME;   // 0x10C40000
wchar_t control_class_name[11];

// The first free instance number, or -1 when all ten are taken.
int find_free_instance() {
    for (int n = 0; n < kMaxInstances; ++n) {
        wchar_t name[11];
        std::swprintf(name, 11, L"kobrix_mw%d", n);
        if (!FindWindowW(name, nullptr)) return n;
    }
    return -1;
}

void capture_directories() {
    GetCurrentDirectoryW(kPathChars, open_dir_w);
    GetCurrentDirectoryW(kPathChars, save_dir_w);
    GetCurrentDirectoryW(kPathChars, log_dir_w);
    size_t len = std::wcslen(log_dir_w);
    if (len == 0 || log_dir_w[len - 1] != L'\\') {
        log_dir_w[len] = L'\\';
        log_dir_w[len + 1] = 0;
    }
    wide_to_ansi(open_dir_w, open_dir, sizeof open_dir);
    wide_to_ansi(save_dir_w, save_dir, sizeof save_dir);
    wide_to_ansi(log_dir_w, log_dir, sizeof log_dir);
}

bool register_class(const wchar_t* name, UINT style, HBRUSH background, WNDPROC proc) {
    WNDCLASSW wc = {};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = module_instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassW(&wc) != 0;
}

HBRUSH button_face() { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)); }
HBRUSH black() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

const wchar_t* const kOtherClasses[] = {L"kbx_iw", L"kbx_twi", L"kbx_ib", L"kbx_bb"};

bool register_classes() {
    return register_class(control_class_name, CS_CLASSDC, button_face(), control_window_proc) &&
           register_class(L"kbx_iw", CS_OWNDC, black(), image_window_proc) &&
           register_class(L"kbx_twi", CS_OWNDC, black(), text_window_proc) &&
           register_class(L"kbx_ib", CS_OWNDC | CS_DBLCLKS, button_face(), input_box_proc) &&
           register_class(L"kbx_bb", CS_OWNDC | CS_DBLCLKS, button_face(), button_box_proc);
}

void unregister_classes() {
    UnregisterClassW(control_class_name, module_instance);
    for (const wchar_t* name : kOtherClasses) UnregisterClassW(name, module_instance);
}

void create_image_text_font() {
    // Full-width "MS Gothic", the face the image text tools expect.
    image_text_font = CreateFontW(16, 8, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0, 0, 0,
                                  L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");
    image_text_font_width = 8;
    image_text_font_height = 16;
    kbx_tttc = 0xFFFFFF;
    image_text_x = image_text_y = image_text_left_margin = 0;
}

HMENU create_menu_bar() {
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, KBX_CMD_START, L"Start(&S)");
    AppendMenuW(menu, MF_STRING, KBX_CMD_STOP, L"Stop(&C)");
    AppendMenuW(menu, MF_STRING, KBX_CMD_EXIT, L"Exit(&X)");
    return menu;
}

// A menu bar that wraps onto a second line (larger fonts on a scaled
// display) takes its height from the client area, which AdjustWindowRect
// cannot foresee: grow the window by as much, its bottom edge staying put.
void keep_client_height(HWND window, int height) {
    RECT client, outer;
    GetClientRect(window, &client);
    int lost = height - client.bottom;
    if (lost <= 0 || !GetWindowRect(window, &outer)) return;
    SetWindowPos(window, nullptr, outer.left, outer.top - lost, outer.right - outer.left,
                 outer.bottom - outer.top + lost, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The process-wide services the framework runs on: a 1 ms timer period,
// GDI+, the performance counter's rate, the directories and the wake
// events. Returns the GDI+ token that end_services takes.
ULONG_PTR start_services(HINSTANCE instance) {
    // Windows ticks every 15.6 ms unless a program asks for less: the 1 ms
    // sleeps of the waits would take a whole tick and the drop's 20 ms steps
    // two. One period for the program's lifetime (it binds only this process
    // since Windows 10 2004; Windows restores it when the process ends).
    timeBeginPeriod(1);

    ULONG_PTR gdiplus_token = 0;
    Gdiplus::GdiplusStartupInput gdiplus_input;
    Gdiplus::GdiplusStartup(&gdiplus_token, &gdiplus_input, nullptr);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    perf_frequency = frequency.QuadPart;
    ms_per_tick = 1000.0 / static_cast<double>(perf_frequency);

    module_instance = instance;
    capture_directories();

    user_thread_wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    first_thread_wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return gdiplus_token;
}

void end_services(ULONG_PTR gdiplus_token) {
    Gdiplus::GdiplusShutdown(gdiplus_token);
    timeEndPeriod(1);
    unregister_classes();
    CloseHandle(user_thread_wake);
    CloseHandle(first_thread_wake);
    user_thread_wake = first_thread_wake = nullptr;
}

// The control window with its menu bar, centred across the screen, 55
// pixels above where its drop animation ends; null when it cannot be made.
HWND create_control_window() {
    int cx_full = GetSystemMetrics(SM_CXFULLSCREEN);
    int cy_full = GetSystemMetrics(SM_CYFULLSCREEN);
    control.menu = create_menu_bar();

    const int client_height = 32;   // below the menu bar
    RECT rect = {0, 0, 240, GetSystemMetrics(SM_CYMENU) + client_height};
    AdjustWindowRect(&rect, kControlStyle, FALSE);
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    int x = (cx_full - w) / 2;
    // Where the drop ends; with no panel (Wine) that can lie below the
    // screen, so move up only as far as the work area needs.
    int top = cy_full + GetSystemMetrics(SM_CYCAPTION) - h;
    RECT work = {};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) && top + h > work.bottom) top = work.bottom - h;
    int y = top - 55;

    HWND window = CreateWindowExW(0, control_class_name, L"KOBRIX", kControlStyle, x, y, w, h, nullptr,
                                  control.menu, module_instance, nullptr);
    if (window) keep_client_height(window, client_height);
    return window;
}

// The first thread's message loop, until the control window has gone.
void run_message_loop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int run_framework(HINSTANCE instance, UserRoutine setup, UserRoutine main_routine) {
    reset_shared_state();
    user_setup_routine = setup;
    user_main_routine = main_routine;

    int n = find_free_instance();
    if (n < 0) {
        MessageBoxW(nullptr, L"Over instance limit!", L"KOBRIX", MB_OK);
        return 1;
    }
    instance_number = n;
    std::swprintf(control_class_name, 11, L"kobrix_mw%d", n);
    const ULONG_PTR gdiplus_token = start_services(instance);

    int exit_code = 0;
    if (!register_classes()) {
        exit_code = 1;
    } else {
        create_image_text_font();
        if (!create_control_window()) {
            // Without it nothing would ever end the message loop.
            exit_code = 1;
        } else {
            show_depth_status();
            UpdateWindow(control.window);
            control.dc = GetDC(control.window);
            run_message_loop();
        }
        DeleteObject(image_text_font);
        image_text_font = nullptr;
        if (IsMenu(control.menu)) DestroyMenu(control.menu);
    }
    end_services(gdiplus_token);
    return exit_code;
}

}  // namespace kbx
