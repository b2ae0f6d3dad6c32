// Cutting text to a size limit on a character boundary, for narrow text in
// the ANSI code page (where a character may take several bytes) and for
// UTF-16 text that is converted into a fixed narrow buffer.
#ifndef KBX_TEXT_CUT_H
#define KBX_TEXT_CUT_H

namespace kbx {

// Bytes of the narrow character that starts at text (at least 1), given the
// bytes that remain from there. Supplied for the code page in use.
typedef int (*NarrowCharSize)(const unsigned char* text, int remaining);

// The longest prefix of text (length bytes) that ends on a character
// boundary and is at most limit bytes long.
int narrow_prefix_length(const char* text, int length, int limit, NarrowCharSize char_size);

// Character size in UTF-8 (a broken sequence counts byte by byte). Double-
// byte code pages need the platform's lead-byte table instead.
int utf8_char_size(const unsigned char* text, int remaining);

// Bytes at the end of text (length bytes) that begin a UTF-8 character
// without finishing it: a lead byte followed by fewer continuation bytes
// than it announces. 0 when text ends on a whole character (or on a broken
// sequence, which no further byte can mend).
int utf8_unfinished_tail(const char* text, int length);

// UTF-16 surrogate halves, and the code units of the character that starts
// at units[i] (count in all): two for a surrogate pair, else one.
inline bool high_surrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool low_surrogate(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline int units_of_character(const wchar_t* units, int i, int count) {
    const bool pair = high_surrogate(units[i]) && i + 1 < count && low_surrogate(units[i + 1]);
    return pair ? 2 : 1;
}

// Narrow bytes that one UTF-16 character (one unit, or a surrogate pair of
// two) takes in the code page in use.
typedef int (*WideCharBytes)(const wchar_t* character, int units, void* context);

// The most code units of text (length units) whose narrow form fits in
// limit bytes, never splitting a surrogate pair. Stops at the first
// character that does not fit.
int wide_prefix_fitting(const wchar_t* text, int length, int limit, WideCharBytes bytes_of, void* context);

}  // namespace kbx

#endif
