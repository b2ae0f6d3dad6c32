// Palette images from 32-bit pictures, for formats that only hold palette
// indices (GIF): exact when the picture has at most 256 colours, else the
// 6 x 6 x 6 colour cube.
#ifndef KBX_INDEX_COLORS_H
#define KBX_INDEX_COLORS_H

#include <cstddef>
#include <cstdint>

namespace kbx {

// Writes one index per pixel and the palette as 0x00RRGGBB words; returns
// the number of palette entries used (1..256; 0 for no pixels).
int index_colors(const std::uint32_t* pixels, std::size_t count, std::uint32_t* palette, unsigned char* indices);

}  // namespace kbx

#endif
