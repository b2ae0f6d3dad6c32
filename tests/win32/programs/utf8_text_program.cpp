// Text beyond ASCII in each kind of narrow text: printed (one character in
// two prints), a picture's title, file names, TrueType text, a typed line.
// Also built to keep the system's code page.
#include <windows.h>

#include <cstdio>

#include "kobrix.h"

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 360, 200);
    KBX_StartLog(0);
    start_request = 1;
}

void KBX_Main() {
    KBX_Print("21 °C, 3,2 µm\ncode page %u\nsplit \xC2", GetACP());
    KBX_Print("\xB0 joined\n");
    KBX_CreateImage(1, "Grüße µm", 380, 0, 40, 30, 100);
    KBX_SetPixel(3, 4, 0x123456);
    const int saved = KBX_SaveImageFile(1, "Bild_ü.bmp");
    KBX_SetPixel(3, 4, 0);
    const int loaded = KBX_LoadImageFile(1, "Bild_ü.bmp", 0, 0);
    KBX_SetTextCursor(0, 28, 0);   // below the pixel read back
    KBX_DrawTrueTypeText(GetACP() == CP_UTF8 ? "üß°µ" : "\xFC\xDF\xB0\xB5");
    std::FILE* file = std::fopen("Grüße.txt", "w");
    if (file) std::fclose(file);
    file = std::fopen("Grüße.txt", "r");
    KBX_Print("files %d %d %d %06x\n", file != nullptr, saved, loaded, KBX_GetPixel(3, 4));
    if (file) std::fclose(file);
    char line[256];
    KBX_InputLine(line);
    KBX_Print("typed");
    for (const char* p = line; *p; ++p) KBX_Print(" %02X", static_cast<unsigned char>(*p));
    KBX_Print("\n");
    while (wait_100ms() == 0) {}
}
