#include "image/image_title.h"

#include <cstdio>
#include <cstring>

namespace kbx {

void format_image_title(int zoom, const char* title, int depth, char* out, NarrowCharSize char_size) {
    if (!title) title = "";
    // The zoom always shows; a long title gives way, on a whole character.
    char suffix[32];
    const int suffix_length = std::snprintf(suffix, sizeof suffix, depth == 8 ? "(%d%%)[8bit]" : "(%d%%)", zoom);
    const int length = narrow_prefix_length(title, static_cast<int>(std::strlen(title)),
                                            kImageTitleBytes - 1 - suffix_length, char_size);
    std::memcpy(out, title, static_cast<std::size_t>(length));
    std::memcpy(out + length, suffix, static_cast<std::size_t>(suffix_length) + 1);
}

void append_halftone_mark(char* caption) {
    std::size_t len = std::strlen(caption);
    if (len + 1 < static_cast<std::size_t>(kImageTitleBytes)) {
        caption[len] = '*';
        caption[len + 1] = 0;
    }
}

}  // namespace kbx
