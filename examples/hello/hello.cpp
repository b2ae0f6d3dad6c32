// A KOBRIX program in a project of its own: a text window and one button,
// Greet, that answers with a message box of its own.
#include <windows.h>

#include "kobrix.h"

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 300, 120);
    KBX_OpenButtonBox(0, 130, 1, 1);
    KBX_SetButtonBoxTitle(0, "Greet");
    start_request = 1;   // no need to press Start
}

void KBX_Main() {
    KBX_Print("Hello from your own project\n");
    for (;;) {
        if (KBX_TakeButtonPress(0) != 0) {
            // Plain char strings: KOBRIX leaves the Windows character set
            // to the program.
            MessageBox(nullptr, "Greetings from hello.exe", "hello", MB_OK);
        }
        // After Stop every wait returns at once; keep the loop paced.
        if (wait_100ms() == 1) Sleep(100);
    }
}
