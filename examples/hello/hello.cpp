// A KOBRIX program in a project of its own: a text window, a Name field and
// two buttons. Greet prints a greeting for the name; About answers with a
// message box of its own.
#include <windows.h>

#include "kobrix.h"

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 300, 120);
    KBX_OpenInputBox(0, 160, 1);
    KBX_SetInputBoxTitle(0, "Name");
    KBX_SetInputBoxText(0, "world");
    KBX_OpenButtonBox(0, 220, 2, 1);
    KBX_SetButtonBoxTitle(0, "Greet");
    KBX_SetButtonBoxTitle(1, "About");
    start_request = 1;   // no need to press Start
}

void KBX_Main() {
    KBX_Print("Hello from your own project\n");
    while (KBX_Running()) {   // until Exit
        if (KBX_TakeButtonPress(0) != 0) {
            char name[256];
            KBX_GetInputBoxText(0, name, sizeof name);
            KBX_Print("Hello, %s!\n", name);
        }
        if (KBX_TakeButtonPress(1) != 0) {
            // Plain char strings: KOBRIX leaves the Windows character set
            // to the program.
            MessageBox(nullptr, "Greetings from hello.exe", "hello", MB_OK);
        }
        // After Stop every wait returns at once; keep the loop paced.
        if (wait_100ms() == 1) Sleep(100);
    }
}
