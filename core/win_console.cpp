// The command console: one command typed after "Cmd>" in the current text
// window. Start and Exit reach the control window as posted keys, so that
// the run state is only changed on its own thread.
#include <cstring>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kbx_textwin.h"
#include "textwin/text_commands.h"

namespace kbx {

namespace {

void show_colors() {
    int r, g, b;
    split_color(draw_color, &r, &g, &b);
    KBX_Print("Red  :%3d\n", r);
    KBX_Print("Green:%3d\n", g);
    KBX_Print("Blue :%3d\n", b);
    KBX_Print("kbx_tttc=%06x\n", kbx_tttc);
    KBX_Print("kbx_tc=%06x\n", kbx_tc);
}

void show_version() {
    int t = current_text_window;
    if (valid_window_number(t) && text_windows[t].in_use)
        PostMessageW(text_windows[t].window, WM_COMMAND, kCmdTextAbout, 0);
}

}  // namespace

int run_console() {
    KBX_Print("Cmd>");
    // Stays empty when no line can be read: an invalid command.
    char line[256] = {};
    KBX_InputLine(line);
    if (std::strcmp(line, "exit") == 0) {
        PostMessageW(control.window, WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(1);
        return 0;
    }
    if (std::strcmp(line, "start") == 0) {
        PostMessageW(control.window, WM_KEYDOWN, 'S', 0);
        return 0;
    }
    if (std::strcmp(line, "help") == 0) {
        KBX_Print("Command list:exit help start ver color\n");
        return 0;
    }
    if (std::strcmp(line, "ver") == 0) {
        show_version();
        return 0;
    }
    if (std::strcmp(line, "color") == 0) {
        show_colors();
        return 0;
    }
    KBX_Print("Invalid command\n");
    return 1;
}

}  // namespace kbx
