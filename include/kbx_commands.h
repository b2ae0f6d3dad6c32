// KOBRIX command identifiers: what the menus, the shortcut keys and code post
// to a window's procedure. One table for the framework and its users.
#ifndef KBX_COMMANDS_H
#define KBX_COMMANDS_H

// The window property (GetPropW, readable from other processes) in which
// an image window carries its number plus one: image windows show no number
// in their caption.
#define KBX_IMAGE_NUMBER_PROPERTY L"KBX_ImageNumber"
// The window property in which the control window carries the id of the
// thread that runs the program's routines and owns its other windows. Once
// the program has ended, that thread's exit code tells how: 0 it ended by
// itself, 1 Exit had to end it from outside.
#define KBX_PROGRAM_THREAD_PROPERTY L"KBX_ProgramThread"

// What the program waits for, as its control window carries it for tools
// (a window property): one of KBX_RUN_...; no property means KBX_RUN_OTHER.
#define KBX_RUN_STATE_PROPERTY L"KBX_RunState"
enum KBX_RunState {
    KBX_RUN_OTHER = 0,        // running, or waiting for nothing a tool can give
    KBX_RUN_LINE_INPUT = 1,   // a text window waits for a line (KBX_InputLine)
    KBX_RUN_POINT_WANTED = 2, // an image window waits for a click or a drag
};
// The control window's count of points an image window has taken (a window
// property), so that a tool sees a point taken even when the next is
// wanted at once.
#define KBX_POINTS_TAKEN_PROPERTY L"KBX_PointsTaken"

// Set to "1" in a program's environment, every text window logs from its
// opening and writes each line to its log at once, so that a tool can read
// all the program has printed from the log files.
#define KBX_LOG_ALL_VARIABLE "KBX_LOG_ALL"

// A WM_COPYDATA request an image window answers: lpData holds a UTF-16 file
// path (with its terminating zero); the window writes its picture there as
// a packed DIB (the CF_DIB layout) and returns 1, or 0 when it could not.
#define KBX_COPYDATA_SAVE_DIB 0x4B425844

enum KBX_Command {
    // Control window.
    KBX_CMD_START = 1001,
    KBX_CMD_EXIT = 1002,
    KBX_CMD_STOP = 1003,
    KBX_CMD_PASTE_NEW_IMAGE = 1026,
    KBX_CMD_NEW_IMAGE_WINDOW = 1027,
    KBX_CMD_NEW_TEXT_WINDOW = 1028,
    KBX_CMD_NEW_INPUT_BOX = 1044,
    KBX_CMD_WINDOW_INFO = 1045,   // also on a text window
    KBX_CMD_NEW_BUTTON_BOX = 1051,

    // Text windows.
    KBX_CMD_TEXT_DESTROY = 1006,
    KBX_CMD_TEXT_ABOUT = 1020,
    KBX_CMD_TEXT_START_LOG = 1024,
    KBX_CMD_TEXT_STOP_LOG = 1025,
    KBX_CMD_TEXT_CONSOLE = 1029,
    KBX_CMD_TEXT_COPY_LOG = 1030,
    KBX_CMD_TEXT_SELECT = 1069,

    // Input box and button box.
    KBX_CMD_INPUT_BOX_DESTROY = 1023,
    KBX_CMD_INPUT_BOX_RENAME = 1056,
    KBX_CMD_BUTTON_BOX_DESTROY = 1050,
    KBX_CMD_BUTTON_BOX_RENAME = 1057,

    // Image windows: the window menu.
    KBX_CMD_LOAD_IMAGE = 1004,
    KBX_CMD_DESTROY_IMAGE = 1005,
    KBX_CMD_ZOOM_50 = 1007,
    KBX_CMD_ZOOM_100 = 1008,
    KBX_CMD_ZOOM_200 = 1009,
    KBX_CMD_SAVE_AS = 1010,
    KBX_CMD_CUT = 1011,
    KBX_CMD_COPY = 1012,
    KBX_CMD_PASTE_PLACED = 1013,
    KBX_CMD_PASTE_TOP_LEFT = 1014,
    KBX_CMD_ZOOM_PROMPT = 1046,
    KBX_CMD_RESIZE_PROMPT = 1047,

    // Image windows: the processing menu.
    KBX_CMD_PIXEL_INFO = 1015,
    KBX_CMD_LINE_RGB = 1016,
    KBX_CMD_LINE_HSV = 1017,
    KBX_CMD_LINE_YCRCB = 1018,
    KBX_CMD_CLIPPING = 1019,
    KBX_CMD_LINE_CRCB = 1021,
    KBX_CMD_AREA_CRCB = 1022,
    KBX_CMD_COLOR_CHANGE = 1031,
    KBX_CMD_DRAW_LINE = 1032,
    KBX_CMD_DRAW_LINE_HORZ = 1034,
    KBX_CMD_DRAW_LINE_VERT = 1035,
    KBX_CMD_DRAW_BOX = 1036,
    KBX_CMD_FILL_BOX = 1037,
    KBX_CMD_XOR_FILL_BOX = 1038,
    KBX_CMD_DRAW_CIRCLE = 1039,
    KBX_CMD_FILL_CIRCLE = 1040,
    KBX_CMD_XOR_FILL_CIRCLE = 1041,
    KBX_CMD_DRAW_TEXT = 1042,
    KBX_CMD_PAINT = 1043,
    KBX_CMD_TRUETYPE_DRAW = 1048,
    KBX_CMD_TRUETYPE_FONT = 1049,
    KBX_CMD_COLOR_PICK = 1052,
    // The test patterns replace the whole picture (an 8-bit one keeps the
    // blue byte of each colour as its index); none converts the picture.
    KBX_CMD_PATTERN_RGB = 1053,     // red rises to the right, green downward, blue falls along the diagonal
    KBX_CMD_PATTERN_HSV = 1054,     // hue across; upper half white to full colour, lower half full colour to black
    KBX_CMD_PATTERN_YCRCB = 1055,   // the Cr-Cb plane: Cr rising upward, Cb to the right, Y from 0 at the centre outward
    KBX_CMD_INVERT = 1058,
    KBX_CMD_FLIP_HORZ = 1059,
    KBX_CMD_FLIP_VERT = 1060,
    KBX_CMD_ROTATE_RIGHT = 1061,
    KBX_CMD_ROTATE_LEFT = 1062,
    KBX_CMD_SCALE_50 = 1063,
    KBX_CMD_SCALE_71 = 1064,
    KBX_CMD_SCALE_141 = 1065,
    KBX_CMD_SCALE_200 = 1066,
    KBX_CMD_PATTERN_YUV = 1067,     // as KBX_CMD_PATTERN_YCRCB for V (upward) and U (to the right)
    KBX_CMD_PATTERN_YIQ = 1068,     // as KBX_CMD_PATTERN_YCRCB for I (upward) and Q (to the right)
    KBX_CMD_LINE_LUMI = 1070,
    // Upper half a black-to-white ramp to the right, lower half the reverse; an
    // 8-bit window also gets the grey palette. (KBX_GreyImage makes a picture grey.)
    KBX_CMD_PATTERN_GREY = 1071,
};

#endif
