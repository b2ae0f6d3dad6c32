// Image windows: creation results and sizes, the pixel layout, selection,
// captions, stretch modes, zoom, resizing, keys and the wheel.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "tests/support/driver.h"
#include "tests/win32/image/image_session.h"

using namespace image_test;
using namespace kbx;

class ImageWindows : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_images(); }
};

TEST_F(ImageWindows, CreationResultsAndSizes) {
    on_user_thread([] {
        EXPECT_EQ(0, KBX_CreateImage(0, "Image", -1, -1, 0, -5, 100));
        EXPECT_EQ(1, image_windows[0].width);
        EXPECT_EQ(1, image_windows[0].height);
        EXPECT_EQ(L"kbx_iw", kbxtest::class_name(image_windows[0].window));
        const LONG_PTR style_bits = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                    WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD;
        EXPECT_EQ(static_cast<LONG_PTR>(WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME),
                  GetWindowLongPtrW(image_windows[0].window, GWL_STYLE) & style_bits);
        EXPECT_EQ(control.window, GetWindow(image_windows[0].window, GW_OWNER));

        EXPECT_EQ(3, create_image_window(100, 1, "Deep", -1, -1, 10, 10, 16));
        EXPECT_FALSE(image_windows[1].in_use);
        EXPECT_EQ(4, create_image_window(100, 256, "Far", -1, -1, 10, 10, 32));
        EXPECT_EQ(4, KBX_CreateImage8(-1, "Neg", -1, -1, 10, 10, 100));

        ASSERT_EQ(0, KBX_CreateImage(2, "Kept", 10, 20, 200, 150, 100));
        HWND kept = image_windows[2].window;
        RECT before = kbxtest::window_rect(kept);
        EXPECT_EQ(1, KBX_CreateImage8(2, "Other", 50, 60, 90, 80, 200));
        EXPECT_EQ(kept, image_windows[2].window);
        EXPECT_EQ(32, image_windows[2].depth);
        EXPECT_EQ(200, image_windows[2].width);
        EXPECT_EQ("Kept(100%)", image_caption(2));
        RECT after = kbxtest::window_rect(kept);
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_EQ(2, current_image);   // a failed creation selects nothing
    });
}

TEST_F(ImageWindows, NewPictureLayoutAndPalette) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(3, "Eight", -1, -1, 3, 2, 100));
        // Rows of 4 bytes: pixel (0, 1) is byte 4.
        image_pixels8[3][4] = 7;
        image_pixels8[3][3] = 200;   // padding, belongs to no pixel
        COLORREF c = GetPixel(image_windows[3].memory_dc, 0, 1);
        EXPECT_EQ(RGB(7, 7, 7), c);   // grey ramp
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(image_windows[3].memory_dc, 2, 0));
        EXPECT_EQ("Eight(" + std::to_string(image_windows[3].zoom) + "%)[8bit]", image_caption(3));

        RGBQUAD palette[256];
        ASSERT_EQ(0, get_image_palette(palette));
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(i, palette[i].rgbRed);
            ASSERT_EQ(i, palette[i].rgbBlue);
            ASSERT_EQ(0, palette[i].rgbReserved);
        }
        RGBQUAD red = {0, 0, 255, 0};
        EXPECT_EQ(0, set_image_palette(&red, 1));
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(image_windows[3].memory_dc, 1, 1));

        ASSERT_EQ(0, KBX_CreateImage(4, "Words", -1, -1, 3, 2, 100));
        EXPECT_EQ(0u, pixel32(4, 2, 1));   // all black
        image_pixels32[4][1 * 3 + 2] = 0x123456;
        EXPECT_EQ(RGB(0x12, 0x34, 0x56), GetPixel(image_windows[4].memory_dc, 2, 1));
        EXPECT_EQ(2, set_image_palette(&red, 1));   // not 8-bit
        EXPECT_EQ(2, get_image_palette(palette));
        current_image = 200;
        EXPECT_EQ(1, get_image_palette(palette));
    });
}

TEST_F(ImageWindows, LargerThanScreenFitsWithItsZoomInTheCaption) {
    on_user_thread([] {
        Limits l = screen_limits();
        const int w = 2 * l.max_w, h = 100;
        ASSERT_EQ(0, KBX_CreateImage(0, "Wide", 0, 0, w, h, 100));
        const ImageWindowRecord& r = image_windows[0];
        EXPECT_EQ(l.max_w * 100 / w, r.zoom);
        EXPECT_LE(r.client_width, l.max_w);
        // One more percent would not fit.
        EXPECT_GT(w * (r.zoom + 1) / 100, l.max_w);
        EXPECT_EQ("Wide(" + std::to_string(r.zoom) + "%)", image_caption(0));
        SIZE client = client_of(0);
        EXPECT_EQ(r.client_width, client.cx);
        EXPECT_EQ(r.client_height, client.cy);
    });
}

TEST_F(ImageWindows, TinyPictureReachesTheMinimumAndTallOneFails) {
    on_user_thread([] {
        Limits l = screen_limits();
        ASSERT_EQ(0, KBX_CreateImage(0, "Dot", -1, -1, 1, 1, 100));
        const ImageWindowRecord& r = image_windows[0];
        int expected = l.min_w > l.min_h ? l.min_w * 100 : l.min_h * 100;
        EXPECT_EQ(expected, r.zoom);
        EXPECT_GE(r.client_width, l.min_w);
        EXPECT_GE(r.client_height, l.min_h);
        SIZE client = client_of(0);
        EXPECT_EQ(r.client_width, client.cx);

        EXPECT_EQ(2, KBX_CreateImage(1, "Stick", -1, -1, 1, 2000, 100));
        EXPECT_FALSE(image_windows[1].in_use);
        EXPECT_EQ(0, current_image);
        // The FL bounds let it through.
        EXPECT_EQ(0, KBX_CreateImageFL(1, "Stick", -1, -1, 1, 2000, 100));
        EXPECT_EQ(0, image_windows[1].screen_limited);
        EXPECT_EQ(100, image_windows[1].zoom);
    });
}

TEST_F(ImageWindows, CopyRectGivesZeroOutside) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Src", -1, -1, 4, 3, 100));
        fill32(0, [](int x, int y) { return static_cast<std::uint32_t>(0x010000 * (x + 1) + y + 1); });
        std::uint32_t out[5 * 3];
        std::memset(out, 0xAB, sizeof out);
        copy_image_rect(out, -1, 0, 5, 3);
        for (int y = 0; y < 3; ++y) {
            EXPECT_EQ(0u, out[y * 5]);
            for (int x = 1; x < 5; ++x) EXPECT_EQ(static_cast<std::uint32_t>(0x010000 * x + y + 1), out[y * 5 + x]);
        }
        copy_image_rect(out, 10, 10, 2, 2);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(0u, out[i]);

        ASSERT_EQ(0, KBX_CreateImage8(1, "Src8", -1, -1, 3, 2, 100));
        fill8(1, [](int x, int y) { return static_cast<unsigned char>(10 * y + x + 1); });
        unsigned char bytes[4 * 2];
        copy_image_rect(bytes, 0, 0, 4, 2);   // the padding byte is not a pixel
        const unsigned char expected[] = {1, 2, 3, 0, 11, 12, 13, 0};
        EXPECT_EQ(0, std::memcmp(expected, bytes, sizeof bytes));
    });
}

TEST_F(ImageWindows, SelectionStackHoldsEight) {
    on_user_thread([] {
        for (int n = 0; n < 10; ++n) ASSERT_EQ(0, KBX_CreateImage(n, "S", -1, -1, 8, 8, 100));
        EXPECT_EQ(9, current_image);
        select_image(0);   // the window that is current before the nine selects
        for (int n = 1; n <= 9; ++n) ASSERT_EQ(0, select_image(n));
        for (int i = 0; i < 9; ++i) EXPECT_EQ(0, restore_image());
        // The stack held eight: the first of the nine is current, not 0.
        EXPECT_EQ(1, current_image);
        EXPECT_EQ(1, select_image(256));
        EXPECT_EQ(1, select_image(-1));
        EXPECT_EQ(1, current_image);

        // The window on top of the stack is gone: nothing changes.
        select_image(5);
        select_image(6);
        destroy_image_window(5);
        EXPECT_EQ(1, restore_image());
        EXPECT_EQ(6, current_image);
        EXPECT_EQ(1, destroy_image_window(5));
        EXPECT_EQ(1, destroy_image_window(256));
    });
}

TEST_F(ImageWindows, FindAndSelectByHandle) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(7, "A", -1, -1, 8, 8, 100));
        ASSERT_EQ(0, KBX_CreateImage(9, "B", -1, -1, 8, 8, 100));
        EXPECT_EQ(7, find_image_window(image_windows[7].window));
        EXPECT_EQ(-1, find_image_window(control.window));
        EXPECT_EQ(7, find_and_select_image_window(image_windows[7].window));
        EXPECT_EQ(7, current_image);
        EXPECT_EQ(9, image_select_stack[0]);
        EXPECT_EQ(-1, find_and_select_image_window(nullptr));
        EXPECT_EQ(7, current_image);
    });
}

TEST_F(ImageWindows, TabTogglesHalftoneAndTheStar) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Tab", -1, -1, 200, 150, 100));
        HWND w = image_windows[0].window;
        EXPECT_EQ(COLORONCOLOR, get_stretch_mode(0));
        SendMessageW(w, WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(HALFTONE, get_stretch_mode(0));
        EXPECT_EQ(HALFTONE, GetStretchBltMode(image_windows[0].memory_dc));
        EXPECT_EQ("Tab(100%)*", image_caption(0));
        SendMessageW(w, WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(COLORONCOLOR, get_stretch_mode(0));
        EXPECT_EQ("Tab(100%)", image_caption(0));
        EXPECT_EQ(0, set_stretch_mode(7, 0));   // not a mode: nothing changes
        EXPECT_EQ(COLORONCOLOR, get_stretch_mode(0));
        EXPECT_EQ(0, get_stretch_mode(1));
        EXPECT_EQ(1, set_stretch_mode(HALFTONE, 300));
    });
}

TEST_F(ImageWindows, KeypadZoomStepsAndWheel) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Zoom", 0, 0, 300, 200, 100));
        HWND w = image_windows[0].window;
        set_ctrl(true);
        SendMessageW(w, WM_KEYDOWN, VK_ADD, 0);
        EXPECT_EQ(111, image_windows[0].zoom);
        EXPECT_EQ("Zoom(111%)", image_caption(0));
        EXPECT_EQ(300 * 111 / 100, client_of(0).cx);
        SendMessageW(w, WM_KEYDOWN, VK_NUMPAD0, 0);
        EXPECT_EQ(100, image_windows[0].zoom);
        SendMessageW(w, WM_KEYDOWN, VK_SUBTRACT, 0);
        EXPECT_EQ(90, image_windows[0].zoom);
        EXPECT_EQ(200 * 90 / 100, client_of(0).cy);
        SendMessageW(w, WM_KEYDOWN, '0', 0);   // the main keyboard's 0 does nothing
        EXPECT_EQ(90, image_windows[0].zoom);

        // Ctrl with the wheel: towards the user (negative) enlarges.
        SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
        EXPECT_EQ(100, image_windows[0].zoom);
        SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
        EXPECT_EQ(90, image_windows[0].zoom);
        SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        EXPECT_EQ(90, image_windows[0].zoom);
        set_ctrl(false);
        SendMessageW(w, WM_KEYDOWN, VK_ADD, 0);   // without Ctrl: nothing
        EXPECT_EQ(90, image_windows[0].zoom);
    });
}

TEST_F(ImageWindows, ChangeZoomResizesInPlace) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Z", 30, 40, 200, 160, 100));
        HWND w = image_windows[0].window;
        RECT before = kbxtest::window_rect(w);
        EXPECT_EQ(0, change_zoom(200, 0));
        RECT after = kbxtest::window_rect(w);
        EXPECT_EQ(before.left, after.left);
        EXPECT_EQ(before.top, after.top);
        EXPECT_EQ(before.right - before.left + 200, after.right - after.left);
        EXPECT_EQ(before.bottom - before.top + 160, after.bottom - after.top);
        SIZE client = client_of(0);
        EXPECT_EQ(400, client.cx);
        EXPECT_EQ(320, client.cy);
        EXPECT_EQ("Z(200%)", image_caption(0));

        Limits l = screen_limits();
        EXPECT_EQ(0, change_zoom(100000, 0));   // lowered to what fits
        EXPECT_LE(image_windows[0].client_width, l.max_w);
        EXPECT_LE(image_windows[0].client_height, l.max_h);
        EXPECT_EQ(1, change_zoom(100, 256));
        EXPECT_EQ(1, change_zoom(100, 5));

        // A frame drag leaves the size alone.
        RECT proposed = {0, 0, 10, 10};
        SendMessageW(w, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
        RECT now = kbxtest::window_rect(w);
        EXPECT_TRUE(EqualRect(&proposed, &now));
    });
}

TEST_F(ImageWindows, NoZoomFitsLeavesTheWindowUsable) {
    on_user_thread([] {
        // Created with the FL bounds, then judged by the screen's.
        ASSERT_EQ(0, KBX_CreateImageFL(0, "Tall", 0, 0, 1, 2000, 100));
        image_windows[0].screen_limited = 1;
        EXPECT_EQ(2, change_zoom(50, 0));
        EXPECT_TRUE(image_windows[0].in_use);
        EXPECT_EQ(100, image_windows[0].zoom);
        EXPECT_EQ(0, find_image_window(image_windows[0].window));
        EXPECT_EQ(0, paint_image(0));
    });
}

TEST_F(ImageWindows, ResizeKeepsPaletteCaptionModeAndPlace) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(4, "Pal", 100, 120, 200, 100, 200));
        RGBQUAD palette[256];
        for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2), 9, 0};
        ASSERT_EQ(0, set_image_palette(palette, 256));
        fill8(4, [](int, int) { return static_cast<unsigned char>(5); });
        set_stretch_mode(HALFTONE, 4);
        RECT before = kbxtest::window_rect(image_windows[4].window);
        ASSERT_EQ(0, KBX_CreateImage(5, "Other", -1, -1, 8, 8, 100));

        EXPECT_EQ(0, resize_image(4, 330, 70));
        const ImageWindowRecord& r = image_windows[4];
        EXPECT_TRUE(r.in_use);
        EXPECT_EQ(8, r.depth);
        EXPECT_EQ(330, r.width);
        EXPECT_EQ(70, r.height);
        EXPECT_EQ(200, r.zoom);
        EXPECT_EQ(4, current_image);   // the rebuilt window is current
        EXPECT_EQ("Pal(200%)[8bit]*", image_caption(4));
        RECT after = kbxtest::window_rect(r.window);
        EXPECT_EQ(before.left, after.left);
        EXPECT_EQ(before.top, after.top);
        RGBQUAD kept[256];
        ASSERT_EQ(0, get_image_palette(kept));
        EXPECT_EQ(0, std::memcmp(palette, kept, sizeof kept));
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 330; ++x) ASSERT_EQ(0, pixel8(4, x, y));

        EXPECT_EQ(1, resize_image(9, 5, 5));
        // Refused sizes leave the window and its picture as they were.
        fill8(4, [](int x, int) { return static_cast<unsigned char>(x); });
        const struct {
            int width, height, want;
        } refused[] = {{1, 2000, 2},            // no zoom fits
                       {100000, 100000, 3}};    // no memory for the picture
        for (const auto& c : refused) {
            EXPECT_EQ(c.want, resize_image(4, c.width, c.height)) << c.width;
            EXPECT_TRUE(image_windows[4].in_use);
            EXPECT_EQ(330, image_windows[4].width);
            EXPECT_EQ(70, image_windows[4].height);
            EXPECT_EQ(200, pixel8(4, 200, 69));
        }
    });
}

TEST_F(ImageWindows, ResizeKeepsTheFlBounds) {
    on_user_thread([] {
        Limits l = screen_limits();
        ASSERT_EQ(0, KBX_CreateImageFL(0, "Big", 0, 0, 10, 10, 100));
        // Larger than the screen: only the FL bounds allow it at 100 %.
        EXPECT_EQ(0, resize_image(0, l.max_w + 50, 200));
        EXPECT_EQ(100, image_windows[0].zoom);
        EXPECT_EQ(0, image_windows[0].screen_limited);
        // The window really is that large: the frame's usual limits do not cut it.
        EXPECT_EQ(l.max_w + 50, client_of(0).cx);
        EXPECT_EQ(200, client_of(0).cy);
        EXPECT_EQ(0, change_zoom(150, 0));
        EXPECT_EQ((l.max_w + 50) * 3 / 2, client_of(0).cx);
        EXPECT_EQ(300, client_of(0).cy);
    });
}

TEST_F(ImageWindows, PaintCopiesOrStretches) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "P", 0, 0, 120, 90, 200));
        HWND w = image_windows[0].window;
        SetForegroundWindow(w);
        SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        fill32(0, [](int x, int y) { return (x < 60) == (y < 45) ? 0xFF0000u : 0x0000FFu; });
        EXPECT_EQ(0, paint_image(0));
        GdiFlush();
        HDC dc = image_windows[0].window_dc;
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 10, 10));
        EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 130, 10));   // picture x 65 at 200 %
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 230, 170));
        EXPECT_EQ(0, change_zoom(100, 0));
        fill32(0, [](int x, int) { return x == 119 ? 0x00FF00u : 0u; });
        EXPECT_EQ(0, paint_image(0));
        GdiFlush();
        EXPECT_EQ(RGB(0, 255, 0), GetPixel(dc, 119, 5));
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 118, 5));
        EXPECT_EQ(1, paint_image(3));
    });
}

TEST_F(ImageWindows, CloseAndDestroyCommand) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "C", -1, -1, 8, 8, 100));
        ASSERT_EQ(0, KBX_CreateImage(1, "Q", -1, -1, 8, 8, 100));
        HWND w0 = image_windows[0].window, w1 = image_windows[1].window;
        SendMessageW(w0, WM_CLOSE, 0, 0);
        EXPECT_FALSE(image_windows[0].in_use);
        EXPECT_FALSE(IsWindow(w0));
        set_ctrl(true);
        SendMessageW(w1, WM_KEYDOWN, 'Q', 0);   // posts Destroy
        set_ctrl(false);
        EXPECT_TRUE(image_windows[1].in_use);
        pump_messages();
        EXPECT_FALSE(image_windows[1].in_use);
        EXPECT_FALSE(IsWindow(w1));
        // The number is free again.
        EXPECT_EQ(0, KBX_CreateImage(1, "Again", -1, -1, 8, 8, 100));
    });
}

TEST_F(ImageWindows, KeysInDrawingToolModeDoNothing) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "D", -1, -1, 200, 200, 100));
        drawing_tool_mode = 1;
        set_ctrl(true);
        SendMessageW(image_windows[0].window, WM_KEYDOWN, VK_ADD, 0);
        SendMessageW(image_windows[0].window, WM_KEYDOWN, VK_TAB, 0);
        set_ctrl(false);
        drawing_tool_mode = 0;
        EXPECT_EQ(100, image_windows[0].zoom);
        EXPECT_EQ(COLORONCOLOR, get_stretch_mode(0));
    });
}
