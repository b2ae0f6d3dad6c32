// The image window's command identifiers and its two pop-up menus as plain
// tables; the Win32 layer turns them into menus.
#ifndef KBX_IMAGE_MENUS_H
#define KBX_IMAGE_MENUS_H

namespace kbx {

enum ImageCommand {
    kCmdLoadImage = 1004,
    kCmdDestroyImage = 1005,
    kCmdZoom50 = 1007,
    kCmdZoom100 = 1008,
    kCmdZoom200 = 1009,
    kCmdSaveAs = 1010,
    kCmdCut = 1011,
    kCmdCopy = 1012,
    kCmdPastePlaced = 1013,
    kCmdPasteTopLeft = 1014,
    kCmdPixelInfo = 1015,
    kCmdLineRgb = 1016,
    kCmdLineHsv = 1017,
    kCmdLineYcrcb = 1018,
    kCmdClipping = 1019,
    kCmdLineCrcb = 1021,
    kCmdAreaCrcb = 1022,
    kCmdColorChange = 1031,
    kCmdDrawLine = 1032,
    kCmdDrawLineHorz = 1034,
    kCmdDrawLineVert = 1035,
    kCmdDrawBox = 1036,
    kCmdFillBox = 1037,
    kCmdXorFillBox = 1038,
    kCmdDrawCircle = 1039,
    kCmdFillCircle = 1040,
    kCmdXorFillCircle = 1041,
    kCmdDrawText = 1042,
    kCmdPaint = 1043,
    kCmdZoomPrompt = 1046,
    kCmdResizePrompt = 1047,
    kCmdTrueTypeDraw = 1048,
    kCmdTrueTypeFont = 1049,
    kCmdColorPick = 1052,
    kCmdPatternRgb = 1053,
    kCmdPatternHsv = 1054,
    kCmdPatternYcrcb = 1055,
    kCmdInvert = 1058,
    kCmdFlipHorz = 1059,
    kCmdFlipVert = 1060,
    kCmdRotateRight = 1061,
    kCmdRotateLeft = 1062,
    kCmdScale50 = 1063,
    kCmdScale71 = 1064,
    kCmdScale141 = 1065,
    kCmdScale200 = 1066,
    kCmdPatternYuv = 1067,
    kCmdPatternYiq = 1068,
    kCmdLineLumi = 1070,
    kCmdPatternGrey = 1071,
};

// One menu entry: a separator (caption null), a command, or a sub-menu.
struct MenuTable;
struct MenuEntry {
    const char* caption;   // ANSI code page; null for a separator
    int id;                // command, 0 for separators and sub-menus
    const MenuTable* submenu;
};
struct MenuTable {
    const MenuEntry* entries;
    int count;
};

// The window menu (right button).
const MenuTable& image_window_menu();
// The processing menu (middle button, or right button with Ctrl); its
// "Information..." entries depend on the picture's depth.
const MenuTable& image_processing_menu(int depth);
// The zoom item that carries the check mark at this zoom, or 0.
int checked_zoom_command(int zoom);

}  // namespace kbx

#endif
