#include "testing/picture_points.h"

#include <cstring>

namespace kbxtest {

bool client_point_for_pixel(int p, int zoom, int* c) {
    if (zoom <= 0 || p < 0) return false;
    const long long first = (static_cast<long long>(p) * zoom + 99) / 100;
    if (first * 100 / zoom != p || first > 0xFFFF) return false;
    *c = static_cast<int>(first);
    return true;
}

int caption_zoom(const char* caption) {
    // The zoom is the last "(<digits>%)" of the caption.
    const char* open = std::strrchr(caption, '(');
    if (!open) return 0;
    int zoom = 0;
    const char* p = open + 1;
    for (; *p >= '0' && *p <= '9'; ++p) zoom = zoom * 10 + (*p - '0');
    return p > open + 1 && p[0] == '%' && p[1] == ')' ? zoom : 0;
}

}  // namespace kbxtest
