#include "imageproc/colour_models.h"

namespace kbx {

Hsv rgb_to_hsv(int colour) {
    int r = red_of(colour), g = green_of(colour), b = blue_of(colour);
    int max = r > g ? r : g;
    if (b > max) max = b;
    int min = r < g ? r : g;
    if (b < min) min = b;
    int d = max - min;
    Hsv out = {0, d, max};
    if (d == 0) return out;
    // The order of the tests settles ties: yellow is 60, magenta 300, cyan 180.
    if (max == r && min == b)
        out.h = (g - b) * 60 / d;
    else if (max == g && min == b)
        out.h = (g - r) * 60 / d + 60;
    else if (max == g && min == r)
        out.h = (b - r) * 60 / d + 120;
    else if (max == b && min == r)
        out.h = (b - g) * 60 / d + 180;
    else if (max == b && min == g)
        out.h = (r - g) * 60 / d + 240;
    else
        out.h = (r - b) * 60 / d + 300;
    return out;
}

int hue_of(int colour) { return rgb_to_hsv(colour).h; }
int saturation_of(int colour) { return rgb_to_hsv(colour).s; }
int value_of(int colour) { return rgb_to_hsv(colour).v; }

int hsv_to_rgb(int v, int s, int h) {
    int m = v - s;
    if (m < 0) m = 0;
    int d = v - m;
    int r, g, b;
    if (h < 60) {
        r = v; g = m + d * h / 60; b = m;
    } else if (h < 120) {
        r = m + d * (120 - h) / 60; g = v; b = m;
    } else if (h < 180) {
        r = m; g = v; b = m + d * (h - 120) / 60;
    } else if (h < 240) {
        r = m; g = m + d * (240 - h) / 60; b = v;
    } else if (h < 300) {
        r = m + d * (h - 240) / 60; g = m; b = v;
    } else {
        r = v; g = m; b = m + d * (360 - h) / 60;
    }
    return (r << 16) + (g << 8) + b;
}

namespace {
// C++ integer division truncates toward zero, which these values rely on.
inline int fixed_point(int a, int b, int c, int r, int g, int bl) {
    return (a * r + b * g + c * bl + 32768) / 65536;
}
}  // namespace

int luma_y(int r, int g, int b) { return fixed_point(19595, 38470, 7471, r, g, b); }
int chroma_cr(int r, int g, int b) { return fixed_point(32768, -27460, -5308, r, g, b); }
int chroma_cb(int r, int g, int b) { return fixed_point(-11076, -21692, 32768, r, g, b); }
int chroma_u(int r, int g, int b) { return fixed_point(-9634, -18940, 28574, r, g, b); }
int chroma_v(int r, int g, int b) { return fixed_point(40305, -33751, -6554, r, g, b); }
int chroma_i(int r, int g, int b) { return fixed_point(39053, -18022, -21037, r, g, b); }
int chroma_q(int r, int g, int b) { return fixed_point(13533, -32565, 19032, r, g, b); }

}  // namespace kbx
