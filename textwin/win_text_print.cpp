// KBX_Print: formatted text into the current text window, broken into lines
// by character cells, echoed to the window log.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/text_cut.h"
#include "textwin/text_layout.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

constexpr int kPrintBytes = 4096;   // 4095 bytes of text and the terminator

struct PrintTarget {
    TextWindowRecord* window;
    const wchar_t* units;
};

void draw_step(void* context, const LayoutStep& step) {
    PrintTarget* target = static_cast<PrintTarget*>(context);
    TextWindowRecord& r = *target->window;
    if (step.kind == LayoutStep::kRun) {
        TextOutW(r.memory_dc, r.cursor_x, r.cursor_y, target->units + step.start, step.length);
    } else {
        advance_line(r);
    }
}

}  // namespace

void print_units(TextWindowRecord& r, const wchar_t* units, int count, const char* log_text) {
    log_echo(r, log_text);
    bool repainting;
    {
        TextScreenLock lock;
        PrintTarget target = {&r, units};
        r.cursor_x = lay_out_text(units, count, r.cursor_x, r.char_width, r.client_width, draw_step, &target);
        note_text_output(r);
        repainting = !r.repaint_held;
    }
    // A pump is a round trip to the window server: under Wine about 0.15 ms,
    // the time of several lines. While lines stream it runs once a
    // millisecond, or, when it takes longer, after 50 times its own duration
    // (never more than 10 ms), so that it costs at most 2% of the output
    // while keys and the mouse wait a few milliseconds at most; and at once
    // when this line marked the window for repainting.
    static thread_local LONGLONG next_pump = 0;
    const LONGLONG now = counter_now();
    if (repainting || now >= next_pump) {
        pump_dialog_messages();
        const LONGLONG after = counter_now();
        const LONGLONG ms = ms_per_tick > 0 ? static_cast<LONGLONG>(1.0 / ms_per_tick) : 0;
        LONGLONG spacing = 50 * (after - now);
        if (spacing < ms) spacing = ms;
        if (spacing > 10 * ms) spacing = 10 * ms;
        next_pump = after + spacing;
    }
}

void print_wide(const wchar_t* text) {
    TextWindowRecord* r = current_open_text_window();
    if (!r || !text) return;
    int count = lstrlenW(text);
    std::vector<char> ansi;
    if (r->log_state == 1) {
        int bytes = WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
        ansi.assign(static_cast<size_t>(bytes > 0 ? bytes : 0) + 1, 0);
        if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text, count, ansi.data(), bytes, nullptr, nullptr);
    }
    print_units(*r, text, count, ansi.empty() ? nullptr : ansi.data());
}

}  // namespace kbx

void KBX_Print(const char* format, ...) {
    using namespace kbx;
    TextWindowRecord* r = current_open_text_window();
    if (!r || !format) return;
    // The bytes of a character that the last print left unfinished come
    // first; what this print leaves unfinished waits for the next.
    char text[sizeof r->unfinished + kPrintBytes];
    const int carried = r->unfinished_count;
    std::memcpy(text, r->unfinished, static_cast<size_t>(carried));
    char* own = text + carried;
    std::va_list args;
    va_start(args, format);
    int formatted = std::vsnprintf(own, kPrintBytes, format, args);
    va_end(args);
    if (formatted < 0) return;
    own[kPrintBytes - 1] = 0;
    // Longer text is cut at 4095 bytes, but never inside a character.
    int length = static_cast<int>(std::strlen(own));
    const bool utf8 = GetACP() == CP_UTF8;
    if (formatted >= kPrintBytes) {
        length = narrow_prefix_length(own, length, kPrintBytes - 1, ansi_char_size);
        if (utf8) length -= utf8_unfinished_tail(own, length);   // cut off, not to be continued
        own[length] = 0;
    }
    const int shown = carried + length;
    const int tail = utf8 ? utf8_unfinished_tail(text, shown) : 0;
    r->unfinished_count = tail;
    std::memcpy(r->unfinished, text + shown - tail, static_cast<size_t>(tail));
    const char kept = text[shown - tail];
    text[shown - tail] = 0;
    wchar_t wide[sizeof r->unfinished + kPrintBytes];
    ansi_to_wide(text, wide, sizeof r->unfinished + kPrintBytes);
    text[shown - tail] = kept;
    // The log takes this print's bytes as they are: they join up there.
    print_units(*r, wide, lstrlenW(wide), own);
}
