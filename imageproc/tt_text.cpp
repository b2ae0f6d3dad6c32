#include "imageproc/tt_text.h"

namespace kbx {

int split_tt_text(const char* s, bool (*is_lead)(unsigned char), int* codes, int capacity) {
    if (s == nullptr) return 0;
    int n = 0;
    auto put = [&](int code) {
        if (codes != nullptr && n < capacity) codes[n] = code;
        ++n;
    };
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p != 0; ++p) {
        if (is_lead(*p)) {
            if (p[1] == 0) break;   // a lone lead byte at the end
            put(p[0] * 256 + p[1]);
            ++p;
        } else {
            put(*p);
        }
    }
    return n;
}

int tt_code_bytes(int code, char out[3]) {
    if (code < 256) {
        out[0] = static_cast<char>(code);
        out[1] = 0;
        return 1;
    }
    out[0] = static_cast<char>((code >> 8) & 0xFF);
    out[1] = static_cast<char>(code & 0xFF);
    out[2] = 0;
    return 2;
}

bool apply_tt_style_code(int code, TtStyle* style) {
    switch (code) {
        case 1: style->italic = true; return true;
        case 2: style->italic = false; return true;
        case 3: style->weight = 700; return true;
        case 4: style->weight = 400; return true;
        case 5: style->underline = true; return true;
        case 6: style->underline = false; return true;
        default: return false;
    }
}

TtCodeKind tt_code_kind(int code) {
    if (code == 10) return kTtNewLine;
    if (code >= 1 && code <= 6) return kTtStyle;
    if (code < 32) return kTtIgnored;
    return kTtCharacter;
}

void tt_cell_from_box(int box_width, int box_height, int* cell_width, int* cell_height) {
    *cell_width = box_width / 2;
    *cell_height = box_height;
}

}  // namespace kbx
