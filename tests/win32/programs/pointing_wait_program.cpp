// Starts itself, picks the box tool on image window 0 and leaves it waiting
// for its first point: the idle cost of a pointing loop (bench/idle_cpu.sh).
#include "core/state.h"
#include "kbx_commands.h"
#include "kobrix.h"

void KBX_Setup() {
    KBX_CreateImage(0, "wait", 0, 0, 160, 120, 100);
    start_request = 1;
}

void KBX_Main() {
    // The tool runs on this thread, inside the wait's message pump.
    PostMessageW(kbx::image_windows[0].window, WM_COMMAND, KBX_CMD_DRAW_BOX, 0);
    for (;;) wait_100ms();
}
