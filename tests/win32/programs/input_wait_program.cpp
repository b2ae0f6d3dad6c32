// Starts itself and waits for ever for a typed line in text window 0, caret
// blinking: the idle cost of line input (bench/idle_cpu.sh).
#include "kobrix.h"

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 300, 200);
    start_request = 1;
}

void KBX_Main() {
    char line[520];
    for (;;) {
        KBX_Print("Name? ");
        KBX_InputLine(line);
    }
}
