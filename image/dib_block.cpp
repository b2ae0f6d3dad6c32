#include "image/dib_block.h"

#include <cstring>

#include "image/image_geometry.h"

namespace kbx {

namespace {

const std::uint64_t kMaxBlockBytes = 0x7FFFFFFF;

std::uint32_t read_u32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t read_i32(const unsigned char* p) {
    std::uint32_t u = read_u32(p);
    std::int32_t i;
    std::memcpy(&i, &u, sizeof i);
    return i;
}
std::uint16_t read_u16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
void write_u32(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}
void write_u16(unsigned char* p, std::uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

// The 40-byte header; fields not given are 0.
void write_header(unsigned char* out, int width, int height, int bit_count, std::uint32_t compression,
                  std::uint32_t colors_used) {
    std::memset(out, 0, kDibHeaderBytes);
    write_u32(out + 0, static_cast<std::uint32_t>(kDibHeaderBytes));
    write_u32(out + 4, static_cast<std::uint32_t>(width));
    write_u32(out + 8, static_cast<std::uint32_t>(height));
    write_u16(out + 12, 1);
    write_u16(out + 14, static_cast<std::uint16_t>(bit_count));
    write_u32(out + 16, compression);
    write_u32(out + 32, colors_used);
}

bool valid_bit_count(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

std::size_t clipboard_dib_row_bytes(int depth, int width) {
    std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    return depth == 8 ? (w + 3) / 4 * 4 : (w * 3 + 3) / 4 * 4;
}

std::size_t clipboard_dib_size(int depth, int width, int height) {
    if ((depth != 8 && depth != 32) || width < 1 || height < 1) return 0;
    std::uint64_t w = static_cast<std::uint64_t>(width);
    std::uint64_t row = depth == 8 ? (w + 3) / 4 * 4 : (w * 3 + 3) / 4 * 4;
    std::uint64_t total = kDibHeaderBytes + (depth == 8 ? 4 * kPaletteEntries : 0) +
                          row * static_cast<std::uint64_t>(height);
    return total > kMaxBlockBytes ? 0 : static_cast<std::size_t>(total);
}

void write_clipboard_dib(int depth, int width, int height, const void* pixels, const PaletteEntry* palette,
                         unsigned char* out) {
    write_header(out, width, height, depth == 8 ? 8 : 24, kDibRgb, 0);
    unsigned char* at = out + kDibHeaderBytes;
    if (depth == 8) {
        for (int i = 0; i < kPaletteEntries; ++i) {
            at[0] = palette[i].blue;
            at[1] = palette[i].green;
            at[2] = palette[i].red;
            at[3] = palette[i].reserved;
            at += 4;
        }
    }
    const std::size_t row_bytes = clipboard_dib_row_bytes(depth, width);
    const std::size_t source_stride = image_row_bytes(depth, width);
    const unsigned char* source = static_cast<const unsigned char*>(pixels);
    for (int r = 0; r < height; ++r) {
        // Bottom row first.
        const unsigned char* src = source + static_cast<std::size_t>(height - 1 - r) * source_stride;
        unsigned char* dst = at + static_cast<std::size_t>(r) * row_bytes;
        std::memset(dst, 0, row_bytes);
        if (depth == 8) {
            std::memcpy(dst, src, static_cast<std::size_t>(width));
        } else {
            for (int x = 0; x < width; ++x) {
                std::uint32_t word = read_u32(src + 4 * static_cast<std::size_t>(x));
                dst[3 * x + 0] = static_cast<unsigned char>(word);         // blue
                dst[3 * x + 1] = static_cast<unsigned char>(word >> 8);    // green
                dst[3 * x + 2] = static_cast<unsigned char>(word >> 16);   // red
            }
        }
    }
}

bool parse_dib_block(const unsigned char* block, std::size_t size, DibView* out) {
    if (!block || size < kDibHeaderBytes) return false;
    const std::uint64_t total = size;
    const std::uint32_t header_size = read_u32(block);
    if (header_size < kDibHeaderBytes || header_size > total) return false;

    const std::int32_t width = read_i32(block + 4);
    const std::int32_t height = read_i32(block + 8);
    const std::uint16_t planes = read_u16(block + 12);
    const int bit_count = read_u16(block + 14);
    const std::uint32_t compression = read_u32(block + 16);
    const std::uint32_t colors_used = read_u32(block + 32);

    if (width < 1 || height == 0 || height == INT32_MIN || planes != 1 || !valid_bit_count(bit_count)) return false;
    if (compression != kDibRgb && !(compression == kDibBitfields && (bit_count == 16 || bit_count == 32))) {
        return false;
    }
    const std::uint64_t rows = height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(height))
                                          : static_cast<std::uint64_t>(height);
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bit_count + 31) / 32 * 4;
    const std::uint64_t pixel_bytes = stride * rows;   // below 2^31 * 2^31 * 4 / 8: no overflow
    if (pixel_bytes > kMaxBlockBytes) return false;

    std::uint64_t table_entries = 0;
    if (bit_count <= 8) {
        table_entries = colors_used ? colors_used : (1u << bit_count);
        if (table_entries > static_cast<std::uint64_t>(kPaletteEntries)) return false;
    } else {
        // An optional table that only helps palette devices; skipped.
        table_entries = colors_used;
    }

    DibView view = {};
    std::uint64_t offset = header_size;
    if (compression == kDibBitfields) {
        const std::uint64_t after = offset + 12 + table_entries * 4 + pixel_bytes;
        if (header_size >= 52) {
            for (int i = 0; i < 3; ++i) view.masks[i] = read_u32(block + 40 + 4 * i);
            // Some writers repeat the masks after a long header; take that
            // copy as such only when the rest still fits behind it.
            if (after <= total && std::memcmp(block + offset, block + 40, 12) == 0) offset += 12;
        } else {
            if (offset + 12 > total) return false;
            for (int i = 0; i < 3; ++i) view.masks[i] = read_u32(block + offset + 4 * i);
            offset += 12;
        }
    }
    const std::uint64_t table_offset = offset;
    offset += table_entries * 4;
    if (offset > total || pixel_bytes > total - offset) return false;

    view.width = width;
    view.height = height;
    view.bit_count = bit_count;
    view.compression = compression;
    view.table_entries = bit_count <= 8 ? static_cast<int>(table_entries) : 0;
    view.table_offset = static_cast<std::size_t>(table_offset);
    view.pixel_offset = static_cast<std::size_t>(offset);
    view.pixel_bytes = static_cast<std::size_t>(pixel_bytes);
    *out = view;
    return true;
}

std::size_t write_plain_bitmap_info(const DibView& view, const unsigned char* block, unsigned char* out) {
    int table = view.table_entries;
    if (view.bit_count <= 8 && table > (1 << view.bit_count)) table = 1 << view.bit_count;
    write_header(out, view.width, view.height, view.bit_count, view.compression,
                 static_cast<std::uint32_t>(table));
    std::size_t at = kDibHeaderBytes;
    if (view.compression == kDibBitfields) {
        for (int i = 0; i < 3; ++i) write_u32(out + at + 4 * i, view.masks[i]);
        at += 12;
    }
    if (table > 0) {
        std::memcpy(out + at, block + view.table_offset, static_cast<std::size_t>(table) * 4);
        at += static_cast<std::size_t>(table) * 4;
    }
    return at;
}

}  // namespace kbx
