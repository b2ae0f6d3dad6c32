// The command console, opened with Space or the Command item, read through
// the window log.
#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <string>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "tests/support/driver.h"
#include "tests/win32/textwin/session.h"
#include "textwin/text_commands.h"
#include "textwin/win_text_window.h"

using namespace textwin_test;
using kbx::text_windows;

namespace {

class TextConsole : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start_session(); }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override {
        close_all_text_windows();
        use_fresh_log_dir(L"twconsole");
        on_user_thread([] {
            kbx::draw_color = 0xFFFFFF;
            kbx::kbx_tttc = 0xFFFFFF;
            kbx::kbx_tc = 0x000000;
            ASSERT_EQ(KBX_OpenTextWindow(0, 0, 0, 400, 200), 0);
            ASSERT_EQ(KBX_OpenTextWindow(1, 420, 0, 400, 200), 0);
            KBX_StartLog(0);
            KBX_StartLog(1);
        });
    }
};

// Opens the console in window n (Space, or the Command item), types the
// line and Enter, and returns what window `shown`'s log then holds.
std::string console(int n, const std::wstring& typed, bool by_space = true, int shown = -1) {
    HWND window = text_windows[n].window;
    if (by_space) PostMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    else kbxtest::post_command(window, kbx::kCmdTextConsole);
    EXPECT_TRUE(kbxtest::wait_until([] { return kbx::input_active != 0; }));
    HWND input = text_windows[kbx::input_active - 1].window;
    kbxtest::post_text(input, typed + L"\r");
    EXPECT_TRUE(kbxtest::wait_until([] { return kbx::input_active == 0; }));
    settle();   // the command's own output, and what it posted
    if (shown < 0) shown = n;
    on_user_thread([=] { KBX_CloseLog(shown); });
    return log_contents(shown);
}

}  // namespace

TEST_F(TextConsole, ColorShowsTheDrawingColours) {
    EXPECT_EQ(console(0, L"color"),
              "Cmd>color\r\nRed  :255\r\nGreen:255\r\nBlue :255\r\nkbx_tttc=ffffff\r\nkbx_tc=000000\r\n");
    on_user_thread([] {
        kbx::draw_color = 0x12AB05;
        kbx::kbx_tttc = 0x00FF10;
        kbx::kbx_tc = 0xABCDEF;
        KBX_StartLog(0);
    });
    EXPECT_EQ(console(0, L"color"),
              "Cmd>color\r\nRed  : 18\r\nGreen:171\r\nBlue :  5\r\nkbx_tttc=00ff10\r\nkbx_tc=abcdef\r\n");
}

TEST_F(TextConsole, HelpListsTheCommands) {
    EXPECT_EQ(console(0, L"help"), "Cmd>help\r\nCommand list:exit help start ver color\r\n");
}

TEST_F(TextConsole, OnlyTheExactWordsAreCommands) {
    for (const wchar_t* typed : {L"Exit", L" exit", L"exit ", L"HELP", L"", L"colour"}) {
        SCOPED_TRACE(std::string(typed, typed + wcslen(typed)));
        on_user_thread([] { KBX_StartLog(0); });
        std::string expected = "Cmd>" + std::string(typed, typed + wcslen(typed)) + "\r\nInvalid command\r\n";
        EXPECT_EQ(console(0, typed), expected);
        EXPECT_EQ(text_windows[0].in_use, 1);
    }
    EXPECT_NE(::exit_state, 1);
}

TEST_F(TextConsole, VerPrintsTheAboutLine) {
    std::string log = console(0, L"ver");
    EXPECT_EQ(log.find("Cmd>ver\r\nKOBRIX"), 0u);
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
}

TEST_F(TextConsole, SpaceMakesTheWindowCurrentFirst) {
    ASSERT_EQ(kbx::current_text_window, 1);
    EXPECT_EQ(console(0, L"help"), "Cmd>help\r\nCommand list:exit help start ver color\r\n");
    EXPECT_EQ(kbx::current_text_window, 0);
}

TEST_F(TextConsole, TheCommandItemLeavesTheCurrentWindow) {
    ASSERT_EQ(kbx::current_text_window, 1);
    // Asked in window 0, the console runs in window 1, the current one.
    EXPECT_EQ(console(0, L"help", false, 1), "Cmd>help\r\nCommand list:exit help start ver color\r\n");
    EXPECT_EQ(kbx::current_text_window, 1);
    EXPECT_EQ(log_contents(0), "");
}

namespace {

std::atomic<int> main_entered{0};

void console_setup() { KBX_OpenTextWindow(0, 0, 0, 300, 200); }

void console_main() {
    main_entered = 1;
    while (::exit_state == 0) {
        kbx::pump_messages();
        kbx::wait_for_work(5);
    }
}

// Space in text window 0, then a line and Enter.
void type_command(const std::wstring& typed) {
    // The table holds the last run's windows until start-up resets it.
    ASSERT_NE(kbxtest::wait_for_control_window(), nullptr);
    ASSERT_TRUE(kbxtest::wait_until([] { return kbx::text_windows[0].in_use != 0; }, 10000));
    HWND window = kbx::text_windows[0].window;
    PostMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    ASSERT_TRUE(kbxtest::wait_until([] { return kbx::input_active != 0; }));
    kbxtest::post_text(window, typed + L"\r");
}

}  // namespace

TEST(TextConsoleRun, StartStartsTheMainRoutine) {
    main_entered = 0;
    kbxtest::run_framework_with(console_setup, console_main, [] {
        type_command(L"start");
        EXPECT_TRUE(kbxtest::wait_until([] { return main_entered == 1; }, 5000));
    });
    EXPECT_EQ(main_entered, 1);
}

TEST(TextConsoleRun, ExitEndsTheProgram) {
    main_entered = 0;
    bool ended = false;
    int code = kbxtest::run_framework_with(console_setup, console_main, [&] {
        type_command(L"exit");
        ended = kbxtest::wait_until([] { return !IsWindow(kbx::control.window); }, 10000);
    });
    EXPECT_TRUE(ended);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(main_entered, 0);
    EXPECT_EQ(::exit_state, 2);
}
