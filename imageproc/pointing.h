// The pointing loops' logic, apart from the message pump that feeds them:
// which events move a loop from the first point to the second, the rubber
// bands drawn by inverting pixels, the prompts, and the points returned.
//
// A platform layer runs the loop: it starts it with pointing_begin, then
// after each pump hands over the recorded click, move, cancel and stop
// events; whenever a call returns true it invalidates the window, and it
// shows pointing_prompt when that changes. The loop is over when
// pointing_finished is true; pointing_result then gives 0 (points taken, or
// stopped with the points as they stand) or 1 (cancelled).
#ifndef KBX_IMAGEPROC_POINTING_H
#define KBX_IMAGEPROC_POINTING_H

#include "imageproc/pixel_view.h"

namespace kbx {

enum PointingKind {
    kPickPoint,       // one click
    kPickRow,         // one click, horizontal guide line at the pointer
    kPickColumn,      // one click, vertical guide line at the pointer
    kPickBox,         // two clicks, rectangle band
    kPickLine,        // two clicks, line band
    kPickCircle,      // two clicks, circle band around the first
    kPickPlacement,   // one click, a w x h rectangle centred on the pointer
};

struct PointingLoop {
    PointingKind kind;
    int stage;            // 0 first point, 1 second point, 2 done
    int result;           // -1 running, 0 done, 1 cancelled
    int x1, y1;           // first point, or the one point clicked
    int x2, y2;           // second point; the pointer for one-point bands
    int r;                // circle radius
    int place_w, place_h;
    bool band_drawn;      // the rubber band is in the picture now
    bool stopped;         // ended by a stop request
    int band_x1, band_y1, band_x2, band_y2, band_r;   // what it was drawn with
};

// Starts a loop; the guide lines and the placement band are drawn at once
// at the last recorded pointer position. Returns true when pixels changed.
bool pointing_begin(PointingLoop* loop, PointingKind kind, const PixelView& view, int last_move_x, int last_move_y,
                    int place_w = 0, int place_h = 0);
bool pointing_click(PointingLoop* loop, const PixelView& view, int x, int y);
bool pointing_move(PointingLoop* loop, const PixelView& view, int x, int y);
bool pointing_cancel(PointingLoop* loop, const PixelView& view);
// A stop request: the band goes, the loop ends with result 0 and the points
// as they stand (zero where none was taken).
bool pointing_stop(PointingLoop* loop, const PixelView& view);

bool pointing_finished(const PointingLoop& loop);
int pointing_result(const PointingLoop& loop);
// What a user program's pick call answers for a loop that ended with this
// result (2: no such window): 0 the points were clicked; 1 cancelled, also
// by a stop, where the tools go on with the points as they stand; 4 no such
// window.
int program_pick_result(int loop_result, bool stopped);
// "Click a point", "Click the first point" or "Click the second point".
const char* pointing_prompt(const PointingLoop& loop);

// The drawing tools that follow a pointing loop.
enum DrawingTool {
    kToolLine, kToolHorizontalLine, kToolVerticalLine,
    kToolBox, kToolFillBox, kToolXorBox,
    kToolCircle, kToolFillCircle, kToolXorCircle,
    kToolPaint,
};
// The loop each tool points with.
PointingKind pointing_kind_of(DrawingTool tool);
// Draws what the tool draws with the loop's points in the colour.
void apply_drawing_tool(DrawingTool tool, const PointingLoop& loop, const PixelView& view, int colour);

}  // namespace kbx

#endif
