// The image calls a user program makes for palettes and pixels, drawing
// colours, shapes, pointing and text, run on the user-program thread as a
// program runs them. Shapes and text are compared with what the processing
// menu's tools draw on a second window; picks are answered with mouse
// messages posted as a user clicks.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/win_state.h"
#include "image/pointer_events.h"
#include "image/win_image_window.h"
#include "imageproc/pixels.h"
#include "imageproc/shapes.h"
#include "kbx_commands.h"
#include "kbx_image.h"
#include "kbx_imageproc.h"
#include "tests/support/driver.h"
#include "tests/support/tool_session.h"

using namespace tool_test;
using namespace kbx;

namespace {

class ImageApi : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_tools(); }

    // Windows 0 and 1 of the same size and depth with the same distinct
    // pixels; window 1 is current.
    void open_pair(int depth, int width = 64, int height = 48, int zoom = 100) {
        on_user_thread([=] {
            for (int n = 0; n < 2; ++n)
                ASSERT_EQ(0, depth == 8 ? KBX_CreateImage8(n, "A", 300 * n, 0, width, height, zoom)
                                        : KBX_CreateImage(n, "A", 300 * n, 0, width, height, zoom));
        });
        fill_distinct(0);
        fill_distinct(1);
    }
};

std::string depth_status() { return std::to_string(screen_depth) + "-bit color"; }

// --- palettes and pixels ------------------------------------------------------------------

TEST_F(ImageApi, PalettesRoundTripAndRefuseWhatIsNotAnEightBitWindow) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(0, "P", 0, 0, 32, 16, 100));
        unsigned int ramp[256], set[256], got[256];
        ASSERT_EQ(0, KBX_GetImagePalette(ramp));
        EXPECT_EQ(0x000000u, ramp[0]);
        EXPECT_EQ(0x808080u, ramp[128]);
        for (int i = 0; i < 256; ++i) set[i] = static_cast<unsigned>(i * 0x010305) & 0xFFFFFF;
        set[7] |= 0xFF000000u;   // the top byte is not kept
        ASSERT_EQ(0, KBX_SetImagePalette(set, 200));
        ASSERT_EQ(0, KBX_GetImagePalette(got));
        set[7] &= 0xFFFFFF;
        for (int i = 0; i < 256; ++i) ASSERT_EQ(i < 200 ? set[i] : ramp[i], got[i]) << i;
        // What the window paints with is the DIB's own colour table.
        RGBQUAD quad = {};
        ASSERT_EQ(1u, GetDIBColorTable(image_windows[0].memory_dc, 150, 1, &quad));
        EXPECT_EQ(set[150], static_cast<unsigned>(quad.rgbRed << 16 | quad.rgbGreen << 8 | quad.rgbBlue));

        // Bad arguments, a 32-bit window and no window change nothing.
        unsigned int other[256];
        for (unsigned int& e : other) e = 0x123456;
        EXPECT_EQ(3, KBX_SetImagePalette(other, 257));
        EXPECT_EQ(3, KBX_SetImagePalette(other, -1));
        EXPECT_EQ(3, KBX_SetImagePalette(nullptr, 4));
        EXPECT_EQ(3, KBX_GetImagePalette(nullptr));
        ASSERT_EQ(0, KBX_CreateImage(1, "Q", 300, 0, 32, 16, 100));
        EXPECT_EQ(2, KBX_SetImagePalette(other, 4));
        EXPECT_EQ(2, KBX_GetImagePalette(other));
        EXPECT_EQ(0x123456u, other[0]);
        destroy_image_window(1);
        EXPECT_EQ(1, KBX_SetImagePalette(other, 4));
        EXPECT_EQ(1, KBX_GetImagePalette(other));
        select_image(0);
        ASSERT_EQ(0, KBX_GetImagePalette(got));
        for (int i = 0; i < 256; ++i) ASSERT_EQ(i < 200 ? set[i] : ramp[i], got[i]) << i;
    });
}

TEST_F(ImageApi, RowsWrittenAndRectanglesCopied) {
    struct Case {
        int depth;
    } cases[] = {{32}, {8}};
    for (const Case& c : cases) {
        reset_tools();
        on_user_thread([&] {
            ASSERT_EQ(0, c.depth == 8 ? KBX_CreateImage8(0, "R", 0, 0, 6, 4, 1000)
                                      : KBX_CreateImage(0, "R", 0, 0, 6, 4, 1000));
            const std::uint32_t words[8] = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112, 0xAA, 0xBB};
            const unsigned char bytes[8] = {1, 2, 3, 4, 5, 6, 0xAA, 0xBB};
            const void* src = c.depth == 8 ? static_cast<const void*>(bytes) : static_cast<const void*>(words);
            KBX_WriteImageRow(src, 2, 8);   // the last two fall outside
            KBX_WriteImageRow(src, 4, 8);   // a row outside: nothing
            KBX_WriteImageRow(src, -1, 8);
            KBX_WriteImageRow(nullptr, 0, 8);
            PixelImage expected;
            make_pixel_image(6, 4, c.depth, &expected);
            for (int x = 0; x < 6; ++x)
                plot_pixel(view_of(expected), x, 2, c.depth == 8 ? bytes[x] : static_cast<int>(words[x]));
            EXPECT_TRUE(same_pixels(expected, snapshot(0))) << c.depth;

            // A 3 x 3 rectangle from (-1, 1): a column and a row of zeros.
            std::uint32_t rect32[9];
            unsigned char rect8[9];
            void* dest = c.depth == 8 ? static_cast<void*>(rect8) : static_cast<void*>(rect32);
            KBX_CopyImageRect(dest, -1, 1, 3, 3);
            for (int i = 0; i < 9; ++i) {
                const int x = i % 3 - 1, y = i / 3 + 1;
                const int want = get_pixel(view_of(expected), x, y);
                ASSERT_EQ(want, c.depth == 8 ? rect8[i] : static_cast<int>(rect32[i])) << c.depth << " " << i;
            }
            EXPECT_NE(0, c.depth == 8 ? rect8[4] : static_cast<int>(rect32[4]));
            KBX_CopyImageRect(nullptr, 0, 0, 3, 3);   // tolerated

            // Written back at (4, 2): the part inside lands, the rest is skipped.
            KBX_WriteImageRect(dest, 4, 2, 3, 3);
            for (int i = 0; i < 9; ++i) {
                const int x = i % 3 + 4, y = i / 3 + 2;
                if (x < 6 && y < 4) plot_pixel(view_of(expected), x, y, c.depth == 8 ? rect8[i] : static_cast<int>(rect32[i]));
            }
            EXPECT_TRUE(same_pixels(expected, snapshot(0))) << c.depth;
        });
    }
}

// Drawn pixels reach the screen when the program pumps, or at once with
// a refresh.
TEST_F(ImageApi, RefreshShowsThePictureAtOnce) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Show", 0, 0, 40, 30, 100));
        UpdateWindow(image_windows[0].window);
        KBX_SetDrawColor(0x00FF00);
        KBX_FillBox(0, 0, 39, 29);
        const HDC screen = image_windows[0].window_dc;
        EXPECT_NE(RGB(0, 255, 0), GetPixel(screen, 20, 15));   // not pumped yet
        KBX_RefreshImage(0);
        EXPECT_EQ(RGB(0, 255, 0), GetPixel(screen, 20, 15));
    });
}

// --- colours and shapes: the same pixels as the menu's tools -----------------------------------

TEST_F(ImageApi, ShapesLandOnTheMenuToolsPixels) {
    struct Case {
        const char* name;
        int command;
        int depth;
        int x1, y1, x2, y2;   // the two clicks
        void (*api)(int, int, int, int);
    } cases[] = {
        {"box", KBX_CMD_DRAW_BOX, 32, 40, 30, 5, 3, [](int a, int b, int c, int d) { KBX_DrawBox(a, b, c, d); }},
        {"fill box", KBX_CMD_FILL_BOX, 8, 7, 9, 50, 41, [](int a, int b, int c, int d) { KBX_FillBox(a, b, c, d); }},
        {"disc", KBX_CMD_FILL_CIRCLE, 32, 30, 20, 41, 27,
         [](int cx, int cy, int x, int y) { KBX_FillCircle(cx, cy, rounded_distance(cx, cy, x, y)); }},
        {"disc at the edge", KBX_CMD_FILL_CIRCLE, 8, 2, 44, 12, 44,
         [](int cx, int cy, int x, int y) { KBX_FillCircle(cx, cy, rounded_distance(cx, cy, x, y)); }},
    };
    for (const Case& c : cases) {
        reset_tools();
        open_pair(c.depth);
        // The menu tool draws in the colour the program set.
        on_user_thread([] { KBX_SetDrawColor(0x2468AC); });
        post_command(0, c.command);
        click_box(0, c.x1, c.y1, c.x2, c.y2);
        ASSERT_TRUE(wait_idle());
        on_user_thread([&] {
            EXPECT_EQ(0x2468AC, KBX_GetDrawColor());
            select_image(1);
            c.api(c.x1, c.y1, c.x2, c.y2);
        });
        PixelImage menu = snapshot(0);
        EXPECT_TRUE(same_pixels(menu, snapshot(1))) << c.name;
        EXPECT_EQ(c.depth == 8 ? 0xAC : 0x2468AC, get_pixel(view_of(menu), c.x1, c.y1)) << c.name;
    }
}

TEST_F(ImageApi, PaintFillsTheRegionTheMenuPaintFills) {
    // A circle outline in both windows, filled from inside by Paint and by
    // the call: the fill stops at the outline.
    on_user_thread([] {
        for (int n = 0; n < 2; ++n) {
            ASSERT_EQ(0, KBX_CreateImage(n, "Paint", 300 * n, 0, 60, 40, 100));
            KBX_DrawCircle(0x0000FF, 30, 20, 15);
        }
        KBX_SetDrawColor(0xFFFF00);
    });
    post_command(0, KBX_CMD_PAINT);
    click_point(0, 30, 20);
    ASSERT_TRUE(wait_idle());
    PixelImage menu = snapshot(0);
    int area = 0;   // what the menu's Paint filled
    for (int i = 0; i < 60 * 40; ++i) area += get_pixel(view_of(menu), i % 60, i / 60) == 0xFFFF00;
    on_user_thread([&] {
        select_image(1);
        EXPECT_EQ(area, KBX_PaintFill(30, 20));
        EXPECT_EQ(0, KBX_PaintFill(30, 20));   // already the drawing colour
        EXPECT_EQ(0, KBX_PaintFill(-1, 20));   // outside
    });
    const PixelImage filled = snapshot(1);
    EXPECT_TRUE(same_pixels(snapshot(0), filled));
    on_user_thread([] {
        EXPECT_EQ(0xFFFF00, KBX_GetPixel(30, 20));
        EXPECT_EQ(0, KBX_GetPixel(0, 0));
    });
}

TEST_F(ImageApi, ShapesAndTextWithoutAWindowOrWithANegativeRadiusDrawNothing) {
    open_pair(32);
    const PixelImage before = snapshot(0);
    on_user_thread([] {
        KBX_SetDrawColor(0xFFFFFF);
        KBX_SetTextCursor(8, 20, 8);   // inside window 0
        select_image(0);
        KBX_FillCircle(20, 20, -3);
        select_image(1);
        destroy_image_window(1);   // the current window closed under the program
        KBX_DrawBox(0, 0, 10, 10);
        KBX_FillBox(0, 0, 10, 10);
        KBX_FillCircle(5, 5, 3);
        EXPECT_EQ(0, KBX_PaintFill(1, 1));
        KBX_DrawText("AB");
        KBX_DrawTrueTypeText("AB\n");
    });
    EXPECT_TRUE(same_pixels(before, snapshot(0)));
}

// --- pointing --------------------------------------------------------------------------------------

struct PickOutcome {
    int result = -9;
    int v[4] = {-9, -9, -9, -9};
};

TEST_F(ImageApi, PicksReturnTheClickedPoints) {
    // Window 0 at zoom 200, so the posted client positions are doubled.
    struct Case {
        const char* name;
        int clicks;   // 1 or 2
        int x1, y1, x2, y2;
        int (*pick)(int*);
        int want[4];
    } cases[] = {
        {"point", 1, 17, 9, 0, 0, [](int* v) { return KBX_PickPoint(0, &v[0], &v[1]); }, {17, 9, -9, -9}},
        {"row", 1, 3, 40, 0, 0, [](int* v) { return KBX_PickRow(0, &v[0], &v[1]); }, {3, 40, -9, -9}},
        {"column", 1, 60, 2, 0, 0, [](int* v) { return KBX_PickColumn(0, &v[0], &v[1]); }, {60, 2, -9, -9}},
        {"box", 2, 50, 40, 10, 4, [](int* v) { return KBX_PickBox(0, &v[0], &v[1], &v[2], &v[3]); }, {10, 4, 50, 40}},
        {"line", 2, 50, 40, 10, 4, [](int* v) { return KBX_PickLine(0, &v[0], &v[1], &v[2], &v[3]); }, {50, 40, 10, 4}},
        {"circle", 2, 30, 20, 33, 24, [](int* v) { return KBX_PickCircle(0, &v[0], &v[1], &v[2]); }, {30, 20, 5, -9}},
    };
    for (const Case& c : cases) {
        reset_tools();
        on_user_thread([] { ASSERT_EQ(0, KBX_CreateImage(0, "Pick", 0, 0, 64, 48, 200)); });
        fill_distinct(0);
        const PixelImage start = snapshot(0);
        PickOutcome out;
        kbxtest::begin_on_user_thread([&] { out.result = c.pick(out.v); });
        if (c.clicks == 1) {
            click_point(0, c.x1, c.y1);
        } else {
            click_box(0, c.x1, c.y1, c.x2, c.y2);
        }
        ASSERT_TRUE(kbxtest::finish_step()) << c.name;
        EXPECT_EQ(0, out.result) << c.name;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(c.want[i], out.v[i]) << c.name << " " << i;
        EXPECT_TRUE(same_pixels(start, snapshot(0))) << c.name << ": a band was left";
        EXPECT_EQ(depth_status(), status_text());
        EXPECT_EQ(0, current_image);
        // The main routine runs: drops stay refused after the loop.
        EXPECT_FALSE(GetWindowLongW(control.window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << c.name;
    }
}

// A program's pick gives up at once after a Stop (and leaves the Stop for
// the program to see) or once Exit has begun, whatever cleared the Stop
// meanwhile; a menu tool chosen once Exit has begun does not start.
TEST_F(ImageApi, PicksGiveUpAfterStopOrExit) {
    open_pair(32);
    struct Case {
        const char* name;
        int stop, exit;
        int (*pick)();   // null: the menu's box tool
        int want;
    } cases[] = {
        {"point after Stop", 1, 0, [] { return KBX_PickPoint(0, nullptr, nullptr); }, 1},
        {"box after Stop", 1, 0, [] { return KBX_PickBox(0, nullptr, nullptr, nullptr, nullptr); }, 1},
        {"circle once Exit began", 0, 1, [] { return KBX_PickCircle(0, nullptr, nullptr, nullptr); }, 1},
        {"menu tool once Exit began", 0, 1, nullptr, 0},
    };
    for (const Case& c : cases) {
        int result = -9, stop_after = -9, mode_after = -9;
        on_user_thread([&] {
            ::stop_request = c.stop;
            ::exit_state = c.exit;
            if (c.pick) result = c.pick();
            else result = static_cast<int>(SendMessageW(image_windows[0].window, WM_COMMAND, KBX_CMD_DRAW_BOX, 0));
            stop_after = ::stop_request;
            mode_after = drawing_tool_mode;
            ::exit_state = 0;
            ::stop_request = 0;
        });
        EXPECT_EQ(c.want, result) << c.name;
        EXPECT_EQ(c.stop, stop_after) << c.name;
        EXPECT_EQ(0, mode_after) << c.name;
        EXPECT_EQ(depth_status(), status_text()) << c.name;
    }
}

TEST_F(ImageApi, RightClickStopAndBadNumbersAnswerTheirCodes) {
    open_pair(32);
    PickOutcome out;

    // A right click before any point cancels.
    kbxtest::begin_on_user_thread([&] { out.result = KBX_PickPoint(0, &out.v[0], &out.v[1]); });
    ASSERT_TRUE(wait_status("Click a point"));
    post_right_click(0);
    ASSERT_TRUE(kbxtest::finish_step());
    EXPECT_EQ(1, out.result);

    // After the first point it steps back; a second right click cancels.
    kbxtest::begin_on_user_thread([&] { out.result = KBX_PickBox(1, &out.v[0], &out.v[1], &out.v[2], &out.v[3]); });
    ASSERT_TRUE(wait_status("Click the first point"));
    post_click(1, 20, 20);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_right_click(1);
    ASSERT_TRUE(wait_status("Click the first point"));
    post_right_click(1);
    ASSERT_TRUE(kbxtest::finish_step());
    EXPECT_EQ(1, out.result);

    // Stop while dragging, with the menu's band showing: cancelled for a
    // program, where the menu tool would draw; the band goes.
    const PixelImage start = snapshot(0);
    kbxtest::begin_on_user_thread([&] { out.result = KBX_PickCircle(0, &out.v[0], &out.v[1], &out.v[2]); });
    ASSERT_TRUE(wait_status("Click the first point"));
    post_click(0, 30, 20);
    ASSERT_TRUE(wait_status("Click the second point"));
    post_move(0, 36, 20);
    PixelImage band = start;
    xor_circle(view_of(band), 30, 20, 6);
    ASSERT_TRUE(wait_picture(0, band));
    PostMessageW(control.window, WM_KEYDOWN, 'C', 0);   // Stop, as its key gives it
    ASSERT_TRUE(kbxtest::finish_step());
    EXPECT_EQ(1, out.result);
    EXPECT_TRUE(same_pixels(start, snapshot(0)));
    ::stop_request = 0;

    // Numbers out of range or not open: 4 at once, nothing shown.
    on_user_thread([] {
        const std::string status = depth_status();
        int a = -9, b = -9, c = -9, d = -9;
        for (int n : {-1, 256, 7}) {
            EXPECT_EQ(4, KBX_PickPoint(n, &a, &b)) << n;
            EXPECT_EQ(4, KBX_PickRow(n, &a, &b)) << n;
            EXPECT_EQ(4, KBX_PickColumn(n, &a, &b)) << n;
            EXPECT_EQ(4, KBX_PickBox(n, &a, &b, &c, &d)) << n;
            EXPECT_EQ(4, KBX_PickLine(n, &a, &b, &c, &d)) << n;
            EXPECT_EQ(4, KBX_PickCircle(n, &a, &b, &c)) << n;
        }
        EXPECT_EQ(0, drawing_tool_mode.load());
        EXPECT_EQ(0, current_image);
        EXPECT_EQ(status, status_text());
    });

    // Null outputs are allowed.
    kbxtest::begin_on_user_thread([&] { out.result = KBX_PickPoint(1, nullptr, nullptr); });
    click_point(1, 4, 4);
    ASSERT_TRUE(kbxtest::finish_step());
    EXPECT_EQ(0, out.result);
}

// --- text ----------------------------------------------------------------------------------------------

TEST_F(ImageApi, BitmapTextLandsWhereDrawTextPutsIt) {
    open_pair(32, 80, 50);
    on_user_thread([] { KBX_SetDrawColor(0x00FF80); });
    post_command(0, KBX_CMD_DRAW_TEXT);
    click_point(0, 10, 20);
    ASSERT_TRUE(answer_prompt(L"Wrap me 42 times"));
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        select_image(1);
        KBX_SetTextCursor(10, 20, 10);
        KBX_SetTextColor(KBX_GetDrawColor());
        KBX_DrawText("Wrap me %d %s", 42, "times");   // wraps like the menu's line
        EXPECT_EQ(20 + 16 * 2, image_text_y);
    });
    EXPECT_TRUE(same_pixels(snapshot(0), snapshot(1)));
}

TEST_F(ImageApi, TrueTypeTextLandsWhereTheMenusDrawPutsIt) {
    open_pair(32, 90, 60);
    on_user_thread([] { KBX_SetTrueTypeTextColor(0xFFC000); });
    const PixelImage start = snapshot(0);
    post_command(0, KBX_CMD_TRUETYPE_DRAW);
    click_box(0, 4, 10, 36, 33);   // 33 x 24: a cell of 16 x 24
    ASSERT_TRUE(answer_prompt(L"AgW"));
    ASSERT_TRUE(wait_idle());
    on_user_thread([] {
        select_image(1);
        KBX_SetTextCursor(4, 33, 4);
        // Bad sizes change nothing.
        EXPECT_EQ(2, KBX_SetTrueTypeCell(0, 24));
        EXPECT_EQ(2, KBX_SetTrueTypeCell(16, -1));
        EXPECT_EQ(16, image_text_font_width);
        EXPECT_EQ(24, image_text_font_height);
        ASSERT_EQ(0, KBX_SetTrueTypeCell(16, 24));
        KBX_DrawTrueTypeText("AgW");
    });
    const PixelImage menu = snapshot(0);
    EXPECT_FALSE(same_pixels(start, menu));
    EXPECT_TRUE(same_pixels(menu, snapshot(1)));
}

}  // namespace
