// The smallest KOBRIX program: the framework with nothing of its own.
#include <windows.h>

#include "kobrix.h"

void KBX_Setup() {}

void KBX_Main() {
    while (KBX_Running()) {
        // After Stop every wait returns at once; keep the loop paced.
        if (wait_100ms() == 1) Sleep(100);
    }
}
