// Line editing over any sequence of typed units in any window size. The
// line holds what the keys say (backspace takes the last character back, a
// tab is a space, a full line drops the rest, a surrogate pair goes in whole
// or not at all), every drawing step lies in the
// window, and backspacing the whole line brings the cursor back to where
// the line began unless the window scrolled it away.
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_check.h"
#include "textwin/line_edit.h"

using namespace kbx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int cw = in.ConsumeIntegralInRange(1, 16);
    const int ch = in.ConsumeIntegralInRange(1, 24);
    // At least two cells wide and one line high, as any text window is.
    const int columns = in.ConsumeIntegralInRange(2, 80);
    const int lines = in.ConsumeIntegralInRange(1, 40);
    const int client_width = columns * cw + in.ConsumeIntegralInRange(0, cw - 1);
    const int client_height = lines * ch + in.ConsumeIntegralInRange(0, ch - 1);
    const int start_x = in.ConsumeIntegralInRange(0, columns - 1) * cw;
    const int start_y = in.ConsumeIntegralInRange(0, lines - 1) * ch;

    LineEdit e;
    line_edit_begin(e, start_x, start_y, cw, ch, client_width, client_height);
    std::wstring model;
    wchar_t waiting = 0;   // a first half of a pair, typed, not yet stored
    bool scrolled = false;
    while (in.remaining_bytes() >= 2) {
        // Mostly narrow, backspace and wide units, now and then anything.
        wchar_t unit;
        switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0: unit = kBackspace; break;
            case 1: unit = static_cast<wchar_t>(in.ConsumeIntegralInRange(0x20, 0x7E)); break;
            case 2: unit = static_cast<wchar_t>(in.ConsumeIntegralInRange(0x3040, 0x30FF)); break;
            default: unit = static_cast<wchar_t>(in.ConsumeIntegral<std::uint16_t>()); break;
        }
        const std::size_t before = model.size();
        const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
        const std::size_t room = static_cast<std::size_t>(kLineUnits) - model.size();
        if (unit == kBackspace) {
            if (waiting) {
                waiting = 0;
            } else if (!model.empty()) {
                const bool pair = model.back() >= 0xDC00 && model.back() <= 0xDFFF;
                model.pop_back();
                if (pair) model.pop_back();
            }
        } else if (high) {
            waiting = room >= 2 ? unit : 0;
        } else if (low) {
            if (waiting) model += std::wstring{waiting, unit};
            waiting = 0;
        } else if (unit != 0 && unit != kCarriageReturn) {
            waiting = 0;
            if (room >= 1) model.push_back(unit == kTab ? L' ' : unit);
        }
        EditOps ops = line_edit_key(e, unit);
        KBX_CHECK(ops.accepted == (model.size() != before));
        KBX_CHECK(ops.count >= 0 && ops.count <= 6);
        for (int i = 0; i < ops.count; ++i) {
            const EditOp& op = ops.op[i];
            if (op.kind == EditOp::kScroll) {
                scrolled = true;
                KBX_CHECK(op.scroll.copy_height >= 0 && op.scroll.fill_height >= 0);
                continue;
            }
            KBX_CHECK(op.cells == 1 || op.cells == 2);
            KBX_CHECK(op.x >= 0 && op.x + op.cells * cw <= client_width);
            KBX_CHECK(op.y >= 0 && op.y + ch <= client_height);
        }
        KBX_CHECK(e.length == static_cast<int>(model.size()));
        KBX_CHECK(model == line_edit_text(e));
        KBX_CHECK(e.wrap_count >= 0 && e.wrap_count <= kMaxWraps);
        KBX_CHECK(e.cursor_x >= 0 && e.cursor_x + cw <= client_width);
        KBX_CHECK(e.cursor_y >= 0 && e.cursor_y + ch <= client_height);
    }
    if (!scrolled) {
        while (e.length > 0) line_edit_key(e, kBackspace);
        KBX_CHECK(e.cursor_x == start_x && e.cursor_y == start_y && e.wrap_count == 0);
    }
    return 0;
}
