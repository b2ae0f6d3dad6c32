// What the hello and calculator tests leave out of the public test helper:
// a program's environment, pictures read from outside, clicks at picture
// pixels under a zoom, a typed line, a wait that runs out and says what it
// waited for, a program that dies, and programs that outlive no test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "kobrix_testing.h"
#include "testing/win_picture_files.h"
#include "tests/support/driver.h"

namespace {

using kbxtest::exe_path;

bool process_ended(DWORD pid) {
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!h) return true;
    const bool ended = WaitForSingleObject(h, 10000) == WAIT_OBJECT_0;
    CloseHandle(h);
    return ended;
}

}  // namespace

TEST(TestHelper, ReadsPicturesTypesAndClicksAtPixels) {
    // What the user had on the clipboard stays there.
    ASSERT_TRUE(kbxtest::write_clipboard_text(L"the user's own text"));
    KBX_TestProgram program;
    const char* env[] = {"KBX_PICK_TITLE=given", nullptr};
    ASSERT_EQ(KBX_TestStart(&program, exe_path(L"pick_print_program").c_str(), env), 0) << KBX_TestLastError();
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
    EXPECT_EQ(KBX_TestClipboardText(), "the user's own text");
}

TEST(TestHelper, NoticesAProgramThatDiesAndSaysItsExitCode) {
    KBX_TestProgram program;
    ASSERT_EQ(KBX_TestStart(&program, exe_path(L"dying_program").c_str()), KBX_TEST_DONE) << KBX_TestLastError();
    // Starting again on a running program is refused, and it keeps running.
    EXPECT_EQ(KBX_TestStart(&program, exe_path(L"dying_program").c_str()), KBX_TEST_REFUSED);
    EXPECT_NE(std::string(KBX_TestLastError()).find("still runs"), std::string::npos) << KBX_TestLastError();

    // Start: it ends with 7 while the test waits for a window it never opens.
    ASSERT_EQ(KBX_TestPressStart(&program), KBX_TEST_DONE) << KBX_TestLastError();
    const DWORD pressed = GetTickCount();
    EXPECT_EQ(KBX_TestWaitForWindow(&program, KBX_TEST_TEXT_WINDOW, 0), nullptr);
    EXPECT_LT(GetTickCount() - pressed, 2000u) << "the wait ran on after the program ended";
    EXPECT_NE(std::string(KBX_TestLastError()).find("ended (exit code 7)"), std::string::npos) << KBX_TestLastError();

    // Every call that waits on the program says the same at once.
    KBX_TestWindow control = program.control;
    std::string log;
    const std::pair<const char*, std::function<int()>> calls[] = {
        {"type a line", [&] { return KBX_TestTypeLine(&program, 0, "x"); }},
        {"start log", [&] { return KBX_TestStartLog(&program, 0); }},
        {"read log", [&] { return KBX_TestReadLog(&program, 0, &log); }},
        {"wait for output", [&] { return KBX_TestWaitForOutput(&program, 0, "x"); }},
        {"set a field", [&] { return KBX_TestSetField(&program, 3, "x"); }},
        {"press a button", [&] { return KBX_TestPressButton(&program, 5); }},
        {"Start", [&] { return KBX_TestPressStart(&program); }},
        {"hold", [&] { return KBX_TestHoldProgram(&program); }},
    };
    for (const auto& call : calls) {
        const DWORD from = GetTickCount();
        EXPECT_EQ(call.second(), KBX_TEST_PROGRAM_ENDED) << call.first;
        EXPECT_LT(GetTickCount() - from, 1000u) << call.first;
        const std::string error = KBX_TestLastError();
        EXPECT_EQ(error.rfind(std::string(call.first) + ": the program ended (exit code 7)", 0), 0u) << error;
    }
    // The last error is the last call's: a call that did not fail clears it.
    EXPECT_EQ(KBX_TestPostKey(control, 'A'), KBX_TEST_NO_SUCH_WINDOW);
    KBX_TestSetTimeout(10000);
    EXPECT_STREQ(KBX_TestLastError(), "");
    KBX_TestEnd(&program);
    EXPECT_EQ(KBX_TestPressStart(&program), KBX_TEST_NO_PROGRAM);
}

// Run by LeavesNoProgramBehind as a process of its own: starts a program,
// hands its process id over, and ends as a failed assertion or a crash
// would, without ending it.
TEST(TestHelper, DISABLED_StartsAProgramAndGivesUp) {
    KBX_TestProgram program;
    ASSERT_EQ(KBX_TestStart(&program, exe_path(L"wait_loop_program").c_str()), KBX_TEST_DONE);
    std::printf("program pid %lu\n", program.pid);
    std::fflush(stdout);
    if (std::getenv("KBX_GIVE_UP_HARD")) TerminateProcess(GetCurrentProcess(), 1);
}

TEST(TestHelper, LeavesNoProgramBehind) {
    // Owned: ended when the owner goes out of scope.
    DWORD pid = 0;
    {
        KBX_TestOwnedProgram owned(exe_path(L"wait_loop_program").c_str());
        ASSERT_EQ(owned.result, KBX_TEST_DONE) << KBX_TestLastError();
        pid = owned.get()->pid;
    }
    EXPECT_TRUE(process_ended(pid));

    // A test process that returns early, or is killed, takes its programs
    // with it.
    for (const char* hard : {"", "1"}) {
        SetEnvironmentVariableA("KBX_GIVE_UP_HARD", *hard ? hard : nullptr);
        const std::wstring out = kbxtest::make_temp_dir(L"give_up");
        const std::wstring file = kbxtest::join_path(out, L"out.txt");
        const std::wstring command = L"/c \"\"" + kbxtest::program_path(L"kbx_w32_e2e_runtime") +
                                     L"\" --gtest_also_run_disabled_tests"
                                     L" --gtest_filter=TestHelper.DISABLED_StartsAProgramAndGivesUp > \"" + file + L"\"\"";
        wchar_t shell[MAX_PATH];
        GetEnvironmentVariableW(L"ComSpec", shell, MAX_PATH);
        kbxtest::Process child = kbxtest::launch(shell, L"", command);
        ASSERT_NE(child.handle, nullptr);
        ASSERT_TRUE(kbxtest::wait_exit(child, 60000)) << hard;
        kbxtest::terminate(child);
        std::string text;
        ASSERT_TRUE(kbxtest::read_file(file, &text));
        const size_t at = text.find("program pid ");
        ASSERT_NE(at, std::string::npos) << text;
        pid = std::strtoul(text.c_str() + at + 12, nullptr, 10);
        EXPECT_TRUE(process_ended(pid)) << (*hard ? "killed" : "returned early") << ": program " << pid << " runs on";
        kbxtest::remove_folder(out);
    }
    SetEnvironmentVariableA("KBX_GIVE_UP_HARD", nullptr);
}

// The picture program with the artifacts folder set to a fresh one: a
// failed check leaves a screenshot of its windows and its log there (after
// its end it says so instead); the picture, inverted, against the
// reference kept beside this file, a near copy at tolerances either side
// of its difference, and a reference made by KBX_TEST_UPDATE.
TEST(TestHelper, LeavesEvidenceAndMatchesPicturesWithReferences) {
    const std::wstring artifacts = kbxtest::make_temp_dir(L"artifacts");
    SetEnvironmentVariableW(L"KBX_TEST_ARTIFACTS", artifacts.c_str());
    KBX_TestProgram program;
    ASSERT_EQ(KBX_TestStart(&program, exe_path(L"pick_print_program").c_str()), KBX_TEST_DONE) << KBX_TestLastError();
    KBX_TestWindow image = KBX_TestWaitForImageWindow(&program, "pick");
    ASSERT_NE(image, nullptr) << KBX_TestLastError();
    ASSERT_EQ(KBX_TestStartLog(&program, 0), 0) << KBX_TestLastError();
    const int failures = KBX_TestFailures();
    testing::internal::CaptureStdout();
    KBX_TestCheck(false, "deliberately", "here", 1);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(KBX_TestFailures(), failures + 1);
    const std::wstring prefix = artifacts + L"\\failure1_" + std::to_wstring(program.pid) + L"_";
    const std::string shot(prefix.begin(), prefix.end());
    EXPECT_NE(said.find(shot + "screen.png"), std::string::npos) << said;
    EXPECT_NE(said.find(shot + "KOBRIX"), std::string::npos) << said;   // the log's copy
    // The screenshot shows the picture: its last pixel's colour is there.
    KBX_TestPicture screen;
    EXPECT_TRUE(kbxtest::read_picture_file(prefix + L"screen.png", &screen.width, &screen.height, &screen.pixels));
    EXPECT_NE(std::find(screen.pixels.begin(), screen.pixels.end(), (119u << 16) | (89u << 8) | 0x55),
              screen.pixels.end());

    EXPECT_EQ(KBX_TestPostCommand(image, KBX_CMD_INVERT), 0);
    EXPECT_EQ(KBX_TestMatchPicture(image, "references/inverted_pick.png", 0, 0), 0) << KBX_TestLastError();
    KBX_TestPicture near_copy;
    ASSERT_EQ(KBX_TestReadImage(image, &near_copy), 0) << KBX_TestLastError();
    for (unsigned& p : near_copy.pixels) p += 3;   // blue: 0xAA + 3
    const std::wstring near_path = artifacts + L"\\near.png";
    ASSERT_TRUE(kbxtest::write_png_file(near_path, near_copy.width, near_copy.height, near_copy.pixels));
    const std::string near_name(near_path.begin(), near_path.end());
    EXPECT_EQ(KBX_TestMatchPicture(image, near_name.c_str(), 3, 0), 0) << KBX_TestLastError();
    EXPECT_EQ(KBX_TestMatchPicture(image, near_name.c_str(), 2, 0), KBX_TEST_MISMATCH);
    EXPECT_NE(std::string(KBX_TestLastError()).find("10800 pixels differ"), std::string::npos) << KBX_TestLastError();
    EXPECT_NE(std::string(KBX_TestLastError()).find("largest difference 3, first at 0, 0"), std::string::npos);
    for (const wchar_t* left : {L"\\near.actual.png", L"\\near.diff.png"})
        EXPECT_NE(GetFileAttributesW((artifacts + left).c_str()), INVALID_FILE_ATTRIBUTES);

    const std::wstring made = artifacts + L"\\made\\fresh.png";
    const std::string made_name(made.begin(), made.end());
    EXPECT_EQ(KBX_TestMatchPicture(image, made_name.c_str(), 0, 0), KBX_TEST_NO_SUCH_FILE);
    SetEnvironmentVariableW(L"KBX_TEST_UPDATE", L"1");
    EXPECT_EQ(KBX_TestMatchPicture(image, made_name.c_str(), 0, 0), 0) << KBX_TestLastError();
    SetEnvironmentVariableW(L"KBX_TEST_UPDATE", nullptr);
    EXPECT_EQ(KBX_TestMatchPicture(image, made_name.c_str(), 0, 0), 0) << KBX_TestLastError();

    int code = -1;
    EXPECT_EQ(KBX_TestExit(&program, &code, nullptr), 0) << KBX_TestLastError();
    testing::internal::CaptureStdout();
    KBX_TestCheck(false, "after the end", "here", 2);
    const std::string after = testing::internal::GetCapturedStdout();
    EXPECT_NE(after.find("had ended, exit code 0"), std::string::npos) << after;
    KBX_TestEnd(&program);
    SetEnvironmentVariableW(L"KBX_TEST_ARTIFACTS", nullptr);
}
