// The image API as a user program calls it: one framework run for the whole
// executable, the calls made on the user-program thread, pictures compared
// through the public pixel calls.
#ifndef KBX_IMAGE_API_SESSION_H
#define KBX_IMAGE_API_SESSION_H

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace api_test {

using kbxtest::on_user_thread;

// Destroys every image window and empties the selection stack.
void reset_images();

// A picture as the public calls see it: size and every pixel, row by row.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    bool operator==(const Picture& o) const {
        return width == o.width && height == o.height && pixels == o.pixels;
    }
};
// Window n's picture (the selection is left as it was).
Picture picture_of(int n);
// Fills window n with f(x, y) through KBX_SetPixel (indices at depth 8).
void fill(int n, std::uint32_t (*f)(int x, int y));
// Distinct colours, and distinct indices for 8-bit windows.
std::uint32_t distinct(int x, int y);
std::uint32_t distinct8(int x, int y);

// Files the tests write, which check_api_files.py reads again.
std::string api_file(const char* name);

}  // namespace api_test

#endif
