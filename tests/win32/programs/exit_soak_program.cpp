// The program the Exit tests drive from outside (tests/win32/e2e_runtime).
// Command line: a mode and a seed.
//   mix N         a seeded random mix of framework calls for ever
//   slow_setup    text window 0 open, then six seconds of setup work
//   print_deaf    prints for ever, never looking at Stop or Exit
//   log_deaf      the same with window 0's log on
// Every line "L<number>" it prints into text window 0 (logged) is counted
// in shared memory named after the process, so that a driver knows what
// must be in the log once Exit has begun. A stand-in for the desktop, on a
// thread of its own, drops files onto the control window when asked.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>   // DROPFILES

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "kbx_commands.h"
#include "kobrix.h"

namespace {

enum Mode { kMix, kSlowSetup, kPrintDeaf, kLogDeaf };
Mode mode = kMix;
unsigned int rng_state = 1;
volatile LONG* printed = nullptr;   // shared with the driver
LONG local_printed = 0;

int rnd(int n) {
    rng_state = rng_state * 1103515245u + 12345u;
    return static_cast<int>((rng_state >> 8) % static_cast<unsigned>(n));
}

void read_command_line() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const wchar_t* names[] = {L"mix", L"slow_setup", L"print_deaf", L"log_deaf"};
    for (int m = 0; m < 4; ++m)
        if (argc > 1 && std::wcscmp(argv[1], names[m]) == 0) mode = static_cast<Mode>(m);
    if (argc > 2) rng_state = static_cast<unsigned int>(std::wcstoul(argv[2], nullptr, 10));
    LocalFree(argv);
    wchar_t name[64];
    std::swprintf(name, 64, L"kbx_exit_soak_%lu", GetCurrentProcessId());
    HANDLE map = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name);
    printed = static_cast<volatile LONG*>(MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, 4096));
    if (!printed) printed = &local_printed;
}

// A small picture and a text file to drop.
void write_drop_files() {
    const int w = 24, h = 16, offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file = {0x4D42, offset + w * h * 4, 0, 0, offset};
    const BITMAPINFOHEADER info = {sizeof info, w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    unsigned int pixels[w * h];
    for (int i = 0; i < w * h; ++i) pixels[i] = 0x336699u + static_cast<unsigned int>(i);
    if (std::FILE* f = std::fopen("drop.bmp", "wb")) {
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&info, sizeof info, 1, f);
        std::fwrite(pixels, sizeof pixels, 1, f);
        std::fclose(f);
    }
    if (std::FILE* f = std::fopen("note.txt", "wb")) {
        std::fputs("not a picture\n", f);
        std::fclose(f);
    }
}

// A drop of `count` files (the picture, then the text file, alternately),
// as the shell hands it over.
HGLOBAL make_drop(int count) {
    wchar_t dir[MAX_PATH], names[2][MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, dir);
    std::swprintf(names[0], MAX_PATH, L"%ls\\drop.bmp", dir);
    std::swprintf(names[1], MAX_PATH, L"%ls\\note.txt", dir);
    size_t units = 1;
    for (int i = 0; i < count; ++i) units += std::wcslen(names[i % 2]) + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
    if (!memory) return nullptr;
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    wchar_t* out = reinterpret_cast<wchar_t*>(drop + 1);   // zeroed: the list ends in an empty name
    for (int i = 0; i < count; ++i) out += std::swprintf(out, MAX_PATH, L"%ls", names[i % 2]) + 1;
    GlobalUnlock(memory);
    return memory;
}

// WM_APP: drop lparam files onto the window wparam.
LRESULT CALLBACK desktop_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP) {
        HGLOBAL drop = make_drop(static_cast<int>(lparam));
        if (drop && !PostMessageW(reinterpret_cast<HWND>(wparam), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0))
            GlobalFree(drop);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

DWORD WINAPI desktop_thread(LPVOID) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = desktop_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"kbx_soak_desktop";
    RegisterClassW(&wc);
    CreateWindowExW(0, L"kbx_soak_desktop", L"", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

void print_counted() {
    if (KBX_SelectTextWindow(0) != 0) return;
    KBX_Print("L%06ld\n", static_cast<long>(*printed + 1));
    InterlockedIncrement(printed);
}

// Busy work that neither pumps nor looks at a flag.
void work(int ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(ms)) {}
}

const int kImageCommands[] = {KBX_CMD_INVERT,      KBX_CMD_FLIP_HORZ,  KBX_CMD_ROTATE_RIGHT, KBX_CMD_SCALE_50,
                              KBX_CMD_SCALE_200,   KBX_CMD_SCALE_141,  KBX_CMD_ZOOM_200,     KBX_CMD_ZOOM_100,
                              KBX_CMD_PATTERN_RGB, KBX_CMD_COPY,       KBX_CMD_CUT};

void one_call() {
    char line[520];
    int x = 0, y = 0, x2 = 0, y2 = 0;
    const int n = rnd(3);
    switch (rnd(16)) {
        case 0:
        case 1:
        case 2: print_counted(); break;
        case 3:
            KBX_Print("? ");
            KBX_InputLine(line);
            break;
        case 4:
            for (int i = rnd(4); i >= 0; --i)
                if (wait_100ms() == 1) Sleep(20);
            break;
        case 5: KBX_PickPoint(n, &x, &y); break;
        case 6: KBX_PickBox(n, &x, &y, &x2, &y2); break;
        case 7: KBX_CreateImage(n, "soak", 20 + 40 * n, 300, 40 + rnd(80), 30 + rnd(60), 100); break;
        case 8: KBX_DestroyImage(n); break;
        case 9:
            if (rnd(2)) KBX_OpenTextWindow(1 + n % 2, 420, 0, 200, 120);
            else KBX_CloseTextWindow(1 + n % 2);
            break;
        case 10:
            if (KBX_SelectImage(n) == 0) {
                KBX_DrawLine(rnd(0x1000000), 0, 0, rnd(60), rnd(60));
                KBX_FillBox(1, 1, rnd(30), rnd(30));
                KBX_RunImageCommand(n, kImageCommands[rnd(sizeof kImageCommands / sizeof kImageCommands[0])]);
                KBX_RestoreImage();
            }
            break;
        case 11:
            switch (rnd(4)) {
                case 0: KBX_StartLog(1); break;
                case 1: KBX_StopLog(1); break;
                default: KBX_CopyLog(rnd(2)); break;
            }
            break;
        case 12:
            if (rnd(2)) KBX_CopyImage(n);
            else KBX_PasteImage(n, rnd(20), rnd(20));
            break;
        case 13:
            if (rnd(3) == 0) KBX_OpenButtonBox(700, 0, 2, 2);
            KBX_TakeButtonPress(rnd(4));
            break;
        case 14:
            if (rnd(3) == 0) KBX_OpenInputBox(700, 200, 2);
            KBX_GetInputBoxInt(0);
            break;
        default: work(rnd(300)); break;
    }
}

}  // namespace

void KBX_Setup() {
    read_command_line();
    write_drop_files();
    CreateThread(nullptr, 0, desktop_thread, nullptr, 0, nullptr);
    KBX_OpenTextWindow(0, 0, 0, 400, 200);
    KBX_StartLog(0);
    print_counted();
    if (mode == kSlowSetup) work(6000);
    if (mode == kPrintDeaf) KBX_StopLog(0);
    if (mode == kMix && rnd(3) == 0) work(rnd(3000));
    if (mode == kPrintDeaf || mode == kLogDeaf || (mode == kMix && rnd(4) == 0)) start_request = 1;
}

void KBX_Main() {
    if (mode == kPrintDeaf || mode == kLogDeaf) {
        // Printing, logging and allocating all the time: Exit has to end the
        // thread wherever it is, holding whatever it holds.
        for (;;) {
            print_counted();
            std::free(std::malloc((1 + rnd(4)) << 20));
        }
    }
    for (;;) one_call();
}
