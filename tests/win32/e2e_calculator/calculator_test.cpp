// The DPI calculator as its user meets it: the built program started in a
// folder of its own, its windows found by class and title, Calc pressed
// from outside, the clipboard and KOBRIX00.LOG read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "kbx_commands.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

std::string lines(const std::vector<std::string>& text) {
    std::string joined;
    for (const std::string& line : text) joined += line + "\r\n";
    return joined;
}

const std::string kFirstPrintout = lines({"Width : 800", "Height: 600", "Inch  : 8.000000", "", "DPI: 125.000000", "",
                                          "12.45: 10.040161", "12.5 : 10.000000", "12.55: 9.960159", "12.6: 9.920635",
                                          "12.65: 9.881423"});

bool contains_line(const std::string& text, const std::string& line) {
    return text.find("\r\n" + line + "\r\n") != std::string::npos || text.rfind(line + "\r\n", 0) == 0;
}

HWND child_at_order(HWND parent, const wchar_t* cls, size_t index) {
    std::vector<HWND> children = child_windows(parent, cls);
    std::sort(children.begin(), children.end(),
              [](HWND a, HWND b) { return window_rect(a).top < window_rect(b).top; });
    return index < children.size() ? children[index] : nullptr;
}

POINT top_left(HWND window) {
    RECT r = window_rect(window);
    return POINT{r.left, r.top};
}

// One running calculator, ended when the test ends.
class Calculator : public ::testing::Test {
protected:
    Process process;
    std::wstring dir;
    HWND control = nullptr, input = nullptr, buttons = nullptr, text = nullptr, calc = nullptr;
    HWND field[3] = {};
    HWND label[3] = {};
    DWORD thread = 0;

    void SetUp() override {
        clear_clipboard();
        dir = make_temp_dir(L"calc");
        process = launch(program_path(L"dpi_calculator"), dir);
        ASSERT_NE(process.handle, nullptr);
        control = wait_for_window(L"kobrix_mw0", nullptr, 15000, process.pid);
        input = wait_for_window(L"kbx_ib", L"InputBox", 15000, process.pid);
        buttons = wait_for_window(L"kbx_bb", L"ButtonBox", 15000, process.pid);
        text = wait_for_window(L"kbx_twi", L"TextWindow 0", 15000, process.pid);
        ASSERT_NE(control, nullptr);
        ASSERT_NE(input, nullptr);
        ASSERT_NE(buttons, nullptr);
        ASSERT_NE(text, nullptr);
        for (int i = 0; i < 3; ++i) {
            field[i] = child_at_order(input, L"Edit", i);
            label[i] = child_at_order(input, L"Static", i);
        }
        calc = child_at_order(buttons, L"Button", 0);
        thread = GetWindowThreadProcessId(buttons, nullptr);
    }

    void TearDown() override {
        terminate(process);
        DeleteFileW(join_path(dir, L"KOBRIX00.LOG").c_str());
        RemoveDirectoryW(dir.c_str());
    }

    HWND focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndFocus;
    }

    void type_into(int i, const wchar_t* value) {
        SendMessageW(field[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
    }

    // The calculator's next printout after the clipboard's sequence number
    // was `before`.
    static std::string printout_after(DWORD before) { return clipboard_text_after(before, 5000); }

    // Presses Calc with the mouse and returns the printout.
    std::string press_calc() {
        clear_clipboard();
        DWORD before = GetClipboardSequenceNumber();
        post_click(calc, 10, 10);
        return printout_after(before);
    }

    // Sets the width field and commits it: into the field, then Tab out.
    void commit_width(const wchar_t* value) {
        type_into(0, value);
        post_click(field[0], 5, 5);
        post_key(field[0], VK_TAB);
    }

    // How much the clipboard's sequence number moves for the printouts
    // that press() (if any) brings about, plus a closing printout with
    // another width: once that one is on the clipboard, every earlier one
    // is done. press() returns once the calculator has begun to print.
    DWORD clipboard_changes(const std::function<void()>& press) {
        clear_clipboard();
        const DWORD before = GetClipboardSequenceNumber();
        if (press) press();
        DWORD seen = GetClipboardSequenceNumber();
        commit_width(L"1234");
        post_click(calc, 10, 10);
        EXPECT_TRUE(wait_until(
            [&] {
                // Read only after a change, as clipboard_text_after does.
                const DWORD now = GetClipboardSequenceNumber();
                if (now == seen) return false;
                seen = now;
                return contains_line(read_clipboard_text(), "Width : 1234");
            },
            10000));
        commit_width(L"800");
        return GetClipboardSequenceNumber() - before;
    }

    // Clicks Calc and waits until the calculator has taken the click (its
    // printout has begun to change the clipboard).
    void click_taken() {
        const DWORD before = GetClipboardSequenceNumber();
        post_click(calc, 10, 10);
        wait_until([&] { return GetClipboardSequenceNumber() != before; }, 5000);
    }

    std::string log_text() {
        std::string contents;
        read_file(join_path(dir, L"KOBRIX00.LOG"), &contents);
        return contents;
    }
};

TEST_F(Calculator, LaysOutItsWindows) {
    POINT at = top_left(input);
    EXPECT_EQ(at.x, 160);
    EXPECT_EQ(at.y, 0);
    SIZE client = client_size(input);
    EXPECT_EQ(client.cx, 162);
    EXPECT_EQ(client.cy, 86);
    EXPECT_EQ(window_text(label[0]), L"Width");
    EXPECT_EQ(window_text(label[1]), L"Height");
    EXPECT_EQ(window_text(label[2]), L"Inch");
    EXPECT_EQ(window_text(field[0]), L"800");
    EXPECT_EQ(window_text(field[1]), L"600");
    EXPECT_EQ(window_text(field[2]), L"8.");

    at = top_left(buttons);
    EXPECT_EQ(at.x, 160);
    EXPECT_EQ(at.y, 120);
    client = client_size(buttons);
    EXPECT_EQ(client.cx, 162);
    EXPECT_EQ(client.cy, 34);
    EXPECT_EQ(child_windows(buttons, L"Button").size(), 1u);
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(window_text(calc), L"Calc");
    SIZE button = client_size(calc);
    EXPECT_EQ(button.cx, 154);
    EXPECT_EQ(button.cy, 26);

    at = top_left(text);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    client = client_size(text);
    EXPECT_EQ(client.cx, 152);
    EXPECT_EQ(client.cy, 154);
}

TEST_F(Calculator, CalcPrintsCopiesAndLogs) {
    // Once by message, as a program would, once by mouse.
    clear_clipboard();
    DWORD before = GetClipboardSequenceNumber();
    SendMessageW(calc, BM_CLICK, 0, 0);
    EXPECT_EQ(printout_after(before), kFirstPrintout);
    EXPECT_TRUE(wait_until([&] { return log_text() == kFirstPrintout; }, 3000)) << log_text();

    EXPECT_EQ(press_calc(), kFirstPrintout);
    // Each press starts the log afresh.
    EXPECT_TRUE(wait_until([&] { return log_text() == kFirstPrintout; }, 3000)) << log_text();
}

TEST_F(Calculator, UsesCommittedFieldsOnly) {
    type_into(0, L"1920");
    type_into(1, L"1080");
    type_into(2, L"15.6");
    // Into field 0, then Tab, Tab and Enter: each field is committed.
    post_click(field[0], 5, 5);
    post_key(field[0], VK_TAB);
    post_key(field[1], VK_TAB);
    post_key(field[2], VK_RETURN);
    std::string got = press_calc();
    EXPECT_TRUE(contains_line(got, "Width : 1920")) << got;
    EXPECT_TRUE(contains_line(got, "Height: 1080")) << got;
    EXPECT_TRUE(contains_line(got, "Inch  : 15.600000")) << got;
    EXPECT_TRUE(contains_line(got, "DPI: 141.211998")) << got;
    EXPECT_TRUE(contains_line(got, "12.5 : 11.296960")) << got;

    // A field changed but never left or entered is not used.
    type_into(0, L"99");
    got = press_calc();
    EXPECT_TRUE(contains_line(got, "Width : 1920")) << got;

    // Typed into the focused field, with Calc pressed by its digit key
    // (the focus stays in the field): not used either.
    post_click(field[1], 5, 5);
    ASSERT_TRUE(wait_until([&] { return focus() == field[1]; }));
    type_into(1, L"500");
    clear_clipboard();
    DWORD before = GetClipboardSequenceNumber();
    post_key(buttons, '0');
    got = printout_after(before);
    EXPECT_TRUE(contains_line(got, "Height: 1080")) << got;
    EXPECT_EQ(focus(), field[1]);
}

TEST_F(Calculator, TwoClicksWithinOnePollPrintOnce) {
    // The clipboard's sequence number counts its changes; one printout
    // moves it by a fixed amount.
    const DWORD closing = clipboard_changes(nullptr);
    const DWORD one = clipboard_changes([&] { click_taken(); }) - closing;
    ASSERT_GT(one, 0u);

    // Both clicks are queued while the calculator's thread is held, so
    // they are handled in one pass of its message pump, between two polls.
    DWORD both = clipboard_changes([&] {
        const DWORD before = GetClipboardSequenceNumber();
        HANDLE held = OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread);
        ASSERT_NE(held, nullptr);
        SuspendThread(held);
        post_click(calc, 10, 10);
        post_click(calc, 12, 12);
        ResumeThread(held);
        CloseHandle(held);
        wait_until([&] { return GetClipboardSequenceNumber() != before; }, 5000);
    }) - closing;
    EXPECT_EQ(both, one);

    // Two clicks far apart print twice: the second comes once the first
    // printout is on the clipboard.
    DWORD apart = clipboard_changes([&] {
        const DWORD before = GetClipboardSequenceNumber();
        post_click(calc, 10, 10);
        printout_after(before);
        click_taken();
    }) - closing;
    EXPECT_EQ(apart, 2 * one);
}

// (What the calculator costs while it idles after Stop is measured by
// bench/idle_cpu.sh dpi_calculator after-stop.)
TEST_F(Calculator, AnswersCalcAfterStop) {
    ASSERT_EQ(press_calc(), kFirstPrintout);
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(control, WM_COMMAND, KBX_CMD_STOP, 0, SMTO_NORMAL, 5000, &result), 0);
    EXPECT_EQ(press_calc(), kFirstPrintout);
    EXPECT_EQ(press_calc(), kFirstPrintout);
}

}  // namespace
