// The layout source fragment: framework calls that recreate the windows as
// they are now, for pasting into a setup routine.
#ifndef KBX_LAYOUT_SOURCE_H
#define KBX_LAYOUT_SOURCE_H

#include <string>
#include <vector>

namespace kbx {

struct LayoutImage {
    int number;
    int depth;            // 32, else 8-bit
    int screen_limited;   // 0: the FL forms
    std::string title;
    int x, y;             // outer top-left corner on the screen
    int width, height;    // picture size
    int zoom;
};

struct LayoutText {
    int number;
    int x, y;
    int client_width, client_height;
};

struct LayoutInputBox {
    int x, y;
    int item_count;
    int label_width, field_width;
    std::vector<std::string> labels;
};

struct LayoutButtonBox {
    int x, y;
    int columns, rows;
    int client_width, client_height;
    std::vector<std::string> captions;
};

// C++ string-literal body for text, so that any label or caption pastes as
// valid source: backslash, double quote, line feed, carriage return and tab
// as their escapes, every other byte below 0x20 and from 0x7F up as a
// three-digit octal escape, and a '?' after a '?' as \? (no trigraphs). The
// result is ASCII: ANSI text reads back byte for byte whatever code page the
// compiler assumes for the source.
std::string escape_literal(const std::string& text);

// The fragment, piece by piece (each piece is whole lines, tab-indented,
// ending in a line feed), so that a caller can read the windows as it goes.
std::string layout_header();
std::string layout_image_heading();
std::string layout_image_line(const LayoutImage& image);
std::string layout_text_heading();
std::string layout_text_line(const LayoutText& text);
std::string layout_input_box_lines(const LayoutInputBox& box);
std::string layout_button_box_lines(const LayoutButtonBox& box);
std::string layout_footer();

}  // namespace kbx

#endif
