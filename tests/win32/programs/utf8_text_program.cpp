// Text beyond ASCII through each kind of narrow text: printed units (one
// character in two prints), a picture's title, file names, a typed line.
// Built twice: as UTF-8 (the default) and keeping the system's code page.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "kobrix.h"

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 360, 200);
    KBX_StartLog(0);
    start_request = 1;
}

namespace {

// Writes a file under a name beyond ASCII and reads it back: 1 when the
// same bytes came back.
int file_round_trip() {
    std::FILE* file = std::fopen("Grüße.txt", "wb");
    if (!file) return 0;
    std::fputs("µm", file);
    std::fclose(file);
    char back[8] = {};
    file = std::fopen("Grüße.txt", "rb");
    if (!file) return 0;
    std::fread(back, 1, sizeof back - 1, file);
    std::fclose(file);
    return std::strcmp(back, "µm") == 0;
}

}  // namespace

void KBX_Main() {
    KBX_Print("21 °C, 3,2 µm\n");
    KBX_Print("code page %u\n", GetACP());
    KBX_Print("split \xC2");
    KBX_Print("\xB0 joined\n");
    KBX_CreateImage(1, "Grüße µm", 380, 0, 40, 30, 100);
    KBX_SetPixel(3, 4, 0x123456);
    const int saved = KBX_SaveImageFile(1, "Bild_ü.bmp");
    KBX_SetPixel(3, 4, 0);
    const int loaded = KBX_LoadImageFile(1, "Bild_ü.bmp", 0, 0);
    KBX_Print("files %d %d %d %06x\n", file_round_trip(), saved, loaded, KBX_GetPixel(3, 4));
    char line[256];
    KBX_InputLine(line);
    KBX_Print("typed");
    for (const char* p = line; *p; ++p) KBX_Print(" %02X", static_cast<unsigned char>(*p));
    KBX_Print("\n");
    while (wait_100ms() == 0) {}
}
