// The picture clipboard: DIB blocks written by copy and cut, and blocks of
// every shape read by paste, including ones that lie about their size.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "kbx_commands.h"
#include "tests/support/driver.h"
#include "tests/win32/image/image_session.h"

using namespace image_test;
using namespace kbx;

namespace {

// The clipboard's CF_DIB block as bytes (GlobalSize of it), empty if none.
std::vector<unsigned char> clipboard_dib() {
    std::vector<unsigned char> bytes;
    if (!kbxtest::wait_until([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return bytes;
    HGLOBAL h = GetClipboardData(CF_DIB);
    if (h) {
        const unsigned char* p = static_cast<const unsigned char*>(GlobalLock(h));
        if (p) {
            bytes.assign(p, p + GlobalSize(h));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return bytes;
}

bool put_clipboard_dib(const std::vector<unsigned char>& block) {
    if (!kbxtest::wait_until([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return false;
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(GlobalLock(h), block.data(), block.size());
    GlobalUnlock(h);
    bool ok = SetClipboardData(CF_DIB, h) != nullptr;
    if (!ok) GlobalFree(h);
    CloseClipboard();
    return ok;
}

void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    if (at + 4 <= b.size()) std::memcpy(b.data() + at, bytes, 4);
}
std::uint32_t get32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// A block: header of header_size bytes (fields as given), then tail bytes.
std::vector<unsigned char> block_with(std::uint32_t header_size, int width, int height, int bits,
                                      std::uint32_t compression, std::uint32_t colors_used, std::size_t tail) {
    std::vector<unsigned char> b(header_size + tail, 0);
    put32(b, 0, header_size);
    put32(b, 4, static_cast<std::uint32_t>(width));
    put32(b, 8, static_cast<std::uint32_t>(height));
    b[12] = 1;
    b[14] = static_cast<unsigned char>(bits);
    put32(b, 16, compression);
    put32(b, 32, colors_used);
    return b;
}

// The size of a bitmap read from the clipboard, or 0 x 0 for none.
SIZE read_size(HBITMAP bitmap) {
    BITMAP info = {};
    if (bitmap) GetObjectW(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

class ImageClipboard : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        reset_images();
        kbxtest::clear_clipboard();
    }
};

TEST_F(ImageClipboard, CopyOf32BitPictureIs24BitBottomUp) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "C", -1, -1, 5, 2, 100));
        fill32(0, [](int x, int y) { return static_cast<std::uint32_t>((x * 40) << 16 | (y * 100) << 8 | (x + 1)); });
        copy_image_to_clipboard(0);
    });
    std::vector<unsigned char> b = clipboard_dib();
    ASSERT_EQ(72u, b.size());
    EXPECT_EQ(40u, get32(b, 0));
    EXPECT_EQ(5u, get32(b, 4));
    EXPECT_EQ(2u, get32(b, 8));
    EXPECT_EQ(24, b[14]);
    EXPECT_EQ(0u, get32(b, 16));
    // Bottom row first: (0, 1) = blue 1, green 100, red 0.
    EXPECT_EQ(1, b[40]);
    EXPECT_EQ(100, b[41]);
    EXPECT_EQ(0, b[42]);
    // (4, 0) in the second stored row.
    EXPECT_EQ(5, b[56 + 12]);
    EXPECT_EQ(0, b[56 + 13]);
    EXPECT_EQ(160, b[56 + 14]);
}

TEST_F(ImageClipboard, CopyOf8BitPictureCarriesItsPalette) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(0, "C8", -1, -1, 5, 2, 100));
        RGBQUAD palette[256];
        for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{static_cast<BYTE>(i), 0, static_cast<BYTE>(255 - i), 0};
        set_image_palette(palette, 256);
        fill8(0, [](int x, int y) { return static_cast<unsigned char>(10 * y + x); });
        copy_image_to_clipboard(0);
    });
    std::vector<unsigned char> b = clipboard_dib();
    ASSERT_EQ(1080u, b.size());
    EXPECT_EQ(8, b[14]);
    EXPECT_EQ(3, b[40 + 4 * 3]);           // entry 3: blue 3
    EXPECT_EQ(252, b[40 + 4 * 3 + 2]);     // red 252
    const unsigned char rows[] = {10, 11, 12, 13, 14, 0, 0, 0, 0, 1, 2, 3, 4, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(rows, b.data() + 1064, 16));
}

TEST_F(ImageClipboard, CutLeavesThePictureBlack) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Cut", -1, -1, 6, 4, 100));
        ASSERT_EQ(0, KBX_CreateImage8(1, "Cut8", -1, -1, 6, 4, 100));
        fill32(0, [](int, int) { return 0xFFFFFFu; });
        fill8(1, [](int, int) { return static_cast<unsigned char>(77); });
        SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_CUT, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) EXPECT_EQ(0u, pixel32(0, x, y));
        set_ctrl(true);
        SendMessageW(image_windows[1].window, WM_KEYDOWN, 'X', 0);   // posts Cut
        set_ctrl(false);
        pump_messages();
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) EXPECT_EQ(0, pixel8(1, x, y));
    });
    std::vector<unsigned char> b = clipboard_dib();
    ASSERT_EQ(40u + 1024 + 8 * 4, b.size());   // the 8-bit one went last
    EXPECT_EQ(77, b[40 + 1024]);
}

// While another program holds the clipboard, copy and cut are refused and
// change nothing: not the clipboard, not the picture.
TEST_F(ImageClipboard, RefusedCopiesChangeNothing) {
    ASSERT_TRUE(kbxtest::write_clipboard_text(L"kept"));
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Held", -1, -1, 6, 4, 100));
        fill32(0, [](int, int) { return 0x123456u; });
    });
    // Held until the end through a window of this thread (an owner-less
    // open would not keep another owner-less one out).
    HWND holder = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    on_user_thread([] {
        EXPECT_EQ(1, KBX_CopyImage(0));
        EXPECT_EQ(0, SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_CUT, 0));
        EXPECT_EQ(0x123456u, pixel32(0, 5, 3));
    });
    CloseClipboard();
    DestroyWindow(holder);
    EXPECT_EQ("kept", kbxtest::read_clipboard_text());
}

TEST_F(ImageClipboard, CopyThenPasteRoundTrip) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "From", -1, -1, 7, 5, 100));
        ASSERT_EQ(0, KBX_CreateImage(1, "To", -1, -1, 9, 9, 100));
        fill32(0, [](int x, int y) { return static_cast<std::uint32_t>(x * 0x250000 + y * 0x3100 + 0x11); });
        SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_COPY, 0);
        fill32(1, [](int, int) { return 0x808080u; });
        // Ctrl+V pastes at the top-left corner.
        set_ctrl(true);
        SendMessageW(image_windows[1].window, WM_KEYDOWN, 'V', 0);
        set_ctrl(false);
        pump_messages();
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x) {
                std::uint32_t expected = (x < 7 && y < 5) ? static_cast<std::uint32_t>(x * 0x250000 + y * 0x3100 + 0x11)
                                                          : 0x808080u;
                ASSERT_EQ(expected, pixel32(1, x, y) & 0xFFFFFF) << x << "," << y;
            }
        // "Paste" of the menu asks for a place; cancelled with a right
        // click (taken by its pointing loop), nothing happens.
        fill32(1, [](int, int) { return 0x808080u; });
        PostMessageW(image_windows[1].window, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        SendMessageW(image_windows[1].window, WM_COMMAND, KBX_CMD_PASTE_PLACED, 0);
        EXPECT_EQ(0x808080u, pixel32(1, 0, 0) & 0xFFFFFF);
    });
}

TEST_F(ImageClipboard, PasteOfALargerPictureIsClipped) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImageFL(0, "Large", -1, -1, 640, 480, 100));
        fill32(0, [](int x, int y) { return static_cast<std::uint32_t>((x & 0xFF) << 16 | (y & 0xFF) << 8 | 7); });
        copy_image_to_clipboard(0);
        ASSERT_EQ(0, KBX_CreateImage(1, "Small", -1, -1, 320, 240, 100));
        paste_into_image(1, 0, 0);
        for (int y = 0; y < 240; y += 7)
            for (int x = 0; x < 320; x += 5)
                ASSERT_EQ(static_cast<std::uint32_t>((x & 0xFF) << 16 | (y & 0xFF) << 8 | 7), pixel32(1, x, y) & 0xFFFFFF);
        // At an offset: only the part inside changes.
        fill32(1, [](int, int) { return 0u; });
        paste_into_image(1, 300, 230);
        EXPECT_EQ(0u, pixel32(1, 299, 239));
        EXPECT_EQ(7u, pixel32(1, 300, 230) & 0xFFFFFF);
        EXPECT_EQ(static_cast<std::uint32_t>(19 << 16 | 9 << 8 | 7), pixel32(1, 319, 239) & 0xFFFFFF);
    });
}

TEST_F(ImageClipboard, Paste8BitDibTakesItsPalette) {
    // A 4 x 2 8-bit block with 3 colours.
    std::vector<unsigned char> b = block_with(40, 4, 2, 8, 0, 3, 12 + 8);
    const unsigned char table[12] = {0x10, 0x20, 0x30, 0, 0x00, 0xFF, 0x00, 0, 0xFF, 0x00, 0x80, 0};
    std::memcpy(b.data() + 40, table, 12);
    const unsigned char pixels[8] = {2, 1, 0, 2, 0, 0, 1, 1};   // bottom row first
    std::memcpy(b.data() + 52, pixels, 8);
    ASSERT_TRUE(put_clipboard_dib(b));
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(0, "Pal", -1, -1, 4, 2, 100));
        SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_PASTE_TOP_LEFT, 0);
        RGBQUAD palette[256];
        ASSERT_EQ(0, get_image_palette(palette));
        EXPECT_EQ(0x10, palette[0].rgbBlue);
        EXPECT_EQ(0x30, palette[0].rgbRed);
        EXPECT_EQ(0xFF, palette[1].rgbGreen);
        EXPECT_EQ(0x80, palette[2].rgbRed);
        EXPECT_EQ(3, palette[3].rgbRed);   // beyond the table: still the grey ramp
        const unsigned char top[4] = {0, 0, 1, 1}, bottom[4] = {2, 1, 0, 2};
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(top[x], pixel8(0, x, 0)) << x;
            EXPECT_EQ(bottom[x], pixel8(0, x, 1)) << x;
        }
    });
}

TEST_F(ImageClipboard, MalformedBlocksAreRefused) {
    struct Case {
        const char* what;
        std::vector<unsigned char> block;
    };
    std::vector<Case> cases;
    auto good = block_with(40, 4, 4, 24, 0, 0, 48);
    cases.push_back({"truncated pixels", std::vector<unsigned char>(good.begin(), good.end() - 4)});
    auto huge = good;
    put32(huge, 4, 0x10000000);
    put32(huge, 8, 0x10000000);
    cases.push_back({"huge dimensions", huge});
    auto long_header = good;
    put32(long_header, 0, 200);   // longer than the block allows with its pixels
    cases.push_back({"header past the pixels", long_header});
    auto table = block_with(40, 4, 1, 8, 0, 0, 100);   // 256 entries claimed, 25 present
    cases.push_back({"short colour table", table});
    auto bits = good;
    bits[14] = 13;
    cases.push_back({"bit count", bits});
    cases.push_back({"header only", std::vector<unsigned char>(good.begin(), good.begin() + 40)});

    for (const Case& c : cases) {
        ASSERT_TRUE(put_clipboard_dib(c.block)) << c.what;
        on_user_thread([&] {
            RGBQUAD palette[256];
            int count = -1;
            HBITMAP bitmap = read_clipboard_bitmap(palette, &count);
            EXPECT_EQ(nullptr, bitmap) << c.what;
            EXPECT_EQ(0, count) << c.what;
            if (bitmap) DeleteObject(bitmap);
        });
    }
}

TEST_F(ImageClipboard, V5HeaderAndBitfieldsAreReadCorrectly) {
    // 2 x 2, 32 bits, V5 header with its masks inside, top-down.
    std::vector<unsigned char> v5 = block_with(124, 2, -2, 32, 3, 0, 16);
    put32(v5, 40, 0x00FF0000);
    put32(v5, 44, 0x0000FF00);
    put32(v5, 48, 0x000000FF);
    put32(v5, 124, 0x00112233);
    put32(v5, 128, 0x00445566);
    put32(v5, 132, 0x00778899);
    put32(v5, 136, 0x00AABBCC);
    ASSERT_TRUE(put_clipboard_dib(v5));
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "V5", -1, -1, 2, 2, 100));
        paste_into_image(0, 0, 0);
        EXPECT_EQ(0x112233u, pixel32(0, 0, 0) & 0xFFFFFF);
        EXPECT_EQ(0x445566u, pixel32(0, 1, 0) & 0xFFFFFF);
        EXPECT_EQ(0xAABBCCu, pixel32(0, 1, 1) & 0xFFFFFF);
    });

    // 16 bits 5-6-5 with the masks after a plain header, bottom-up.
    std::vector<unsigned char> b16 = block_with(40, 2, 1, 16, 3, 0, 12 + 4);
    put32(b16, 40, 0xF800);
    put32(b16, 44, 0x07E0);
    put32(b16, 48, 0x001F);
    put32(b16, 52, 0x001FF800);   // pixel 0 pure red, pixel 1 pure blue
    ASSERT_TRUE(put_clipboard_dib(b16));
    on_user_thread([] {
        RGBQUAD palette[256];
        int count = -1;
        HBITMAP bitmap = read_clipboard_bitmap(palette, &count);
        ASSERT_NE(nullptr, bitmap);
        EXPECT_EQ(0, count);
        SIZE size = read_size(bitmap);
        EXPECT_EQ(2, size.cx);
        EXPECT_EQ(1, size.cy);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 0, 0));
        EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 1, 0));
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    });
}

TEST_F(ImageClipboard, PutBitmapCopiesToTheCurrentWindowAndTakesOwnership) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Put", -1, -1, 10, 10, 100));
        HBITMAP bitmap = kbxtest::solid_bitmap(3, 2, RGB(0, 200, 100));
        put_bitmap_into_current_image(bitmap);
        EXPECT_EQ(0x00C864u, pixel32(0, 2, 1) & 0xFFFFFF);
        EXPECT_EQ(0u, pixel32(0, 3, 1));
        EXPECT_EQ(0, GetObjectW(bitmap, 0, nullptr));   // deleted
    });
}
