// Line breaking of printed text by character cells: which runs of code units
// go on which line. The caller draws the runs and advances the lines.
#ifndef KBX_TEXT_LAYOUT_H
#define KBX_TEXT_LAYOUT_H

namespace kbx {

struct LayoutStep {
    enum Kind { kRun, kNewLine } kind;
    int start;    // kRun: first code unit of the run
    int length;   // kRun: units in the run, never 0
};

// Receives the steps in order: each run is drawn at the cursor as it then
// stands; a new line moves the cursor to the start of the next line.
typedef void (*LayoutSink)(void* context, const LayoutStep& step);

// Lays out count code units starting at pixel x of a line line_width pixels
// wide, with cells of cell_width pixels (one below U+0080, two otherwise; a
// surrogate pair is one character of two cells, never split). A line feed ends the line; a unit that would pass the right edge goes to
// the next line whole; one that fits exactly stays. No other unit is
// special. Returns x after the last unit.
int lay_out_text(const wchar_t* units, int count, int x, int cell_width, int line_width, LayoutSink sink,
                 void* context);

}  // namespace kbx

#endif
