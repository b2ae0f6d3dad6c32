// Requests 9001 to 9004: the control window's side posts, the user-program
// thread's idle loop creates, shows, loads and pastes.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

void no_setup() {}
void idle_main() {
    while (exit_state == 0) wait_100ms();
}

// A 2 x 2 24-bit BMP, all one colour.
bool write_tiny_bmp(const char* path, std::uint32_t color) {
    unsigned char b[54 + 16] = {'B', 'M'};
    b[2] = sizeof b;
    b[10] = 54;
    b[14] = 40;
    b[18] = 2;
    b[22] = 2;
    b[26] = 1;
    b[28] = 24;
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 2; ++x) {
            unsigned char* p = b + 54 + row * 8 + x * 3;
            p[0] = static_cast<unsigned char>(color);
            p[1] = static_cast<unsigned char>(color >> 8);
            p[2] = static_cast<unsigned char>(color >> 16);
        }
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(b, 1, sizeof b, f) == sizeof b;
    return std::fclose(f) == 0 && ok;
}

}  // namespace

TEST(ImageRequests, CreateShowLoadAndPutBitmap) {
    ASSERT_TRUE(write_tiny_bmp("image_request.bmp", 0x2040C0));
    int created = -1, again = -1, bad_depth = -1, loaded = -1, missing = -1;
    int current_after_load = -1;
    std::uint32_t loaded_pixel = 0, put_pixel = 0;
    run_framework_with(no_setup, idle_main, [&] {
        wait_for_control_window();
        created = kbx::post_create_image(3, "Req", 64, 48, 32);
        again = kbx::post_create_image(3, "Req", 64, 48, 32);
        bad_depth = kbx::post_create_image(4, "Req", 64, 48, 24);
        kbx::post_create_image(5, "Other", 16, 16, 8);   // current now
        kbx::post_show_image(3);
        loaded = kbx::post_load_image(3, "image_request.bmp");
        missing = kbx::post_load_image(3, "no_such_file.bmp");
        current_after_load = kbx::current_image;
        GdiFlush();
        loaded_pixel = kbx::image_pixels32[3][1 * 64 + 1];

        kbx::select_image(3);   // from the outside, as the control window's paste would find it current
        HBITMAP bitmap = kbxtest::solid_bitmap(4, 4, RGB(0x11, 0x22, 0x33));
        kbx::post_put_bitmap(bitmap);
        GdiFlush();
        put_pixel = kbx::image_pixels32[3][3 * 64 + 3];
    });
    EXPECT_EQ(0, created);
    EXPECT_EQ(1, again);
    EXPECT_EQ(3, bad_depth);
    EXPECT_EQ(0, loaded);
    EXPECT_EQ(1, missing);
    EXPECT_EQ(5, current_after_load);   // the load put the selection back
    EXPECT_EQ(0x2040C0u, loaded_pixel & 0xFFFFFF);
    EXPECT_EQ(0x112233u, put_pixel & 0xFFFFFF);
    DeleteFileA("image_request.bmp");
}
