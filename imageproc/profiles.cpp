#include "imageproc/profiles.h"

#include <cstdio>

#include "imageproc/colour_models.h"
#include "imageproc/pixels.h"
#include "imageproc/shapes.h"

namespace kbx {

namespace {

struct Curve {
    int selector;
    int colour;
};

struct Label {
    const char* text;
    int x, y;
    int colour;
};

struct ToolPlan {
    const char* title;   // printf format with the row
    int margin;          // left margin of the curves
    Curve curves[3];
    int curve_count;
    Label labels[3];
    int label_count;
};

const ToolPlan kPlans[] = {
    {"RGB(Y=%d)", 12,
     {{kChannelRed | kDrawCurve, 0xFF0000}, {kChannelGreen | kDrawCurve, 0x00FF00}, {kChannelBlue | kDrawCurve, 0x0000FF}},
     3, {{"R", 2, 40, 0xFF0000}, {"G", 2, 72, 0x00FF00}, {"B", 2, 104, 0x0000FF}}, 3},
    {"HSV(Y=%d)", 12,
     {{kChannelHue | kDrawCurve, 0xFFFF00}, {kChannelSaturation | kDrawCurve, 0xFF00FF}, {kChannelValue | kDrawCurve, 0x00FFFF}},
     3, {{"H", 2, 40, 0xFFFF00}, {"S", 2, 72, 0xFF00FF}, {"V", 2, 104, 0x00FFFF}}, 3},
    {"YCrCb(Y=%d)", 20,
     {{kChannelLuma | kDrawCurve, 0xFFFFFF}, {kChannelCr | kDrawCurve, 0xFF8888}, {kChannelCb | kDrawCurve, 0x8888FF}},
     3, {{"Y", 4, 40, 0xFFFFFF}, {"Cr", 2, 72, 0xFF8888}, {"Cb", 2, 104, 0x8888FF}}, 3},
    {"CrCb(Y=%d)", 0, {}, 0, {}, 0},
    {"Luminance(Y=%d)", 12, {{kChannelByte | kDrawCurve, 0xFFFFFF}}, 1, {{"L", 2, 40, 0xFFFFFF}}, 1},
};

const ToolPlan& plan_of(ProfileTool tool) {
    int i = static_cast<int>(tool);
    return kPlans[(i >= 0 && i <= static_cast<int>(kProfileLumi)) ? i : 0];
}

// A label: the text cursor and its margin at (x, y), the text colour set,
// then the characters in the bitmap font.
void draw_label(const PixelView& view, TextCursor* cursor, int* text_colour, const Label& label) {
    cursor->x = label.x;
    cursor->left_margin = label.x;
    cursor->y = label.y;
    *text_colour = label.colour;
    draw_glyph_string(view, cursor, *text_colour, utf8_char_size, label.text);   // ASCII
}

}  // namespace

int profile_value(const void* elements, int i, int selector, int* divisor) {
    *divisor = 255;
    if (selector & kChannelByte) {
        // Only the byte channel reads bytes; it is checked first so that the
        // elements are never read as words when they are bytes.
        if (!(selector & (kChannelRed | kChannelGreen | kChannelBlue | kChannelHue | kChannelSaturation |
                          kChannelValue | kChannelLuma | kChannelCr | kChannelCb)))
            return static_cast<const unsigned char*>(elements)[i];
    }
    const int p = static_cast<int>(static_cast<const std::uint32_t*>(elements)[i]);
    const int r = red_of(p), g = green_of(p), b = blue_of(p);
    if (selector & kChannelRed) return r;
    if (selector & kChannelGreen) return g;
    if (selector & kChannelBlue) return b;
    if (selector & kChannelHue) {
        *divisor = 359;
        return hue_of(p);
    }
    if (selector & kChannelSaturation) return saturation_of(p);
    if (selector & kChannelValue) return value_of(p);
    if (selector & kChannelLuma) return luma_y(r, g, b);
    if (selector & kChannelCr) return chroma_cr(r, g, b) + 128;
    if (selector & kChannelCb) return chroma_cb(r, g, b) + 128;
    return 0;
}

void plot_profile(const PixelView& view, const void* elements, int x0, int count, int selector, int colour) {
    if (elements == nullptr || !(selector & (kDrawDots | kDrawCurve))) return;
    const bool dots = (selector & kDrawDots) != 0;
    for (int i = 0; i < count; ++i) {
        int divisor;
        const int v = profile_value(elements, i, selector, &divisor);
        const int y = (kProfileHeight - 1) - v * (kProfileHeight - 1) / divisor;
        const int x = x0 + i;
        if (dots || i == 0)
            set_pixel(view, x, y, colour);
        else
            draw_line(view, colour, pen_position.x, pen_position.y, x, y);
    }
}

int profile_source_depth(ProfileTool tool) { return tool == kProfileLumi ? 8 : 32; }

void profile_window_size(ProfileTool tool, int source_width, int* width, int* height) {
    if (tool == kProfileCrcb) {
        *width = kCrCbSize;
        *height = kCrCbSize;
        return;
    }
    *width = source_width + (tool == kProfileYcrcb ? 20 : 12);
    *height = kProfileHeight;
}

int format_profile_title(ProfileTool tool, int row, char* out, std::size_t size) {
    if (out == nullptr || size == 0) return 0;
    int n = std::snprintf(out, size, plan_of(tool).title, row);
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(n) < size ? n : static_cast<int>(size - 1);
}

void draw_profile(const PixelView& view, ProfileTool tool, const void* row, int count, TextCursor* cursor,
                  int* text_colour) {
    if (tool == kProfileCrcb) {
        plot_crcb_path(view, static_cast<const std::uint32_t*>(row), count, cursor, text_colour);
        return;
    }
    const ToolPlan& plan = plan_of(tool);
    for (int i = 0; i < plan.curve_count; ++i)
        plot_profile(view, row, plan.margin, count, plan.curves[i].selector, plan.curves[i].colour);
    for (int i = 0; i < plan.label_count; ++i) draw_label(view, cursor, text_colour, plan.labels[i]);
}

void crcb_point(int pixel, int* x, int* y) {
    const int r = red_of(pixel), g = green_of(pixel), b = blue_of(pixel);
    *x = chroma_cb(r, g, b) + 128;
    *y = 128 - chroma_cr(r, g, b);
}

void draw_crcb_axes(const PixelView& view, TextCursor* cursor, int* text_colour) {
    draw_line(view, 0x808080, 0, 128, 256, 128);
    draw_line(view, 0x808080, 128, 0, 128, 256);
    draw_label(view, cursor, text_colour, Label{"Cr", 110, 16, 0xFF8888});
    draw_label(view, cursor, text_colour, Label{"Cb", 238, 144, 0x8888FF});
}

void plot_crcb_path(const PixelView& view, const std::uint32_t* pixels, int count, TextCursor* cursor,
                    int* text_colour) {
    draw_crcb_axes(view, cursor, text_colour);
    if (pixels == nullptr) return;
    int colour = 0xFFFFFF;
    for (int i = 0; i < count; ++i) {
        int x, y;
        crcb_point(static_cast<int>(pixels[i]), &x, &y);
        if (i == 0)
            set_pixel(view, x, y, colour);
        else
            draw_line(view, colour, pen_position.x, pen_position.y, x, y);
        colour ^= 0x00FF00;
    }
}

void plot_crcb_area(const PixelView& view, const std::uint32_t* pixels, int rows, int columns, TextCursor* cursor,
                    int* text_colour) {
    draw_crcb_axes(view, cursor, text_colour);
    if (pixels == nullptr) return;
    for (int r = 0; r < rows; ++r) {
        const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(r) * columns;
        for (int c = 0; c < columns; ++c) {
            int x, y;
            crcb_point(static_cast<int>(row[c]), &x, &y);
            if (c == 0)
                set_pixel(view, x, y, 0xFFFFFF);
            else
                draw_line(view, 0xFFFFFF, pen_position.x, pen_position.y, x, y);
        }
    }
}

}  // namespace kbx
