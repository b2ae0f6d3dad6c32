// Starts itself and spends its life in wait_100ms: the idle cost of a
// polling user program.
#include "kobrix.h"

void KBX_Setup() { start_request = 1; }

void KBX_Main() {
    for (;;) wait_100ms();
}
