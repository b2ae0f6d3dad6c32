// Clipboard DIB blocks: building them from pictures and reading blocks made
// by other programs, including lying and truncated ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "image/dib_block.h"

namespace kbx {
namespace {

void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
void put16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
std::uint32_t get32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// A block with a header of header_size bytes, then extra bytes, then pixel bytes.
std::vector<unsigned char> make_block(std::uint32_t header_size, int width, int height, int bits,
                                      std::uint32_t compression, std::uint32_t colors_used, std::size_t extra,
                                      std::size_t pixel_bytes) {
    std::vector<unsigned char> b(header_size + extra + pixel_bytes, 0);
    put32(b, 0, header_size);
    put32(b, 4, static_cast<std::uint32_t>(width));
    put32(b, 8, static_cast<std::uint32_t>(height));
    put16(b, 12, 1);
    put16(b, 14, static_cast<std::uint16_t>(bits));
    put32(b, 16, compression);
    put32(b, 32, colors_used);
    return b;
}

TEST(ImageDibWrite, SizesOfFiveByTwo) {
    EXPECT_EQ(72u, clipboard_dib_size(32, 5, 2));     // 40 + 2 rows of 16 bytes
    EXPECT_EQ(1080u, clipboard_dib_size(8, 5, 2));    // 40 + 1024 + 2 rows of 8 bytes
    EXPECT_EQ(16u, clipboard_dib_row_bytes(32, 5));
    EXPECT_EQ(8u, clipboard_dib_row_bytes(8, 5));
    EXPECT_EQ(0u, clipboard_dib_size(16, 5, 2));
    EXPECT_EQ(0u, clipboard_dib_size(32, 0, 2));
    EXPECT_EQ(0u, clipboard_dib_size(32, 0x7FFFFFFF, 0x7FFFFFFF));
}

TEST(ImageDibWrite, ThirtyTwoBitsLeaveAsBottomUp24) {
    const std::uint32_t pixels[] = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203,
                                    0x102030, 0x405060, 0x708090, 0xA0B0C0};   // 5 x 2
    std::vector<unsigned char> block(clipboard_dib_size(32, 5, 2), 0xEE);
    write_clipboard_dib(32, 5, 2, pixels, nullptr, block.data());
    EXPECT_EQ(40u, get32(block, 0));
    EXPECT_EQ(5u, get32(block, 4));
    EXPECT_EQ(2u, get32(block, 8));   // positive: bottom-up
    EXPECT_EQ(1, block[12]);
    EXPECT_EQ(24, block[14]);
    for (std::size_t i = 16; i < 40; ++i) EXPECT_EQ(0, block[i]) << i;
    // First stored row is the picture's bottom row: blue, green, red.
    EXPECT_EQ(0x03, block[40]);
    EXPECT_EQ(0x02, block[41]);
    EXPECT_EQ(0x01, block[42]);
    EXPECT_EQ(0xC0, block[40 + 12]);   // (4, 1)
    EXPECT_EQ(0x33, block[56]);        // second row starts at 16: (0, 0) blue
    EXPECT_EQ(0x11, block[58]);
    EXPECT_EQ(0, block[55]);           // padding
    EXPECT_EQ(0, block[71]);

    // Reading it back gives the same layout.
    DibView view;
    ASSERT_TRUE(parse_dib_block(block.data(), block.size(), &view));
    EXPECT_EQ(24, view.bit_count);
    EXPECT_EQ(0, view.table_entries);
    EXPECT_EQ(40u, view.pixel_offset);
    EXPECT_EQ(32u, view.pixel_bytes);
}

TEST(ImageDibWrite, EightBitsCarryThePalette) {
    const unsigned char pixels[] = {1, 2, 3, 4, 5, 9, 9, 9,    // row 0, padded to 8
                                    6, 7, 8, 9, 10, 9, 9, 9};  // row 1
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i), 0};
    std::vector<unsigned char> block(clipboard_dib_size(8, 5, 2), 0xEE);
    write_clipboard_dib(8, 5, 2, pixels, palette, block.data());
    EXPECT_EQ(8, block[14]);
    EXPECT_EQ(0u, get32(block, 32));   // colours used 0: all 256
    EXPECT_EQ(7, block[40 + 4 * 7]);
    EXPECT_EQ(255 - 7, block[40 + 4 * 7 + 2]);
    const unsigned char expected[] = {6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(expected[i], block[1064 + i]) << i;

    DibView view;
    ASSERT_TRUE(parse_dib_block(block.data(), block.size(), &view));
    EXPECT_EQ(256, view.table_entries);
    EXPECT_EQ(40u, view.table_offset);
    EXPECT_EQ(1064u, view.pixel_offset);
}

TEST(ImageDibRead, RefusesLyingHeaders) {
    DibView view;
    auto good = make_block(40, 4, 4, 24, kDibRgb, 0, 0, 48);
    ASSERT_TRUE(parse_dib_block(good.data(), good.size(), &view));
    EXPECT_FALSE(parse_dib_block(good.data(), good.size() - 1, &view));   // truncated pixels
    EXPECT_FALSE(parse_dib_block(good.data(), 39, &view));                // truncated header
    EXPECT_FALSE(parse_dib_block(nullptr, 100, &view));

    auto b = good;
    put32(b, 0, 1000);   // header longer than the block
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 0, 12);     // core header
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 4, 0x40000000);   // huge width
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 8, 0x7FFFFFFF);   // huge height
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 8, 0x80000000);   // INT_MIN height
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 4, 0);
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 4, 0xFFFFFFFF);   // negative width
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put16(b, 14, 7);           // no such bit count
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put16(b, 12, 2);           // planes
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 16, 1);           // RLE8
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = good;
    put32(b, 16, kDibBitfields);   // bitfields on 24 bits
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
}

TEST(ImageDibRead, TopDownHeightIsAccepted) {
    auto b = make_block(40, 3, -2, 32, kDibRgb, 0, 0, 24);
    DibView view;
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(-2, view.height);
    EXPECT_EQ(24u, view.pixel_bytes);
}

TEST(ImageDibRead, ColourTableCounts) {
    DibView view;
    // 8 bits, colours used 0: 256 entries.
    auto b = make_block(40, 4, 1, 8, kDibRgb, 0, 1024, 4);
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(256, view.table_entries);
    EXPECT_EQ(1064u, view.pixel_offset);
    // Colours used 16: the table is 64 bytes.
    b = make_block(40, 4, 1, 8, kDibRgb, 16, 64, 4);
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(16, view.table_entries);
    EXPECT_EQ(104u, view.pixel_offset);
    // 1 bit: 2 entries by default.
    b = make_block(40, 9, 2, 1, kDibRgb, 0, 8, 8);
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(2, view.table_entries);
    EXPECT_EQ(4u, view.pixel_bytes / 2);
    // A table that claims more than fits, or more than 256 entries.
    b = make_block(40, 4, 1, 8, kDibRgb, 200, 64, 4);
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    b = make_block(40, 4, 1, 8, kDibRgb, 0xFFFFFFFF, 1024, 4);
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
    // Above 8 bits a table only helps palette devices: skipped, not returned.
    b = make_block(40, 2, 1, 24, kDibRgb, 3, 12, 8);
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(0, view.table_entries);
    EXPECT_EQ(52u, view.pixel_offset);
    b = make_block(40, 2, 1, 24, kDibRgb, 0x40000000, 12, 8);
    EXPECT_FALSE(parse_dib_block(b.data(), b.size(), &view));
}

TEST(ImageDibRead, BitfieldsAfterAPlainHeader) {
    auto b = make_block(40, 2, 2, 16, kDibBitfields, 0, 12, 8);
    put32(b, 40, 0xF800);
    put32(b, 44, 0x07E0);
    put32(b, 48, 0x001F);
    DibView view;
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(0xF800u, view.masks[0]);
    EXPECT_EQ(0x001Fu, view.masks[2]);
    EXPECT_EQ(52u, view.pixel_offset);
    // Masks missing: refused.
    auto cut = make_block(40, 1, 1, 16, kDibBitfields, 0, 0, 4);
    cut.resize(44);
    EXPECT_FALSE(parse_dib_block(cut.data(), cut.size(), &view));

    unsigned char info[40 + 1024];
    ASSERT_EQ(52u, write_plain_bitmap_info(view, b.data(), info));
    EXPECT_EQ(0xF8, info[41]);
    EXPECT_EQ(3, info[16]);
}

TEST(ImageDibRead, V5HeaderIsHonoured) {
    // A V5 header (124 bytes) with its masks inside, 32 bits.
    auto b = make_block(124, 2, 1, 32, kDibBitfields, 0, 0, 8);
    put32(b, 40, 0x00FF0000);
    put32(b, 44, 0x0000FF00);
    put32(b, 48, 0x000000FF);
    put32(b, 124, 0xCAFE0001);   // first pixel right after the header
    DibView view;
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(124u, view.pixel_offset);
    EXPECT_EQ(0x00FF0000u, view.masks[0]);

    // The same with the masks repeated after the header, as some writers do.
    auto r = make_block(124, 2, 1, 32, kDibBitfields, 0, 12, 8);
    for (int i = 0; i < 3; ++i) {
        put32(r, 40 + 4 * i, get32(b, 40 + 4 * i));
        put32(r, 124 + 4 * i, get32(b, 40 + 4 * i));
    }
    ASSERT_TRUE(parse_dib_block(r.data(), r.size(), &view));
    EXPECT_EQ(136u, view.pixel_offset);

    // A V5 header with plain 8-bit pixels: the table follows the long header.
    auto p = make_block(124, 4, 1, 8, kDibRgb, 2, 8, 4);
    put32(p, 124, 0x00112233);
    ASSERT_TRUE(parse_dib_block(p.data(), p.size(), &view));
    EXPECT_EQ(2, view.table_entries);
    EXPECT_EQ(124u, view.table_offset);
    EXPECT_EQ(132u, view.pixel_offset);
    unsigned char info[40 + 1024];
    ASSERT_EQ(48u, write_plain_bitmap_info(view, p.data(), info));
    EXPECT_EQ(40u, get32(std::vector<unsigned char>(info, info + 48), 0));
    EXPECT_EQ(2, info[32]);
    EXPECT_EQ(0x33, info[40]);
}

TEST(ImageDibRead, PlainInfoClampsTheTableToTheBitCount) {
    // 1 bit per pixel with 16 colours used: the platform gets 2.
    auto b = make_block(40, 8, 1, 1, kDibRgb, 16, 64, 4);
    DibView view;
    ASSERT_TRUE(parse_dib_block(b.data(), b.size(), &view));
    EXPECT_EQ(16, view.table_entries);   // the caller still gets the whole table
    unsigned char info[40 + 1024];
    EXPECT_EQ(48u, write_plain_bitmap_info(view, b.data(), info));
    EXPECT_EQ(2, info[32]);
}

// Random and mutated blocks: whatever is accepted must lie inside the block.
// Under AddressSanitizer every read of the parser is checked too, because
// each block lives in an allocation of exactly its size.
TEST(ImageDibFuzz, AcceptedBlocksStayInBounds) {
    std::mt19937 rng(12345);
    const std::vector<std::vector<unsigned char>> seeds = {
        make_block(40, 5, 2, 24, kDibRgb, 0, 0, 32),
        make_block(40, 5, 2, 8, kDibRgb, 0, 1024, 16),
        make_block(40, 9, -3, 1, kDibRgb, 2, 8, 12),
        make_block(40, 3, 3, 16, kDibBitfields, 0, 12, 24),
        make_block(124, 2, 2, 32, kDibBitfields, 0, 12, 16),
        make_block(108, 4, 1, 4, kDibRgb, 0, 64, 4),
    };
    const std::uint32_t interesting[] = {0, 1, 2, 3, 8, 12, 16, 24, 32, 39, 40, 52, 56, 108, 124, 255, 256, 257,
                                         0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 0x10000, 0x40000000};
    int accepted = 0;
    for (int round = 0; round < 200000; ++round) {
        std::vector<unsigned char> b = seeds[rng() % seeds.size()];
        int mutations = 1 + static_cast<int>(rng() % 4);
        for (int m = 0; m < mutations; ++m) {
            switch (rng() % 5) {
                case 0:   // a random byte anywhere
                    b[rng() % b.size()] = static_cast<unsigned char>(rng());
                    break;
                case 1: {   // an interesting value in a header field
                    std::size_t field = (rng() % 10) * 4;
                    if (field + 4 <= b.size()) put32(b, field, interesting[rng() % (sizeof interesting / 4)]);
                    break;
                }
                case 2:   // truncate
                    b.resize(rng() % (b.size() + 1));
                    break;
                case 3:   // grow
                    b.resize(b.size() + rng() % 64, static_cast<unsigned char>(rng()));
                    break;
                default:   // a random bit count
                    if (b.size() >= 16) put16(b, 14, static_cast<std::uint16_t>(rng() % 40));
                    break;
            }
            if (b.empty()) break;
        }
        // An allocation of exactly the block's size, so ASan sees overreads.
        std::unique_ptr<unsigned char[]> exact(new unsigned char[b.size() ? b.size() : 1]);
        if (!b.empty()) std::memcpy(exact.get(), b.data(), b.size());
        DibView view;
        if (!parse_dib_block(exact.get(), b.size(), &view)) continue;
        ++accepted;
        ASSERT_GE(view.width, 1);
        ASSERT_NE(view.height, 0);
        ASSERT_LE(view.table_offset + 4u * static_cast<std::size_t>(view.table_entries), b.size());
        ASSERT_LE(view.pixel_offset, b.size());
        ASSERT_LE(view.pixel_bytes, b.size() - view.pixel_offset);
        std::uint64_t rows = view.height < 0 ? -static_cast<std::int64_t>(view.height) : view.height;
        std::uint64_t stride = (static_cast<std::uint64_t>(view.width) * view.bit_count + 31) / 32 * 4;
        ASSERT_EQ(stride * rows, view.pixel_bytes);
        unsigned char info[40 + 1024];
        std::size_t n = write_plain_bitmap_info(view, exact.get(), info);
        ASSERT_LE(n, sizeof info);
        // Touch every pixel byte the platform would read.
        unsigned sum = 0;
        for (std::size_t i = 0; i < view.pixel_bytes; ++i) sum += exact[view.pixel_offset + i];
        (void)sum;
    }
    EXPECT_GT(accepted, 1000);   // the mutations keep many blocks valid
}

}  // namespace
}  // namespace kbx
