// Integer colour-model arithmetic shared by the pixel report, patterns and plots:
// RGB <-> HSV and the fixed-point luminance and colour differences.
// Every division truncates toward zero, also for negative numerators.
#ifndef KBX_IMAGEPROC_COLOUR_MODELS_H
#define KBX_IMAGEPROC_COLOUR_MODELS_H

namespace kbx {

struct Hsv {
    int h;   // degrees 0..359
    int s;   // max - min, 0..255
    int v;   // max, 0..255
};

Hsv rgb_to_hsv(int colour);
int hue_of(int colour);
int saturation_of(int colour);
int value_of(int colour);
int hsv_to_rgb(int v, int s, int h);

// (a*R + b*G + c*B + 32768) / 65536 with the model's coefficients.
int luma_y(int r, int g, int b);
int chroma_cr(int r, int g, int b);
int chroma_cb(int r, int g, int b);
int chroma_u(int r, int g, int b);
int chroma_v(int r, int g, int b);
int chroma_i(int r, int g, int b);
int chroma_q(int r, int g, int b);

inline int red_of(int colour) { return (colour >> 16) & 0xFF; }
inline int green_of(int colour) { return (colour >> 8) & 0xFF; }
inline int blue_of(int colour) { return colour & 0xFF; }

}  // namespace kbx

#endif
