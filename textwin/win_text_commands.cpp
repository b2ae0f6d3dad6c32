// A text window's commands (menu, shortcuts, code) and its pop-up menu.
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/color_stack.h"
#include "textwin/text_commands.h"
#include "textwin/win_text_window.h"
#include "textwin/window_info.h"

namespace kbx {

namespace {

// The About line goes into the window that was asked, in its own colours,
// without changing the current text window.
void print_about(int n) {
    TextWindowRecord& r = text_windows[n];
    color_stack_push(r.text_color_stack, &r.text_color, kAboutTextColor);
    color_stack_push(r.back_color_stack, &r.back_color, kAboutBackColor);
    apply_text_colors(r);
    wchar_t line[64];
    ansi_to_wide(about_line(), line, 64);
    print_units(r, line, lstrlenW(line), about_line());
    // The print let messages through: the window may have gone meanwhile.
    if (!r.in_use) return;
    color_stack_pop(r.text_color_stack, &r.text_color);
    color_stack_pop(r.back_color_stack, &r.back_color);
    apply_text_colors(r);
}

}  // namespace

void run_text_command(int n, int command) {
    if (!valid_window_number(n) || !text_windows[n].in_use) return;
    switch (command) {
        case kCmdTextSelect: KBX_SelectTextWindow(n); break;
        case kCmdTextWindowInfo: window_info_report(n); break;
        case kCmdTextConsole:
            // A second line input would take the waiting one's keys.
            if (input_active == 0) run_console();
            break;
        case kCmdTextStartLog: KBX_StartLog(n); break;
        case kCmdTextStopLog: KBX_StopLog(n); break;
        case kCmdTextCopyLog: KBX_CopyLog(n); break;
        case kCmdTextAbout: print_about(n); break;
        case kCmdTextDestroy: KBX_CloseTextWindow(n); break;
        default: break;
    }
}

HMENU build_text_window_menu(int n) {
    TextMenuEntry entries[kTextMenuEntries];
    text_menu_entries(entries, n, current_text_window == n, text_windows[n].log_state, instance_number);
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < kTextMenuEntries; ++i) {
        const TextMenuEntry& e = entries[i];
        UINT position = static_cast<UINT>(i);
        if (e.separator) insert_menu_item(menu, position, nullptr, 0, 0);
        else insert_menu_item(menu, position, e.caption, static_cast<UINT>(e.command), e.checked ? MF_CHECKED : MF_UNCHECKED);
    }
    return menu;
}

}  // namespace kbx
