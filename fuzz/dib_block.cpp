// The CF_DIB reader takes blocks that other programs put on the clipboard.
// An accepted block's pixel view must lie inside the block; the plain header
// rebuilt from the view must read back as the same view; and every block
// the writer makes must be accepted as what it describes.
#include <cstdint>
#include <cstring>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_check.h"
#include "image/dib_block.h"

using namespace kbx;

namespace {

std::uint64_t abs_height(const DibView& v) {
    return v.height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(v.height))
                        : static_cast<std::uint64_t>(v.height);
}

void check_inside(const DibView& v, std::size_t size) {
    KBX_CHECK(v.width >= 1 && v.height != 0);
    const std::uint64_t stride = (static_cast<std::uint64_t>(v.width) * v.bit_count + 31) / 32 * 4;
    KBX_CHECK(v.pixel_bytes == stride * abs_height(v));
    KBX_CHECK(v.table_entries >= 0 && v.table_entries <= kPaletteEntries);
    KBX_CHECK(v.table_offset >= kDibHeaderBytes);
    KBX_CHECK(v.table_offset + 4 * static_cast<std::uint64_t>(v.table_entries) <= v.pixel_offset);
    KBX_CHECK(v.pixel_offset <= size && v.pixel_bytes <= size - v.pixel_offset);
}

// Header (and masks or table) as the platform takes it, then the pixels:
// must parse to the same view.
void check_rebuilt(const DibView& v, const unsigned char* block) {
    std::vector<unsigned char> plain(kDibHeaderBytes + 12 + 4 * kPaletteEntries);
    std::size_t info = write_plain_bitmap_info(v, block, plain.data());
    KBX_CHECK(info <= plain.size());
    plain.resize(info);
    plain.insert(plain.end(), block + v.pixel_offset, block + v.pixel_offset + v.pixel_bytes);
    DibView again = {};
    KBX_CHECK(parse_dib_block(plain.data(), plain.size(), &again));
    KBX_CHECK(again.width == v.width && again.height == v.height && again.bit_count == v.bit_count);
    KBX_CHECK(again.compression == v.compression && again.pixel_bytes == v.pixel_bytes);
    KBX_CHECK(again.pixel_offset == info);
    if (v.compression == kDibBitfields) KBX_CHECK(std::memcmp(again.masks, v.masks, sizeof v.masks) == 0);
    // A table longer than the bit count can index is cut to what it can.
    const int usable = v.bit_count <= 8 && v.table_entries > (1 << v.bit_count) ? 1 << v.bit_count : v.table_entries;
    KBX_CHECK(again.table_entries == usable);
    KBX_CHECK(std::memcmp(plain.data() + again.table_offset, block + v.table_offset, 4 * static_cast<std::size_t>(usable)) == 0);
    KBX_CHECK(std::memcmp(plain.data() + again.pixel_offset, block + v.pixel_offset, v.pixel_bytes) == 0);
}

// A small picture from the input through the writer and back.
void check_written(FuzzedDataProvider& in) {
    const int depth = in.ConsumeBool() ? 8 : 32;
    const int width = in.ConsumeIntegralInRange(1, 40);
    const int height = in.ConsumeIntegralInRange(1, 40);
    const std::size_t stride = depth == 8 ? (static_cast<std::size_t>(width) + 3) / 4 * 4 : 4 * static_cast<std::size_t>(width);
    std::vector<unsigned char> pixels(stride * static_cast<std::size_t>(height));
    for (unsigned char& b : pixels) b = in.ConsumeIntegral<unsigned char>();
    std::vector<PaletteEntry> palette(kPaletteEntries);
    std::memset(palette.data(), 0x5A, palette.size() * sizeof(PaletteEntry));
    const std::size_t size = clipboard_dib_size(depth, width, height);
    KBX_CHECK(size > kDibHeaderBytes);
    std::vector<unsigned char> block(size);
    write_clipboard_dib(depth, width, height, pixels.data(), palette.data(), block.data());
    DibView v = {};
    KBX_CHECK(parse_dib_block(block.data(), block.size(), &v));
    KBX_CHECK(v.width == width && v.height == height && v.bit_count == (depth == 8 ? 8 : 24));
    KBX_CHECK(v.pixel_offset + v.pixel_bytes == size);
    KBX_CHECK(v.table_entries == (depth == 8 ? kPaletteEntries : 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read past the end is caught.
    std::vector<unsigned char> block(data, data + size);
    DibView v = {};
    if (parse_dib_block(block.data(), block.size(), &v)) {
        check_inside(v, block.size());
        check_rebuilt(v, block.data());
    }
    FuzzedDataProvider in(data, size);
    check_written(in);
    return 0;
}
