// The DPI calculator as its user meets it: the built program started in a
// folder of its own with the public test helper (kobrix_testing.h), its
// windows found by kind, Calc pressed from outside, the clipboard and
// KOBRIX00.LOG read back.
#include <windows.h>   // the virtual-key codes

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "kobrix_testing.h"

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

struct Place {
    int x = -1, y = -1, width = -1, height = -1;
};

Place top_left(KBX_TestWindow window) {
    Place p;
    KBX_TestWindowRect(window, &p.x, &p.y, &p.width, &p.height);
    return p;
}

Place client_size(KBX_TestWindow window) {
    Place p;
    KBX_TestClientSize(window, &p.width, &p.height);
    return p;
}

bool wait_until(const std::function<bool()>& condition, const char* what) {
    return KBX_TestWaitFor(condition, what) == 0;
}

// One running calculator, ended when the test ends.
class Calculator : public ::testing::Test {
protected:
    KBX_TestProgram program{};
    KBX_TestWindow control = nullptr, input = nullptr, buttons = nullptr, text = nullptr, calc = nullptr;
    KBX_TestWindow field[3] = {};
    KBX_TestWindow label[3] = {};

    void SetUp() override {
        KBX_TestClearClipboard();
        ASSERT_EQ(KBX_TestStart(&program, KBX_TestProgramPath()), 0) << KBX_TestLastError();
        control = KBX_TestFindWindow(&program, KBX_TEST_CONTROL_WINDOW);
        input = KBX_TestWaitForWindow(&program, KBX_TEST_INPUT_BOX);
        buttons = KBX_TestWaitForWindow(&program, KBX_TEST_BUTTON_BOX);
        text = KBX_TestWaitForWindow(&program, KBX_TEST_TEXT_WINDOW, 0);
        ASSERT_NE(control, nullptr);
        ASSERT_NE(input, nullptr) << KBX_TestLastError();
        ASSERT_NE(buttons, nullptr) << KBX_TestLastError();
        ASSERT_NE(text, nullptr) << KBX_TestLastError();
        EXPECT_EQ(KBX_TestWindowText(input), "InputBox");
        EXPECT_EQ(KBX_TestWindowText(buttons), "ButtonBox");
        for (int i = 0; i < 3; ++i) {
            field[i] = KBX_TestField(&program, i);
            label[i] = KBX_TestFieldLabel(&program, i);
        }
        calc = KBX_TestButton(&program, 0);
    }

    void TearDown() override { KBX_TestEnd(&program); }

    KBX_TestWindow focus() const { return KBX_TestFocus(&program); }

    void type_into(int i, const char* value) { KBX_TestTypeField(&program, i, value); }

    // The calculator's next printout after the clipboard's number was
    // `before`.
    static std::string printout_after(unsigned before) { return KBX_TestClipboardTextAfter(before); }

    // Presses Calc with the mouse and returns the printout.
    std::string press_calc() {
        KBX_TestClearClipboard();
        const unsigned before = KBX_TestClipboardNumber();
        KBX_TestPressButton(&program, 0);
        return printout_after(before);
    }

    // Sets the width field and commits it: into the field, then Tab out.
    void commit_width(const char* value) {
        type_into(0, value);
        KBX_TestPostClick(field[0], 5, 5);
        KBX_TestPostKey(field[0], VK_TAB);
    }

    // How much the clipboard's number moves for the printouts that press()
    // (if any) brings about, plus a closing printout with another width:
    // once that one is on the clipboard, every earlier one is done. press()
    // returns once the calculator has begun to print.
    unsigned clipboard_changes(const std::function<void()>& press) {
        KBX_TestClearClipboard();
        const unsigned before = KBX_TestClipboardNumber();
        if (press) press();
        unsigned seen = KBX_TestClipboardNumber();
        commit_width("1234");
        KBX_TestPostClick(calc, 10, 10);
        EXPECT_TRUE(wait_until(
            [&] {
                // Read only after a change, as KBX_TestClipboardTextAfter does.
                const unsigned now = KBX_TestClipboardNumber();
                if (now == seen) return false;
                seen = now;
                return contains_line(KBX_TestClipboardText(), "Width : 1234");
            },
            "the printout of width 1234"))
            << KBX_TestLastError();
        commit_width("800");
        return KBX_TestClipboardNumber() - before;
    }

    // Clicks Calc and waits until the calculator has taken the click (its
    // printout has begun to change the clipboard).
    void click_taken() {
        const unsigned before = KBX_TestClipboardNumber();
        KBX_TestPostClick(calc, 10, 10);
        wait_until([&] { return KBX_TestClipboardNumber() != before; }, "a clipboard change");
    }

    std::string log_text() {
        std::string contents;
        KBX_TestReadFile(&program, "KOBRIX00.LOG", &contents);
        return contents;
    }
};

TEST_F(Calculator, LaysOutItsWindows) {
    Place at = top_left(input);
    EXPECT_EQ(at.x, 160);
    EXPECT_EQ(at.y, 0);
    Place client = client_size(input);
    EXPECT_EQ(client.width, 162);
    EXPECT_EQ(client.height, 86);
    EXPECT_EQ(KBX_TestWindowText(label[0]), "Width");
    EXPECT_EQ(KBX_TestWindowText(label[1]), "Height");
    EXPECT_EQ(KBX_TestWindowText(label[2]), "Inch");
    EXPECT_EQ(KBX_TestFieldText(&program, 0), "800");
    EXPECT_EQ(KBX_TestFieldText(&program, 1), "600");
    EXPECT_EQ(KBX_TestFieldText(&program, 2), "8.");

    at = top_left(buttons);
    EXPECT_EQ(at.x, 160);
    EXPECT_EQ(at.y, 120);
    client = client_size(buttons);
    EXPECT_EQ(client.width, 162);
    EXPECT_EQ(client.height, 34);
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(KBX_TestButton(&program, 1), nullptr);   // one button only
    EXPECT_EQ(KBX_TestWindowText(calc), "Calc");
    Place button = client_size(calc);
    EXPECT_EQ(button.width, 154);
    EXPECT_EQ(button.height, 26);

    at = top_left(text);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    client = client_size(text);
    EXPECT_EQ(client.width, 152);
    EXPECT_EQ(client.height, 154);
}

TEST_F(Calculator, CalcPrintsCopiesAndLogs) {
    // Once by its digit key, once by mouse.
    KBX_TestClearClipboard();
    unsigned before = KBX_TestClipboardNumber();
    KBX_TestPostKey(buttons, '0');
    EXPECT_EQ(printout_after(before), kFirstPrintout);
    EXPECT_TRUE(wait_until([&] { return log_text() == kFirstPrintout; }, "the printout in KOBRIX00.LOG")) << log_text();

    EXPECT_EQ(press_calc(), kFirstPrintout);
    // Each press starts the log afresh.
    EXPECT_TRUE(wait_until([&] { return log_text() == kFirstPrintout; }, "the printout in KOBRIX00.LOG")) << log_text();

    // Exit while it waits for the next press: its main routine returns.
    int code = -1, forced = -1;
    EXPECT_EQ(KBX_TestExit(&program, &code, nullptr, &forced), 0) << KBX_TestLastError();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(forced, 0);
}

TEST_F(Calculator, UsesCommittedFieldsOnly) {
    type_into(0, "1920");
    type_into(1, "1080");
    type_into(2, "15.6");
    // Into field 0, then Tab, Tab and Enter: each field is committed.
    KBX_TestPostClick(field[0], 5, 5);
    KBX_TestPostKey(field[0], VK_TAB);
    KBX_TestPostKey(field[1], VK_TAB);
    KBX_TestPostKey(field[2], VK_RETURN);
    std::string got = press_calc();
    EXPECT_TRUE(contains_line(got, "Width : 1920")) << got;
    EXPECT_TRUE(contains_line(got, "Height: 1080")) << got;
    EXPECT_TRUE(contains_line(got, "Inch  : 15.600000")) << got;
    EXPECT_TRUE(contains_line(got, "DPI: 141.211998")) << got;
    EXPECT_TRUE(contains_line(got, "12.5 : 11.296960")) << got;

    // A field changed but never left or entered is not used.
    type_into(0, "99");
    got = press_calc();
    EXPECT_TRUE(contains_line(got, "Width : 1920")) << got;

    // Typed into the focused field, with Calc pressed by its digit key
    // (the focus stays in the field): not used either.
    KBX_TestPostClick(field[1], 5, 5);
    ASSERT_TRUE(wait_until([&] { return focus() == field[1]; }, "the focus in the height field"));
    type_into(1, "500");
    KBX_TestClearClipboard();
    unsigned before = KBX_TestClipboardNumber();
    KBX_TestPostKey(buttons, '0');
    got = printout_after(before);
    EXPECT_TRUE(contains_line(got, "Height: 1080")) << got;
    EXPECT_EQ(focus(), field[1]);
}

TEST_F(Calculator, TwoClicksWithinOnePollPrintOnce) {
    // The clipboard's number counts its changes; one printout moves it by
    // a fixed amount.
    const unsigned closing = clipboard_changes(nullptr);
    const unsigned one = clipboard_changes([&] { click_taken(); }) - closing;
    ASSERT_GT(one, 0u);

    // Both clicks are queued while the calculator's thread is held, so
    // they are handled in one pass of its message pump, between two polls.
    unsigned both = clipboard_changes([&] {
        const unsigned before = KBX_TestClipboardNumber();
        ASSERT_EQ(KBX_TestHoldProgram(&program), 0) << KBX_TestLastError();
        KBX_TestPostClick(calc, 10, 10);
        KBX_TestPostClick(calc, 12, 12);
        KBX_TestReleaseProgram(&program);
        wait_until([&] { return KBX_TestClipboardNumber() != before; }, "a clipboard change");
    }) - closing;
    EXPECT_EQ(both, one);

    // Two clicks far apart print twice: the second comes once the first
    // printout is on the clipboard.
    unsigned apart = clipboard_changes([&] {
        const unsigned before = KBX_TestClipboardNumber();
        KBX_TestPostClick(calc, 10, 10);
        printout_after(before);
        click_taken();
    }) - closing;
    EXPECT_EQ(apart, 2 * one);
}

// (What the calculator costs while it idles after Stop is measured by
// bench/idle_cpu.sh dpi_calculator after-stop.)
TEST_F(Calculator, AnswersCalcAfterStop) {
    ASSERT_EQ(press_calc(), kFirstPrintout);
    ASSERT_EQ(KBX_TestPressStop(&program), 0) << KBX_TestLastError();
    EXPECT_EQ(press_calc(), kFirstPrintout);
    EXPECT_EQ(press_calc(), kFirstPrintout);
}

}  // namespace
