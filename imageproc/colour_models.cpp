#include "imageproc/colour_models.h"

namespace kbx {

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

// Inlined with constant coefficients, so the multiplications need no
// registers of their own.
inline void luma_pass(const std::uint32_t* in, int count, const Coefficients& k1, const Coefficients& k2, int* y,
                      int* c1, int* c2) {
    for (int i = 0; i < count; ++i) {
        const int p = static_cast<int>(in[i]);
        const int r = red_of(p), g = green_of(p), b = blue_of(p);
        y[i] = apply(kLumaY, r, g, b);
        c1[i] = apply(k1, r, g, b);
        c2[i] = apply(k2, r, g, b);
    }
}

// The luminance alone, for grey levels.
void luma_y_pass(const std::uint32_t* in, int count, int* y) {
    for (int i = 0; i < count; ++i) {
        const int p = static_cast<int>(in[i]);
        y[i] = apply(kLumaY, red_of(p), green_of(p), blue_of(p));
    }
}

}  // namespace

void luma_row(const std::uint32_t* in, int count, LumaModel model, int* y, int* c1, int* c2) {
    if (c1 == nullptr || c2 == nullptr) {
        luma_y_pass(in, count, y);
        return;
    }
    switch (model) {
        case kModelYCrCb: luma_pass(in, count, kChromaCr, kChromaCb, y, c1, c2); break;
        case kModelYuv: luma_pass(in, count, kChromaU, kChromaV, y, c1, c2); break;
        case kModelYiq: luma_pass(in, count, kChromaI, kChromaQ, y, c1, c2); break;
    }
}

}  // namespace kbx
