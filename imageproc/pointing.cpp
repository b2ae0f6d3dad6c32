#include "imageproc/pointing.h"

#include "imageproc/paint_fill.h"
#include "imageproc/shapes.h"

namespace kbx {

namespace {

bool two_points(PointingKind kind) { return kind == kPickBox || kind == kPickLine || kind == kPickCircle; }

// Draws the band for the current points and remembers them, so that the
// same figure can be drawn again to take it away.
void draw_band(PointingLoop* loop, const PixelView& view) {
    loop->band_x1 = loop->x1;
    loop->band_y1 = loop->y1;
    loop->band_x2 = loop->x2;
    loop->band_y2 = loop->y2;
    loop->band_r = loop->r;
    switch (loop->kind) {
        case kPickRow: xor_line(view, 0, loop->y2, view.width - 1, loop->y2); break;
        case kPickColumn: xor_line(view, loop->x2, 0, loop->x2, view.height - 1); break;
        case kPickBox: xor_box(view, loop->x1, loop->y1, loop->x2, loop->y2); break;
        case kPickLine: xor_line(view, loop->x1, loop->y1, loop->x2, loop->y2); break;
        case kPickCircle: xor_circle(view, loop->x1, loop->y1, loop->r); break;
        case kPickPlacement: xor_placement(view, loop->x2, loop->y2, loop->place_w, loop->place_h); break;
        case kPickPoint: return;
    }
    loop->band_drawn = true;
}

void remove_band(PointingLoop* loop, const PixelView& view) {
    if (!loop->band_drawn) return;
    switch (loop->kind) {
        case kPickRow: xor_line(view, 0, loop->band_y2, view.width - 1, loop->band_y2); break;
        case kPickColumn: xor_line(view, loop->band_x2, 0, loop->band_x2, view.height - 1); break;
        case kPickBox: xor_box(view, loop->band_x1, loop->band_y1, loop->band_x2, loop->band_y2); break;
        case kPickLine: xor_line(view, loop->band_x1, loop->band_y1, loop->band_x2, loop->band_y2); break;
        case kPickCircle: xor_circle(view, loop->band_x1, loop->band_y1, loop->band_r); break;
        case kPickPlacement:
            xor_placement(view, loop->band_x2, loop->band_y2, loop->place_w, loop->place_h);
            break;
        case kPickPoint: break;
    }
    loop->band_drawn = false;
}

void finish(PointingLoop* loop, int result) {
    loop->stage = 2;
    loop->result = result;
}

}  // namespace

bool pointing_begin(PointingLoop* loop, PointingKind kind, const PixelView& view, int last_move_x, int last_move_y,
                    int place_w, int place_h) {
    *loop = PointingLoop{};
    loop->kind = kind;
    loop->result = -1;
    loop->place_w = place_w;
    loop->place_h = place_h;
    if (kind == kPickRow || kind == kPickColumn || kind == kPickPlacement) {
        loop->x2 = last_move_x;
        loop->y2 = last_move_y;
        draw_band(loop, view);
        return true;
    }
    return false;
}

bool pointing_click(PointingLoop* loop, const PixelView& view, int x, int y) {
    if (pointing_finished(*loop)) return false;
    const bool had_band = loop->band_drawn;
    if (!two_points(loop->kind)) {
        remove_band(loop, view);
        loop->x1 = x;
        loop->y1 = y;
        finish(loop, 0);
        return had_band;
    }
    if (loop->stage == 0) {
        loop->x1 = loop->x2 = x;
        loop->y1 = loop->y2 = y;
        loop->r = 0;
        draw_band(loop, view);
        loop->stage = 1;
        return true;
    }
    remove_band(loop, view);
    loop->x2 = x;
    loop->y2 = y;
    if (loop->kind == kPickCircle) loop->r = rounded_distance(loop->x1, loop->y1, x, y);
    if (loop->kind == kPickBox) {
        if (loop->x1 > loop->x2) {
            int t = loop->x1; loop->x1 = loop->x2; loop->x2 = t;
        }
        if (loop->y1 > loop->y2) {
            int t = loop->y1; loop->y1 = loop->y2; loop->y2 = t;
        }
    }
    finish(loop, 0);
    return true;
}

bool pointing_move(PointingLoop* loop, const PixelView& view, int x, int y) {
    if (pointing_finished(*loop)) return false;
    switch (loop->kind) {
        case kPickPoint: return false;
        case kPickRow:
        case kPickColumn:
        case kPickPlacement:
            remove_band(loop, view);
            loop->x2 = x;
            loop->y2 = y;
            draw_band(loop, view);
            return true;
        default:
            if (loop->stage != 1) return false;
            remove_band(loop, view);
            loop->x2 = x;
            loop->y2 = y;
            if (loop->kind == kPickCircle) loop->r = rounded_distance(loop->x1, loop->y1, x, y);
            draw_band(loop, view);
            return true;
    }
}

bool pointing_cancel(PointingLoop* loop, const PixelView& view) {
    if (pointing_finished(*loop)) return false;
    const bool had_band = loop->band_drawn;
    if (two_points(loop->kind) && loop->stage == 1) {
        // Back to the first point.
        remove_band(loop, view);
        loop->stage = 0;
        loop->x1 = loop->y1 = loop->x2 = loop->y2 = loop->r = 0;
        return had_band;
    }
    remove_band(loop, view);
    finish(loop, 1);
    return had_band;
}

bool pointing_stop(PointingLoop* loop, const PixelView& view) {
    if (pointing_finished(*loop)) return false;
    const bool had_band = loop->band_drawn;
    remove_band(loop, view);
    finish(loop, 0);
    loop->stopped = true;
    return had_band;
}

bool pointing_finished(const PointingLoop& loop) { return loop.result >= 0; }
int pointing_result(const PointingLoop& loop) { return loop.result; }

int program_pick_result(int loop_result, bool stopped) {
    if (loop_result == 2) return 4;
    if (loop_result != 0 || stopped) return 1;
    return 0;
}

const char* pointing_prompt(const PointingLoop& loop) {
    if (!two_points(loop.kind)) return "Click a point";
    return loop.stage == 1 ? "Click the second point" : "Click the first point";
}

PointingKind pointing_kind_of(DrawingTool tool) {
    switch (tool) {
        case kToolLine: return kPickLine;
        case kToolHorizontalLine: return kPickRow;
        case kToolVerticalLine: return kPickColumn;
        case kToolBox:
        case kToolFillBox:
        case kToolXorBox: return kPickBox;
        case kToolCircle:
        case kToolFillCircle:
        case kToolXorCircle: return kPickCircle;
        case kToolPaint: return kPickPoint;
    }
    return kPickPoint;
}

void apply_drawing_tool(DrawingTool tool, const PointingLoop& loop, const PixelView& view, int colour) {
    switch (tool) {
        case kToolLine: draw_line(view, colour, loop.x1, loop.y1, loop.x2, loop.y2); break;
        case kToolHorizontalLine: draw_line(view, colour, 0, loop.y1, view.width - 1, loop.y1); break;
        case kToolVerticalLine: draw_line(view, colour, loop.x1, 0, loop.x1, view.height - 1); break;
        case kToolBox: draw_box(view, colour, loop.x1, loop.y1, loop.x2, loop.y2); break;
        case kToolFillBox: fill_box(view, colour, loop.x1, loop.y1, loop.x2, loop.y2); break;
        case kToolXorBox: xor_fill_box(view, loop.x1, loop.y1, loop.x2, loop.y2); break;
        case kToolCircle: draw_circle(view, colour, loop.x1, loop.y1, loop.r); break;
        case kToolFillCircle: fill_circle(view, colour, loop.x1, loop.y1, loop.r); break;
        case kToolXorCircle: xor_fill_circle(view, loop.x1, loop.y1, loop.r); break;
        case kToolPaint: paint_fill(view, colour, loop.x1, loop.y1); break;
    }
}

}  // namespace kbx
