// Packed device-independent bitmaps as the clipboard carries them (CF_DIB):
// building one from a picture, and reading one that another program made
// without trusting a single field of it.
#ifndef KBX_DIB_BLOCK_H
#define KBX_DIB_BLOCK_H

#include <cstddef>
#include <cstdint>

namespace kbx {

// One palette entry, laid out as the platform's RGBQUAD.
struct PaletteEntry {
    std::uint8_t blue, green, red, reserved;
};

constexpr std::size_t kDibHeaderBytes = 40;
constexpr int kPaletteEntries = 256;

// --- writing ---------------------------------------------------------------------
// A 32-bit picture leaves as 24 bits per pixel, an 8-bit one as 8 bits with
// its 256-entry palette; rows bottom-up, padded to 4 bytes.
std::size_t clipboard_dib_row_bytes(int depth, int width);
// Header + palette (8-bit) + pixels; 0 when the depth is not 8 or 32, a
// size is below 1, or the block would not fit in 2 GB.
std::size_t clipboard_dib_size(int depth, int width, int height);
// Fills out (clipboard_dib_size bytes) from a picture in the image window
// layout: top-down 0x00RRGGBB words, or top-down bytes with rows padded to 4.
// palette is used (256 entries) at depth 8 only.
void write_clipboard_dib(int depth, int width, int height, const void* pixels, const PaletteEntry* palette,
                         unsigned char* out);

// --- reading ---------------------------------------------------------------------
enum DibCompression : std::uint32_t { kDibRgb = 0, kDibBitfields = 3 };

struct DibView {
    int width;                  // at least 1
    int height;                 // as in the header: negative means top-down
    int bit_count;              // 1, 4, 8, 16, 24 or 32
    std::uint32_t compression;  // kDibRgb or kDibBitfields
    std::uint32_t masks[3];     // red, green, blue (bitfields only)
    int table_entries;          // colour table entries (bit counts up to 8), at most 256; else 0
    std::size_t table_offset;   // where the colour table starts
    std::size_t pixel_offset;   // where the pixels start
    std::size_t pixel_bytes;    // rows padded to 4 bytes, times |height|
};

// Checks every size the header claims against the block's real size before
// anything else is read. Headers longer than 40 bytes (V4, V5) are
// honoured; bitfield masks come from the header when it holds them, else
// from the 12 bytes after it. Refuses (false) compressed pixels other than
// bitfields, bad plane or bit counts, sizes below 1 and anything that does
// not fit in size bytes.
bool parse_dib_block(const unsigned char* block, std::size_t size, DibView* out);

// Writes the plain form of a parsed block that the platform can take in
// one piece: a 40-byte header, then the masks (bitfields) or the colour
// table. out holds at least kDibHeaderBytes + 4 * kPaletteEntries bytes.
// Returns the number of bytes written.
std::size_t write_plain_bitmap_info(const DibView& view, const unsigned char* block, unsigned char* out);

}  // namespace kbx

#endif
