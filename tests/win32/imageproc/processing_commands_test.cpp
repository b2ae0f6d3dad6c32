// The processing menu's commands as an image window receives them: whole-
// picture operations, the information tools and the text tools.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_geometry.h"
#include "image/image_menus.h"
#include "image/win_image_window.h"
#include "imageproc/bitmap_font.h"
#include "imageproc/pixels.h"
#include "imageproc/shapes.h"
#include "imageproc/win_image_tools.h"
#include "kbx_image.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/support/tool_session.h"

using namespace tool_test;
using namespace kbx;

namespace {

class ProcessingCommands : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_tools(); }
};

// Sends a command on the user-program thread, as a menu choice arrives.
void command(int n, int id) { SendMessageW(image_windows[n].window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

PixelView pixels_of(int n) {
    const ImageWindowRecord& r = image_windows[n];
    return make_pixel_view(image_pixels8[n], r.width, r.height, r.depth);
}

std::uint32_t px(int n, int x, int y) {
    GdiFlush();
    return static_cast<std::uint32_t>(get_pixel(pixels_of(n), x, y));
}

TEST_F(ProcessingCommands, PatternsFillThePictureAndSelectIt) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Pattern", 0, 0, 256, 256, 100));
        ASSERT_EQ(0, KBX_CreateImage(1, "Other", 300, 0, 40, 30, 100));
        ASSERT_EQ(1, current_image);
        command(0, kCmdPatternRgb);
        EXPECT_EQ(0, current_image);
        EXPECT_EQ(0x0000FFu, px(0, 0, 0));
        EXPECT_EQ(0xFEFE01u, px(0, 255, 255));
        EXPECT_EQ(0x7F7F80u, px(0, 128, 128));
        command(0, kCmdPatternHsv);
        EXPECT_EQ(0xFF0000u, px(0, 0, 128));
        EXPECT_EQ(0xFFFFFFu, px(0, 128, 0));
        EXPECT_EQ(0x00FFFAu, px(0, 128, 128));
        command(0, kCmdPatternYcrcb);
        EXPECT_EQ(0x000000u, px(0, 128, 128));
        EXPECT_EQ(0xFFFF3Au, px(0, 0, 128));
        EXPECT_EQ(0xFFC0FFu, px(0, 128, 0));
        command(0, kCmdPatternYuv);
        EXPECT_EQ(0xFFFF19u, px(0, 0, 128));
        command(0, kCmdPatternYiq);
        EXPECT_EQ(0xC8FF36u, px(0, 0, 128));
    });
}

TEST_F(ProcessingCommands, GreyPatternPutsTheGreyRampBackIntoAn8BitPalette) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(0, "Grey", 0, 0, 64, 32, 100));
        RGBQUAD red = {0, 0, 255, 0};
        SetDIBColorTable(image_windows[0].memory_dc, 5, 1, &red);
        command(0, kCmdPatternGrey);
        RGBQUAD palette[256];
        ASSERT_EQ(256u, GetDIBColorTable(image_windows[0].memory_dc, 0, 256, palette));
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(i, palette[i].rgbRed);
            EXPECT_EQ(i, palette[i].rgbBlue);
        }
        EXPECT_EQ(0u, px(0, 0, 0));
        EXPECT_EQ(251u, px(0, 63, 15));   // 63 * 255 / 64
        EXPECT_EQ(255u, px(0, 0, 16));    // the lower half runs the other way
        EXPECT_EQ(4u, px(0, 63, 31));
    });
}

TEST_F(ProcessingCommands, InvertAndFlipsChangeTheWindowInPlace) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Flip", 0, 0, 40, 30, 100));
        ASSERT_EQ(0, KBX_CreateImage8(1, "Flip8", 300, 0, 41, 30, 100));
    });
    fill_distinct(0);
    fill_distinct(1);
    on_user_thread([] {
        PixelImage start = snapshot(0);
        PixelImage start8 = snapshot(1);
        command(0, kCmdInvert);
        EXPECT_EQ(1, current_image);   // not selected
        EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view_of(start), 7, 9)) ^ 0xFFFFFFu,
                  px(0, 7, 9));
        command(0, kCmdInvert);
        EXPECT_TRUE(same_pixels(start, snapshot(0)));
        command(1, kCmdInvert);
        EXPECT_EQ(255u - get_pixel(view_of(start8), 40, 3), px(1, 40, 3));
        command(1, kCmdInvert);

        command(0, kCmdFlipHorz);
        EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view_of(start), 39, 5)), px(0, 0, 5));
        command(0, kCmdFlipHorz);
        EXPECT_TRUE(same_pixels(start, snapshot(0)));
        command(1, kCmdFlipVert);
        EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view_of(start8), 40, 29)),
                  px(1, 40, 0));
        command(1, kCmdFlipVert);
        EXPECT_TRUE(same_pixels(start8, snapshot(1)));
    });
}

TEST_F(ProcessingCommands, RotationsTurnThePictureAndItsSize) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Turn", 0, 0, 3, 2, 100));
        PixelView view = pixels_of(0);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) plot_pixel(view, x, y, 0x100 * (y + 1) + x);
        PixelImage start = snapshot(0);
        command(0, kCmdRotateRight);
        ASSERT_TRUE(image_windows[0].in_use);
        EXPECT_EQ(2, image_windows[0].width);
        EXPECT_EQ(3, image_windows[0].height);
        EXPECT_EQ(0x200u, px(0, 0, 0));   // old (0, 1)
        EXPECT_EQ(0x100u, px(0, 1, 0));   // old (0, 0): the top left ends at the top right
        EXPECT_EQ(0x202u, px(0, 0, 2));
        EXPECT_EQ("Turn(", image_caption(0).substr(0, 5));
        command(0, kCmdRotateLeft);
        EXPECT_TRUE(same_pixels(start, snapshot(0)));
        for (int i = 0; i < 4; ++i) command(0, kCmdRotateRight);
        EXPECT_TRUE(same_pixels(start, snapshot(0)));
        command(0, kCmdRotateLeft);
        EXPECT_EQ(0x102u, px(0, 0, 0));   // old (2, 0): the top left ends at the bottom left
        EXPECT_EQ(0x100u, px(0, 0, 2));
    });
    on_user_thread([] { ASSERT_EQ(0, KBX_CreateImage8(1, "Turn8", 0, 0, 5, 3, 100)); });
    fill_distinct(1);
    on_user_thread([] {
        PixelImage start = snapshot(1);
        command(1, kCmdRotateRight);
        EXPECT_EQ(3, image_windows[1].width);
        EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view_of(start), 0, 2)), px(1, 0, 0));
        for (int i = 0; i < 3; ++i) command(1, kCmdRotateRight);
        EXPECT_TRUE(same_pixels(start, snapshot(1)));
    });
}

TEST_F(ProcessingCommands, ScalingRoundsTheSizeAndFollowsTheStretchMode) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Scale", 0, 0, 100, 50, 100));
        command(0, kCmdScale141);
        EXPECT_EQ(141, image_windows[0].width);
        EXPECT_EQ(71, image_windows[0].height);
        command(0, kCmdScale71);
        EXPECT_EQ(100, image_windows[0].width);
        EXPECT_EQ(50, image_windows[0].height);

        // Black and white columns, halved to one pixel.
        ASSERT_EQ(0, KBX_CreateImage(1, "Half", 300, 0, 2, 2, 100));
        PixelView view = pixels_of(1);
        for (int y = 0; y < 2; ++y) plot_pixel(view, 1, y, 0xFFFFFF);
        command(1, kCmdScale50);
        ASSERT_EQ(1, image_windows[1].width);
        const std::uint32_t picked = px(1, 0, 0);
        EXPECT_TRUE(picked == 0u || picked == 0xFFFFFFu) << std::hex << picked;

        ASSERT_EQ(0, KBX_CreateImage(2, "Avg", 300, 200, 2, 2, 100));
        view = pixels_of(2);
        for (int y = 0; y < 2; ++y) plot_pixel(view, 1, y, 0xFFFFFF);
        set_stretch_mode(HALFTONE, 2);
        command(2, kCmdScale50);
        ASSERT_EQ(1, image_windows[2].width);
        const std::uint32_t averaged = px(2, 0, 0);
        EXPECT_EQ(averaged & 0xFF, (averaged >> 8) & 0xFF);
        EXPECT_EQ(averaged & 0xFF, (averaged >> 16) & 0xFF);
        EXPECT_NEAR(128, static_cast<int>(averaged & 0xFF), 2);
        EXPECT_EQ(HALFTONE, get_stretch_mode(2));   // the rebuilt window keeps its mode
    });
}

TEST_F(ProcessingCommands, ATurnTheWindowCannotShowKeepsThePictureAndSaysSo) {
    bool tried = false;
    on_user_thread([&] {
        const DisplayLimits limits = display_limits(1);
        // As wide as the screen and a little high: turned, it would have to
        // be lowered so far to fit the screen's height that it gets narrower
        // than the smallest window.
        const int w = limits.max_width, h = limits.min_height > 40 ? limits.min_height : 40;
        ZoomFit fit;
        if (!fit_zoom(100, w, h, limits, &fit) || fit_zoom(100, h, w, limits, &fit)) GTEST_SKIP();
        ASSERT_EQ(0, KBX_CreateImage(0, "Wide", 0, 0, w, h, 100));
        plot_pixel(pixels_of(0), 5, 1, 0x00ABCD);
        tried = true;
        command(0, kCmdRotateRight);
        ASSERT_TRUE(image_windows[0].in_use);
        EXPECT_EQ(w, image_windows[0].width);
        EXPECT_EQ(h, image_windows[0].height);
        EXPECT_EQ(0x00ABCDu, px(0, 5, 1));
    });
    if (!tried) GTEST_SKIP();
    // The user is told why nothing happened, for a few seconds.
    EXPECT_TRUE(wait_status("Too large to show: picture kept"));
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(wait_status(std::to_string(depth) + "-bit color", 10000));
}

TEST_F(ProcessingCommands, ClippingOpensTheBoxInANewWindow) {
    on_user_thread([] { ASSERT_EQ(0, KBX_CreateImage(0, "Source", 0, 0, 64, 48, 100)); });
    fill_distinct(0);
    PixelImage source = snapshot(0);
    post_command(0, kCmdClipping);
    click_box(0, 14, 6, 5, 3);
    ASSERT_TRUE(wait_idle());
    on_user_thread([&] {
        const int clip = current_image;
        ASSERT_NE(0, clip);
        ASSERT_TRUE(image_windows[clip].in_use);
        EXPECT_STREQ("(5,3)-(14,6)", image_windows[clip].title);
        EXPECT_EQ(32, image_windows[clip].depth);
        ASSERT_EQ(10, image_windows[clip].width);
        ASSERT_EQ(4, image_windows[clip].height);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 10; ++x)
                EXPECT_EQ(static_cast<std::uint32_t>(get_pixel(view_of(source), 5 + x, 3 + y)),
                          px(clip, x, y));
    });

    // An 8-bit source gives an 8-bit clip with the source's palette.
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(5, "Source8", 300, 0, 64, 48, 100));
        RGBQUAD entry = {30, 20, 10, 0};
        SetDIBColorTable(image_windows[5].memory_dc, 7, 1, &entry);
        plot_pixel(pixels_of(5), 9, 9, 7);
    });
    post_command(5, kCmdClipping);
    click_box(5, 9, 9, 9, 9);
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        const int clip = current_image;
        ASSERT_TRUE(image_windows[clip].in_use);
        EXPECT_STREQ("(9,9)-(9,9)", image_windows[clip].title);
        EXPECT_EQ(8, image_windows[clip].depth);
        EXPECT_EQ(1, image_windows[clip].width);
        EXPECT_EQ(7u, px(clip, 0, 0));
        RGBQUAD entry = {};
        GetDIBColorTable(image_windows[clip].memory_dc, 7, 1, &entry);
        EXPECT_EQ(10, entry.rgbRed);
        EXPECT_EQ(30, entry.rgbBlue);
    });
}

TEST_F(ProcessingCommands, RowProfileOpensAWindowWithItsCurvesAndLabels) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(3, "Row", 0, 0, 300, 40, 100));
        draw_line(pixels_of(3), 0xFFFFFF, 0, 5, 299, 5);
    });
    post_command(3, kCmdLineRgb);
    click_point(3, 100, 5);
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        const int plot = current_image;
        ASSERT_NE(3, plot);
        ASSERT_TRUE(image_windows[plot].in_use);
        EXPECT_STREQ("RGB(Y=5)", image_windows[plot].title);
        EXPECT_EQ(312, image_windows[plot].width);
        EXPECT_EQ(128, image_windows[plot].height);
        for (int x = 12; x < 312; ++x) ASSERT_EQ(0x0000FFu, px(plot, x, 0)) << x;   // blue drawn last
        EXPECT_EQ(0u, px(plot, 12, 1));
        EXPECT_EQ(0x0000FF, kbx_tc);
        // The 'R' label stands on row 40 at column 2.
        int red = 0;
        for (int y = 26; y < 40; ++y)
            for (int x = 2; x < 10; ++x) red += px(plot, x, y) == 0xFF0000u;
        EXPECT_GT(red, 10);
        EXPECT_TRUE(image_windows[3].in_use);   // the source stays
    });
}

TEST_F(ProcessingCommands, LuminanceProfileOfAn8BitRowAndTheDepthCheck) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(0, "Lumi", 0, 0, 50, 20, 100));
        for (int x = 0; x < 50; ++x) plot_pixel(pixels_of(0), x, 7, 128);
    });
    post_command(0, kCmdLineLumi);
    click_point(0, 3, 7);
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        const int plot = current_image;
        ASSERT_NE(0, plot);
        EXPECT_STREQ("Luminance(Y=7)", image_windows[plot].title);
        EXPECT_EQ(62, image_windows[plot].width);
        EXPECT_EQ(0xFFFFFFu, px(plot, 12, 64));   // 127 - 128 * 127 / 255
        EXPECT_EQ(0xFFFFFFu, px(plot, 61, 64));
        // A word-reading tool on the 8-bit picture (not on its menu) is
        // refused before it points.
        command(0, kCmdLineRgb);
        EXPECT_EQ(0, drawing_tool_mode.load());
        EXPECT_EQ(plot, current_image);
    });
}

TEST_F(ProcessingCommands, AreaPlotOfOnePixelIsOneWhitePoint) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Area", 0, 0, 40, 30, 100));
        plot_pixel(pixels_of(0), 3, 4, 0xFF0000);
    });
    post_command(0, kCmdAreaCrcb);
    click_box(0, 3, 4, 3, 4);
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        const int plot = current_image;
        ASSERT_NE(0, plot);
        EXPECT_STREQ("CrCb(3,4)-(3,4)", image_windows[plot].title);
        EXPECT_EQ(256, image_windows[plot].width);
        EXPECT_EQ(0xFFFFFFu, px(plot, 86, 0));   // Cb -42, Cr 128
        EXPECT_EQ(0x808080u, px(plot, 128, 200));   // the vertical axis
        EXPECT_EQ(0x8888FF, kbx_tc);
    });
}

TEST_F(ProcessingCommands, PixelReportPrintsEveryModel) {
    const std::wstring dir = kbxtest::make_temp_dir(L"inspect");
    on_user_thread([&] {
        std::wstring slash = dir + L"\\";
        lstrcpynW(log_dir_w, slash.c_str(), kPathChars + 1);
        wide_to_ansi(log_dir_w, log_dir, sizeof log_dir);
        ASSERT_EQ(0, KBX_OpenTextWindow(0, 500, 0, 300, 200));
        ASSERT_EQ(0, KBX_StartLog(0));
        ASSERT_EQ(0, KBX_CreateImage(0, "Inspect", 0, 0, 40, 30, 100));
        ASSERT_EQ(0, KBX_CreateImage8(1, "Inspect8", 0, 200, 40, 30, 100));
        plot_pixel(pixels_of(0), 3, 4, 0xFF0000);
        plot_pixel(pixels_of(1), 6, 2, 200);
        RGBQUAD entry = {1, 2, 3, 0};
        SetDIBColorTable(image_windows[1].memory_dc, 200, 1, &entry);
    });
    post_command(0, kCmdPixelInfo);
    click_point(0, 3, 4);
    ASSERT_TRUE(wait_idle());
    post_command(1, kCmdPixelInfo);
    click_point(1, 6, 2);
    ASSERT_TRUE(wait_idle());
    on_user_thread([] { KBX_CloseLog(0); });
    std::string log;
    ASSERT_TRUE(kbxtest::read_file(
        kbxtest::join_path(dir, L"KOBRIX" + std::to_wstring(instance_number) + L"0.LOG"), &log));
    EXPECT_NE(std::string::npos,
              log.find("(X,Y)=(3,4)\r\n(R,G,B)=(255,0,0)\r\n(H,S,V)=(0,255,255)\r\n(Y,Cr,Cb)=(76,128,-42)\r\n"
                       "(Y,u,v)=(76,-36,157)\r\n(Y,I,Q)=(76,152,53)\r\n\r\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("(X,Y)=(6,2)\r\n(Luminance)=(200)\r\n\r\n")) << log;
}

TEST_F(ProcessingCommands, ColourPickTakesThePixelAndItsColour) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Pick", 0, 0, 40, 30, 100));
        ASSERT_EQ(0, KBX_CreateImage8(1, "Pick8", 0, 200, 40, 30, 100));
        plot_pixel(pixels_of(0), 8, 9, 0x123456);
        plot_pixel(pixels_of(1), 2, 3, 200);
        RGBQUAD entry = {30, 20, 10, 0};
        SetDIBColorTable(image_windows[1].memory_dc, 200, 1, &entry);
    });
    post_command(0, kCmdColorPick);
    click_point(0, 8, 9);
    ASSERT_TRUE(wait_idle());
    EXPECT_EQ(0x123456, draw_color);
    EXPECT_EQ(0x123456, kbx_tttc);
    post_command(1, kCmdColorPick);
    click_point(1, 2, 3);
    ASSERT_TRUE(wait_idle());
    EXPECT_EQ(200, draw_color);
    EXPECT_EQ(0x0A141E, kbx_tttc);
    EXPECT_EQ(1, current_image);
}

TEST_F(ProcessingCommands, DrawTextWritesTheTypedLineInTheBitmapFont) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Text", 0, 0, 80, 40, 100));
        draw_color = 0x00FF00;
    });
    post_command(0, kCmdDrawText);
    click_point(0, 10, 20);
    ASSERT_TRUE(answer_prompt(L"AB"));
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        EXPECT_EQ(0x00FF00, kbx_tc);
        for (int c = 0; c < 2; ++c) {
            const unsigned char* glyph = kBitmapFont["AB"[c] - kFirstGlyph];
            for (int r = 0; r < kGlyphHeight; ++r)
                for (int k = 0; k < kGlyphWidth; ++k) {
                    const std::uint32_t want = (glyph[r] & (0x80 >> k)) ? 0x00FF00u : 0u;
                    ASSERT_EQ(want, px(0, 10 + 8 * c + k, 6 + r)) << c << " " << r << " " << k;
                }
        }
        EXPECT_EQ(0u, px(0, 9, 10));
        EXPECT_EQ(26, image_text_x);
        EXPECT_EQ(20, image_text_y);
        EXPECT_EQ(10, image_text_left_margin);
    });
}

TEST_F(ProcessingCommands, TrueTypeDrawSizesTheFontFromTheBox) {
    on_user_thread([] { ASSERT_EQ(0, KBX_CreateImage(0, "TT", 0, 0, 80, 60, 100)); });
    post_command(0, kCmdTrueTypeDraw);
    click_box(0, 4, 10, 36, 33);   // 33 x 24
    ASSERT_TRUE(answer_prompt(L"AW"));
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        EXPECT_EQ(16, image_text_font_width);
        EXPECT_EQ(24, image_text_font_height);
        LOGFONTW font = {};
        ASSERT_NE(nullptr, image_text_font);
        GetObjectW(image_text_font, sizeof font, &font);
        EXPECT_EQ(16, font.lfWidth);
        EXPECT_EQ(24, font.lfHeight);
        EXPECT_EQ(33, image_text_y);
        EXPECT_EQ(4, image_text_left_margin);
        EXPECT_GT(image_text_x, 4 + 8);   // two characters advanced it
        int lit = 0, outside = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                if (px(0, x, y) == 0) continue;
                ++lit;
                if (y < 10 || y > 33 || x < 4) ++outside;
            }
        EXPECT_GT(lit, 20);
        EXPECT_EQ(0, outside);   // the cell's top is y-max - 23
    });
}

TEST_F(ProcessingCommands, TrueTypeControlCodesAndDoubleByteText) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Codes", 0, 0, 200, 80, 100));
        ASSERT_EQ(0, set_tt_cell(17, 20));
        EXPECT_EQ(8, image_text_font_width);
        LOGFONTW font = {};
        auto style = [&] { GetObjectW(image_text_font, sizeof font, &font); };
        draw_tt_text("\x03\x01\x05");
        style();
        EXPECT_EQ(700, font.lfWeight);
        EXPECT_TRUE(font.lfItalic);
        EXPECT_TRUE(font.lfUnderline);
        EXPECT_EQ(20, font.lfHeight);   // the size stays
        draw_tt_text("\x04\x02\x06");
        style();
        EXPECT_EQ(400, font.lfWeight);
        EXPECT_FALSE(font.lfItalic);
        EXPECT_FALSE(font.lfUnderline);

        image_text_x = image_text_left_margin = 5;
        image_text_y = 30;
        draw_tt_text("A");
        const int one = image_text_x - 5;
        EXPECT_GT(one, 0);
        image_text_x = 5;
        draw_tt_text("A\x82");   // a lead byte without its trail is dropped; else a character
        if (IsDBCSLeadByte(0x82)) EXPECT_EQ(one, image_text_x - 5);
        else EXPECT_GT(image_text_x - 5, one);
        draw_tt_text("\n");
        EXPECT_EQ(50, image_text_y);   // the cell height, not the font's
        EXPECT_EQ(5, image_text_x);
        const int before = image_text_x;
        put_tt_char(0x1F);   // other control codes do nothing
        EXPECT_EQ(before, image_text_x);
    });
}

}  // namespace
