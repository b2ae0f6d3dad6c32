// Counts the discs in a picture: opens it, makes it grey, then black and
// white, fills each white region (4-connected) in a colour of its own,
// prints the areas, saves the result and shows it with the count in its
// title.
//   discs.exe [picture]    (default discs.png in the current folder; when
//                           it does not exist, a picture of five discs is
//                           drawn and saved under that name first)
#include <windows.h>   // GetFileAttributesA, Sleep

#include <cstdio>
#include <cstdlib>   // __argc, __argv

#include "kobrix.h"

namespace {

const int kPicture = 1;   // the image window's number

// Five light discs on a dark blue ground, saved as the picture to count.
bool draw_discs(const char* path) {
    if (KBX_CreateImage(kPicture, "drawn", 0, 140, 240, 160, 100) != 0) return false;
    KBX_SetDrawColor(0x202060);
    KBX_FillBox(0, 0, 239, 159);
    const struct {
        int x, y, r, color;
    } discs[] = {{50, 50, 30, 0xFFFF00}, {130, 45, 22, 0x00FFFF}, {200, 60, 25, 0xFFFFFF},
                 {70, 120, 28, 0xFF80C0}, {170, 120, 30, 0x80FF80}};
    for (const auto& d : discs) {
        KBX_SetDrawColor(d.color);
        KBX_FillCircle(d.x, d.y, d.r);
    }
    const int saved = KBX_SaveImageFile(kPicture, path);
    KBX_DestroyImage(kPicture);
    return saved == 0;
}

// Every white pixel left starts a region: the fill colours it and tells
// its area. Returns the number of regions.
int count_regions(int width, int height) {
    int regions = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (KBX_GetPixel(x, y) != 0xFFFFFF) continue;
            ++regions;
            KBX_SetDrawColor(KBX_HsvToRgb(255, 255, regions * 67 % 360));   // never white
            const int area = KBX_PaintFill(x, y);
            KBX_Print("region %d at (%d, %d): %d pixels\n", regions, x, y, area);
        }
    }
    return regions;
}

}  // namespace

void KBX_Setup() {
    KBX_OpenTextWindow(0, 0, 0, 360, 130);
    start_request = 1;   // no need to press Start
}

void KBX_Main() {
    const char* path = __argc > 1 ? __argv[1] : "discs.png";
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && !draw_discs(path)) {
        KBX_Print("cannot draw %s\n", path);
    } else if (KBX_OpenImageFile(kPicture, path, 0, 140, 100) != 0) {   // the current image window
        KBX_Print("cannot read %s\n", path);
    } else {
        int width = 0, height = 0;
        KBX_GetImageSize(kPicture, &width, &height);
        KBX_GreyImage(kPicture);
        KBX_ThresholdImage(kPicture, 128);   // Y >= 128: white, the rest black
        const int regions = count_regions(width, height);
        if (KBX_SaveImageFile(kPicture, "discs_counted.png") == 0)
            KBX_Print("%d discs, saved discs_counted.png\n", regions);
        char title[300];
        std::snprintf(title, sizeof title, "%s: %d discs", path, regions);
        KBX_SetImageTitle(kPicture, title);
        KBX_RefreshImage(kPicture);
    }
    // The windows stay until Exit; after Stop every wait returns at once.
    while (KBX_Running())
        if (wait_100ms() == 1) Sleep(100);
}
