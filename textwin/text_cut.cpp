#include "textwin/text_cut.h"

namespace kbx {

namespace {

// Bytes a UTF-8 lead byte announces; 1 for any byte that leads nothing.
int utf8_lead_size(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    return 1;
}

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
    const int size = utf8_lead_size(text[0]);
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
        const unsigned char b = bytes[length - back];
        if ((b & 0xC0) == 0x80) continue;
        return utf8_lead_size(b) > back ? back : 0;
    }
    return 0;
}

int wide_prefix_fitting(const wchar_t* text, int length, int limit, WideCharBytes bytes_of, void* context) {
    int units = 0;
    int bytes = 0;
    while (units < length) {
        const int size = units_of_character(text, units, length);
        int need = bytes_of(text + units, size, context);
        if (bytes + need > limit) break;
        bytes += need;
        units += size;
    }
    return units;
}

}  // namespace kbx
