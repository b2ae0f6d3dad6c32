// The image window's command identifiers and its two pop-up menus as plain
// tables; the Win32 layer turns them into menus.
#ifndef KBX_IMAGE_MENUS_H
#define KBX_IMAGE_MENUS_H

#include "kbx_commands.h"

namespace kbx {

enum ImageCommand {
    kCmdLoadImage = KBX_CMD_LOAD_IMAGE,
    kCmdDestroyImage = KBX_CMD_DESTROY_IMAGE,
    kCmdZoom50 = KBX_CMD_ZOOM_50,
    kCmdZoom100 = KBX_CMD_ZOOM_100,
    kCmdZoom200 = KBX_CMD_ZOOM_200,
    kCmdSaveAs = KBX_CMD_SAVE_AS,
    kCmdCut = KBX_CMD_CUT,
    kCmdCopy = KBX_CMD_COPY,
    kCmdPastePlaced = KBX_CMD_PASTE_PLACED,
    kCmdPasteTopLeft = KBX_CMD_PASTE_TOP_LEFT,
    kCmdPixelInfo = KBX_CMD_PIXEL_INFO,
    kCmdLineRgb = KBX_CMD_LINE_RGB,
    kCmdLineHsv = KBX_CMD_LINE_HSV,
    kCmdLineYcrcb = KBX_CMD_LINE_YCRCB,
    kCmdClipping = KBX_CMD_CLIPPING,
    kCmdLineCrcb = KBX_CMD_LINE_CRCB,
    kCmdAreaCrcb = KBX_CMD_AREA_CRCB,
    kCmdColorChange = KBX_CMD_COLOR_CHANGE,
    kCmdDrawLine = KBX_CMD_DRAW_LINE,
    kCmdDrawLineHorz = KBX_CMD_DRAW_LINE_HORZ,
    kCmdDrawLineVert = KBX_CMD_DRAW_LINE_VERT,
    kCmdDrawBox = KBX_CMD_DRAW_BOX,
    kCmdFillBox = KBX_CMD_FILL_BOX,
    kCmdXorFillBox = KBX_CMD_XOR_FILL_BOX,
    kCmdDrawCircle = KBX_CMD_DRAW_CIRCLE,
    kCmdFillCircle = KBX_CMD_FILL_CIRCLE,
    kCmdXorFillCircle = KBX_CMD_XOR_FILL_CIRCLE,
    kCmdDrawText = KBX_CMD_DRAW_TEXT,
    kCmdPaint = KBX_CMD_PAINT,
    kCmdZoomPrompt = KBX_CMD_ZOOM_PROMPT,
    kCmdResizePrompt = KBX_CMD_RESIZE_PROMPT,
    kCmdTrueTypeDraw = KBX_CMD_TRUETYPE_DRAW,
    kCmdTrueTypeFont = KBX_CMD_TRUETYPE_FONT,
    kCmdColorPick = KBX_CMD_COLOR_PICK,
    kCmdPatternRgb = KBX_CMD_PATTERN_RGB,
    kCmdPatternHsv = KBX_CMD_PATTERN_HSV,
    kCmdPatternYcrcb = KBX_CMD_PATTERN_YCRCB,
    kCmdInvert = KBX_CMD_INVERT,
    kCmdFlipHorz = KBX_CMD_FLIP_HORZ,
    kCmdFlipVert = KBX_CMD_FLIP_VERT,
    kCmdRotateRight = KBX_CMD_ROTATE_RIGHT,
    kCmdRotateLeft = KBX_CMD_ROTATE_LEFT,
    kCmdScale50 = KBX_CMD_SCALE_50,
    kCmdScale71 = KBX_CMD_SCALE_71,
    kCmdScale141 = KBX_CMD_SCALE_141,
    kCmdScale200 = KBX_CMD_SCALE_200,
    kCmdPatternYuv = KBX_CMD_PATTERN_YUV,
    kCmdPatternYiq = KBX_CMD_PATTERN_YIQ,
    kCmdLineLumi = KBX_CMD_LINE_LUMI,
    kCmdPatternGrey = KBX_CMD_PATTERN_GREY,
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
