#include <cmath>

#include "imageproc/line_trace.h"
#include "imageproc/plotters.h"
#include "imageproc/shapes.h"

namespace kbx {

void draw_line(const PixelView& view, int colour, int x1, int y1, int x2, int y2) {
    pen_position.x = x2;
    pen_position.y = y2;
    if (!view_usable(view)) return;
    trace_line(view, x1, y1, x2, y2, ColourPlot{view, colour});
}

void xor_line(const PixelView& view, int x1, int y1, int x2, int y2) {
    pen_position.x = x2;
    pen_position.y = y2;
    if (!view_usable(view)) return;
    trace_line(view, x1, y1, x2, y2, InvertPlot{view});
}

int rounded_distance(int x1, int y1, int x2, int y2) {
    double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    double d = std::sqrt(dx * dx + dy * dy) + 0.5;
    return d >= 2147483647.0 ? 2147483647 : static_cast<int>(d);
}

}  // namespace kbx
