#include "textwin/text_cut.h"

namespace kbx {

namespace {

bool high_surrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool low_surrogate(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

int narrow_prefix_length(const char* text, int length, int limit, NarrowCharSize char_size) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    int at = 0;
    while (at < length) {
        int size = char_size(bytes + at, length - at);
        if (size < 1) size = 1;
        if (at + size > limit) break;
        at += size;
    }
    return at < length ? at : length;
}

int utf8_char_size(const unsigned char* text, int remaining) {
    unsigned char lead = text[0];
    int size = 1;
    if (lead >= 0xF0 && lead <= 0xF4) size = 4;
    else if (lead >= 0xE0) size = lead <= 0xEF ? 3 : 1;
    else if (lead >= 0xC2) size = 2;
    if (size > remaining) return 1;
    // A broken sequence counts byte by byte, as the converter treats it.
    for (int i = 1; i < size; ++i)
        if ((text[i] & 0xC0) != 0x80) return 1;
    return size;
}

int utf8_unfinished_tail(const char* text, int length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    // A character has at most three bytes after its lead byte.
    for (int back = 1; back <= 3 && back <= length; ++back) {
        unsigned char b = bytes[length - back];
        if ((b & 0xC0) == 0x80) continue;
        int size = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 1;
        return size > back ? back : 0;
    }
    return 0;
}

int wide_prefix_fitting(const wchar_t* text, int length, int limit, WideCharBytes bytes_of, void* context) {
    int units = 0;
    int bytes = 0;
    while (units < length) {
        int size = 1;
        if (high_surrogate(static_cast<unsigned>(text[units])) && units + 1 < length &&
            low_surrogate(static_cast<unsigned>(text[units + 1])))
            size = 2;
        int need = bytes_of(text + units, size, context);
        if (bytes + need > limit) break;
        bytes += need;
        units += size;
    }
    return units;
}

}  // namespace kbx
