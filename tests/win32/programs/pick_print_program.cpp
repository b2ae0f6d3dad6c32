// A picture of known pixels at zoom 150; after Start reads a line, then
// prints it and the box picked in the picture into text window 0: what the
// test helper's picture reads, typed lines and clicks at pixels act on.
#include <cstdlib>

#include "kobrix.h"

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 240, 120);
    // Titled by its environment, when that names a title.
    const char* title = std::getenv("KBX_PICK_TITLE");
    KBX_CreateImage(2, title ? title : "pick", 260, 0, 120, 90, 150);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) KBX_SetPixel(x, y, (x << 16) | (y << 8) | 0x55);
    KBX_RefreshImage(2);
}

void KBX_Main() {
    char line[256];
    KBX_InputLine(line);
    KBX_Print("typed %s\n", line);
    int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    const int result = KBX_PickBox(2, &x1, &y1, &x2, &y2);
    KBX_Print("box %d: %d %d %d %d\n", result, x1, y1, x2, y2);
    while (wait_100ms() == 0) {}
}
