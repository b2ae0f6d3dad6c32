// A program whose setup routine is the layout fragment that Window Info put
// on the clipboard during the tests: it must compile and recreate the layout.
#include <windows.h>

#include "kobrix.h"

void KBX_Setup() {
#include "layout_fragment.inc"
}

void KBX_Main() {
    for (;;)
        if (wait_100ms() == 1) Sleep(20);
}
