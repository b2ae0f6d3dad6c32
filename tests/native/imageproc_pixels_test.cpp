#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "imageproc/image_source.h"
#include "imageproc/pixels.h"
#include "imageproc_test_support.h"
#include "kbx_imageproc.h"

namespace {

using namespace kbx;
using kbxtest::picture;

TEST(ImageprocPixels, EightBitRowsArePaddedToFourBytes) {
    EXPECT_EQ(window_row_bytes(3, 8), 4);
    EXPECT_EQ(window_row_bytes(4, 8), 4);
    EXPECT_EQ(window_row_bytes(5, 8), 8);
    EXPECT_EQ(window_row_bytes(3, 32), 12);
    unsigned char buffer[8] = {};
    PixelView view = make_pixel_view(buffer, 3, 2, 8);
    set_pixel(view, 0, 1, 9);
    EXPECT_EQ(buffer[4], 9);   // pixel (0, 1) is byte 4
    EXPECT_EQ(window_buffer_bytes(3, 2, 8), 8u);
}

TEST(ImageprocPixels, SetPixelOutsideRecordsThePenOnly) {
    PixelImage image = picture(4, 6);
    PixelView view = view_of(image);
    set_pixel(view, -1, 5, 0xFFFFFF);
    EXPECT_EQ(pen_position.x, -1);
    EXPECT_EQ(pen_position.y, 5);
    set_pixel(view, 4, 0, 0xFFFFFF);
    set_pixel(view, 0, 6, 0xFFFFFF);
    EXPECT_TRUE(kbxtest::changed(view).empty());
    set_pixel(view, 3, 5, 0x123456);
    EXPECT_EQ(get_pixel(view, 3, 5), 0x123456);
    // plot_pixel leaves the pen alone.
    plot_pixel(view, 1, 1, 7);
    EXPECT_EQ(pen_position.x, 3);
    EXPECT_EQ(pen_position.y, 5);
    EXPECT_EQ(get_pixel(view, 1, 1), 7);
}

TEST(ImageprocPixels, EightBitStoresTheLowByteAndKeepsThePadding) {
    PixelImage image = picture(3, 2, 8);
    PixelView view = view_of(image);
    std::memset(view.pixels, 0xEE, 8);
    set_pixel(view, 2, 0, 0x00FF8040);
    EXPECT_EQ(get_pixel(view, 2, 0), 0x40);
    EXPECT_EQ(view.pixels[3], 0xEE);   // padding byte of row 0
    set_pixel(view, 3, 0, 0x11);       // just past the width: outside
    EXPECT_EQ(view.pixels[3], 0xEE);
}

TEST(ImageprocPixels, GetAndProbeOutside) {
    PixelImage image = picture(5, 3, 32, 0x010203);
    PixelView view = view_of(image);
    EXPECT_EQ(get_pixel(view, 5, 0), 0);
    EXPECT_EQ(probe_pixel(view, 5, 0), -1);
    EXPECT_EQ(probe_pixel(view, 0, -1), -1);
    EXPECT_EQ(probe_pixel(view, 4, 2), 0x010203);
    EXPECT_EQ(get_pixel(view, -2147483647 - 1, 0), 0);
}

TEST(ImageprocPixels, XorPixelInvertsColourBytesOnly) {
    PixelImage image = picture(2, 2, 32, 0x12345678);
    PixelView view = view_of(image);
    xor_pixel(view, 1, 1);
    EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view, 1, 1)), 0x12CBA987u);
    xor_pixel(view, 1, 1);
    EXPECT_EQ(get_pixel(view, 1, 1), 0x12345678);
    PixelImage index = picture(2, 2, 8, 0);
    PixelView v8 = view_of(index);
    xor_pixel(v8, 0, 0);
    EXPECT_EQ(get_pixel(v8, 0, 0), 255);
    store_inside(v8, 1, 0, 0x5A);
    xor_pixel(v8, 1, 0);
    EXPECT_EQ(get_pixel(v8, 1, 0), 0xA5);
}

TEST(ImageprocPixels, ReadRowPadsWithZeros) {
    PixelImage image = picture(3, 2, 32);
    PixelView view = view_of(image);
    store_inside(view, 0, 1, 0xA);
    store_inside(view, 2, 1, 0xC);
    std::vector<std::uint32_t> row(5, 0xDEAD);
    read_pixel_row(view, row.data(), 1, 5);
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0xA, 0, 0xC, 0, 0}));
    read_pixel_row(view, row.data(), 2, 5);   // row outside: all zero
    EXPECT_EQ(row, std::vector<std::uint32_t>(5, 0));
    PixelImage index = picture(3, 1, 8, 9);
    std::vector<unsigned char> bytes(4, 0xEE);
    read_pixel_row(view_of(index), bytes.data(), 0, 4);
    EXPECT_EQ(bytes, (std::vector<unsigned char>{9, 9, 9, 0}));
}

TEST(ImageprocPixels, WriteRowSkipsWhatLiesOutside) {
    PixelImage image = picture(3, 2, 32);
    PixelView view = view_of(image);
    const std::uint32_t words[5] = {0xA, 0xB, 0xC, 0xD, 0xE};
    write_pixel_row(view, words, 1, 5);   // the last two are outside
    std::vector<std::uint32_t> row(3);
    read_pixel_row(view, row.data(), 1, 3);
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0xA, 0xB, 0xC}));
    write_pixel_row(view, words, 2, 3);    // row outside
    write_pixel_row(view, words, -1, 3);
    write_pixel_row(view, words, 0, 0);
    read_pixel_row(view, row.data(), 0, 3);
    EXPECT_EQ(row, std::vector<std::uint32_t>(3, 0));
    // 8-bit: bytes, and the row padding stays untouched.
    PixelImage index = picture(3, 2, 8);
    PixelView iv = view_of(index);
    iv.pixels[4 + 3] = 0x55;
    const unsigned char bytes[4] = {1, 2, 3, 4};
    write_pixel_row(iv, bytes, 1, 4);
    EXPECT_EQ(std::vector<unsigned char>(iv.pixels + 4, iv.pixels + 8), (std::vector<unsigned char>{1, 2, 3, 0x55}));
}

// A 3 x 2 rectangle of distinct elements written at several places into a
// 4 x 3 picture: what lands inside is the rectangle's own part, nothing else
// changes, and at depth 32 the byte above red is not kept.
TEST(ImageprocPixels, WriteRectClipsToThePicture) {
    struct Case {
        int x0, y0, w, h;
        int written;   // pixels expected to change
    } cases[] = {
        {0, 0, 3, 2, 6}, {1, 1, 3, 2, 6},   {2, 2, 3, 2, 2},   {-2, -1, 3, 2, 1}, {-1, 0, 6, 1, 4},
        {4, 0, 3, 2, 0}, {0, 3, 3, 2, 0},   {-3, 0, 3, 2, 0},  {0, 0, 0, 2, 0},   {0, 0, 3, -1, 0},
        {2147483646, 0, 3, 1, 0},
    };
    std::uint32_t words[6];
    unsigned char bytes[6];
    for (int i = 0; i < 6; ++i) {
        words[i] = 0xAB000000u | static_cast<std::uint32_t>(i + 1) * 0x010203u;
        bytes[i] = static_cast<unsigned char>(i + 1);
    }
    for (int depth : {32, 8}) {
        for (const Case& c : cases) {
            PixelImage image = picture(4, 3, depth, 0x77);
            const void* src = depth == 32 ? static_cast<const void*>(words) : bytes;
            write_pixel_rect(view_of(image), src, c.x0, c.y0, c.w, c.h);
            int changed = 0;
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 4; ++x) {
                    const int i = x - c.x0, j = y - c.y0, k = j * c.w + i;
                    const bool in_rect = i >= 0 && j >= 0 && i < c.w && j < c.h;
                    const int want = !in_rect ? 0x77 : depth == 32 ? static_cast<int>(words[k] & 0xFFFFFF) : bytes[k];
                    ASSERT_EQ(want, get_pixel(view_of(image), x, y)) << depth << " at " << c.x0 << "," << c.y0;
                    changed += in_rect;
                }
            }
            EXPECT_EQ(c.written, changed) << depth << " at " << c.x0 << "," << c.y0;
        }
    }
}

TEST(ImageprocPixels, ClearZeroesTheWholeBuffer) {
    PixelImage image = picture(3, 3, 8, 0x77);
    PixelView view = view_of(image);
    view.pixels[3] = 0x55;   // padding
    clear_pixels(view);
    for (size_t i = 0; i < window_buffer_bytes(3, 3, 8); ++i) EXPECT_EQ(view.pixels[i], 0) << i;
}

TEST(ImageprocPixels, UnusedBytesGoBackToZeroAndIndicesStay) {
    PixelImage words = picture(3, 2, 32, 0);
    std::uint32_t* w = reinterpret_cast<std::uint32_t*>(view_of(words).pixels);
    for (int i = 0; i < 6; ++i) w[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x10203);
    clear_unused_bytes(view_of(words));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(static_cast<std::uint32_t>(i * 0x10203), w[i]) << i;
    PixelImage index = picture(3, 2, 8, 0xFF);
    clear_unused_bytes(view_of(index));
    EXPECT_EQ(0xFF, get_pixel(view_of(index), 2, 1));
}

TEST(ImageprocPixels, ViewWithoutBufferTouchesNothing) {
    PixelView none = make_pixel_view(nullptr, 10, 10, 32);
    set_pixel(none, 1, 1, 5);
    xor_pixel(none, 1, 1);
    EXPECT_EQ(get_pixel(none, 1, 1), 0);
    EXPECT_EQ(probe_pixel(none, 1, 1), -1);
    clear_pixels(none);
    EXPECT_FALSE(view_usable(none));
    // A nonsensical negative size has no pixel inside.
    std::uint32_t word = 0x55;
    PixelView negative = {-5, -5, 32, reinterpret_cast<unsigned char*>(&word), 4};
    set_pixel(negative, 3, 0, 1);
    xor_pixel(negative, 0, 0);
    EXPECT_EQ(word, 0x55u);
    EXPECT_EQ(probe_pixel(negative, 0, 0), -1);
    PixelImage bad;
    EXPECT_FALSE(make_pixel_image(0, 5, 32, &bad));
    EXPECT_FALSE(make_pixel_image(5, 5, 16, &bad));
}

// The user-program calls reach the current image window through the view
// source that the image window layer installs.
PixelImage* source_image = nullptr;
int source_calls_for = 12345;

bool test_source(int n, PixelView* out) {
    source_calls_for = n;
    if (source_image == nullptr || (n != kCurrentImageWindow && n != 3)) return false;
    *out = view_of(*source_image);
    return true;
}

TEST(ImageprocPixels, PublicCallsUseTheInstalledViewSource) {
    PixelImage image = picture(8, 4);
    source_image = &image;
    set_image_view_source(test_source);
    KBX_SetPixel(2, 3, 0x00AABB);
    EXPECT_EQ(source_calls_for, kCurrentImageWindow);
    EXPECT_EQ(KBX_GetPixel(2, 3), 0x00AABB);
    KBX_XorPixel(2, 3);
    EXPECT_EQ(KBX_GetPixel(2, 3), 0xFF5544);
    KBX_DrawLine(0x1, 0, 0, 7, 0);
    EXPECT_EQ(KBX_GetPixel(7, 0), 1);
    KBX_DrawCircle(0x2, 4, 2, 1);
    EXPECT_EQ(KBX_GetPixel(5, 2), 2);
    std::uint32_t row[8];
    KBX_ReadImageRow(row, 0, 8);
    EXPECT_EQ(row[3], 1u);
    row[3] = 0xFF123456u;   // the byte above red is not kept by any write
    KBX_WriteImageRow(row, 0, 8);
    EXPECT_EQ(KBX_GetPixel(3, 0), 0x123456);
    KBX_SetPixel(1, 1, static_cast<int>(0xFF123456u));
    EXPECT_EQ(KBX_GetPixel(1, 1), 0x123456);
    const std::uint32_t rect[4] = {0x80000001u, 2, 3, 4};
    KBX_WriteImageRect(rect, 6, 2, 2, 2);
    EXPECT_EQ(KBX_GetPixel(6, 2), 1);
    EXPECT_EQ(KBX_GetPixel(7, 3), 4);
    KBX_WriteImageRect(nullptr, 0, 0, 2, 2);   // tolerated
    KBX_DrawLine(static_cast<int>(0xFF000009u), 0, 1, 0, 1);
    EXPECT_EQ(KBX_GetPixel(0, 1), 9);
    KBX_DrawCircle(static_cast<int>(0xFF000009u), 4, 2, 0);
    EXPECT_EQ(KBX_GetPixel(4, 2), 9);
    EXPECT_EQ(KBX_GetPixel(7, 0), 1);
    KBX_ClearImage(2);   // not a window of this source
    EXPECT_EQ(KBX_GetPixel(7, 0), 1);
    KBX_ClearImage(3);
    EXPECT_EQ(source_calls_for, 3);
    EXPECT_TRUE(kbxtest::changed(view_of(image)).empty());
    // A closed window: calls do nothing, reads give 0, the pen still moves.
    source_image = nullptr;
    KBX_SetPixel(1, 1, 5);
    EXPECT_EQ(pen_position.x, 1);
    EXPECT_EQ(KBX_GetPixel(1, 1), 0);
    set_image_view_source(nullptr);
    PixelView view;
    EXPECT_FALSE(image_view(kCurrentImageWindow, &view));
    EXPECT_EQ(view.pixels, nullptr);
}

}  // namespace
