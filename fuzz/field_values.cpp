// The input box's number fields: any text reads like atoi/atof (integers
// clamped to the int range), a written number fits its buffer and reads
// back as itself (reals to their 10 significant digits), and a short
// buffer gets a terminated prefix of the same text.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "boxes/field_values.h"
#include "fuzz/fuzz_check.h"

using namespace kbx;

namespace {

void check_text(const std::string& text) {
    const int i = parse_field_int(text.c_str());
    // Reading stops where the number ends.
    KBX_CHECK(parse_field_int((text + "x7").c_str()) == i);
    // What a field shows reads back unchanged.
    char shown[kFieldNumberChars];
    format_field_int(i, shown, sizeof shown);
    KBX_CHECK(parse_field_int(shown) == i);
    const double d = parse_field_double(text.c_str());
    if (std::isfinite(d)) {
        format_field_double(d, shown, sizeof shown);
        KBX_CHECK(std::strlen(shown) < sizeof shown);
    }
}

void check_real(double value, std::size_t short_size) {
    char full[kFieldNumberChars + 8];
    std::memset(full, 'X', sizeof full);
    format_field_double(value, full, kFieldNumberChars);
    const std::size_t length = std::strlen(full);
    KBX_CHECK(length < kFieldNumberChars);
    if (std::isfinite(value)) {
        const double back = parse_field_double(full);
        // Ten significant digits; the largest reals round up past the
        // largest double and read back as infinite.
        if (std::isinf(back)) {
            KBX_CHECK(std::fabs(value) > 1.797693134e308);
        } else {
            KBX_CHECK(std::fabs(back - value) <= std::fabs(value) * 5.0000001e-10 + DBL_TRUE_MIN);
        }
        // The plain form keeps its point; every form has one.
        KBX_CHECK(std::strchr(full, '.') != nullptr);
    }
    char part[kFieldNumberChars];
    std::memset(part, 'X', sizeof part);
    format_field_double(value, part, short_size);
    if (short_size > 0) {
        const std::size_t n = std::strlen(part);
        KBX_CHECK(n < short_size && std::strncmp(part, full, n) == 0);
        KBX_CHECK(n == length || n == short_size - 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int whole = in.ConsumeIntegral<int>();
    char text[kFieldNumberChars];
    format_field_int(whole, text, sizeof text);
    KBX_CHECK(parse_field_int(text) == whole);
    const std::size_t short_size = in.ConsumeIntegralInRange<std::size_t>(0, kFieldNumberChars);
    check_real(in.ConsumeFloatingPoint<double>(), short_size);
    // Any bits, infinities and not-a-numbers included.
    double raw;
    const std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
    std::memcpy(&raw, &bits, sizeof raw);
    check_real(raw, short_size);
    check_text(in.ConsumeRemainingBytesAsString());
    return 0;
}
