#include "imageproc/pixel_report.h"

#include <cstdio>

#include "imageproc/colour_models.h"

namespace kbx {

int format_pixel_report(int x, int y, int depth, int p, char* out, std::size_t size) {
    if (out == nullptr || size == 0) return 0;
    int n;
    if (depth == 8) {
        n = std::snprintf(out, size, "(X,Y)=(%d,%d)\n(Luminance)=(%d)\n\n", x, y, p);
    } else {
        int r = red_of(p), g = green_of(p), b = blue_of(p);
        Hsv hsv = rgb_to_hsv(p);
        int yy = luma_y(r, g, b);
        n = std::snprintf(out, size,
                          "(X,Y)=(%d,%d)\n"
                          "(R,G,B)=(%d,%d,%d)\n"
                          "(H,S,V)=(%d,%d,%d)\n"
                          "(Y,Cr,Cb)=(%d,%d,%d)\n"
                          "(Y,u,v)=(%d,%d,%d)\n"
                          "(Y,I,Q)=(%d,%d,%d)\n\n",
                          x, y, r, g, b, hsv.h, hsv.s, hsv.v, yy, chroma_cr(r, g, b), chroma_cb(r, g, b), yy,
                          chroma_u(r, g, b), chroma_v(r, g, b), yy, chroma_i(r, g, b), chroma_q(r, g, b));
    }
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(n) < size ? n : static_cast<int>(size - 1);
}

}  // namespace kbx
