#include "image/index_colors.h"

#include <unordered_map>

namespace kbx {

namespace {

int cube_level(std::uint32_t channel) { return static_cast<int>((channel + 25) / 51); }   // 0..5

}  // namespace

int index_colors(const std::uint32_t* pixels, std::size_t count, std::uint32_t* palette, unsigned char* indices) {
    if (count == 0) return 0;
    std::unordered_map<std::uint32_t, int> seen;
    bool exact = true;
    for (std::size_t i = 0; i < count && exact; ++i) {
        std::uint32_t c = pixels[i] & 0xFFFFFF;
        auto found = seen.find(c);
        if (found != seen.end()) {
            indices[i] = static_cast<unsigned char>(found->second);
            continue;
        }
        if (seen.size() == 256) {
            exact = false;
            break;
        }
        int index = static_cast<int>(seen.size());
        seen.emplace(c, index);
        palette[index] = c;
        indices[i] = static_cast<unsigned char>(index);
    }
    if (exact) return static_cast<int>(seen.size());

    for (int i = 0; i < 216; ++i) {
        std::uint32_t r = static_cast<std::uint32_t>(i / 36) * 51, g = static_cast<std::uint32_t>(i / 6 % 6) * 51,
                      b = static_cast<std::uint32_t>(i % 6) * 51;
        palette[i] = r << 16 | g << 8 | b;
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t c = pixels[i];
        indices[i] = static_cast<unsigned char>(cube_level((c >> 16) & 255) * 36 + cube_level((c >> 8) & 255) * 6 +
                                                cube_level(c & 255));
    }
    return 216;
}

}  // namespace kbx
