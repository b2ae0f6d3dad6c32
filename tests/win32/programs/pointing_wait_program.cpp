// Starts itself and waits in a pointing loop on image window 0 for the first
// corner of a box: the idle cost of a pointing loop (bench/idle_cpu.sh).
#include <windows.h>   // Sleep

#include "kobrix.h"

void KBX_Setup() {
    KBX_CreateImage(0, "wait", 0, 0, 160, 120, 100);
    start_request = 1;
}

void KBX_Main() {
    int x1, y1, x2, y2;
    while (KBX_PickBox(0, &x1, &y1, &x2, &y2) == 0) {}
    // Cancelled or stopped: stay, pacing the loop as after Stop.
    for (;;) {
        if (wait_100ms() == 1) Sleep(20);
    }
}
