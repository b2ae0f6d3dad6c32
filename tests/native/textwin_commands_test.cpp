// A text window's keys, its pop-up menu and its log file name.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "textwin/text_commands.h"

using namespace kbx;

namespace {

std::string describe(const TextMenuEntry (&entries)[kTextMenuEntries]) {
    std::string s;
    for (const TextMenuEntry& e : entries) {
        if (e.separator) {
            s += "-|";
            continue;
        }
        s += e.caption;
        if (e.checked) s += "(v)";
        s += "=" + std::to_string(e.command) + "|";
    }
    return s;
}

TextKeyDecision idle_key(int key, bool ctrl) { return decide_text_key(key, ctrl, false, false); }

}  // namespace

TEST(TextCommands, CtrlShortcutsPostTheirCommands) {
    EXPECT_EQ(idle_key('A', true).command, kCmdTextAbout);
    EXPECT_EQ(idle_key('C', true).command, kCmdTextCopyLog);
    EXPECT_EQ(idle_key('Q', true).command, kCmdTextDestroy);
    EXPECT_EQ(idle_key('S', true).command, kCmdTextSelect);
    EXPECT_EQ(idle_key('W', true).command, kCmdTextWindowInfo);
    for (int key : std::initializer_list<int>{'A', 'C', 'Q', 'S', 'W'}) EXPECT_EQ(idle_key(key, true).action, kKeyPostCommand);
    for (int key : std::initializer_list<int>{'V', 'X', kKeyEscape, kKeySpace, kKeyUp}) EXPECT_EQ(idle_key(key, true).action, kKeyIgnore);
}

TEST(TextCommands, ControlWindowKeysAreForwardedAndSpaceOpensTheConsole) {
    for (int key : std::initializer_list<int>{kKeyEscape, 'C', 'S', 'X'}) EXPECT_EQ(idle_key(key, false).action, kKeyForward);
    EXPECT_EQ(idle_key(kKeySpace, false).action, kKeyConsole);
    for (int key : std::initializer_list<int>{'A', 'Q', 'W', 'V', kKeyUp}) EXPECT_EQ(idle_key(key, false).action, kKeyIgnore);
}

TEST(TextCommands, WhileALineInputWaitsOnlyUpAndCtrlVCount) {
    EXPECT_EQ(decide_text_key(kKeyUp, false, true, false).action, kKeyRecall);
    EXPECT_EQ(decide_text_key(kKeyUp, true, true, false).action, kKeyRecall);
    EXPECT_EQ(decide_text_key('V', true, true, false).action, kKeyPaste);
    EXPECT_EQ(decide_text_key('V', false, true, false).action, kKeyIgnore);
    for (int key : std::initializer_list<int>{'A', 'C', 'Q', 'S', 'W'}) EXPECT_EQ(decide_text_key(key, true, true, false).action, kKeyIgnore);
    for (int key : std::initializer_list<int>{kKeyEscape, 'C', 'S', 'X', kKeySpace})
        EXPECT_EQ(decide_text_key(key, false, true, false).action, kKeyIgnore);
    // A request not yet taken blocks a second one.
    EXPECT_EQ(decide_text_key(kKeyUp, false, true, true).action, kKeyIgnore);
    EXPECT_EQ(decide_text_key('V', true, true, true).action, kKeyIgnore);
}

TEST(TextCommands, TheMenuFollowsTheWindowsState) {
    TextMenuEntry entries[kTextMenuEntries];
    text_menu_entries(entries, 0, false, 0, 0);
    EXPECT_EQ(describe(entries),
              "&Select\tCtrl+S=1069|&Window Info.\tCtrl+W=1045|Command=1029|-|Start Log=1024|Stop Log=1025|"
              "&Copy KOBRIX00.LOG\tCtrl+C=1030|-|&About KOBRIX\tCtrl+A=1020|-|&Destroy\tCtrl+Q=1006|");

    text_menu_entries(entries, 12, true, 1, 0);
    EXPECT_TRUE(entries[0].checked);
    EXPECT_TRUE(entries[4].checked);
    EXPECT_FALSE(entries[5].checked);
    EXPECT_STREQ(entries[6].caption, "&Copy KOBRIX012.LOG\tCtrl+C");

    text_menu_entries(entries, 255, false, 2, 9);
    EXPECT_FALSE(entries[0].checked);
    EXPECT_FALSE(entries[4].checked);
    EXPECT_TRUE(entries[5].checked);
    EXPECT_STREQ(entries[6].caption, "&Copy KOBRIX9255.LOG\tCtrl+C");
}

TEST(TextCommands, LogFileNames) {
    char name[32];
    log_file_name(name, sizeof name, 0, 0);
    EXPECT_STREQ(name, "KOBRIX00.LOG");
    log_file_name(name, sizeof name, 1, 12);
    EXPECT_STREQ(name, "KOBRIX112.LOG");
}

TEST(TextCommands, TheAboutLineIsOneLineNamingKobrix) {
    std::string line = about_line();
    EXPECT_NE(line.find("KOBRIX"), std::string::npos);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
}
