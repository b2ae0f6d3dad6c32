#include "textwin/layout_source.h"

#include <cstdio>

namespace kbx {

namespace {

// Formats one line; lines hold numbers and escaped text of any length.
std::string format_call(const char* name, const std::vector<int>& args) {
    std::string line = "\t";
    line += name;
    line += '(';
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) line += ',';
        line += std::to_string(args[i]);
    }
    line += ");\n";
    return line;
}

}  // namespace

std::string escape_literal(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            // "??" followed by some characters is a trigraph to older compilers.
            case '?': out += !out.empty() && out.back() == '?' ? "\\?" : "?"; break;
            default:
                // Bytes from 0x80 too: the fragment is then plain ASCII, read
                // the same in every code page. Left raw, a double-byte
                // character whose trail byte is 0x5C would pair with the
                // backslash after it when the compiler reads the source as
                // code page 932 (MSVC on a Japanese system).
                if (c < 0x20 || c >= 0x7F) {
                    // Always three digits, so that a digit after it cannot extend it.
                    char octal[5];
                    std::snprintf(octal, sizeof octal, "\\%03o", c);
                    out += octal;
                } else {
                    out += ch;
                }
                break;
        }
    }
    return out;
}

std::string layout_header() { return "\t// KOBRIX --- Automatic Source Generator\n"; }

std::string layout_image_heading() { return "\t// [Image Window]\n"; }

std::string layout_image_line(const LayoutImage& image) {
    const char* name = image.depth == 32 ? (image.screen_limited ? "KBX_CreateImage" : "KBX_CreateImageFL")
                                         : (image.screen_limited ? "KBX_CreateImage8" : "KBX_CreateImage8FL");
    std::string line = "\t";
    line += name;
    line += '(' + std::to_string(image.number) + ",\"" + escape_literal(image.title) + "\",";
    line += std::to_string(image.x) + ',' + std::to_string(image.y) + ',' + std::to_string(image.width) + ',' +
            std::to_string(image.height) + ',' + std::to_string(image.zoom) + ");\n";
    return line;
}

std::string layout_text_heading() { return "\t// [Text Window]\n"; }

std::string layout_text_line(const LayoutText& text) {
    return format_call("KBX_OpenTextWindow", {text.number, text.x, text.y, text.client_width, text.client_height});
}

std::string layout_input_box_lines(const LayoutInputBox& box) {
    std::string out = "\t// [Input Box]\n";
    out += format_call("KBX_OpenInputBox", {box.x, box.y, box.item_count});
    out += format_call("KBX_ResizeInputBox", {box.label_width, box.field_width});
    for (int i = 0; i < box.item_count && i < static_cast<int>(box.labels.size()); ++i)
        out += "\tKBX_SetInputBoxTitle(" + std::to_string(i) + ",\"" + escape_literal(box.labels[i]) + "\");\n";
    return out;
}

std::string layout_button_box_lines(const LayoutButtonBox& box) {
    std::string out = "\t// [Button Box]\n";
    out += format_call("KBX_OpenButtonBox", {box.x, box.y, box.columns, box.rows});
    out += format_call("KBX_ResizeButtonBox", {box.client_width, box.client_height});
    for (size_t k = 0; k < box.captions.size(); ++k)
        out += "\tKBX_SetButtonBoxTitle(" + std::to_string(k) + ",\"" + escape_literal(box.captions[k]) + "\");\n";
    return out;
}

std::string layout_footer() { return "\tKBX_SetForeground(KBXMAINWINDOW);\n"; }

}  // namespace kbx
