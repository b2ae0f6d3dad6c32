// What a text window offers its user: command identifiers, the decisions
// of its key handler, the items of its pop-up menu and the log file name.
#ifndef KBX_TEXT_COMMANDS_H
#define KBX_TEXT_COMMANDS_H

#include "kbx_commands.h"

namespace kbx {

enum TextCommand {
    kCmdTextAbout = KBX_CMD_TEXT_ABOUT,
    kCmdTextDestroy = KBX_CMD_TEXT_DESTROY,
    kCmdTextStartLog = KBX_CMD_TEXT_START_LOG,
    kCmdTextStopLog = KBX_CMD_TEXT_STOP_LOG,
    kCmdTextConsole = KBX_CMD_TEXT_CONSOLE,
    kCmdTextCopyLog = KBX_CMD_TEXT_COPY_LOG,
    kCmdTextWindowInfo = KBX_CMD_WINDOW_INFO,
    kCmdTextSelect = KBX_CMD_TEXT_SELECT,
};

// Virtual-key codes the handler looks at (the platform's values).
constexpr int kKeyEscape = 0x1B;
constexpr int kKeySpace = 0x20;
constexpr int kKeyUp = 0x26;

enum TextKeyAction {
    kKeyIgnore,        // nothing
    kKeyPostCommand,   // post `command` to this window
    kKeyForward,       // post the same key-down to the control window
    kKeyConsole,       // select this window, then run the command console
    kKeyRecall,        // ask line input to replay the recall line
    kKeyPaste,         // ask line input to paste the clipboard's first line
};

struct TextKeyDecision {
    TextKeyAction action;
    int command;
};

// A key-down in a text window. input_active: a line input waits (in any
// text window); request_pending: line input has not yet taken the last
// replay or paste request.
TextKeyDecision decide_text_key(int key, bool ctrl, bool input_active, bool request_pending);

struct TextMenuEntry {
    bool separator;
    char caption[64];
    int command;
    bool checked;
};

constexpr int kTextMenuEntries = 11;

// The pop-up menu of text window n, in order, for its state.
void text_menu_entries(TextMenuEntry out[kTextMenuEntries], int n, bool current, int log_state, int instance);

// "KOBRIX%d%d.LOG": the log file name of window n without its folder.
void log_file_name(char* out, int size, int instance, int n);

// The About line, a whole line with its line feed.
const char* about_line();
constexpr int kAboutBackColor = 0x404040;   // dark grey
constexpr int kAboutTextColor = 0x90EE90;   // light green

}  // namespace kbx

#endif
