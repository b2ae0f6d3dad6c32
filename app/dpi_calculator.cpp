// DPI calculator: the pixel density of a display from its width and height
// in pixels and its diagonal in inches. Press Calc; the results show in text
// window 0 and go to the clipboard.
#include <chrono>
#include <cmath>
#include <thread>

#include "kobrix.h"

static int width;
static int height;
static double inch;
static double dpi;

void KBX_Setup() {
    inch = 8.0;
    width = 800;
    height = 600;

    KBX_OpenInputBox(160, 0, 3);
    KBX_SetInputBoxTitle(0, "Width");
    KBX_SetInputBoxInt(0, width);
    KBX_SetInputBoxTitle(1, "Height");
    KBX_SetInputBoxInt(1, height);
    KBX_SetInputBoxTitle(2, "Inch");
    KBX_SetInputBoxDouble(2, inch);

    KBX_OpenButtonBox(160, 120, 1, 1);
    KBX_ResizeButtonBox(162, 34);
    KBX_SetButtonBoxTitle(0, "Calc");

    KBX_OpenTextWindow(0, 0, 0, 152, 154);

    start_request = 1;   // no need to press Start
}

static void calc() {
    width = KBX_GetInputBoxInt(0);
    height = KBX_GetInputBoxInt(1);
    inch = KBX_GetInputBoxDouble(2);
    double w = width, h = height;
    dpi = std::sqrt(w * w + h * h) / inch;

    KBX_StartLog(0);
    KBX_Print("Width : %d\n", width);
    KBX_Print("Height: %d\n", height);
    KBX_Print("Inch  : %f\n", inch);
    KBX_ClearTextWindow();   // the inputs stay in the log only
    KBX_Print("DPI: %f\n\n", dpi);
    KBX_Print("12.45: %f\n", dpi / 12.45);
    KBX_Print("12.5 : %f\n", dpi / 12.5);
    KBX_Print("12.55: %f\n", dpi / 12.55);
    KBX_Print("12.6: %f\n", dpi / 12.6);
    KBX_Print("12.65: %f\n", dpi / 12.65);
    KBX_CopyLog(0);
    KBX_CloseLog(0);
}

// Waits about 100 ms while the windows keep working. After Stop,
// wait_100ms returns at once on every call, so the rest of the 100 ms is
// waited out here in short sleeps: Calc keeps working and no core spins.
static void wait_for_next_poll() {
    const unsigned int start = ms_clock();
    while (wait_100ms() != 0) {
        if (ms_clock() - start >= 100) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void KBX_Main() {
    while (KBX_Running()) {
        // Several presses within one poll give one printout.
        if (KBX_TakeButtonPress(0) != 0) calc();
        wait_for_next_poll();
    }
}
