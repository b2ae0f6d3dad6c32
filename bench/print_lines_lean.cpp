// The reference for bench/print_rate.sh: the least a program can do to show
// the same numbered lines in a 400 x 300 window with the same font and the
// same 15 ms repaint schedule as a text window, without KOBRIX. Each line is
// formatted, widened and drawn into a back buffer that scrolls; the messages
// are pumped (and the window repainted) only when the 15 ms have passed.
// Writes its rate to print_rate_lean.txt in the current folder and ends.
//   KBX_PRINT_LINES  lines per run (default 100000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

const int kWidth = 400, kHeight = 300;
const DWORD kRepaintMs = 15;
HDC memory_dc = nullptr;

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BitBlt(dc, 0, 0, kWidth, kHeight, memory_dc, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

int line_count() {
    char value[32] = {};
    if (GetEnvironmentVariableA("KBX_PRINT_LINES", value, sizeof value) == 0) return 100000;
    int n = std::atoi(value);
    return n > 0 ? n : 100000;
}

double seconds_for(HWND window, int lines, int char_height) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int y = 0;
    DWORD last_pump = GetTickCount();
    for (int i = 1; i <= lines; ++i) {
        char text[128];
        wchar_t wide[128];
        std::snprintf(text, sizeof text, "line %06d of the print rate benchmark\n", i);
        const int count = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 128) - 2;   // no line feed, no terminator
        TextOutW(memory_dc, 0, y, wide, count);
        y += char_height;
        if (y + char_height > kHeight) {
            BitBlt(memory_dc, 0, 0, kWidth, kHeight - char_height, memory_dc, 0, char_height, SRCCOPY);
            y -= char_height;
            PatBlt(memory_dc, 0, y, kWidth, kHeight - y, BLACKNESS);
        }
        if (GetTickCount() - last_pump >= kRepaintMs) {
            last_pump = GetTickCount();
            InvalidateRect(window, nullptr, FALSE);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
    }
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"kbx_lean_print";
    RegisterClassW(&wc);
    RECT rect = {0, 0, kWidth, kHeight};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowW(L"kbx_lean_print", L"lean print", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    HDC window_dc = GetDC(window);
    memory_dc = CreateCompatibleDC(window_dc);
    SelectObject(memory_dc, CreateCompatibleBitmap(window_dc, kWidth, kHeight));
    SelectObject(memory_dc, GetStockObject(OEM_FIXED_FONT));
    SetTextColor(memory_dc, RGB(255, 255, 255));
    SetBkColor(memory_dc, RGB(0, 0, 0));
    PatBlt(memory_dc, 0, 0, kWidth, kHeight, BLACKNESS);
    TEXTMETRICW metrics;
    GetTextMetricsW(memory_dc, &metrics);
    const int lines = line_count();
    seconds_for(window, 2000, metrics.tmHeight);   // the same warm-up as print_lines
    const double seconds = seconds_for(window, lines, metrics.tmHeight);
    if (std::FILE* out = std::fopen("print_rate_lean.txt", "w")) {
        std::fprintf(out, "lean:    %d lines in %.2f s, %.0f lines per second\n", lines, seconds, lines / seconds);
        std::fclose(out);
    }
    DestroyWindow(window);
    return 0;
}
