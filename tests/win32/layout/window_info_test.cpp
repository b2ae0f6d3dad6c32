// Window Info: the layout source fragment on the clipboard, and a fragment
// that, compiled into a program, recreates the same windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "textwin/win_text_window.h"
#include "kobrix.h"
#include "textwin/layout_source.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

void idle_main() {
    while (exit_state == 0)
        if (wait_100ms() == 1) Sleep(20);
}

void image_and_text_setup() {
    KBX_CreateImage(0, "img", 10, 20, 640, 480, 100);
    KBX_OpenTextWindow(0, 700, 40, 400, 300);
}

void text_only_setup() { KBX_OpenTextWindow(0, 300, 200, 400, 300); }

// Every byte from 1 to 255, whole for a title, in two halves for labels and
// captions (which hold at most 254 characters).
const std::string kAllBytes = [] {
    std::string bytes;
    for (int c = 1; c <= 255; ++c) bytes += static_cast<char>(c);
    return bytes;
}();
const std::string kLowBytes = kAllBytes.substr(0, 127), kHighBytes = kAllBytes.substr(127);

void full_layout_setup() {
    KBX_CreateImage(0, "photo \"raw\"", 20, 30, 320, 240, 100);
    KBX_CreateImage8FL(1, kAllBytes.c_str(), 400, 30, 256, 200, 100);
    KBX_OpenTextWindow(0, 0, 500, 300, 200);
    KBX_OpenTextWindow(3, 350, 500, 250, 150);
    KBX_OpenInputBox(700, 300, 4);
    KBX_SetInputBoxTitle(0, "Width");
    KBX_SetInputBoxTitle(1, "C:\\dir");
    KBX_SetInputBoxTitle(2, kLowBytes.c_str());
    KBX_SetInputBoxTitle(3, kHighBytes.c_str());
    KBX_OpenButtonBox(700, 500, 2, 2);
    KBX_ResizeButtonBox(220, 80);
    KBX_SetButtonBoxTitle(0, "Go");
    KBX_SetButtonBoxTitle(1, "two\nlines");
    KBX_SetButtonBoxTitle(2, kLowBytes.c_str());
    KBX_SetButtonBoxTitle(3, kHighBytes.c_str());
}

// A window text as hex digits, so that any text fits a line of its own.
std::string hex_of(const std::wstring& text) {
    std::string out;
    char digits[8];
    for (wchar_t c : text) {
        std::snprintf(digits, sizeof digits, "%04x", static_cast<unsigned>(c));
        out += digits;
    }
    return out;
}

std::string read_all(const std::string& path) {
    std::string text;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    std::fclose(f);
    return text;
}

// Runs Window Info in a text window and returns the clipboard's text.
std::string window_info_fragment(HWND text_window) {
    clear_clipboard();
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(text_window, WM_COMMAND, KBX_CMD_WINDOW_INFO, 0);
    return clipboard_text_after(before);
}

std::string top_left(HWND w) {
    RECT r = window_rect(w);
    return std::to_string(r.left) + "," + std::to_string(r.top);
}

}  // namespace

TEST(WindowInfo, ImageAndTextWindowGiveSixLines) {
    std::string fragment, text_at, image_at;
    run_framework_with(image_and_text_setup, idle_main, [&] {
        wait_for_control_window();
        wait_until([] { return kbx::text_windows[0].in_use == 1; });
        fragment = window_info_fragment(kbx::text_windows[0].window);
        text_at = top_left(kbx::text_windows[0].window);
        image_at = top_left(kbx::image_windows[0].window);
    });
    EXPECT_EQ(image_at, "10,20");
    EXPECT_EQ(fragment, "\t// KOBRIX --- Automatic Source Generator\n"
                        "\t// [Image Window]\n"
                        "\tKBX_CreateImage(0,\"img\",10,20,640,480,100);\n"
                        "\t// [Text Window]\n"
                        "\tKBX_OpenTextWindow(0," + text_at + ",400,300);\n"
                        "\tKBX_SetForeground(KBXMAINWINDOW);\n");
}

TEST(WindowInfo, TextWindowAloneGivesFourLines) {
    std::string fragment, text_at;
    run_framework_with(text_only_setup, idle_main, [&] {
        wait_for_control_window();
        wait_until([] { return kbx::text_windows[0].in_use == 1; });
        fragment = window_info_fragment(kbx::text_windows[0].window);
        text_at = top_left(kbx::text_windows[0].window);
    });
    EXPECT_EQ(fragment, "\t// KOBRIX --- Automatic Source Generator\n"
                        "\t// [Text Window]\n"
                        "\tKBX_OpenTextWindow(0," + text_at + ",400,300);\n"
                        "\tKBX_SetForeground(KBXMAINWINDOW);\n");
}

static const char kLongTitle[] = "a picture whose title is long enough to show if it were freed";
static void long_title_setup() {
    KBX_CreateImage(0, kLongTitle, 10, 20, 40, 30, 100);
    KBX_OpenTextWindow(0, 700, 40, 400, 300);
}

// Runs in the program's pumps while Window Info prints: at a line's start
// it waits out the repaint interval, so that the next print is painted and
// pumps; once picture 0's line has begun (" 0 "), it closes the picture, as
// a user's click would, and hands its title's memory to someone else.
static LRESULT CALLBACK close_during_line(int code, WPARAM wparam, LPARAM lparam) {
    const kbx::TextWindowRecord& t = kbx::text_windows[0];
    if (code >= 0 && kbx::image_windows[0].in_use) {
        if (t.cursor_x == 0) Sleep(kbx::kTextRepaintIntervalMs + 5);
        if (t.cursor_x == 3 * t.char_width) {
            kbx::destroy_image_window(0);
            if (char* reused = static_cast<char*>(std::malloc(sizeof kLongTitle))) {
                std::memset(reused, 'X', sizeof kLongTitle - 1);
                reused[sizeof kLongTitle - 1] = 0;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(WindowInfo, PictureClosedWhileItsLinePrints) {
    std::string fragment;
    run_framework_with(long_title_setup, idle_main, [&] {
        wait_for_control_window();
        wait_until([] { return kbx::text_windows[0].in_use == 1 && kbx::image_windows[0].in_use == 1; });
        HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, close_during_line, nullptr, kbx::control.user_thread_id);
        fragment = window_info_fragment(kbx::text_windows[0].window);
        UnhookWindowsHookEx(hook);
    });
    EXPECT_NE(fragment.find(std::string("KBX_CreateImage(0,\"") + kLongTitle + "\""), std::string::npos) << fragment;
}

// Writes the fragment of a full layout, and where its windows are, for the
// replay below (run by ctest after the fragment has been compiled).
TEST(WindowInfo, FullLayoutFragment) {
    std::string fragment;
    std::string expected;
    run_framework_with(full_layout_setup, idle_main, [&] {
        wait_for_control_window();
        wait_until([] { return kbx::button_box.window != nullptr; });
        fragment = window_info_fragment(kbx::text_windows[0].window);
        for (HWND w : top_level_windows(GetCurrentProcessId())) {
            std::wstring cls = class_name(w);
            if (cls.rfind(L"kbx_", 0) != 0 || !IsWindowVisible(w)) continue;
            RECT r = window_rect(w);
            char line[4096];
            std::snprintf(line, sizeof line, "%ls|%s|%ld|%ld|%ld|%ld\n", cls.c_str(), hex_of(window_text(w)).c_str(),
                          static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
                          static_cast<long>(r.bottom));
            expected += line;
        }
    });
    EXPECT_NE(fragment.find("\tKBX_CreateImage(0,\"photo \\\"raw\\\"\",20,30,320,240,100);\n"), std::string::npos);
    // The texts read back whole; the replay below shows that the fragment
    // compiles and gives them back byte for byte.
    EXPECT_NE(fragment.find("\tKBX_CreateImage8FL(1,\"" + kbx::escape_literal(kAllBytes) + "\",400,30,256,200,100);\n"),
              std::string::npos);
    for (int k : {2, 3}) {
        std::string text = kbx::escape_literal(k == 2 ? kLowBytes : kHighBytes);
        EXPECT_NE(fragment.find("\tKBX_SetInputBoxTitle(" + std::to_string(k) + ",\"" + text + "\");\n"),
                  std::string::npos);
        EXPECT_NE(fragment.find("\tKBX_SetButtonBoxTitle(" + std::to_string(k) + ",\"" + text + "\");\n"),
                  std::string::npos);
    }
    EXPECT_NE(fragment.find("\tKBX_SetInputBoxTitle(1,\"C:\\\\dir\");\n"), std::string::npos);
    EXPECT_NE(fragment.find("\tKBX_ResizeButtonBox(220,80);\n"), std::string::npos);
    EXPECT_NE(fragment.find("\tKBX_SetButtonBoxTitle(1,\"two\\nlines\");\n"), std::string::npos);

    const char* dir = std::getenv("KBX_FRAGMENT_DIR");
    if (!dir) return;   // the replay is not part of this run
    std::string base = host_path(dir);
    FILE* f = std::fopen((base + "/layout_fragment.inc").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(fragment.c_str(), f);
    std::fclose(f);
    f = std::fopen((base + "/expected_windows.txt").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(expected.c_str(), f);
    std::fclose(f);
}

// Starts the program built from the fragment, finds every window where the
// original layout had it, and has its Window Info give the same fragment.
TEST(WindowInfo, ReplayedFragmentRecreatesLayout) {
    const char* dir = std::getenv("KBX_FRAGMENT_DIR");
    if (!dir || !std::getenv("KBX_REPLAY")) GTEST_SKIP() << "run by the w32_layout_replay test";
    std::string base = host_path(dir);
    std::string expected = read_all(base + "/expected_windows.txt");
    std::string original_fragment = read_all(base + "/layout_fragment.inc");
    ASSERT_FALSE(expected.empty());

    Process p = launch(program_path(L"layout_fragment_program"), make_temp_dir(L"replay"));
    ASSERT_NE(p.handle, nullptr);
    ASSERT_NE(wait_for_window(L"kbx_bb", nullptr, 15000, p.pid), nullptr);
    size_t start = 0;
    int checked = 0;
    while (start < expected.size()) {
        size_t end = expected.find('\n', start);
        std::string line = expected.substr(start, end - start);
        start = end + 1;
        char cls[64], title[4096];
        long l, t, r, b;
        if (std::sscanf(line.c_str(), "%63[^|]|%4095[^|]|%ld|%ld|%ld|%ld", cls, title, &l, &t, &r, &b) != 6) continue;
        // The setup routine may still be placing and sizing it.
        HWND w = nullptr;
        RECT now = {};
        wait_until([&] {
            w = nullptr;
            for (HWND candidate : top_level_windows(p.pid, std::wstring(cls, cls + std::strlen(cls)).c_str()))
                if (hex_of(window_text(candidate)) == title) w = candidate;
            if (w) now = window_rect(w);
            return w && now.left == l && now.top == t && now.right == r && now.bottom == b;
        }, 10000);
        ASSERT_NE(w, nullptr) << line;
        EXPECT_EQ(now.left, l) << line;
        EXPECT_EQ(now.top, t) << line;
        EXPECT_EQ(now.right, r) << line;
        EXPECT_EQ(now.bottom, b) << line;
        ++checked;
    }
    EXPECT_EQ(checked, 6);   // two images, two text windows, both boxes
    std::vector<HWND> text_windows = top_level_windows(p.pid, L"kbx_twi");
    ASSERT_FALSE(text_windows.empty());
    EXPECT_EQ(window_info_fragment(text_windows[0]), original_fragment);

    HWND control = find_window(nullptr, nullptr, p.pid);
    for (HWND w : top_level_windows(p.pid))
        if (class_name(w).rfind(L"kobrix_mw", 0) == 0) control = w;
    post_key(control, VK_ESCAPE);
    wait_exit(p, 10000);
    terminate(p);
}
