#include "textwin/text_layout.h"

#include "textwin/text_cut.h"
#include "textwin/text_geometry.h"

namespace kbx {

namespace {

void flush_run(int start, int end, LayoutSink sink, void* context) {
    if (end > start) sink(context, LayoutStep{LayoutStep::kRun, start, end - start});
}

void new_line(LayoutSink sink, void* context) { sink(context, LayoutStep{LayoutStep::kNewLine, 0, 0}); }

}  // namespace

int lay_out_text(const wchar_t* units, int count, int x, int cell_width, int line_width, LayoutSink sink,
                 void* context) {
    int run_start = 0;
    for (int i = 0, size = 1; i < count; i += size) {
        size = units_of_character(units, i, count);
        unsigned unit = static_cast<unsigned>(units[i]);
        if (unit == L'\n') {
            flush_run(run_start, i, sink, context);
            new_line(sink, context);
            run_start = i + size;
            x = 0;
            continue;
        }
        int width = cells_of(unit) * cell_width;
        if (x + width > line_width) {
            flush_run(run_start, i, sink, context);
            new_line(sink, context);
            run_start = i;
            x = 0;
        }
        x += width;
    }
    flush_run(run_start, count, sink, context);
    return x;
}

}  // namespace kbx
