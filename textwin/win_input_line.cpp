// KBX_InputLine: one line typed into the current text window, echoed with
// a blinking caret, returned in the ANSI code page.
#include "kbx_commands.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/key_ring.h"
#include "textwin/line_edit.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

const unsigned int kBlinkMs = 200;

struct Caret {
    int phase;          // 1 "_", 0 blank
    bool redraw;
    unsigned int last_toggle;
};

void blink(Caret& caret) {
    unsigned int now = ms_clock();
    if (now - caret.last_toggle <= kBlinkMs) return;
    caret.redraw = true;
    caret.phase ^= 1;
    caret.last_toggle = now;
}

// The record is the authority on the cursor and the window's size (a print
// or a resize may have moved them); the edit works on a copy of them.
void edit_from_window(LineEdit& e, const TextWindowRecord& r) {
    e.cursor_x = r.cursor_x;
    e.cursor_y = r.cursor_y;
    e.client_width = r.client_width;
    e.client_height = r.client_height;
}

void carry_out(TextWindowRecord& r, const LineEdit& e, const EditOps& ops) {
    for (int i = 0; i < ops.count; ++i) {
        const EditOp& op = ops.op[i];
        if (op.kind == EditOp::kDraw) {
            draw_cell(r, op.x, op.y, op.unit, op.cells, op.low);
        } else {
            apply_scroll(r, op.scroll);
            InvalidateRect(r.window, nullptr, FALSE);
        }
    }
    r.cursor_x = e.cursor_x;
    r.cursor_y = e.cursor_y;
}

void replay_recall_line(HWND window) {
    wchar_t line[256];
    lstrcpynW(line, recall_line, 256);
    for (int i = 0; line[i]; ++i) SendMessageW(window, WM_CHAR, line[i], 1);
}

// The clipboard's text up to its first line end goes into the ring.
void paste_first_line() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !open_clipboard()) return;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text) {
        // Never read past the block, terminated or not.
        SIZE_T units = GlobalSize(data) / sizeof(wchar_t);
        for (SIZE_T i = 0; i < units; ++i) {
            wchar_t unit = text[i];
            if (unit == 0 || unit == L'\n' || unit == L'\r') break;
            if (!key_ring_put(key_ring, unit)) break;
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
}

void serve_ring_request(HWND window) {
    int request = key_ring_request.load();
    if (request == kRingReplayRecall) replay_recall_line(window);
    else if (request == kRingPaste) paste_first_line();
    // Only the request served is cleared, not one that came meanwhile.
    if (request != kRingNoRequest) key_ring_request.compare_exchange_strong(request, kRingNoRequest);
}

void end_line(TextWindowRecord& r, LineEdit& e, char* buffer) {
    input_active = 0;
    draw_cell(r, r.cursor_x, r.cursor_y, L' ', 1);
    if (advance_line(r)) InvalidateRect(r.window, nullptr, FALSE);
    const wchar_t* line = line_edit_text(e);
    lstrcpynW(recall_line, line, 256);
    wide_to_ansi(line, buffer, 256);   // at most 255 bytes, whole characters
    log_echo(r, buffer);
    log_echo(r, "\n");
}

}  // namespace

}  // namespace kbx

void KBX_InputLine(char* buffer) {
    using namespace kbx;
    TextWindowRecord* window = current_open_text_window();
    if (!window || !buffer) return;
    TextWindowRecord& r = *window;
    const int marker = current_text_window + 1;
    SetForegroundWindow(r.window);
    buffer[0] = 0;
    show_pending_output();
    set_status_text("Input text");

    Caret caret = {1, true, ms_clock()};
    input_active = marker;
    set_run_state(KBX_RUN_LINE_INPUT);
    LineEdit edit;
    line_edit_begin(edit, r.cursor_x, r.cursor_y, r.char_width, r.char_height, r.client_width, r.client_height);
    for (;;) {
        pump_dialog_messages();
        // Closing the window or Exit ends the input with an empty line,
        // before anything is drawn into a window that may be gone. Exit is
        // read from its own flag: it clears the marker once, and an input
        // that began after that sets it again.
        if (input_active == 0) break;
        if (exit_state != 0) {
            input_active = 0;
            break;
        }
        wchar_t unit = 0;
        bool taken = key_ring_take(key_ring, &unit);
        if (taken && unit == kCarriageReturn) {
            end_line(r, edit, buffer);
            break;
        }
        serve_ring_request(r.window);
        bool caret_drawn = false;
        if (taken) {
            edit_from_window(edit, r);
            EditOps ops = line_edit_key(edit, unit);
            if (ops.accepted) {
                carry_out(r, edit, ops);
                // Drawn at once: it also covers a unit that a backspace
                // took back across a wrap.
                draw_caret(r, caret.phase);
                caret.redraw = false;
                caret_drawn = true;
            }
        }
        if (!caret_drawn && caret.redraw) {
            draw_caret(r, caret.phase);
            caret.redraw = false;
        }
        blink(caret);
        // Block until a message or the next slice: keys arrive as messages,
        // the blink and the ring (filled from another thread during the
        // control window's prompts) are polled.
        if (!taken) wait_for_work(kWaitSliceMs);
    }
    set_run_state(KBX_RUN_OTHER);
    show_depth_status();
}
