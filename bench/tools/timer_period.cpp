// How long the framework's short waits take with the system's default timer
// period and with the 1 ms period a KOBRIX program runs with: Sleep(1),
// Sleep(10) and the drop animation's 20 ms steps (Sleep(1) until 20 ms have
// passed). Prints each as measured / asked, so 1.00 is on time.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

namespace {

double now_ms() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Mean duration of one wait of `ms`, as a ratio to `ms`.
double sleep_ratio(DWORD ms, int count) {
    double start = now_ms();
    for (int i = 0; i < count; ++i) Sleep(ms);
    return (now_ms() - start) / count / ms;
}

double step_ratio(int steps) {
    double start = now_ms(), reference = start;
    for (int i = 0; i < steps; ++i) {
        while (now_ms() - reference < 20.0) Sleep(1);
        reference = now_ms();
    }
    return (now_ms() - start) / steps / 20.0;
}

void report(const char* period) {
    std::printf("%-16s Sleep(1) %.2f  Sleep(10) %.2f  20 ms step %.2f\n", period, sleep_ratio(1, 200),
                sleep_ratio(10, 40), step_ratio(28));
}

}  // namespace

int main() {
    report("default period");
    timeBeginPeriod(1);
    report("1 ms period");
    timeEndPeriod(1);
    return 0;
}
