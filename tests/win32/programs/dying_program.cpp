// Opens an input box and a button box, and on Start ends its process with
// exit code 7 before it opens any text window: a program that dies while
// a test waits for it.
#include <windows.h>

#include "kobrix.h"

void KBX_Setup() {
    KBX_OpenInputBox(0, 0, 1);
    KBX_OpenButtonBox(0, 80, 1, 1);
}

void KBX_Main() { ExitProcess(7); }
