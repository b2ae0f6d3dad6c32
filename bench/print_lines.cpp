// Output rate of KBX_Print: prints numbered lines into one text window,
// without and with its log, and writes the rates to print_rate.txt in the
// current folder. Then it ends itself.
//   KBX_PRINT_LINES  lines per run (default 100000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "kobrix.h"

namespace {

int line_count() {
    char value[32] = {};
    if (GetEnvironmentVariableA("KBX_PRINT_LINES", value, sizeof value) == 0) return 100000;
    int n = std::atoi(value);
    return n > 0 ? n : 100000;
}

double seconds_for(int lines) {
    unsigned int start = ms_clock();
    for (int i = 1; i <= lines; ++i) KBX_Print("line %06d of the print rate benchmark\n", i);
    unsigned int elapsed = ms_clock() - start;
    return elapsed / 1000.0;
}

}  // namespace

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 400, 300);
    start_request = 1;
}

void KBX_Main() {
    const int lines = line_count();
    std::FILE* out = std::fopen("print_rate.txt", "w");
    // Start-up work (the control window settling, first glyphs, the
    // display connection) stays out of the measured runs.
    seconds_for(2000);
    double plain = seconds_for(lines);
    if (out) std::fprintf(out, "log off: %d lines in %.2f s, %.0f lines per second\n", lines, plain, lines / plain);
    KBX_ClearTextWindow();
    KBX_StartLog(0);
    double logged = seconds_for(lines);
    KBX_CloseLog(0);
    if (out) {
        std::fprintf(out, "log on:  %d lines in %.2f s, %.0f lines per second\n", lines, logged, lines / logged);
        std::fclose(out);
    }
    PostMessageW(static_cast<HWND>(KBXMAINWINDOW), WM_KEYDOWN, VK_ESCAPE, 0);
    while (exit_state == 0) wait_100ms();
}
