#include "image/image_menus.h"

namespace kbx {

namespace {

#define KBX_COUNT(a) static_cast<int>(sizeof(a) / sizeof((a)[0]))

const MenuEntry kWindowEntries[] = {
    {"Cut\tCtrl+X", kCmdCut, nullptr},
    {"Copy\tCtrl+C", kCmdCopy, nullptr},
    {"Paste\tCtrl+V", kCmdPastePlaced, nullptr},
    {nullptr, 0, nullptr},
    {"&Load image file", kCmdLoadImage, nullptr},
    {"&Save as", kCmdSaveAs, nullptr},
    {nullptr, 0, nullptr},
    {"Zoom: 50%", kCmdZoom50, nullptr},
    {"Zoom:100%\tCtrl+0", kCmdZoom100, nullptr},
    {"Zoom:200%", kCmdZoom200, nullptr},
    {"&Zoom...", kCmdZoomPrompt, nullptr},
    {nullptr, 0, nullptr},
    {"&Resize...", kCmdResizePrompt, nullptr},
    {"&Destroy\tCtrl+Q", kCmdDestroyImage, nullptr},
};
const MenuTable kWindowMenu = {kWindowEntries, KBX_COUNT(kWindowEntries)};

const MenuEntry kProcessEntries[] = {
    {"Invert", kCmdInvert, nullptr},
    {nullptr, 0, nullptr},
    {"R. Rotate", kCmdRotateRight, nullptr},
    {"L. Rotate", kCmdRotateLeft, nullptr},
    {nullptr, 0, nullptr},
    {"Horz. Flip", kCmdFlipHorz, nullptr},
    {"Vert. Flip", kCmdFlipVert, nullptr},
    {nullptr, 0, nullptr},
    {"Size 50.0%", kCmdScale50, nullptr},
    {"Size 70.7%", kCmdScale71, nullptr},
    {"Size 141.4%", kCmdScale141, nullptr},
    {"Size 200.0%", kCmdScale200, nullptr},
};
const MenuTable kProcessMenu = {kProcessEntries, KBX_COUNT(kProcessEntries)};

const MenuEntry kInfo32Entries[] = {
    {"Pixel", kCmdPixelInfo, nullptr},
    {"Line(RGB)", kCmdLineRgb, nullptr},
    {"Line(HSV)", kCmdLineHsv, nullptr},
    {"Line(YCrCb)", kCmdLineYcrcb, nullptr},
    {"Line(CrCb)", kCmdLineCrcb, nullptr},
    {nullptr, 0, nullptr},
    {"Area(CrCb)", kCmdAreaCrcb, nullptr},
};
const MenuTable kInfo32Menu = {kInfo32Entries, KBX_COUNT(kInfo32Entries)};

const MenuEntry kInfo8Entries[] = {
    {"Pixel", kCmdPixelInfo, nullptr},
    {"Line(Lumi)", kCmdLineLumi, nullptr},
};
const MenuTable kInfo8Menu = {kInfo8Entries, KBX_COUNT(kInfo8Entries)};

const MenuEntry kPatternEntries[] = {
    {"RGB", kCmdPatternRgb, nullptr},     {"HSV", kCmdPatternHsv, nullptr},
    {"YCrCb", kCmdPatternYcrcb, nullptr}, {"Yuv", kCmdPatternYuv, nullptr},
    {"YIQ", kCmdPatternYiq, nullptr},     {"Grey", kCmdPatternGrey, nullptr},
};
const MenuTable kPatternMenu = {kPatternEntries, KBX_COUNT(kPatternEntries)};

const MenuEntry kColorEntries[] = {
    {"Change", kCmdColorChange, nullptr},
    {"Pick", kCmdColorPick, nullptr},
};
const MenuTable kColorMenu = {kColorEntries, KBX_COUNT(kColorEntries)};

const MenuEntry kLineEntries[] = {
    {"Normal", kCmdDrawLine, nullptr},
    {"Horz.", kCmdDrawLineHorz, nullptr},
    {"Vert.", kCmdDrawLineVert, nullptr},
};
const MenuTable kLineMenu = {kLineEntries, KBX_COUNT(kLineEntries)};

const MenuEntry kBoxEntries[] = {
    {"Normal", kCmdDrawBox, nullptr},
    {"Fill", kCmdFillBox, nullptr},
    {"Fill XOR", kCmdXorFillBox, nullptr},
};
const MenuTable kBoxMenu = {kBoxEntries, KBX_COUNT(kBoxEntries)};

const MenuEntry kCircleEntries[] = {
    {"Normal", kCmdDrawCircle, nullptr},
    {"Fill", kCmdFillCircle, nullptr},
    {"Fill XOR", kCmdXorFillCircle, nullptr},
};
const MenuTable kCircleMenu = {kCircleEntries, KBX_COUNT(kCircleEntries)};

const MenuEntry kTrueTypeEntries[] = {
    {"Draw", kCmdTrueTypeDraw, nullptr},
    {"Font Change", kCmdTrueTypeFont, nullptr},
};
const MenuTable kTrueTypeMenu = {kTrueTypeEntries, KBX_COUNT(kTrueTypeEntries)};

// The two processing menus differ only in their "Information..." sub-menu.
#define KBX_PROCESSING_ENTRIES(info_menu)                  \
    {"Process...", 0, &kProcessMenu},                      \
    {nullptr, 0, nullptr},                                 \
    {"Information...", 0, &(info_menu)},                   \
    {nullptr, 0, nullptr},                                 \
    {"Test Pattern...", 0, &kPatternMenu},                 \
    {nullptr, 0, nullptr},                                 \
    {"Clipping\tCtrl+R", kCmdClipping, nullptr},           \
    {nullptr, 0, nullptr},                                 \
    {"Color...", 0, &kColorMenu},                          \
    {"Draw Line...", 0, &kLineMenu},                       \
    {"Draw Box...", 0, &kBoxMenu},                         \
    {"Draw Circle...", 0, &kCircleMenu},                   \
    {"TrueType...", 0, &kTrueTypeMenu},                    \
    {"Draw Text", kCmdDrawText, nullptr},                  \
    {"Paint", kCmdPaint, nullptr}

const MenuEntry kProcessing32Entries[] = {KBX_PROCESSING_ENTRIES(kInfo32Menu)};
const MenuEntry kProcessing8Entries[] = {KBX_PROCESSING_ENTRIES(kInfo8Menu)};
const MenuTable kProcessing32Menu = {kProcessing32Entries, KBX_COUNT(kProcessing32Entries)};
const MenuTable kProcessing8Menu = {kProcessing8Entries, KBX_COUNT(kProcessing8Entries)};

#undef KBX_PROCESSING_ENTRIES
#undef KBX_COUNT

}  // namespace

const MenuTable& image_window_menu() { return kWindowMenu; }

const MenuTable& image_processing_menu(int depth) { return depth == 8 ? kProcessing8Menu : kProcessing32Menu; }

int checked_zoom_command(int zoom) {
    switch (zoom) {
        case 50: return kCmdZoom50;
        case 100: return kCmdZoom100;
        case 200: return kCmdZoom200;
        default: return 0;
    }
}

}  // namespace kbx
