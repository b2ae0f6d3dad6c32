// Image window captions: "Title(100%)", "Title(100%)[8bit]", and the "*"
// that marks HALFTONE stretching.
#ifndef KBX_IMAGE_TITLE_H
#define KBX_IMAGE_TITLE_H

#include "textwin/text_cut.h"

namespace kbx {

constexpr int kImageTitleBytes = 256;

// out holds kImageTitleBytes; a long title is cut on a whole character
// (char_size: the code page's) so that the zoom always shows.
void format_image_title(int zoom, const char* title, int depth, char* out, NarrowCharSize char_size);
// Appends "*" when there is room.
void append_halftone_mark(char* caption);

}  // namespace kbx

#endif
