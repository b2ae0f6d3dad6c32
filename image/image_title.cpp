#include "image/image_title.h"

#include <cstdio>
#include <cstring>

namespace kbx {

void format_image_title(int zoom, const char* title, int depth, char* out) {
    if (!title) title = "";
    std::snprintf(out, kImageTitleBytes, depth == 8 ? "%s(%d%%)[8bit]" : "%s(%d%%)", title, zoom);
}

void append_halftone_mark(char* caption) {
    std::size_t len = std::strlen(caption);
    if (len + 1 < static_cast<std::size_t>(kImageTitleBytes)) {
        caption[len] = '*';
        caption[len + 1] = 0;
    }
}

}  // namespace kbx
