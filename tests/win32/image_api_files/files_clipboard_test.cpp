// Files and the clipboard from a program. The saved files are read again by
// an independent decoder (check_api_files.py) after this executable ran.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/win_state.h"
#include "image/win_image_window.h"
#include "kbx_image.h"
#include "kbx_imageproc.h"
#include "tests/support/driver.h"
#include "tests/win32/image_api_files/api_session.h"

using namespace api_test;

namespace {

class ImageApiFiles : public ::testing::Test {
  protected:
    void SetUp() override { reset_images(); }
};

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::uint32_t quadrant(int x, int y) {
    static const std::uint32_t colours[4] = {0xC02020, 0x20C020, 0x2020C0, 0xE0E0E0};
    return colours[(y >= 16) * 2 + (x >= 16)];
}
std::uint32_t white(int, int) { return 0xFFFFFF; }

// The pictures check_api_files.py expects: distinct() at 7 x 5 in five
// lossless files, quadrant() at 32 x 32 as JPEG, distinct8() at 3 x 4 with
// the palette (i, 255 - i, 7i) as an 8-bit BMP.
TEST_F(ImageApiFiles, SaveWritesTheFormatItsExtensionNames) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Save", 0, 0, 7, 5, 100));
        fill(0, distinct);
        for (const char* name : {"api.bmp", "api.PNG", "api.tif", "api.Tiff", "api.gif"})
            EXPECT_EQ(0, KBX_SaveImageFile(0, api_file(name).c_str())) << name;
        EXPECT_FALSE(exists(api_file("api.Tiff.tif")));

        ASSERT_EQ(0, KBX_CreateImage(1, "Jpeg", 0, 0, 32, 32, 100));
        fill(1, quadrant);
        EXPECT_EQ(0, KBX_SaveImageFile(1, api_file("api.jpeg").c_str()));

        ASSERT_EQ(0, KBX_CreateImage8(2, "Pal", 0, 0, 3, 4, 100));
        unsigned int palette[256];
        for (unsigned int i = 0; i < 256; ++i) palette[i] = i << 16 | (255 - i) << 8 | ((i * 7) & 255);
        kbx::set_image_palette(reinterpret_cast<const RGBQUAD*>(palette), 256);   // window 2 is current
        fill(2, distinct8);
        EXPECT_EQ(0, KBX_SaveImageFile(2, api_file("api_pal8.bmp").c_str()));
        EXPECT_EQ(2, kbx::current_image);

        // Refusals write nothing.
        for (const char* name : {"api.txt", "api", "api.jpe"}) {
            EXPECT_EQ(1, KBX_SaveImageFile(0, api_file(name).c_str())) << name;
            EXPECT_FALSE(exists(api_file(name))) << name;
        }
        EXPECT_EQ(1, KBX_SaveImageFile(0, nullptr));
        EXPECT_EQ(2, KBX_SaveImageFile(0, api_file("no_such_folder\\api.png").c_str()));
        for (int bad : {-1, 3, 256}) EXPECT_EQ(4, KBX_SaveImageFile(bad, api_file("bad.png").c_str())) << bad;
        EXPECT_FALSE(exists(api_file("bad.png")));
    });
}

TEST_F(ImageApiFiles, LoadClipsOpenSizesAndUnreadableFilesChangeNothing) {
    std::FILE* corrupt = std::fopen(api_file("corrupt.png").c_str(), "wb");
    ASSERT_NE(nullptr, corrupt);
    std::fputs("\x89PNG\r\n\x1a\n but nothing after the signature", corrupt);
    std::fclose(corrupt);
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Source", 0, 0, 10, 8, 100));
        fill(0, distinct);
        ASSERT_EQ(0, KBX_SaveImageFile(0, api_file("load.png").c_str()));
        const Picture file = picture_of(0);

        // Into a 12 x 10 white window at (5, 4) and at (-3, -2): what falls
        // outside is clipped, the rest of the picture stays white.
        for (POINT at : {POINT{5, 4}, POINT{-3, -2}}) {
            KBX_DestroyImage(1);
            ASSERT_EQ(0, KBX_CreateImage(1, "Into", 300, 0, 12, 10, 100));
            fill(1, white);
            KBX_SelectImage(0);
            EXPECT_EQ(0, KBX_LoadImageFile(1, api_file("load.png").c_str(), at.x, at.y));
            EXPECT_EQ(static_cast<int>(distinct(0, 0)), KBX_GetPixel(0, 0));   // window 0 still current
            const Picture got = picture_of(1);
            ASSERT_EQ(12, got.width);
            ASSERT_EQ(10, got.height);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 12; ++x) {
                    const int fx = x - at.x, fy = y - at.y;
                    const bool inside = fx >= 0 && fy >= 0 && fx < 10 && fy < 8;
                    const std::uint32_t want = inside ? file.pixels[fy * 10 + fx] : 0xFFFFFF;
                    ASSERT_EQ(want, got.pixels[y * 12 + x]) << at.x << "," << at.y << ": " << x << "," << y;
                }
        }
        const Picture kept = picture_of(1);
        EXPECT_EQ(1, KBX_LoadImageFile(1, api_file("missing.png").c_str(), 0, 0));
        EXPECT_EQ(1, KBX_LoadImageFile(1, api_file("corrupt.png").c_str(), 0, 0));
        EXPECT_EQ(1, KBX_LoadImageFile(1, nullptr, 0, 0));
        for (int bad : {-1, 5, 256}) EXPECT_EQ(4, KBX_LoadImageFile(bad, api_file("load.png").c_str(), 0, 0));
        EXPECT_TRUE(kept == picture_of(1));

        // A window of the file's own size, current afterwards.
        EXPECT_EQ(0, KBX_OpenImageFile(3, api_file("load.png").c_str(), 0, 200, 300));
        EXPECT_TRUE(file == picture_of(3));
        EXPECT_EQ(3, kbx::current_image);
        EXPECT_EQ("003 load.png(", kbxtest::image_caption(3).substr(0, 13));
        EXPECT_EQ(1, KBX_OpenImageFile(3, api_file("load.png").c_str(), 0, 0, 100));
        EXPECT_EQ(4, KBX_OpenImageFile(256, api_file("load.png").c_str(), 0, 0, 100));
        EXPECT_EQ(4, KBX_OpenImageFile(-1, api_file("load.png").c_str(), 0, 0, 100));
        for (const char* name : {"missing.png", "corrupt.png"}) {
            EXPECT_EQ(5, KBX_OpenImageFile(4, api_file(name).c_str(), 0, 0, 100)) << name;
            EXPECT_FALSE(kbx::image_windows[4].in_use) << name;
        }
        EXPECT_EQ(3, kbx::current_image);
    });
}

// The clipboard's picture, as a program made it.
bool put_dib(const std::string& block) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(GlobalLock(handle), block.data(), block.size());
    GlobalUnlock(handle);
    const bool put = SetClipboardData(CF_DIB, handle) != nullptr;
    CloseClipboard();
    return put;
}

TEST_F(ImageApiFiles, CopyAndPasteRoundTripExactly) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Copy", 0, 0, 9, 7, 100));
        fill(0, distinct);
        const Picture source = picture_of(0);
        ASSERT_EQ(0, KBX_CopyImage(0));
        ASSERT_EQ(0, KBX_CreateImage(1, "Paste", 300, 0, 9, 7, 100));
        EXPECT_EQ(0, KBX_PasteImage(1, 0, 0));
        EXPECT_TRUE(source == picture_of(1));

        // At (-2, 3) into a larger white window: clipped at the left and
        // the bottom, white elsewhere; (-1, -1) is a place like any other.
        ASSERT_EQ(0, KBX_CreateImage(2, "Placed", 300, 200, 12, 8, 100));
        fill(2, white);
        EXPECT_EQ(0, KBX_PasteImage(2, -2, 3));
        const Picture placed = picture_of(2);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x) {
                const int sx = x + 2, sy = y - 3;
                const bool inside = sx < 9 && sy >= 0 && sy < 7;
                ASSERT_EQ(inside ? source.pixels[sy * 9 + sx] : 0xFFFFFFu, placed.pixels[y * 12 + x]) << x << "," << y;
            }
        EXPECT_EQ(0, KBX_PasteImage(2, -1, -1));
        EXPECT_EQ(source.pixels[1 * 9 + 1], picture_of(2).pixels[0]);

        // 8-bit to 8-bit: the same indices and the palette with them.
        ASSERT_EQ(0, KBX_CreateImage8(3, "Copy8", 0, 200, 5, 3, 100));
        fill(3, distinct8);
        unsigned int palette[256];
        for (unsigned int i = 0; i < 256; ++i) palette[i] = (i * 5 & 255) << 16 | i << 8 | (255 - i);
        kbx::set_image_palette(reinterpret_cast<const RGBQUAD*>(palette), 256);
        ASSERT_EQ(0, KBX_CopyImage(3));
        ASSERT_EQ(0, KBX_CreateImage8(4, "Paste8", 100, 200, 5, 3, 100));
        EXPECT_EQ(0, KBX_PasteImage(4, 0, 0));
        EXPECT_TRUE(picture_of(3) == picture_of(4));
        unsigned int got[256] = {};
        kbx::get_image_palette(reinterpret_cast<RGBQUAD*>(got));   // window 4 is current
        for (int i = 0; i < 256; ++i) ASSERT_EQ(palette[i], got[i]) << i;
    });
}

TEST_F(ImageApiFiles, ClipboardRefusalsChangeNothing) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Kept", 0, 0, 6, 4, 100));
        fill(0, distinct);
        const Picture before = picture_of(0);
        ASSERT_TRUE(kbxtest::clear_clipboard());
        EXPECT_EQ(1, KBX_PasteImage(0, 0, 0));
        // A header that claims more rows than the block holds.
        std::string block(40 + 16, '\0');
        const std::uint32_t header[] = {40, 4, 1000};
        std::memcpy(&block[0], header, sizeof header);
        block[12] = 1;    // planes
        block[14] = 24;   // bits
        ASSERT_TRUE(put_dib(block));
        EXPECT_EQ(2, KBX_PasteImage(0, 0, 0));
        EXPECT_TRUE(before == picture_of(0));

        const DWORD sequence = GetClipboardSequenceNumber();
        for (int bad : {-1, 1, 256}) {
            EXPECT_EQ(4, KBX_CopyImage(bad)) << bad;
            EXPECT_EQ(4, KBX_PasteImage(bad, 0, 0)) << bad;
        }
        EXPECT_EQ(sequence, GetClipboardSequenceNumber());
    });
}

}  // namespace
