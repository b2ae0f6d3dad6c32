// The platform-free side of TrueType text in pictures: splitting narrow
// text into character codes (double-byte characters of the code page
// included), the style control codes, and the cell arithmetic. The glyphs
// themselves come from the platform's text output.
#ifndef KBX_IMAGEPROC_TT_TEXT_H
#define KBX_IMAGEPROC_TT_TEXT_H

namespace kbx {

// Splits s into the codes put_tt_char takes: a single byte, or lead * 256 +
// trail, with is_lead telling the code page's lead bytes (a single-byte code
// page has none). A lead byte right before the terminating zero is dropped.
// Writes at most capacity codes and returns how many there are in all.
int split_tt_text(const char* s, bool (*is_lead)(unsigned char), int* codes, int capacity);

// The bytes of a code for conversion to UTF-16: one byte below 256, else the
// lead and trail bytes; zero-terminated. Returns the number of bytes.
int tt_code_bytes(int code, char out[3]);

// Style of the TrueType font, changed by the codes 1..6.
struct TtStyle {
    bool italic;
    int weight;   // 400 normal, 700 bold
    bool underline;
};
// Applies code 1 italic on, 2 off, 3 bold, 4 normal, 5 underline on, 6 off.
// Returns false (style unchanged) for any other code.
bool apply_tt_style_code(int code, TtStyle* style);

// What put_tt_char does with a code: a new line (10), a style change (1..6),
// nothing (other codes below 32), or draw a character.
enum TtCodeKind { kTtNewLine, kTtStyle, kTtIgnored, kTtCharacter };
TtCodeKind tt_code_kind(int code);

// The cell for a box dragged with the mouse: width = box width / 2
// (truncated), height = box height, so the box holds one double-width
// character.
void tt_cell_from_box(int box_width, int box_height, int* cell_width, int* cell_height);
// The top row of a character cell standing on the text cursor's y.
inline int tt_cell_top(int cursor_y, int cell_height) { return cursor_y - cell_height + 1; }

}  // namespace kbx

#endif
