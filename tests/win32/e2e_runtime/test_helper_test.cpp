// What the hello and calculator tests leave out of the public test helper:
// a program's environment, pictures read from outside, clicks at picture
// pixels under a zoom, a typed line, and a wait that runs out and says what
// it waited for.
#include <gtest/gtest.h>

#include <string>

#include "kobrix_testing.h"
#include "tests/support/driver.h"

TEST(TestHelper, ReadsPicturesTypesAndClicksAtPixels) {
    KBX_TestProgram program;
    const std::wstring path = kbxtest::program_path(L"pick_print_program");
    const char* env[] = {"KBX_PICK_TITLE=given", nullptr};
    ASSERT_EQ(KBX_TestStart(&program, std::string(path.begin(), path.end()).c_str(), env), 0) << KBX_TestLastError();
    KBX_TestWindow image = KBX_TestWaitForImageWindow(&program, "given");
    ASSERT_NE(image, nullptr) << KBX_TestLastError();
    EXPECT_EQ(KBX_TestImageZoom(image), 150);
    EXPECT_EQ(KBX_TestFindWindow(&program, KBX_TEST_IMAGE_WINDOW, 2), image);
    EXPECT_EQ(KBX_TestFindWindow(&program, KBX_TEST_IMAGE_WINDOW, 0), nullptr);

    KBX_TestPicture picture;
    ASSERT_EQ(KBX_TestReadImage(image, &picture), 0) << KBX_TestLastError();
    ASSERT_EQ(picture.width, 120);
    ASSERT_EQ(picture.height, 90);
    for (int y : {0, 1, 45, 89})
        for (int x : {0, 1, 77, 119})
            EXPECT_EQ(picture.pixels[y * 120 + x], unsigned((x << 16) | (y << 8) | 0x55)) << x << ", " << y;

    // The line is read only after Start.
    ASSERT_EQ(KBX_TestPressStart(&program), 0) << KBX_TestLastError();
    ASSERT_EQ(KBX_TestStartLog(&program, 0), 0) << KBX_TestLastError();
    ASSERT_EQ(KBX_TestTypeLine(&program, 0, "a line"), 0) << KBX_TestLastError();
    EXPECT_EQ(KBX_TestWaitForOutput(&program, 0, "typed a line\r\n"), 0) << KBX_TestLastError();
    // At 150 % pixel 33 starts at client x 50: x 49 (33 * 1.5 rounded down)
    // shows pixel 32.
    EXPECT_EQ(KBX_TestClickImage(&program, image, 5, 7), 0);
    EXPECT_EQ(KBX_TestClickImage(&program, image, 33, 89), 0);
    EXPECT_EQ(KBX_TestWaitForOutput(&program, 0, "box 0: 5 7 33 89\r\n"), 0) << KBX_TestLastError();

    KBX_TestSetTimeout(200);
    EXPECT_EQ(KBX_TestWaitForImageWindow(&program, "none"), nullptr);
    EXPECT_STREQ(KBX_TestLastError(), "wait for a window: waited 200 ms for an image window titled \"none\" to open");
    KBX_TestSetTimeout(10000);
    int code = -1;
    EXPECT_EQ(KBX_TestExit(&program, &code, nullptr), 0) << KBX_TestLastError();
    EXPECT_EQ(code, 0);
    KBX_TestEnd(&program);
}
