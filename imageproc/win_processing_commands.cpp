// The processing menu of an image window: which command does what, and the
// commands that act on the whole picture (test patterns, invert, mirrors,
// quarter turns, scaling, clipping).
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_geometry.h"
#include "image/image_menus.h"
#include "image/win_image_window.h"
#include "imageproc/image_source.h"
#include "imageproc/patterns.h"
#include "imageproc/picture_commands.h"
#include "imageproc/profiles.h"
#include "imageproc/scaling.h"
#include "imageproc/transforms.h"
#include "imageproc/win_image_tools.h"
#include "imageproc/win_tool_support.h"

namespace kbx {

namespace {

// The test patterns act on the current image window, which callers make n
// (the grey pattern resets its palette through the selection).
void pattern_command(int id) {
    PixelView view = window_pixels(kCurrentImageWindow);
    if (!view_usable(view)) return;
    switch (id) {
        case kCmdPatternRgb: pattern_rgb(view); break;
        case kCmdPatternHsv: pattern_hsv(view); break;
        case kCmdPatternYcrcb: pattern_ycrcb(view); break;
        case kCmdPatternYuv: pattern_yuv(view); break;
        case kCmdPatternYiq: pattern_yiq(view); break;
        default:
            if (view.depth == 8) {
                RGBQUAD ramp[256];
                grey_ramp_palette(reinterpret_cast<unsigned char*>(ramp));
                set_image_palette(ramp, 256);
            }
            pattern_grey(view);
            break;
    }
    invalidate_current_image();
}

// Invert and the mirrors change window n in place.
void in_place_command(int n, void (*operation)(const PixelView&)) {
    PixelView view = window_pixels(n);
    if (!view_usable(view)) return;
    operation(view);
    invalidate_image(n);
}

// Gives window n the size of a new picture and puts the picture in. A size
// the window cannot show, or no memory for it, is refused (result 2) and
// leaves the window and its old picture alone.
int replace_picture(int n, PixelImage& picture) {
    if (resize_image(n, picture.width, picture.height) != 0) return 2;
    PixelView view = window_pixels(n);
    if (view_usable(view)) copy_rect(view_of(picture), 0, 0, view);
    invalidate_image(n);
    return 0;
}

int rotate_command(int n, bool clockwise) {
    PixelView view = window_pixels(n);
    if (!view_usable(view)) return 2;
    PixelImage turned;
    if (!(clockwise ? rotated_right(view, &turned) : rotated_left(view, &turned))) return 2;
    return replace_picture(n, turned);
}

// The window's stretch mode chooses the resampling, as a stretch with it
// would: COLORONCOLOR picks pixels, HALFTONE averages them.
int scale_command(int n, int factor) {
    PixelView view = window_pixels(n);
    if (!view_usable(view)) return 2;
    PixelImage scaled;
    const bool averaged = get_stretch_mode(n) == HALFTONE;
    if (!(averaged ? scaled_average(view, factor, &scaled) : scaled_nearest(view, factor, &scaled))) return 2;
    return replace_picture(n, scaled);
}

void clipping_command(HWND window) {
    const int n = find_image_window(window);
    int x_min, y_min, x_max, y_max;
    if (pick_box(n, &x_min, &y_min, &x_max, &y_max) != 0) return;
    // A Stop while the box was dragged leaves its corners unsorted.
    sort_pair(&x_min, &x_max);
    sort_pair(&y_min, &y_max);
    if (!image_window_in_use(n)) return;
    char title[64];
    format_corner_title("", x_min, y_min, x_max, y_max, title, sizeof title);
    const int depth = image_windows[n].depth;
    RGBQUAD palette[256];
    const bool paletted = depth == 8 && get_image_palette(palette) == 0;   // n is current after pick_box
    const int clip = open_result_window(title, x_max - x_min + 1, y_max - y_min + 1, depth,
                                        paletted ? palette : nullptr);
    if (clip < 0) return;
    copy_rect(window_pixels(n), x_min, y_min, window_pixels(clip));
    paint_image(clip);
}

// The commands that point or report (the whole-picture ones are known to
// picture_command_kind), and what each runs.
enum PointingCommandKind {
    kClipping, kPixelReport, kRowProfile, kAreaCrcb, kColourPick, kDrawingTool, kBitmapText, kTrueTypeText,
};
struct PointingCommand {
    int id;
    PointingCommandKind kind;
    int tool;   // the ProfileTool or DrawingTool of the kinds that have one
};
const PointingCommand kPointingCommands[] = {
    {kCmdClipping, kClipping, 0},
    {kCmdPixelInfo, kPixelReport, 0},
    {kCmdLineRgb, kRowProfile, kProfileRgb},
    {kCmdLineHsv, kRowProfile, kProfileHsv},
    {kCmdLineYcrcb, kRowProfile, kProfileYcrcb},
    {kCmdLineLumi, kRowProfile, kProfileLumi},
    {kCmdLineCrcb, kRowProfile, kProfileCrcb},
    {kCmdAreaCrcb, kAreaCrcb, 0},
    {kCmdColorPick, kColourPick, 0},
    {kCmdDrawLine, kDrawingTool, kToolLine},
    {kCmdDrawLineHorz, kDrawingTool, kToolHorizontalLine},
    {kCmdDrawLineVert, kDrawingTool, kToolVerticalLine},
    {kCmdDrawBox, kDrawingTool, kToolBox},
    {kCmdFillBox, kDrawingTool, kToolFillBox},
    {kCmdXorFillBox, kDrawingTool, kToolXorBox},
    {kCmdDrawCircle, kDrawingTool, kToolCircle},
    {kCmdFillCircle, kDrawingTool, kToolFillCircle},
    {kCmdXorFillCircle, kDrawingTool, kToolXorCircle},
    {kCmdPaint, kDrawingTool, kToolPaint},
    {kCmdDrawText, kBitmapText, 0},
    {kCmdTrueTypeDraw, kTrueTypeText, 0},
};

const PointingCommand* find_pointing_command(int id) {
    for (const PointingCommand& command : kPointingCommands)
        if (command.id == id) return &command;
    return nullptr;
}

void run_pointing_command(HWND window, const PointingCommand& command) {
    switch (command.kind) {
        case kClipping: clipping_command(window); break;
        case kPixelReport: pixel_report_command(window); break;
        case kRowProfile: row_profile_command(window, static_cast<ProfileTool>(command.tool)); break;
        case kAreaCrcb: area_crcb_command(window); break;
        case kColourPick: colour_pick_command(window); break;
        case kDrawingTool: drawing_tool_command(window, static_cast<DrawingTool>(command.tool)); break;
        case kBitmapText: draw_text_command(window); break;
        case kTrueTypeText: truetype_draw_command(window); break;
    }
}

}  // namespace

int run_picture_command(int n, int id) {
    if (!image_window_in_use(n)) return 4;
    switch (id) {
        case kCmdInvert: in_place_command(n, invert_pixels); return 0;
        case kCmdFlipHorz: in_place_command(n, mirror_horizontal); return 0;
        case kCmdFlipVert: in_place_command(n, mirror_vertical); return 0;
        case kCmdRotateRight: return rotate_command(n, true);
        case kCmdRotateLeft: return rotate_command(n, false);
        case kCmdScale50: return scale_command(n, kScaleFactors[0]);
        case kCmdScale71: return scale_command(n, kScaleFactors[1]);
        case kCmdScale141: return scale_command(n, kScaleFactors[2]);
        case kCmdScale200: return scale_command(n, kScaleFactors[3]);
        default:
            if (picture_command_kind(id) == kNotPictureCommand) return 1;
            pattern_command(id);
            return 0;
    }
}

bool run_processing_command(HWND window, int id) {
    const PictureCommandKind picture = picture_command_kind(id);
    const PointingCommand* pointing = picture == kNotPictureCommand ? find_pointing_command(id) : nullptr;
    if (picture == kNotPictureCommand && !pointing) return false;
    // One tool at a time: a command that reaches a window while a pointing
    // loop runs (only a posted one can) would move or redraw pixels under
    // the loop's rubber band, or start a second loop inside the first.
    if (drawing_tool_mode) return true;
    switch (picture) {
        case kPictureInPlace:
            run_picture_command(find_image_window(window), id);
            break;
        case kPictureSelecting:
            // A program gets the refusal as a result; the menu user is told
            // why nothing happened.
            if (run_picture_command(find_and_select_image_window(window), id) == 2)
                flash_status_text("Too large to show: picture kept");
            break;
        case kNotPictureCommand:
            run_pointing_command(window, *pointing);
            break;
    }
    return true;
}

}  // namespace kbx
