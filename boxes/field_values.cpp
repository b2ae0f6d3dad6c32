#include "boxes/field_values.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kbx {

namespace {

const int kSignificantDigits = 10;

// Appends text to out (of size bytes, used bytes so far in *used), cutting
// it short rather than writing past the end.
void append(char* out, std::size_t size, std::size_t* used, const char* text) {
    while (*text && *used + 1 < size) out[(*used)++] = *text++;
    out[*used] = 0;
}

// Drops trailing zeros of a digit string (keeping at least none).
void strip_trailing_zeros(char* digits) {
    std::size_t n = std::strlen(digits);
    while (n > 0 && digits[n - 1] == '0') digits[--n] = 0;
}

}  // namespace

void format_field_double(double value, char* out, std::size_t size) {
    if (size == 0) return;
    out[0] = 0;
    if (!std::isfinite(value)) {
        std::snprintf(out, size, "%g", value);
        return;
    }
    // Rounded to the significant digits first: rounding may carry into a
    // new leading digit (9.9999999999 becomes 10.), so the exponent is
    // taken from the rounded form.
    char scientific[40];
    std::snprintf(scientific, sizeof scientific, "%.*e", kSignificantDigits - 1, value);
    const char* p = scientific;
    bool negative = *p == '-';
    if (negative) ++p;
    char digits[kSignificantDigits + 1];
    int count = 0;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < kSignificantDigits) digits[count++] = *p;
    }
    digits[count] = 0;
    int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    std::size_t used = 0;
    if (negative) append(out, size, &used, "-");
    char text[48];
    if (exponent < -1 || exponent >= kSignificantDigits) {
        char rest[kSignificantDigits + 1];
        std::strcpy(rest, digits + 1);
        strip_trailing_zeros(rest);
        std::snprintf(text, sizeof text, "%c.%se%c%03d", digits[0], rest, exponent < 0 ? '-' : '+',
                      exponent < 0 ? -exponent : exponent);
    } else if (exponent == -1) {
        char rest[kSignificantDigits + 1];
        std::strcpy(rest, digits);
        strip_trailing_zeros(rest);
        std::snprintf(text, sizeof text, "0.%s", rest);
    } else {
        char whole[kSignificantDigits + 1];
        char rest[kSignificantDigits + 1];
        std::memcpy(whole, digits, exponent + 1);
        whole[exponent + 1] = 0;
        std::strcpy(rest, digits + exponent + 1);
        strip_trailing_zeros(rest);
        std::snprintf(text, sizeof text, "%s.%s", whole, rest);
    }
    append(out, size, &used, text);
}

void format_field_int(int value, char* out, std::size_t size) {
    if (size == 0) return;
    std::snprintf(out, size, "%d", value);
}

int parse_field_int(const char* text) {
    if (!text) return 0;
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double parse_field_double(const char* text) {
    if (!text) return 0.0;
    return std::strtod(text, nullptr);
}

}  // namespace kbx
