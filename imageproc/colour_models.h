// Integer colour-model arithmetic shared by the pixel report, patterns and plots:
// RGB <-> HSV and the fixed-point luminance and colour differences.
// Every division truncates toward zero, also for negative numerators.
//
// The per-pixel formulas are inline and free of branches and integer
// divisions, so that the row pass below, and any loop over pixels that
// uses them, can be vectorised.
#ifndef KBX_IMAGEPROC_COLOUR_MODELS_H
#define KBX_IMAGEPROC_COLOUR_MODELS_H

#include <cstdint>

namespace kbx {

struct Hsv {
    int h;   // degrees 0..359
    int s;   // max - min, 0..255
    int v;   // max, 0..255
};

inline int red_of(int colour) { return (colour >> 16) & 0xFF; }
inline int green_of(int colour) { return (colour >> 8) & 0xFF; }
inline int blue_of(int colour) { return colour & 0xFF; }

inline int max_of(int r, int g, int b) {
    const int m = r > g ? r : g;
    return b > m ? b : m;
}
inline int min_of(int r, int g, int b) {
    const int m = r < g ? r : g;
    return b < m ? b : m;
}

// The hue of a colour whose largest and smallest bytes are max and min.
// The order of the sextant tests settles ties (yellow is 60, magenta 300,
// cyan 180): the selections below run in reverse so the first test that
// holds has the last word. n * 60 / d truncated: |n * 60| <= 15300 and
// 1 <= d <= 255, so the correctly rounded float quotient lies within
// 2^-24 * 60 of the exact one, while a quotient that is not an integer is
// at least 1 / 255 from the next one; truncating it gives the integer
// quotient.
inline int hue_from(int r, int g, int b, int max, int min) {
    const int d = max - min;
    int n = r - b, offset = 300;
    const bool c5 = (max == b) & (min == g), c4 = (max == b) & (min == r), c3 = (max == g) & (min == r),
               c2 = (max == g) & (min == b), c1 = (max == r) & (min == b);
    n = c5 ? r - g : n;
    offset = c5 ? 240 : offset;
    n = c4 ? b - g : n;
    offset = c4 ? 180 : offset;
    n = c3 ? b - r : n;
    offset = c3 ? 120 : offset;
    n = c2 ? g - r : n;
    offset = c2 ? 60 : offset;
    n = c1 ? g - b : n;
    offset = c1 ? 0 : offset;
    // A grey (d = 0) passes the first test with n = 0: hue 0.
    const float q = static_cast<float>(n * 60) / static_cast<float>(d > 0 ? d : 1);
    return static_cast<int>(q) + offset;
}

inline Hsv rgb_to_hsv(int colour) {
    const int r = red_of(colour), g = green_of(colour), b = blue_of(colour);
    const int max = max_of(r, g, b), min = min_of(r, g, b);
    return Hsv{hue_from(r, g, b, max, min), max - min, max};
}
inline int hue_of(int colour) { return rgb_to_hsv(colour).h; }
inline int saturation_of(int colour) { return rgb_to_hsv(colour).s; }
inline int value_of(int colour) { return rgb_to_hsv(colour).v; }

int hsv_to_rgb(int v, int s, int h);

// (a*R + b*G + c*B + 32768) / 65536 with the model's coefficients,
// truncated toward zero. Worked in float, which vector units multiply far
// faster than 32-bit integers, with the coefficients already scaled by
// 2^-16: for bytes and these coefficients every product and partial sum is
// an integer below 2^24 in magnitude times 2^-16, so all of it is exact,
// and the conversion truncates toward zero as the integer division does.
inline int fixed_point(int a, int b, int c, int r, int g, int bl) {
    constexpr float kScale = 1.0f / 65536.0f;
    const float sum = static_cast<float>(a) * kScale * static_cast<float>(r) +
                      static_cast<float>(b) * kScale * static_cast<float>(g) +
                      static_cast<float>(c) * kScale * static_cast<float>(bl) + 0.5f;
    return static_cast<int>(sum);
}
struct Coefficients {
    int r, g, b;
};
constexpr Coefficients kLumaY = {19595, 38470, 7471};
constexpr Coefficients kChromaCr = {32768, -27460, -5308};
constexpr Coefficients kChromaCb = {-11076, -21692, 32768};
constexpr Coefficients kChromaU = {-9634, -18940, 28574};
constexpr Coefficients kChromaV = {40305, -33751, -6554};
constexpr Coefficients kChromaI = {39053, -18022, -21037};
constexpr Coefficients kChromaQ = {13533, -32565, 19032};
inline int apply(const Coefficients& k, int r, int g, int b) { return fixed_point(k.r, k.g, k.b, r, g, b); }

inline int luma_y(int r, int g, int b) { return apply(kLumaY, r, g, b); }
inline int chroma_cr(int r, int g, int b) { return apply(kChromaCr, r, g, b); }
inline int chroma_cb(int r, int g, int b) { return apply(kChromaCb, r, g, b); }
inline int chroma_u(int r, int g, int b) { return apply(kChromaU, r, g, b); }
inline int chroma_v(int r, int g, int b) { return apply(kChromaV, r, g, b); }
inline int chroma_i(int r, int g, int b) { return apply(kChromaI, r, g, b); }
inline int chroma_q(int r, int g, int b) { return apply(kChromaQ, r, g, b); }

// A whole row of 0x00RRGGBB words (the top byte is ignored): element i of
// each output is the luminance and the model's two colour differences of
// in[i]. With c1 or c2 null only y is written.
enum LumaModel { kModelYCrCb, kModelYuv, kModelYiq };
void luma_row(const std::uint32_t* in, int count, LumaModel model, int* y, int* c1, int* c2);

}  // namespace kbx

#endif
