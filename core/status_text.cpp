#include "core/status_text.h"

#include <cstdio>
#include <cstring>

namespace kbx {

void format_status_text(const char* text, char out[kStatusWidth]) {
    std::memset(out, ' ', kStatusWidth);
    size_t len = std::strlen(text);
    long start = 18 - static_cast<long>(len / 2);
    if (start < 0) start = 0;
    size_t room = static_cast<size_t>(kStatusWidth - 1 - start);
    size_t n = len < room ? len : room;
    std::memcpy(out + start, text, n);
    // The padding runs to the end of the buffer, as the label expects.
    out[kStatusWidth - 1] = '\0';
}

void format_depth_text(int bits_per_pixel, char out[16]) {
    std::snprintf(out, 16, "%d-bit color", bits_per_pixel);
}

}  // namespace kbx
