// Text of the input box's fields: numbers written into a field and read
// back from its committed text.
#ifndef KBX_FIELD_VALUES_H
#define KBX_FIELD_VALUES_H

#include <cstddef>

namespace kbx {

// Room for any text format_field_double writes, terminator included.
constexpr std::size_t kFieldNumberChars = 32;

// A real with 10 significant digits in the classic "gcvt" form: plain
// notation keeps its decimal point even when nothing follows it (8.0 gives
// "8.", 125.5 gives "125.5"); values below 0.1 or of 10 or more integer
// digits use an exponent ("1.5e+010", "2.e-003"). Trailing zeros go.
void format_field_double(double value, char* out, std::size_t size);

void format_field_int(int value, char* out, std::size_t size);

// Reading follows atoi and atof: leading white space, an optional sign,
// then as many digits as form a number; the rest is ignored and text that
// does not start with a number reads as 0. An integer beyond the int range
// is clamped to it instead of being undefined.
int parse_field_int(const char* text);
double parse_field_double(const char* text);

}  // namespace kbx

#endif
