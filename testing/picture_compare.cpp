#include "testing/picture_compare.h"

#include <cstddef>

namespace kbxtest {

namespace {

int channel_difference(unsigned a, unsigned b, int shift) {
    const int x = static_cast<int>((a >> shift) & 0xFF), y = static_cast<int>((b >> shift) & 0xFF);
    return x > y ? x - y : y - x;
}

unsigned faded(unsigned pixel) { return (pixel >> 2) & 0x3F3F3F; }

}  // namespace

PictureDifference compare_pictures(const unsigned* actual, const unsigned* expected, int width, int height,
                                   int tolerance, std::vector<unsigned>* marks) {
    PictureDifference d;
    const long total = width > 0 && height > 0 ? static_cast<long>(width) * height : 0;
    if (marks) marks->assign(static_cast<std::size_t>(total), 0);
    for (long i = 0; i < total; ++i) {
        int worst = 0;
        for (int shift : {0, 8, 16}) {
            const int c = channel_difference(actual[i], expected[i], shift);
            if (c > worst) worst = c;
        }
        if (worst > d.largest) d.largest = worst;
        const bool differs = worst > tolerance;
        if (differs && d.count++ == 0) {
            d.first_x = static_cast<int>(i % width);
            d.first_y = static_cast<int>(i / width);
        }
        if (marks) (*marks)[static_cast<std::size_t>(i)] = differs ? 0xFF0000u : faded(actual[i]);
    }
    return d;
}

}  // namespace kbxtest
