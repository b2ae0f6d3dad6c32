#include "textwin/text_commands.h"

#include <cstdio>

namespace kbx {

namespace {

TextKeyDecision ignore() { return TextKeyDecision{kKeyIgnore, 0}; }

TextKeyDecision post(int command) { return TextKeyDecision{kKeyPostCommand, command}; }

TextKeyDecision shortcut(int key) {
    switch (key) {
        case 'A': return post(kCmdTextAbout);
        case 'C': return post(kCmdTextCopyLog);
        case 'Q': return post(kCmdTextDestroy);
        case 'S': return post(kCmdTextSelect);
        case 'W': return post(kCmdTextWindowInfo);
        default: return ignore();
    }
}

TextKeyDecision plain_key(int key) {
    switch (key) {
        case kKeyEscape:
        case 'C':
        case 'S':
        case 'X': return TextKeyDecision{kKeyForward, 0};
        case kKeySpace: return TextKeyDecision{kKeyConsole, 0};
        default: return ignore();
    }
}

// While a line input waits only Up and Ctrl+V mean something, and only
// once line input has taken the previous request.
TextKeyDecision key_during_input(int key, bool ctrl, bool request_pending) {
    if (request_pending) return ignore();
    if (key == kKeyUp) return TextKeyDecision{kKeyRecall, 0};
    if (ctrl && key == 'V') return TextKeyDecision{kKeyPaste, 0};
    return ignore();
}

void set_item(TextMenuEntry& e, const char* caption, int command, bool checked) {
    e.separator = false;
    std::snprintf(e.caption, sizeof e.caption, "%s", caption);
    e.command = command;
    e.checked = checked;
}

void set_separator(TextMenuEntry& e) {
    e.separator = true;
    e.caption[0] = 0;
    e.command = 0;
    e.checked = false;
}

}  // namespace

TextKeyDecision decide_text_key(int key, bool ctrl, bool input_active, bool request_pending) {
    if (input_active) return key_during_input(key, ctrl, request_pending);
    return ctrl ? shortcut(key) : plain_key(key);
}

void text_menu_entries(TextMenuEntry out[kTextMenuEntries], int n, bool current, int log_state, int instance) {
    char copy[64];
    std::snprintf(copy, sizeof copy, "&Copy KOBRIX%d%d.LOG\tCtrl+C", instance, n);
    set_item(out[0], "&Select\tCtrl+S", kCmdTextSelect, current);
    set_item(out[1], "&Window Info.\tCtrl+W", kCmdTextWindowInfo, false);
    set_item(out[2], "Command", kCmdTextConsole, false);
    set_separator(out[3]);
    set_item(out[4], "Start Log", kCmdTextStartLog, log_state == 1);
    set_item(out[5], "Stop Log", kCmdTextStopLog, log_state == 2);
    set_item(out[6], copy, kCmdTextCopyLog, false);
    set_separator(out[7]);
    set_item(out[8], "&About KOBRIX\tCtrl+A", kCmdTextAbout, false);
    set_separator(out[9]);
    set_item(out[10], "&Destroy\tCtrl+Q", kCmdTextDestroy, false);
}

void log_file_name(char* out, int size, int instance, int n) { std::snprintf(out, size, "KOBRIX%d%d.LOG", instance, n); }

const char* about_line() { return "KOBRIX version 1.0.0\n"; }

}  // namespace kbx
