// The program entry of every KOBRIX program: the user program supplies
// KBX_Setup and KBX_Main, the framework does the rest.
#include "core/win_runtime.h"
#include "kbx_core.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return kbx::run_framework(instance, KBX_Setup, KBX_Main);
}
