// Selection, lifetime and the processing commands a program runs by number.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cwchar>

#include "core/win_state.h"
#include "image/image_geometry.h"
#include "image/win_image_window.h"
#include "kbx_commands.h"
#include "kbx_image.h"
#include "kbx_imageproc.h"
#include "tests/win32/image_api_files/api_session.h"

using namespace api_test;

namespace {

class ImageApi : public ::testing::Test {
  protected:
    void SetUp() override { reset_images(); }
};

// Pixel (0, 0) of window n holds the marker n + 1, so the current image
// window shows in KBX_GetPixel(0, 0).
void open_marked(int n) {
    ASSERT_EQ(0, KBX_CreateImage(n, "Marked", 40 * n, 0, 8, 6, 100));
    KBX_SetPixel(0, 0, n + 1);
}
int current() { return KBX_GetPixel(0, 0) - 1; }

TEST_F(ImageApi, SelectionStackAndLifetime) {
    on_user_thread([] {
        for (int n = 0; n < 3; ++n) open_marked(n);
        EXPECT_EQ(2, current());
        EXPECT_EQ(0, KBX_SelectImage(0));
        EXPECT_EQ(0, KBX_SelectImage(1));
        EXPECT_EQ(1, current());
        for (int bad : {-1, 3, 256}) EXPECT_EQ(1, KBX_SelectImage(bad)) << bad;
        EXPECT_EQ(1, current());
        EXPECT_EQ(0, KBX_RestoreImage());
        EXPECT_EQ(0, current());
        EXPECT_EQ(0, KBX_RestoreImage());
        EXPECT_EQ(2, current());

        HWND second = kbx::image_windows[2].window;
        EXPECT_EQ(2, KBX_FindImage(second));
        EXPECT_EQ(-1, KBX_FindImage(nullptr));
        int w = 0, h = 0;
        EXPECT_EQ(0, KBX_GetImageSize(2, &w, &h));
        EXPECT_EQ(8, w);
        EXPECT_EQ(6, h);

        // A window on the stack that has gone cannot come back.
        EXPECT_EQ(0, KBX_SelectImage(1));
        EXPECT_EQ(0, KBX_DestroyImage(2));
        EXPECT_FALSE(IsWindow(second));
        EXPECT_EQ(-1, KBX_FindImage(second));
        EXPECT_EQ(1, KBX_RestoreImage());
        EXPECT_EQ(1, current());
        for (int bad : {-1, 2, 256}) {
            EXPECT_EQ(1, KBX_DestroyImage(bad)) << bad;
            EXPECT_EQ(1, KBX_GetImageSize(bad, &w, &h)) << bad;
        }
        EXPECT_EQ(8, w);
    });
}

// A command run by number works on its own window, not the current one,
// and leaves the selection alone: window 2 stays current and as it was.
TEST_F(ImageApi, CommandsWorkOnTheirWindowAndKeepTheSelection) {
    for (int depth : {32, 8}) {
        reset_images();
        on_user_thread([&] {
            auto create = depth == 32 ? KBX_CreateImage : KBX_CreateImage8;
            ASSERT_EQ(0, create(0, "Call", 0, 0, 37, 23, 200));
            fill(0, depth == 32 ? distinct : distinct8);
            open_marked(2);
            const Picture before = picture_of(0), marked = picture_of(2);
            const std::uint32_t all = depth == 32 ? 0xFFFFFF : 0xFF;
            auto at = [](const Picture& p, int x, int y) { return p.pixels[static_cast<size_t>(y * p.width + x)]; };

            ASSERT_EQ(0, KBX_RunImageCommand(0, KBX_CMD_INVERT));
            const Picture inverted = picture_of(0);
            ASSERT_EQ(before.pixels.size(), inverted.pixels.size());
            for (size_t i = 0; i < before.pixels.size(); ++i) ASSERT_EQ(before.pixels[i] ^ all, inverted.pixels[i]) << i;

            ASSERT_EQ(0, KBX_RunImageCommand(0, KBX_CMD_ROTATE_RIGHT));
            const Picture turned = picture_of(0);
            ASSERT_EQ(23, turned.width);
            ASSERT_EQ(37, turned.height);
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < 37; ++x) ASSERT_EQ(at(inverted, x, y), at(turned, 22 - y, x)) << x << "," << y;

            ASSERT_EQ(0, KBX_RunImageCommand(0, KBX_CMD_SCALE_200));
            const Picture doubled = picture_of(0);
            EXPECT_EQ(46, doubled.width);
            EXPECT_EQ(74, doubled.height);

            EXPECT_EQ(2, current());
            EXPECT_TRUE(marked == picture_of(2));
        });
    }
}

TEST_F(ImageApi, CommandsThatWaitForTheUserAndBadNumbersChangeNothing) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Kept", 0, 0, 9, 7, 100));
        fill(0, distinct);
        const Picture before = picture_of(0);
        const int zoom = kbx::image_windows[0].zoom;
        const int waiting[] = {KBX_CMD_CLIPPING, KBX_CMD_PIXEL_INFO, KBX_CMD_LINE_RGB, KBX_CMD_DRAW_BOX,
                               KBX_CMD_PAINT,    KBX_CMD_DRAW_TEXT,  KBX_CMD_ZOOM_50,  KBX_CMD_RESIZE_PROMPT,
                               KBX_CMD_SAVE_AS,  KBX_CMD_COPY,       KBX_CMD_DESTROY_IMAGE, 0, 99999};
        for (int command : waiting) EXPECT_EQ(1, KBX_RunImageCommand(0, command)) << command;
        for (int bad : {-1, 1, 256}) EXPECT_EQ(4, KBX_RunImageCommand(bad, KBX_CMD_INVERT)) << bad;
        EXPECT_TRUE(before == picture_of(0));
        EXPECT_EQ(zoom, kbx::image_windows[0].zoom);
        EXPECT_FALSE(kbx::drawing_tool_mode.load());
    });
}

TEST_F(ImageApi, ATurnNoZoomCanShowIsRefusedAndThePictureKept) {
    on_user_thread([] {
        const kbx::DisplayLimits limits = kbx::display_limits(1);
        // As wide as the screen and a little high: turned, it would have to
        // shrink below the smallest window to fit the screen's height.
        const int w = limits.max_width, h = limits.min_height > 40 ? limits.min_height : 40;
        kbx::ZoomFit fit;
        if (!kbx::fit_zoom(100, w, h, limits, &fit) || kbx::fit_zoom(100, h, w, limits, &fit)) GTEST_SKIP();
        ASSERT_EQ(0, KBX_CreateImage(0, "Wide", 0, 0, w, h, 100));
        KBX_SetPixel(5, 1, 0x00ABCD);
        const Picture before = picture_of(0);
        EXPECT_EQ(2, KBX_RunImageCommand(0, KBX_CMD_ROTATE_RIGHT));
        EXPECT_EQ(2, KBX_RunImageCommand(0, KBX_CMD_ROTATE_LEFT));
        EXPECT_TRUE(before == picture_of(0));
        EXPECT_EQ(0, KBX_RunImageCommand(0, KBX_CMD_FLIP_VERT));   // the window still works
    });
}

// Grey and threshold by call: each pixel from the luminance of its colour
// (an 8-bit pixel's colour is its palette entry), the palette then the grey
// ramp; window 2 stays current and the window is marked for repainting.
TEST_F(ImageApi, GreyAndThresholdMapEachPixelByItsLuminance) {
    struct Case {
        int depth;
        bool grey;
        int level;
    } cases[] = {{32, true, 0}, {8, true, 0}, {32, false, 90}, {8, false, 90}, {32, false, -3}, {8, false, 300}};
    for (const Case& c : cases) {
        reset_images();
        on_user_thread([&] {
            ASSERT_EQ(0, (c.depth == 32 ? KBX_CreateImage : KBX_CreateImage8)(0, "Levels", 0, 0, 19, 11, 100));
            unsigned int palette[256];
            for (unsigned int i = 0; i < 256; ++i) palette[i] = (i * 5 & 255) << 16 | (255 - i) << 8 | (i * 3 & 255);
            if (c.depth == 8) {
                ASSERT_EQ(0, KBX_SetImagePalette(palette, 256));
            }
            fill(0, c.depth == 32 ? distinct : distinct8);
            const Picture before = picture_of(0);
            open_marked(2);
            UpdateWindow(kbx::image_windows[0].window);
            EXPECT_EQ(0, c.grey ? KBX_GreyImage(0) : KBX_ThresholdImage(0, c.level));
            EXPECT_EQ(2, current());
            EXPECT_TRUE(GetUpdateRect(kbx::image_windows[0].window, nullptr, FALSE));
            const Picture after = picture_of(0);
            for (size_t i = 0; i < before.pixels.size(); ++i) {
                const unsigned int colour = c.depth == 32 ? before.pixels[i] : palette[before.pixels[i]];
                const int y = KBX_LumaY(colour >> 16 & 255, colour >> 8 & 255, colour & 255);
                const int level = c.grey ? y : (y >= c.level ? 255 : 0);
                ASSERT_EQ(c.depth == 32 ? level * 0x010101u : static_cast<unsigned>(level), after.pixels[i])
                    << c.depth << (c.grey ? " grey " : " threshold ") << c.level << " pixel " << i;
            }
            if (c.depth == 8) {
                KBX_SelectImage(0);
                ASSERT_EQ(0, KBX_GetImagePalette(palette));
                for (unsigned int i = 0; i < 256; ++i) ASSERT_EQ(i * 0x010101u, palette[i]) << i;
            }
        });
    }
    on_user_thread([] {
        for (int bad : {-1, 1, 256}) EXPECT_EQ(4, KBX_GreyImage(bad)) << bad;
        for (int bad : {-1, 1, 256}) EXPECT_EQ(4, KBX_ThresholdImage(bad, 128)) << bad;
    });
}

TEST_F(ImageApi, TitlesKeepTheZoomInTheCaption) {
    struct Case {
        int n;
        const char* title;
        int result;
        int shown;   // the window whose caption is read after the call
        const wchar_t* caption;   // with the window's zoom
    } cases[] = {
        {1, "Result", 0, 1, L"Result(%d%%)[8bit]"}, {0, nullptr, 0, 0, L"(%d%%)"},
        {0, "Other", 0, 0, L"Other(%d%%)"},         {-1, "Bad", 4, 1, L"Result(%d%%)[8bit]"},
        {2, "Bad", 4, 1, L"Result(%d%%)[8bit]"},    {256, "Bad", 4, 0, L"Other(%d%%)"},
    };
    on_user_thread([&] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Zero", 0, 0, 8, 6, 100));
        ASSERT_EQ(0, KBX_CreateImage8(1, "One", 100, 0, 8, 6, 200));
        for (const Case& c : cases) {
            EXPECT_EQ(c.result, KBX_SetImageTitle(c.n, c.title)) << c.n;
            wchar_t text[64] = {}, want[64] = {};
            GetWindowTextW(kbx::image_windows[c.shown].window, text, 64);
            swprintf(want, 64, c.caption, kbx::image_windows[c.shown].zoom);
            EXPECT_STREQ(want, text) << c.n;
        }
    });
}

}  // namespace
